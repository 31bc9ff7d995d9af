#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: once in a
# normal build and once built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

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
