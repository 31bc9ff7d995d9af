#!/usr/bin/env bash
# The installer, silently (/S) under Wine: it installs the program under
# Program Files with a Start-menu entry, the installed program runs, and the
# uninstaller removes what was installed and leaves the user's profile alone.
#
#   tests/wine/check_installer.sh SETUP.exe VERSION
set -euo pipefail
setup=$(realpath "$1")
: "${WINEPREFIX:?}"
export WINEDEBUG=-all

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/VQ530T Link"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/VQ530T Link"
roaming=$(ls -d "$drive"/users/*/AppData/Roaming 2>/dev/null | grep -v /Public/ | head -n1)
profile="$roaming/VQ530T Link/VQ530T Link.ini"

wine "$setup" /S
[ -f "$folder/vq530t-link.exe" ] || fail "nothing installed in $folder"
[ -f "$folder/platforms/qwindows.dll" ] || fail "the platform plugin is not installed"
[ -f "$menu/VQ530T Link.lnk" ] || fail "no Start-menu entry ($(ls "$menu" 2>&1 | tr '\n' ' '))"
version=$(cd "$drive" && WINEPATH= wine "$folder/vq530t-link.exe" --version | tr -d '\r')
[ "$version" = "VQ530T Link ${2%.*}${2##*.}" ] || fail "the installed program printed '$version'"

# The user's own files, which the uninstaller must keep.
mkdir -p "$(dirname "$profile")"
printf '[RS232C]\r\nCommPort= 5\r\n' >"$profile"

wine "$folder/Uninstall.exe" /S
# The uninstaller runs on from a copy of itself; wait for it to finish.
for _ in $(seq 120); do
  [ -e "$folder/vq530t-link.exe" ] || break
  sleep 0.5
done
wineserver -w
[ ! -e "$folder" ] || fail "left behind: $(cd "$folder" && find . | tr '\n' ' ')"
[ ! -e "$menu" ] || fail "the Start-menu entry is left behind"
[ -f "$profile" ] || fail "the user's profile was removed"

echo "installer: $failures failed"
[ "$failures" -eq 0 ]
