#include "runlog/runlog.h"

#include "shell/conversions.h"

namespace vq {

namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

int byteAt(QStringView reply, qsizetype pos)
{
    const int hi = hexValue(reply[pos]);
    const int lo = hexValue(reply[pos + 1]);
    return (hi < 0 || lo < 0) ? -1 : hi * 16 + lo;
}

} // namespace

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
        if (byteAt(reply, pos) < 0)
            return RunReplyStatus::BadHex;
    }

    for (int n = 1; n <= kLogSamples; ++n) {
        // Sample n: voltage at characters 4n-1..4n, current at 4n+1..4n+2
        // (counted from 1), i.e. offsets 4n-2 and 4n from 0.
        const int volt = byteAt(reply, 4 * n - 2);
        const int cur = byteAt(reply, 4 * n);
        // The voltage byte goes to the converter as "&H" text, the current
        // byte as decimal digits; both forms give the same value.
        log.setVolt(n, volt == 0xFF ? kEmptySample
                                    : ByteToVolt(QStringLiteral("&H") + reply.mid(4 * n - 2, 2).toString()));
        log.setCur(n, cur == 0xFF ? kEmptySample : ByteToAmp(QString::number(cur)));
    }
    return RunReplyStatus::Ok;
}

} // namespace vq
