#!/usr/bin/env bash
# The Windows program against the controller emulator, through Wine's COM5,
# next to the Linux program through the emulator's pseudo-terminal: the same
# five operations from the same controller state must leave the same files
# and put the same bytes on the wire. Then the exit codes of a missing port
# (3) and of a silent controller (4).
#
#   tests/wine/cli_parity.sh LINUX_BUILD WINDOWS_BUILD SHIM
#
# SHIM is the built tests/wine/ptyshim.cpp (see there why Wine needs it on a
# pseudo-terminal). The environment is that of tests/wine/run.sh.
set -euo pipefail
linux_build=$(realpath "$1")
windows_build=$(realpath "$2")
shim=$(realpath "$3")
here=$(dirname "$(realpath "$0")")
emulator=$linux_build/emulator/vq530t-emulator
linux_program=$linux_build/src/shell/vq530t-link
# Qt puts the programs of a Windows build at the top of the build folder, beside
# the libraries they load.
windows_program=$windows_build/vq530t-link.exe
export WINEPREFIX=${WINEPREFIX:-$windows_build/wine}

work=$(mktemp -d)
emulator_pid=
emulator_pids=() # every emulator started, ended on any way out
cleanup() {
  local pid
  for pid in "${emulator_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  # Wine's own processes of this prefix (wineserver, its device and service
  # processes) end with the comparison too.
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Starts the emulator on a fresh pseudo-terminal, with its state and trace in
# $1; sets pty to the terminal's path. Not to be called in a subshell: the
# emulator's process id must reach this shell, or nothing would end it.
start_emulator() {
  local dir=$1
  shift
  "$emulator" --no-stdin --no-pacing --state "$dir/state.dat" --trace "$dir/trace.txt" "$@" >"$dir/emulator.out" 2>&1 &
  emulator_pid=$!
  emulator_pids+=("$emulator_pid")
  for _ in $(seq 100); do
    [ -s "$dir/emulator.out" ] && break
    sleep 0.05
  done
  pty=$(head -n1 "$dir/emulator.out")
}

stop_emulator() {
  kill "$emulator_pid" 2>/dev/null || true
  wait "$emulator_pid" 2>/dev/null || true
  emulator_pid=
}

# The bytes each way, whatever chunks they crossed in: "RX" (to the
# controller) and "TX" (from it) in order, one hex byte a line.
wire_bytes() {
  awk '$2 == "RX" || $2 == "TX" { for (i = 3; i <= NF; i++) print $2, $i }' "$1"
}

# The five operations, in one session of the emulator, as each program runs
# them. $1 is "linux" or "windows".
run_operations() {
  local kind=$1 dir=$work/$1
  mkdir -p "$dir/home"
  local pty
  start_emulator "$dir"
  local -a program
  if [ "$kind" = linux ]; then
    program=("$linux_program" --port "$pty")
  else
    ln -sfn "$pty" "$WINEPREFIX/dosdevices/com5"
    program=(env VQ_WINE_PRELOAD="$shim" "$here/run.sh" "$windows_program" --port COM5)
  fi
  (
    cd "$dir"
    export HOME=$dir/home XDG_DATA_HOME=$dir/home/data XDG_CONFIG_HOME=$dir/home/config
    set +e
    "${program[@]}" read settings.set >read.out 2>read.err; echo "read $?" >>codes
    "${program[@]}" set pwm-min=4321 dead-band=12 >set.out 2>set.err; echo "set $?" >>codes
    "${program[@]}" write settings.set >write.out 2>write.err; echo "write $?" >>codes
    "${program[@]}" get-log run.csv >getlog.out 2>getlog.err; echo "get-log $?" >>codes
    "${program[@]}" clear-log >clearlog.out 2>clearlog.err; echo "clear-log $?" >>codes
    "${program[@]}" get-log cleared.csv >getlog2.out 2>getlog2.err; echo "get-log-after-clear $?" >>codes
  )
  stop_emulator
  wire_bytes "$dir/trace.txt" >"$dir/wire.txt"
}

run_operations linux
run_operations windows

expected_codes=$'read 0\nset 0\nwrite 0\nget-log 0\nclear-log 0\nget-log-after-clear 0'
for kind in linux windows; do
  codes=$(cat "$work/$kind/codes")
  [ "$codes" = "$expected_codes" ] || fail "$kind exit codes: $(tr '\n' ' ' <<<"$codes") (stderr: $(cat "$work/$kind"/*.err | head -c 600))"
done
for file in settings.set run.csv cleared.csv state.dat wire.txt; do
  if ! cmp -s "$work/linux/$file" "$work/windows/$file"; then
    fail "$file differs between the Linux and the Windows program"
    diff <(od -c "$work/linux/$file" | head -20) <(od -c "$work/windows/$file" | head -20) || true
  fi
done
[ "$(wc -l <"$work/linux/wire.txt")" -gt 1000 ] || fail "the wire carried too little: $(wc -l <"$work/linux/wire.txt") bytes"
echo "wire bytes compared: $(wc -l <"$work/linux/wire.txt")"
# The downloaded log serves the zip's check (stats, plot).
cp "$work/linux/run.csv" "$windows_build/parity-run.csv"

# Exit codes: a port that doesn't exist, and a controller that never answers.
ln -sfn /nonexistent/vq530t-port "$WINEPREFIX/dosdevices/com7"
set +e
env VQ_WINE_PRELOAD="$shim" "$here/run.sh" "$windows_program" --port COM7 read "$work/missing.set" >/dev/null 2>&1
code=$?
set -e
[ "$code" = 3 ] || fail "a missing port: exit code $code, not 3"

mkdir -p "$work/silent"
start_emulator "$work/silent" --fault silent
ln -sfn "$pty" "$WINEPREFIX/dosdevices/com5"
set +e
env VQ_WINE_PRELOAD="$shim" "$here/run.sh" "$windows_program" --port COM5 read "$work/silent.set" >/dev/null 2>&1
code=$?
set -e
stop_emulator
[ "$code" = 4 ] || fail "a silent controller: exit code $code, not 4"
[ ! -e "$work/silent.set" ] || fail "a silent controller left a settings file"

# A line that vanishes mid-reply (an adapter pulled out): both programs end
# the same way, once, and leave no file.
vanish_code() {
  local kind=$1 dir=$work/vanish-$1 pty
  mkdir -p "$dir"
  start_emulator "$dir" --fault vanish
  set +e
  if [ "$kind" = linux ]; then
    (cd "$dir" && timeout 60 "$linux_program" --port "$pty" read vanished.set >out.txt 2>err.txt)
  else
    ln -sfn "$pty" "$WINEPREFIX/dosdevices/com5"
    (cd "$dir" && VQ_WINE_PRELOAD="$shim" timeout 60 "$here/run.sh" "$windows_program" --port COM5 read vanished.set >out.txt 2>err.txt)
  fi
  echo $? >"$dir/code"
  set -e
  stop_emulator
  [ ! -e "$dir/vanished.set" ] || fail "$kind: a vanished line left a settings file"
}
vanish_code linux
vanish_code windows
linux_vanish=$(cat "$work/vanish-linux/code")
windows_vanish=$(cat "$work/vanish-windows/code")
[ "$linux_vanish" != 0 ] || fail "the Linux program took a vanished line for success"
[ "$windows_vanish" = "$linux_vanish" ] || fail "a vanished line: exit code $windows_vanish on Windows, $linux_vanish on Linux ($(tr -d '\r' <"$work/vanish-windows/err.txt" | head -c 300))"

# Every port the system has: Wine's COM5 on the emulator's line, free, and a
# trace of a read that shows its bytes.
mkdir -p "$work/ports"
start_emulator "$work/ports"
ln -sfn "$pty" "$WINEPREFIX/dosdevices/com5"
set +e
env VQ_WINE_PRELOAD="$shim" "$here/run.sh" "$windows_program" ports >"$work/ports/ports.txt" 2>&1
code=$?
(cd "$work/ports" && env VQ_WINE_PRELOAD="$shim" "$here/run.sh" "$windows_program" --port COM5 --trace read.trace read traced.set >/dev/null 2>&1)
set -e
stop_emulator
[ "$code" = 0 ] || fail "ports: exit code $code"
grep -Eq '^COM5 .* free' <(tr -d '\r' <"$work/ports/ports.txt") || fail "ports does not list COM5 as free: $(head -c 300 "$work/ports/ports.txt")"
grep -Eq '^[0-9]+ TX sr$' "$work/ports/read.trace" || fail "the trace of a read shows no sr: $(head -c 300 "$work/ports/read.trace")"
cp "$work/ports/read.trace" "$windows_build/read.trace" 2>/dev/null || true

echo "wine parity: $failures failed"
[ "$failures" -eq 0 ]
