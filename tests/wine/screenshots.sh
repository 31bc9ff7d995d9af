#!/usr/bin/env bash
# Pictures of the Windows build's main window and log window, drawn by Qt's
# Windows platform under Wine (in Xvfb, with Wine's own fonts), against the
# emulator on COM5: docs/windows-main-window.png and docs/windows-log-window.png.
# Drawn at 96 dpi (100 %), the most common setting, whatever the checks
# before left the prefix at.
#
#   tests/wine/screenshots.sh LINUX_BUILD WINDOWS_BUILD SHIM DOCS
set -euo pipefail
linux_build=$(realpath "$1")
windows_build=$(realpath "$2")
shim=$(realpath "$3")
docs=$(realpath "$4")
here=$(dirname "$(realpath "$0")")
export WINEPREFIX=${WINEPREFIX:-$windows_build/wine}
bash "$here/set_dpi.sh" 96

work=$(mktemp -d)
"$linux_build/emulator/vq530t-emulator" --no-stdin --no-pacing --state "$work/state.dat" >"$work/emulator.out" 2>&1 &
emulator=$!
trap 'kill $emulator 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/emulator.out" ] && break; sleep 0.05; done
ln -sfn "$(head -n1 "$work/emulator.out")" "$WINEPREFIX/dosdevices/com5"

VQ_WINE_PRELOAD=$shim xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$here/run.sh" "$windows_build/vq530t-screenshots.exe" "$(realpath --relative-to=/ "$work" | sed 's|^|Z:\\|; s|/|\\|g')" --port COM5 -platform windows
cp "$work/main-window.png" "$docs/windows-main-window.png"
cp "$work/log-window.png" "$docs/windows-log-window.png"
echo "docs/windows-main-window.png, docs/windows-log-window.png"
