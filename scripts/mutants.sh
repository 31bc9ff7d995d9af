#!/usr/bin/env bash
# Plants faults in a copy of the program, one at a time, and checks that the
# test suite notices each of them.
#
#   bash scripts/mutants.sh [--tree DIR] [--only NAME[,NAME...]] [--list] [--jobs N] [--keep]
#
# Every fault is a name, a fixed text that must occur exactly once under src/
# (any file, found with grep) and the text that replaces it. A fault whose
# text is missing or occurs more than once is reported as NOT APPLICABLE and
# is not counted, so the list survives code moving between folders.
#
# The tree (default: the checkout this script lives in) is copied to a folder
# under /tmp: the files git knows of plus new files it does not ignore, as they
# are on disk. One build folder (RelWithDebInfo) serves every fault: the
# planted file is built incrementally, the suite runs under ctest (offscreen
# platform) and stops at its first failure, and the original text is written
# back with a new modification time, so the next build recompiles it.
#
# Before planting anything the unmutated suite runs once: tests that fail
# already are listed and left out of every later run, so that a failure that
# has nothing to do with the fault is never counted as a catch.
#
# A fault is "caught" when a test fails (the first failing test is named),
# "caught (build)" when the program no longer compiles, "MISSED" when the
# whole suite passes. The last line reads
#   mutants: N planted, K caught, M missed
# and the exit status is non-zero when more than 2 faults were missed.
set -uo pipefail

script_dir=$(cd "$(dirname "$0")" && pwd)
tree=$(cd "$script_dir/.." && pwd)
only=""
list=0
jobs=2
keep=0
max_missed=2

usage() { sed -n '4,5p' "$0" | sed 's/^# \{0,3\}//'; }

while [ $# -gt 0 ]; do
    case "$1" in
    --tree) tree=$(cd "${2:?--tree needs a folder}" && pwd) || exit 2; shift 2 ;;
    --only) only=${2:?--only needs a fault name}; shift 2 ;;
    --list) list=1; shift ;;
    --jobs) jobs=${2:?--jobs needs a number}; shift 2 ;;
    --keep) keep=1; shift ;;
    -h|--help) usage; exit 0 ;;
    *) echo "unknown option: $1" >&2; usage >&2; exit 2 ;;
    esac
done

# ---------------------------------------------------------------------------
# The faults: name, text found once under src/, replacement.
names=() patterns=() replacements=()
fault() { names+=("$1"); patterns+=("$2"); replacements+=("$3"); }

# Unit conversions between the controller's bytes and amperes / volts.
fault amp-to-byte-constant   '* 0.00625 * 255 / 3'      '* 0.0063 * 255 / 3'
fault byte-to-volt-constant  '* 3 * 66 / 2550'          '* 3 * 67 / 2550'
# Tie rules: halves to the even neighbour (bytes), halves away from zero (texts).
fault tie-half-even          'return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;' 'return lower + 1;'
fault tie-half-away          'if (y - r >= 0.5)'        'if (y - r > 0.5)'
# The setting block: word byte order, fixed bytes, copied bytes, "Off".
fault word-order-read        'for (int k = byteCount - 1; k >= 0; --k) {' 'for (int k = 0; k < byteCount; ++k) {'
fault word-order-write       'putByte(block, p.firstByte + k, number >> (8 * k));' \
                             'putByte(block, p.firstByte + p.byteCount - 1 - k, number >> (8 * k));'
fault fixed-byte-18          '{18, 1, 0x55}'            '{18, 1, 0x56}'
fault zero-bytes-10-15       '{10, 6, 0x00}'            '{10, 5, 0x00}'
fault copied-byte-21         '21, 1, C::Byte,    false' '21, 1, C::Byte,    true'
fault off-byte               'kCurLimOffByte = 0xFF'    'kCurLimOffByte = 0xFE'
fault rom-version-byte       'kRomVersionByte = 30'     'kRomVersionByte = 31'
fault model-code             'kModelVQ530T = 0x01'      'kModelVQ530T = 0x11'
# The parameter table the codec reads: a byte position, a conversion, the current step.
fault table-byte-position    '22, 1, C::Percent'        '23, 1, C::Percent'
fault table-conversion       '24, 1, C::Amp'            '24, 1, C::Percent'
fault amp-step               'kAmpStep = 10.0f'         'kAmpStep = 5.0f'
# Commands: time-outs, expected echoes, reply lengths, the verify.
fault timeout-erase          'return 12000;'            'return 10000;'
fault echo-rt                'QStringLiteral("rt"), QStringLiteral("rt")' 'QStringLiteral("rt"), QStringLiteral("rt\r")'
fault read-reply-length      'kReadReplyLength = 68'    'kReadReplyLength = 69'
fault log-reply-length       'kRunReplyLength = 2 + 4 * kLogSamples' 'kRunReplyLength = 4 + 4 * kLogSamples'
fault verify-comparison      'if (!readBack || m_'      'if (!readBack && m_'
# The line: a lost port is reported, and ends the wait at once.
fault port-lost-unreported   'emit lost();'             ''
fault exchange-ignores-lost  'connect(&m_port, &Transport::lost, this, &CommandExchange::onPortLost);' ''
# Run-data log: the empty marker, the file header.
fault empty-sample-decode    'volt == 0xFF ? kEmptySample' 'volt == 0xFE ? kEmptySample'
fault log-header             '"Time(s),Voltage(V),Current(A)"' '"Time(s),Voltage (V),Current(A)"'
# Editor, profile, graph, messages, lamp.
fault range-bound            '"Dead Band",                   "uS",  2,    50,' \
                             '"Dead Band",                   "uS",  2,    60,'
fault profile-port-blank     "u' ' + QString::number(port)" 'QString::number(port)'
fault scale-line-key         'QStringLiteral("ScaleLine%1").arg(index)' 'QStringLiteral("Scaleline%1").arg(index)'
fault readout-text           'QStringLiteral("V\r\n")'  'QStringLiteral(" V\r\n")'
fault message-text           'QStringLiteral("RS232 communication fault.")' 'QStringLiteral("RS232 communication fault")'
fault lamp-blink             'setLamp(m_lamp == kLampIdle ? kLampBusy : kLampIdle)' 'setLamp(kLampBusy)'
# The session: the backup before every write; the command line's options.
fault backup-refusal-ignored 'if (saved.path.isEmpty())' 'if (saved.path.isNull() && false)'
# Backups by time: a name taken from the local clock but marked as UTC, and an
# old local-time name read as UTC (the tests run in a zone that isn't UTC).
fault backup-name-local-clock 'return when.toUTC().toString(kUtcFormat)' 'return when.toLocalTime().toString(kUtcFormat)'
fault backup-old-name-as-utc 'const QDateTime local(date, time);' 'const QDateTime local(date, time, QTimeZone::utc());'
fault cli-end-at-first-fault 'options.endAtFirstFault = true;' 'options.endAtFirstFault = false;'
fault cli-restore-after-read 'options.restoreOnlyAfterRead = true;' 'options.restoreOnlyAfterRead = false;'
# Log analysis: the zoom's anchor, the pan's direction, the compared run's shade.
fault zoom-anchor            'zoomed.start = anchor - fraction * zoomed.span;' 'zoomed.start = anchor - 0.5 * zoomed.span;'
fault pan-direction          'm_drag->first - plotFraction(position)' 'plotFraction(position) - m_drag->first'
fault compare-shade          'kVoltCompareColour{128, 128, 255}' 'kVoltCompareColour{0, 0, 255}'

# ---------------------------------------------------------------------------

# Prints "<file> <count>": the one file under <root>/src holding the pattern,
# or "- <count>" when the pattern is missing or occurs more than once.
locate() {
    local root=$1 pat=$2 total=0 file="-" f n
    while IFS= read -r f; do
        n=$(P="$pat" perl -0777 -ne '$c = () = /\Q$ENV{P}\E/g; print $c + 0' "$f")
        total=$((total + n))
        file=$f
    done < <(grep -rlF -- "$pat" "$root/src" 2>/dev/null)
    [ "$total" -eq 1 ] || file="-"
    echo "$file $total"
}

# --only takes one name or several separated by commas; they share one build
# and one unmutated run.
selected() { [ -z "$only" ] || [[ ",$only," == *",$1,"* ]]; }

if [ -n "$only" ]; then
    IFS=, read -r -a wanted <<<"$only"
    for w in "${wanted[@]}"; do
        found=0
        for n in "${names[@]}"; do [ "$n" = "$w" ] && found=1; done
        [ $found -eq 1 ] || { echo "no fault named '$w' (see --list)" >&2; exit 2; }
    done
fi

if [ $list -eq 1 ]; then
    for i in "${!names[@]}"; do
        selected "${names[$i]}" || continue
        read -r file count < <(locate "$tree" "${patterns[$i]}")
        if [ "$file" = "-" ]; then
            where="NOT APPLICABLE in $tree (found $count times)"
        else
            where=${file#"$tree"/}
        fi
        printf '%-22s %s\n    %s\n -> %s\n' "${names[$i]}" "$where" "${patterns[$i]}" "${replacements[$i]}"
    done
    exit 0
fi

for tool in git cmake ctest perl timeout make; do
    command -v $tool >/dev/null || { echo "mutants: $tool is missing" >&2; exit 2; }
done

work=$(mktemp -d /tmp/mutants.XXXXXX)
copy=$work/tree
build=$work/build
logs=$work/logs
mkdir -p "$copy" "$logs"

planted_file=""
planted_orig=""
cleanup() {
    # An interrupted run must not leave a fault behind in the copy.
    if [ -n "$planted_file" ] && [ -f "$planted_orig" ]; then
        cat "$planted_orig" >"$planted_file"
    fi
    if [ $keep -eq 1 ]; then
        echo "mutants: work folder kept: $work"
    else
        rm -rf "$work"
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

echo "mutants: copying $tree"
(cd "$tree" && git ls-files -z --cached --others --exclude-standard) |
    (cd "$tree" && while IFS= read -r -d '' f; do
        [ -f "$f" ] && printf '%s\0' "$f"
    done) |
    (cd "$tree" && xargs -0 cp --parents -t "$copy") || { echo "mutants: copying failed" >&2; exit 2; }

export QT_QPA_PLATFORM=offscreen

# The program, the emulator and the tests: the folders under the build tree
# whose targets ctest runs, without benchmarks and tools.
build_targets() {
    local d rc=0
    for d in src emulator tests; do
        [ -d "$build/$d" ] || continue
        make -C "$build/$d" -j"$jobs" >>"$1" 2>&1 || rc=1
        [ $rc -eq 0 ] || return 1
    done
    return 0
}

started=$(date +%s)
echo "mutants: configuring and building the unmutated copy"
if ! cmake -S "$copy" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        >"$logs/configure.log" 2>&1; then
    tail -n 30 "$logs/configure.log"; echo "mutants: configuring failed" >&2; exit 2
fi
if ! build_targets "$logs/baseline.build.log"; then
    tail -n 30 "$logs/baseline.build.log"; echo "mutants: the unmutated copy does not build" >&2; exit 2
fi

# Names of the tests ctest reports as failed in its last run.
failed_tests() {
    local f=$build/Testing/Temporary/LastTestsFailed.log
    [ -f "$f" ] && cut -d: -f2- "$f"
}

echo "mutants: running the unmutated suite"
t0=$(date +%s)
rm -f "$build/Testing/Temporary/LastTestsFailed.log"
ctest --test-dir "$build" -j"$jobs" >"$logs/baseline.test.log" 2>&1
baseline_secs=$(($(date +%s) - t0))
mapfile -t already < <(failed_tests)
total_tests=$(ctest --test-dir "$build" -N 2>/dev/null | sed -n 's/^Total Tests: //p')
exclude=()
if [ ${#already[@]} -gt 0 ]; then
    echo "mutants: tests failing without any fault, left out of every run:"
    for t in "${already[@]}"; do
        echo "    $t"
        exclude+=("$(printf '%s' "$t" | sed 's/[][\.*^$+?(){}|]/\\&/g')")
    done
    grep -E '^\s*(FAIL!|QWARN|QDEBUG)|\*\*\*' "$logs/baseline.test.log" | head -n 20 | sed 's/^/    | /'
fi
if [ "${total_tests:-0}" -le ${#already[@]} ]; then
    echo "mutants: no passing test left to run" >&2; exit 2
fi
ctest_args=(--test-dir "$build" -j"$jobs" --stop-on-failure)
if [ ${#exclude[@]} -gt 0 ]; then
    ctest_args+=(-E "^($(IFS='|'; echo "${exclude[*]}"))\$")
fi
# The tests carry their own (long) time limits; a fault that makes one hang
# must not hold the run up, so the whole ctest run gets a limit of its own.
run_limit=$((baseline_secs * 3 + 120))
echo "mutants: baseline: $((total_tests - ${#already[@]})) of $total_tests tests pass in ${baseline_secs}s; limit per run ${run_limit}s"

planted=0 caught=0 missed=0 na=0
missed_names=() na_names=()

for i in "${!names[@]}"; do
    name=${names[$i]}
    selected "$name" || continue
    read -r file count < <(locate "$copy" "${patterns[$i]}")
    if [ "$file" = "-" ]; then
        printf '%-16s %-22s (text found %s times under src/)\n' "NOT APPLICABLE" "$name" "$count"
        na=$((na + 1)); na_names+=("$name")
        continue
    fi
    planted=$((planted + 1))
    planted_orig=$work/original
    cp -p "$file" "$planted_orig"
    planted_file=$file
    P="${patterns[$i]}" R="${replacements[$i]}" perl -0777 -i -pe 's/\Q$ENV{P}\E/$ENV{R}/' "$file"

    t0=$(date +%s)
    if ! build_targets "$logs/$name.build.log"; then
        verdict="caught (build)"
        detail=""
    else
        rm -f "$build/Testing/Temporary/LastTestsFailed.log"
        timeout --kill-after=15 "$run_limit" ctest "${ctest_args[@]}" >"$logs/$name.test.log" 2>&1
        rc=$?
        if [ $rc -eq 0 ]; then
            verdict="MISSED"
            detail=""
        elif [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
            verdict="caught"
            running=$(sed -n 's/^ *Start *[0-9]*: *//p' "$logs/$name.test.log" | tail -n 1)
            detail="(time limit, during ${running:-?})"
        else
            verdict="caught"
            first=$(failed_tests | head -n 1)
            [ -n "$first" ] || first=$(grep -oE '[0-9]+ - [^ ]+ \(' "$logs/$name.test.log" | head -n 1 | sed 's/^[0-9]* - //; s/ ($//')
            detail="(${first:-ctest exit $rc})"
        fi
    fi
    # Back to the original text, with a new modification time so the next
    # build recompiles it.
    cat "$planted_orig" >"$file"
    planted_file=""
    secs=$(($(date +%s) - t0))

    case "$verdict" in
    MISSED) missed=$((missed + 1)); missed_names+=("$name") ;;
    *) caught=$((caught + 1)) ;;
    esac
    printf '%-16s %-22s %-40s %4ss  %s\n' "$verdict" "$name" "$detail" "$secs" "${file#"$copy"/}"
done

echo "mutants: took $(( ($(date +%s) - started) / 60 ))m$(( ($(date +%s) - started) % 60 ))s"
[ ${#missed_names[@]} -eq 0 ] || echo "mutants: missed: ${missed_names[*]}"
[ ${#na_names[@]} -eq 0 ] || echo "mutants: not applicable: ${na_names[*]}"
if [ $na -gt 0 ]; then
    echo "mutants: $planted planted, $caught caught, $missed missed ($na not applicable)"
else
    echo "mutants: $planted planted, $caught caught, $missed missed"
fi
[ $missed -le $max_missed ]
