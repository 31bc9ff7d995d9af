#include "runlog/runlog.h"

#include "core/conversions.h"
#include "core/hex.h"

namespace vq {

void RunLog::reset()
{
    m_volt.fill(0.0f);
    m_cur.fill(0.0f);
    m_volt[0] = kEmptySample;
}

RunReplyStatus decodeRunReply(QStringView reply, RunLog &log)
{
    if (reply.size() < kRunReplyLength)
        return RunReplyStatus::Short;
    for (qsizetype pos = 2; pos < kRunReplyLength; pos += 2) {
        if (hexByteAt(reply, pos) < 0)
            return RunReplyStatus::BadHex;
    }

    for (int n = 1; n <= kLogSamples; ++n) {
        // Sample n: voltage at characters 4n-1..4n, current at 4n+1..4n+2
        // (counted from 1), i.e. offsets 4n-2 and 4n from 0.
        const int volt = hexByteAt(reply, 4 * n - 2);
        const int cur = hexByteAt(reply, 4 * n);
        log.setVolt(n, volt == 0xFF ? kEmptySample : byteToVolt(volt));
        log.setCur(n, cur == 0xFF ? kEmptySample : byteToAmp(cur));
    }
    return RunReplyStatus::Ok;
}

} // namespace vq
