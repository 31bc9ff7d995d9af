#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
#
# Without arguments the program is started against vq530t-emulator, a stand-in
# controller on a pseudo-terminal, opened with --port for this run only, so
# every device button and file command can be tried without hardware. With --real the emulator is left out and the program opens the
# port stored in its profile file (or asks for one).
#
# Without a desktop session (no DISPLAY or WAYLAND_DISPLAY) the window is
# served over VNC on port 5900 (connect any VNC viewer to localhost:5900).
set -euo pipefail
cd "$(dirname "$0")/.."

real=0
if [ "${1:-}" = "--real" ]; then real=1; fi

bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc 2>/dev/null || echo 2)" --target vq530t-link vq530t-emulator

program=build/src/shell/vq530t-link
emulator=build/emulator/vq530t-emulator

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  export QT_QPA_PLATFORM="vnc:port=5900"
  echo "No desktop session found: the window is served over VNC at localhost:5900."
fi

if [ "$real" = 1 ]; then
  exec "$program"
fi

link="${XDG_RUNTIME_DIR:-/tmp}/vq530t-demo-tty"
state="build/emulator-state.dat"
out=$(mktemp)
"$emulator" --no-stdin --link "$link" --state "$state" >"$out" &
emu=$!
trap 'kill "$emu" 2>/dev/null || true; rm -f "$out"' EXIT
for _ in $(seq 50); do [ -s "$out" ] && break; sleep 0.1; done
echo "Emulator running on $(head -n1 "$out") (linked as $link)."

# The emulator's line is opened for this run only: the profile keeps the
# user's own port.
"$program" --port "$link"
