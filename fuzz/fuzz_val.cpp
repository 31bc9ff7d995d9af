// The lenient number scan on any text, and the byte-text conversions built
// on it: no crash, no undefined arithmetic, never NaN, and blanks, tabs and
// line feeds make no difference wherever they stand.

#include "fuzzcheck.h"
#include "core/conversions.h"

#include <cmath>

using namespace vq;

namespace {

QString withoutBlanks(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            out += c;
    }
    return out;
}

bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

void check(const QString &text)
{
    const double v = Val(text);
    FUZZ_CHECK(!std::isnan(v), "Val gave NaN for \"%s\"", vq::fuzz::printable(text).constData());
    FUZZ_CHECK(sameNumber(v, Val(withoutBlanks(text))), "blanks changed Val of \"%s\"",
               vq::fuzz::printable(text).constData());
    if (text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive))
        FUZZ_CHECK(v >= 0, "hexadecimal text read as negative: \"%s\"", vq::fuzz::printable(text).constData());

    const float amps = byteToAmp(v);
    const double volts = byteToVolt(v);
    const double percent = byteToPercent(v);
    FUZZ_CHECK(!std::isnan(amps) && !std::isnan(volts) && !std::isnan(percent), "NaN from a byte conversion");

    // Whatever number came out, the unit-to-byte helpers and the rounding
    // helpers must stay defined on it.
    (void)ampToByte(float(v));
    (void)voltToByte(float(v));
    (void)percentToByte(float(v));
    (void)formatWhole(v);
    (void)shortestText(float(v));
    const std::optional<qint16> whole = toInt16(v);
    if (whole)
        FUZZ_CHECK(std::fabs(double(*whole) - v) <= 0.5, "toInt16 moved %g to %d", v, int(*whole));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    check(vq::fuzz::latin1(data, size));
    check(vq::fuzz::utf16(data, size));
    return 0;
}
