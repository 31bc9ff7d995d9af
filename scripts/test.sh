#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: once in a
# normal build and once built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

# Every process this run starts (tests, emulators, the program, Wine and its
# server) inherits this mark; at the end none may still be running. The mark
# names this run alone, so processes of other runs and of other checkouts on
# the machine are never counted.
export VQ_TEST_RUN="vq-test-$$-$(date +%s%N)"
# Fills `found` with the marked processes other than this shell; reads with
# builtins only, so the check starts no process of its own that it could find.
leftovers() {
    local f pid entry
    found=()
    for f in /proc/[0-9]*/environ; do
        pid=${f#/proc/}
        pid=${pid%/environ}
        [ "$pid" != $$ ] || continue
        {
            while IFS= read -r -d '' entry; do
                if [ "$entry" = "VQ_TEST_RUN=$VQ_TEST_RUN" ]; then
                    found+=("$pid")
                    break
                fi
            done <"$f"
        } 2>/dev/null || true
    done
}
check_leftovers() {
    local status=$? pid
    # Wine's server lingers a few seconds after its last program by design.
    for _ in $(seq 30); do
        leftovers
        [ ${#found[@]} -gt 0 ] || break
        sleep 0.5
    done
    if [ ${#found[@]} -gt 0 ]; then
        echo "test: processes the suite started are still running:" >&2
        for pid in "${found[@]}"; do
            echo "    $pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)" >&2
        done
        for pid in "${found[@]}"; do kill "$pid" 2>/dev/null || true; done
        status=1
    fi
    exit "$status"
}
trap check_leftovers EXIT

bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVQ_SANITIZE=ON
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

# Fuzz stage: every fuzz target (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) runs a few seconds from its seed corpus, so a
# reader of files or replies that starts crashing shows here.
bash scripts/setup.sh clang libclang-rt-14-dev
bash scripts/fuzz.sh 5

# Windows stage: the cross-built program, its tests under Wine, the wire
# comparison with the Linux program and the zip, when Qt for Windows has been
# made on this machine (bash scripts/windows.sh); otherwise one line says it
# was skipped.
bash scripts/windows.sh --check
