#!/usr/bin/env bash
# Runs a program of the Windows build under Wine: the cross build's test
# launcher (CMAKE_CROSSCOMPILING_EMULATOR) and the checks of
# scripts/windows.sh. The Wine prefix lives in the build folder; Qt's and
# MinGW's libraries are found through WINEPATH. VQ_WINE_PRELOAD, when set, is
# the pseudo-terminal shim (tests/wine/ptyshim.cpp) for runs against the
# emulator.
set -euo pipefail
: "${VQ_WIN_BUILD:?the Windows build folder}"
: "${VQ_WIN_QT:?the Qt for Windows folder}"
export WINEPREFIX=${WINEPREFIX:-$VQ_WIN_BUILD/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Wine's drive Z: is the root of this machine.
windows_path() { local p; p=$(realpath -m "$1"); printf 'Z:%s' "${p//\//\\}"; }
mingw_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
export WINEPATH="$(windows_path "$VQ_WIN_QT/bin");$(windows_path "$mingw_runtime");$(windows_path /usr/x86_64-w64-mingw32/lib)"
if [ -n "${VQ_WINE_PRELOAD:-}" ]; then
  export LD_PRELOAD=$VQ_WINE_PRELOAD${LD_PRELOAD:+:$LD_PRELOAD}
fi
exec wine "$@"
