#!/usr/bin/env bash
# Can the main window be read? The program reads the worked example from the
# emulator ("Setting Data Read"); every row caption, every device button and
# the ten values are cut out of the window's picture, enlarged three times,
# and Debian's tesseract-ocr must read each of them exactly. A misread fails
# the check and names the text, unless legibility-known.txt beside this
# script lists it as a known misread still to be mended (then it is named as
# such); a known misread that now reads right is named too, to be struck off.
#
#   tests/wine/legibility.sh [--language CODE] LINUX_BUILD
#                                  the Linux window
#   tests/wine/legibility.sh [--language CODE] LINUX_BUILD WINDOWS_BUILD SHIM DPI
#                                  the Windows build under Wine at DPI
# CODE is the window's language (de, es, fr, ja; English without it), read
# with tesseract's model for that language; its captions are the ones the
# window shows.
# The Windows build needs VQ_WIN_BUILD and VQ_WIN_QT (tests/wine/run.sh).
set -euo pipefail
language=
if [ "${1:-}" = --language ]; then
  language=$2
  shift 2
fi
linux_build=$(realpath "$1")
windows_build=${2:+$(realpath "$2")}
shim=${3:+$(realpath "$3")}
dpi=${4:-96}
here=$(dirname "$(realpath "$0")")

# The worked example and the values it shows, by entry box.
worked=E803401FF005D0074C040000000000000620556A6464000A500085C80001100A
declare -A value=([TxtData_0]=1000 [TxtData_1]=8000 [TxtData_5]=6 [TxtData_6]=2.5 [TxtData_7]=200
                  [TxtData_12]=150 [TxtData_11]=10 [TxtData_8]=100 [TxtData_10]=0 [TxtData_13]=0)

work=$(mktemp -d)
emulator=
stop_emulator() { [ -z "$emulator" ] || { kill "$emulator" 2>/dev/null || true; wait "$emulator" 2>/dev/null || true; emulator=; }; }
trap 'stop_emulator; [ -n "${VQ_KEEP:-}" ] || rm -rf "$work"' EXIT
start_emulator() {
  : >"$work/emulator.out"
  "$linux_build/emulator/vq530t-emulator" --no-stdin --no-pacing --state "$work/state.dat" >"$work/emulator.out" 2>&1 &
  emulator=$!
  for _ in $(seq 100); do [ -s "$work/emulator.out" ] && break; sleep 0.05; done
  line=$(head -n1 "$work/emulator.out")
}
# A first start writes the factory state; its block becomes the worked example.
start_emulator
stop_emulator
sed -i "s/^block=.*/block=$worked/" "$work/state.dat"
start_emulator

# Japanese: the language model together with the one for its script
# (tesseract-ocr-script-jpan), which tells kanji of similar outline apart
# far better at 12 pixels.
declare -A model=([de]=deu [es]=spa [fr]=fra [ja]=jpn+Japanese)
ocr_model=eng
shot_language=()
if [ -n "$language" ]; then
  ocr_model=${model[$language]:?no OCR model for language $language}
  shot_language=(--language "$language")
fi
if [ -z "$windows_build" ]; then
  where="Linux"
  known_key=linux
  QT_QPA_PLATFORM=offscreen "$linux_build/tools/vq530t-screenshots" "$work/shot" --port "$line" --texts "${shot_language[@]}" >/dev/null
else
  where="Windows build, $dpi dpi"
  known_key=$dpi
  export WINEPREFIX=${WINEPREFIX:-$windows_build/wine}
  bash "$here/set_dpi.sh" "$dpi"
  ln -sfn "$line" "$WINEPREFIX/dosdevices/com5"
  VQ_WINE_PRELOAD=$shim xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$here/run.sh" "$windows_build/vq530t-screenshots.exe" \
    "$(realpath --relative-to=/ "$work/shot" | sed 's|^|Z:\\|; s|/|\\|g')" --port COM5 --texts "${shot_language[@]}" -platform windows >/dev/null
fi

# The text as one line (a caption fitted on two lines reads as its words in
# order). Tesseract tells round brackets from braces badly at any
# size and sometimes reads one twice (the Linux window's "frequency(" comes
# out as "frequency{" or "frequency({"): a run of brackets counts as one.
# The values are figures in every language: they are read as such.
read_text() {
  tesseract "$1" - --psm 6 -l "${2:-$ocr_model}" 2>/dev/null | tr -d '\f' | sed '/^[[:space:]]*$/d' | paste -sd' ' \
    | sed 's/^[[:space:]]*//; s/[[:space:]]*$//' | tr '{[]}' '(())' | tr -s '()' | spacing
}
# Japanese is written without blanks between words, and tesseract puts them
# between some of its characters: there, texts are compared without blanks.
spacing() { if [ "$language" = ja ]; then tr -d '[:space:]'; else cat; fi; }

# Known misreads, "KEY CONTROL" a line (KEY: linux, or the Windows build's dpi).
declare -A known=()
while read -r key control _; do
  [ "$key" = "$known_key${language:+-$language}" ] && known[$control]=1
done < <(grep -v '^[[:space:]]*\(#\|$\)' "$here/legibility-known.txt" 2>/dev/null || true)

declare -A right=([values]=0 [buttons]=0 [captions]=0) total=([values]=0 [buttons]=0 [captions]=0)
misread=()
while IFS=$'\t' read -r control picture text; do
  case $control in
    TxtData_*) group=values ;;
    CmdVqCom_*) group=buttons ;;
    LblCaption_*) group=captions ;;
    *) continue ;;
  esac
  expected=$(printf '%s' "$text" | spacing)
  if [ "$group" = values ]; then
    expected=${value[$control]}
    [ "$text" = "$expected" ] || misread+=("$control shows \"$text\", not \"$expected\"")
  fi
  total[$group]=$((total[$group] + 1))
  got=$(read_text "$work/shot/main-window-texts/$picture" "$([ "$group" = values ] && echo eng)")
  if [ "$got" = "$expected" ]; then
    right[$group]=$((right[$group] + 1))
    [ -z "${known[$control]:-}" ] || echo "  now read right, strike it off legibility-known.txt: $known_key${language:+-$language} $control"
  elif [ -n "${known[$control]:-}" ]; then
    echo "  known misread: $control \"$expected\" read as \"$got\""
  else
    misread+=("$control \"$expected\" read as \"$got\"")
  fi
done < <(tr -d '\r' <"$work/shot/main-window-texts/texts.tsv")

echo "legibility, $where${language:+, language $language}: values ${right[values]} of ${total[values]}," \
     "device buttons ${right[buttons]} of ${total[buttons]}, row captions ${right[captions]} of ${total[captions]}"
if [ "${total[values]}" -ne 10 ] || [ "${total[buttons]}" -ne 5 ] || [ "${total[captions]}" -ne 10 ]; then
  misread+=("expected 10 values, 5 buttons and 10 row captions in the picture")
fi
if [ ${#misread[@]} -gt 0 ]; then
  printf '  misread: %s\n' "${misread[@]}"
  exit 1
fi
