// A log file from anywhere read into the run-data log: afterwards every slot
// holds the empty marker or a finite number, the slots the reading didn't
// reach hold what they held before, and the file the program then writes
// reads back completely and writes out again byte for byte.

#include "files/logfile.h"
#include "fuzzcheck.h"

#include <cmath>

using namespace vq;

namespace {

// Values a "Data Get" leaves, so the slots a file doesn't reach show.
RunLog previousLog()
{
    RunLog log;
    for (int n = 1; n <= kLogSamples; ++n) {
        log.setVolt(n, n % 9 == 0 ? kEmptySample : 7.4f);
        log.setCur(n, float((n % 25) * 10));
    }
    return log;
}

bool emptyOrFinite(float v)
{
    return v == kEmptySample || std::isfinite(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray content = vq::fuzz::bytes(data, size);
    const RunLog before = previousLog();
    RunLog log = before;
    const LogReadResult read = readLogText(content, log);

    for (int n = 1; n <= kLogSamples; ++n) {
        FUZZ_CHECK(emptyOrFinite(log.RunVolt(n)), "slot %d voltage %g", n, double(log.RunVolt(n)));
        FUZZ_CHECK(emptyOrFinite(log.RunCur(n)), "slot %d current %g", n, double(log.RunCur(n)));
    }
    // Rows are stored from slot 1 on: on success the file had `line` lines,
    // header included; on failure line `line` stopped it and stored nothing.
    const int reached = read.ok ? read.line - 1 : std::max(0, read.line - 1);
    for (int n = reached + 1; n <= kLogSamples; ++n) {
        FUZZ_CHECK(log.RunVolt(n) == before.RunVolt(n) && log.RunCur(n) == before.RunCur(n),
                   "slot %d changed beyond the rows read (ok %d, line %d)", n, int(read.ok), read.line);
    }

    // What the program writes it reads back in full.
    const QByteArray written = MakeRunDat(log);
    RunLog reread;
    const LogReadResult back = readLogText(written, reread);
    FUZZ_CHECK(back.ok && back.line == kLogSamples + 1, "own file refused at line %d", back.line);
    FUZZ_CHECK(MakeRunDat(reread) == written, "own file doesn't write back the same");
    for (int n = 1; n <= kLogSamples; ++n) {
        FUZZ_CHECK((reread.RunVolt(n) == kEmptySample) == (log.RunVolt(n) == kEmptySample), "slot %d voltage marker", n);
        FUZZ_CHECK((reread.RunCur(n) == kEmptySample) == (log.RunCur(n) == kEmptySample), "slot %d current marker", n);
    }
    return 0;
}
