#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each of them for a while.
#
#   scripts/fuzz.sh [seconds per target, default 600] [targets run at once, default 1]
#
# Each target starts from its seed corpus in fuzz/corpus/<target>/ (left
# unchanged; what a run learns goes to <build>/corpus/<target>/). A crash, a
# sanitizer report, a broken check or an input that takes longer than 10 s
# stops that target and keeps the input in <build>/artifacts/. The build
# folder is build-fuzz beside the sources unless VQ_FUZZ_BUILD names another.
# Ends with one line per target (executions, outcome) and "fuzz: N passed,
# N failed"; exits non-zero when any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
parallel=${2:-1}
build=${VQ_FUZZ_BUILD:-build-fuzz}
targets=(val settingdata settingsfile logfile profile runreply readreply)

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)"

mkdir -p "$build/artifacts" "$build/logs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen

run_target() {
    local t=$1
    mkdir -p "$build/corpus/$t"
    "$build/fuzz_$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$t-" \
        "$build/corpus/$t" "fuzz/corpus/$t" >"$build/logs/$t.log" 2>&1
}

pids=()
names=()
for t in "${targets[@]}"; do
    run_target "$t" &
    pids+=($!)
    names+=("$t")
    # Keep at most $parallel targets running.
    while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do sleep 1; done
done

passed=0
failed=0
for i in "${!pids[@]}"; do
    t=${names[$i]}
    log="$build/logs/$t.log"
    if wait "${pids[$i]}"; then outcome=ok; passed=$((passed + 1)); else outcome=FAILED; failed=$((failed + 1)); fi
    execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -n1 | awk '{print $2}')
    printf 'fuzz_%-13s %12s executions in %s s  %s\n' "$t" "${execs:-?}" "$seconds" "$outcome"
    if [ "$outcome" != ok ]; then
        grep -E 'check failed|ERROR|SUMMARY|Test unit written' "$log" | head -n 8 | sed 's/^/    /'
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
