#include "core/conversions.h"

#include "core/hex.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace vq {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Integer part of a rounded double that is safe to convert: the helpers below
// never meet values this large from range-checked input, but a hand-edited
// file must not make a conversion undefined.
qint64 toInt64Clamped(double x)
{
    if (std::isnan(x))
        return 0;
    constexpr double lim = 9.0e15;
    if (x > lim)
        return qint64(lim);
    if (x < -lim)
        return -qint64(lim);
    return qint64(x);
}

} // namespace

NumberScan scanNumber(QStringView text, NumberBase base)
{
    // Blanks, tabs and line feeds are ignored wherever they stand (one between
    // two other characters makes the text not plain). Characters outside
    // ASCII can never be part of a number; they end the scan.
    std::string s;
    s.reserve(size_t(text.size()));
    bool innerBlank = false;
    bool blankPending = false;
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n') {
            blankPending = !s.empty();
            continue;
        }
        innerBlank = innerBlank || blankPending;
        s.push_back(c < 128 ? char(c) : '\x01');
    }

    NumberScan scan;
    size_t i = 0;
    if (base == NumberBase::Hex || (s.size() >= 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h'))) {
        for (i = base == NumberBase::Hex ? 0 : 2; i < s.size() && hexDigitValue(char16_t(s[i])) >= 0; ++i)
            scan.value = scan.value * 16 + hexDigitValue(char16_t(s[i]));
        return scan;
    }

    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::string intDigits;
    while (i < s.size() && isDigit(s[i]))
        intDigits.push_back(s[i++]);
    std::string fracDigits;
    bool point = false;
    if (i < s.size() && s[i] == '.') {
        point = true;
        ++i;
        while (i < s.size() && isDigit(s[i]))
            fracDigits.push_back(s[i++]);
    }
    if (intDigits.empty() && fracDigits.empty())
        return scan;
    scan.plain = !innerBlank && i == s.size() && !intDigits.empty() && (!point || !fracDigits.empty());

    std::string number = intDigits.empty() ? std::string("0") : intDigits;
    if (!fracDigits.empty())
        number += "." + fracDigits;

    bool expNegative = false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        std::string expSign;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            expNegative = s[j] == '-';
            expSign = s[j];
            ++j;
        }
        std::string expDigits;
        while (j < s.size() && isDigit(s[j]))
            expDigits.push_back(s[j++]);
        if (!expDigits.empty())
            number += "e" + expSign + expDigits;
    }

    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range)
        value = expNegative ? 0.0 : std::numeric_limits<double>::infinity();
    scan.value = negative ? -value : value;
    return scan;
}

double roundHalfEven(double x)
{
    if (!std::isfinite(x))
        return x;
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff > 0.5)
        return lower + 1;
    if (diff < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

double roundHalfAway(double x, int decimals)
{
    if (!std::isfinite(x))
        return x;
    const double factor = std::pow(10.0, decimals);
    const double y = std::abs(x) * factor;
    double r = std::floor(y);
    if (y - r >= 0.5)
        r += 1;
    return std::copysign(r / factor, x);
}

QString formatWhole(double x)
{
    const qint64 n = toInt64Clamped(roundHalfAway(x, 0));
    return QString::number(n);
}

QString shortestText(float value)
{
    if (value == 0.0f)
        return QStringLiteral("0"); // also for -0
    QString text = QString::number(double(value), 'g', 7);
    const qsizetype e = text.indexOf(u'e');
    if (e >= 0)
        text[e] = u'E';
    return text;
}

QString hexText(qint64 n)
{
    if (n < 0)
        return QString::number(quint32(n), 16).toUpper();
    return QString::number(n, 16).toUpper();
}

std::optional<qint16> toInt16(double x)
{
    if (!std::isfinite(x))
        return std::nullopt;
    const double r = roundHalfEven(x);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return qint16(r);
}

float roundToAmpStep(double amperes)
{
    return float(std::trunc(amperes / kAmpStep + 0.5) * kAmpStep);
}

qint64 ampToByte(float amperes)
{
    const double r = double(amperes) * 0.00625 * 255 / 3;
    return toInt64Clamped(roundHalfEven(r));
}

qint64 voltToByte(float volts)
{
    const float r = float(double(volts) / 66 * 10 * 255 / 3);
    return toInt64Clamped(roundHalfEven(double(r)));
}

qint64 percentToByte(float percent)
{
    const float r = float(double(percent) * 255 / 100);
    return toInt64Clamped(roundHalfEven(double(r)));
}

float byteToAmp(double byte)
{
    const float v = float(byte * 3 / 0.00625 / 255);
    return roundToAmpStep(double(v));
}

double byteToVolt(double byte)
{
    const double x = byte * 3 * 66 / 2550;
    return roundHalfAway(x, 1);
}

double byteToPercent(double byte)
{
    return double(toInt64Clamped(roundHalfAway(byte * 100 / 255, 0)));
}

} // namespace vq
