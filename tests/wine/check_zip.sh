#!/usr/bin/env bash
# The portable zip: exactly the program, the Qt and MinGW libraries and
# plugins it loads, the README and the licence; under 30 MB; and the program
# runs from an unpacked copy in a folder of any name, with nothing but the
# zip's own libraries (no WINEPATH), giving what the Linux program gives.
#
#   tests/wine/check_zip.sh ZIP WINDOWS_BUILD LINUX_BUILD LOG.csv
set -euo pipefail
zip=$(realpath "$1")
windows_build=$(realpath "$2")
linux_build=$(realpath "$3")
csv=$(realpath "$4")
export WINEPREFIX=${WINEPREFIX:-$windows_build/wine} WINEDEBUG=-all

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unpacked="$work/any folder"
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"
top=$(basename "$zip" .zip)
app="$unpacked/$top"

# The list: what the zip holds, and nothing else.
expected="DejaVu-fonts-LICENSE.txt
LICENSE.txt
Qt6Core.dll
Qt6Gui.dll
Qt6Widgets.dll
README.txt
libgcc_s_seh-1.dll
libstdc++-6.dll
libwinpthread-1.dll
platforms/qwindows.dll
styles/qwindowsvistastyle.dll
vq530t-link.exe"
actual=$(cd "$app" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "the zip holds:
$actual"

# Every library the program and its plugins import is in the zip or is one
# of Windows' own (Wine's system folder); every library in the zip is
# imported by something.
system32="$WINEPREFIX/drive_c/windows/system32"
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
declare -A needed=() windows_dlls=()
for file in "$system32"/*; do
  name=${file##*/}
  windows_dlls[${name,,}]=1
done
for binary in "$app"/vq530t-link.exe "$app"/*.dll "$app"/platforms/*.dll "$app"/styles/*.dll; do
  for dll in $(imports "$binary"); do
    lower=${dll,,}
    if [ -f "$app/$dll" ]; then
      needed[$lower]=1
    elif [[ $lower == api-ms-win-* || $lower == ext-ms-win-* ]]; then
      : # API sets: names Windows itself resolves
    elif [ -z "${windows_dlls[$lower]:-}" ]; then
      fail "$(basename "$binary") imports $dll, which is neither in the zip nor a Windows library"
    fi
  done
done
for dll in "$app"/*.dll; do
  name=$(basename "$dll")
  [ -n "${needed[${name,,}]:-}" ] || fail "$name is in the zip but nothing imports it"
done

size=$(stat -c %s "$zip")
unpacked_size=$(du -sb "$app" | cut -f1)
echo "zip: $((size / 1024)) KiB, unpacked $((unpacked_size / 1024)) KiB"
[ "$size" -lt $((30 * 1024 * 1024)) ] || fail "the zip is $size bytes, not under 30 MB"

# The program carries its icon (the group Qt and Explorer take) and the
# version of the build in its version resource.
resources=$(wrestool -l "$app/vq530t-link.exe")
grep -q "name='IDI_ICON1'.*group_icon" <<<"$resources" || fail "no icon in the program: $resources"
version_strings=$(wrestool -x --raw --type=16 "$app/vq530t-link.exe" | strings -el)
grep -qx "$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$windows_build/CMakeCache.txt")" <<<"$version_strings" ||
  fail "the version resource lacks the build's version: $(tr '\n' ' ' <<<"$version_strings")"

# Runs from the unpacked folder, on its own libraries only.
run() { (cd "$work" && WINEPATH= wine "$app/vq530t-link.exe" "$@"); }
version=$(run --version | tr -d '\r')
[ "$version" = "$("$linux_build/src/shell/vq530t-link" --version)" ] || fail "--version printed '$version'"
stats_windows=$(run stats "$csv" | tr -d '\r')
stats_linux=$("$linux_build/src/shell/vq530t-link" stats "$csv")
[ "$stats_windows" = "$stats_linux" ] || fail "stats differ: $stats_windows"
run plot "$csv" "$work/windows.png" >/dev/null 2>&1 || fail "plot exited $?"
QT_QPA_PLATFORM=offscreen "$linux_build/src/shell/vq530t-link" plot "$csv" "$work/linux.png"
# The scales' text is drawn in each system's own font, so the pictures are
# compared by kind and size (the PNG signature and header), not pixel for pixel.
png_header() { od -An -tx1 -N24 "$1" | tr -d ' \n'; }
[ "$(png_header "$work/windows.png")" = "$(png_header "$work/linux.png")" ] ||
  fail "plot drew another kind or size of picture than on Linux: $(png_header "$work/windows.png")"

echo "zip: $failures failed"
[ "$failures" -eq 0 ]
