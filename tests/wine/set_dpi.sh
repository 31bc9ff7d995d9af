#!/usr/bin/env bash
# Sets the dots per inch of the Wine desktop of the Windows build
# (WINEPREFIX), as Windows' display setting does: LogPixels, where the
# current Wine and older ones read it; 96 is 100 %, 144 is 150 %.
#
#   tests/wine/set_dpi.sh DPI        (needs VQ_WIN_BUILD and VQ_WIN_QT)
set -euo pipefail
here=$(dirname "$(realpath "$0")")
for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
  "$here/run.sh" reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
done
wineserver -w
