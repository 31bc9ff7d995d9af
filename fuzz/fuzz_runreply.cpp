// Whatever the controller answers to "br": the run-data log is either all the
// reply's 512 samples (each empty or a value the controller's scales can
// give) or exactly what it was before. Upper and lower case digits read alike.

#include "fuzzcheck.h"
#include "runlog/runlog.h"

#include <cmath>

using namespace vq;

namespace {

// A log that no reply decodes to, so that any write to it shows.
RunLog markedLog()
{
    RunLog log;
    for (int n = 1; n <= kLogSamples; ++n) {
        log.setVolt(n, 1000.5f + float(n));
        log.setCur(n, -7.25f);
    }
    return log;
}

bool onScale(float value, float full, float step)
{
    if (value == kEmptySample)
        return true;
    if (!std::isfinite(value) || value < 0 || value > full)
        return false;
    const float steps = value / step;
    return std::fabs(steps - std::round(steps)) < 1e-3f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString reply = vq::fuzz::latin1(data, size);
    const RunLog before = markedLog();
    RunLog log = before;
    const RunReplyStatus status = decodeRunReply(reply, log);
    if (status != RunReplyStatus::Ok) {
        FUZZ_CHECK(log == before, "a refused reply changed the log");
        return 0;
    }
    FUZZ_CHECK(reply.size() >= kRunReplyLength, "took a reply of %d characters", int(reply.size()));
    for (int n = 1; n <= kLogSamples; ++n) {
        FUZZ_CHECK(onScale(log.RunVolt(n), 19.8f, 0.1f), "sample %d voltage %g", n, double(log.RunVolt(n)));
        FUZZ_CHECK(onScale(log.RunCur(n), 480.0f, 10.0f), "sample %d current %g", n, double(log.RunCur(n)));
    }

    // The same digits in the other case give the same log; the two leading
    // characters and anything after the samples are not read at all.
    QString other = reply.left(kRunReplyLength);
    for (qsizetype i = 0; i < other.size(); ++i) {
        const QChar c = other[i];
        if (c >= u'a' && c <= u'f')
            other[i] = c.toUpper();
        else if (c >= u'A' && c <= u'F')
            other[i] = c.toLower();
    }
    other[0] = u'x';
    other[1] = u'y';
    RunLog swapped = markedLog();
    FUZZ_CHECK(decodeRunReply(other, swapped) == RunReplyStatus::Ok, "the other case is refused");
    FUZZ_CHECK(swapped == log, "the other case decodes differently");
    return 0;
}
