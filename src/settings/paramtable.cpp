#include "settings/paramtable.h"

#include "core/conversions.h"

namespace vq {

const std::array<ParamInfo, kParamCount> &paramTable()
{
    using C = Conversion;
    constexpr float A = kMaxAmps;
    constexpr int S = int(kAmpStep);
    // clang-format off
    static const std::array<ParamInfo, kParamCount> table{{
        { 0, QT_TRANSLATE_NOOP("Parameters", "PWM frequency(at Min. load)"), "Hz",  100,  10000, 100, 10000,  1, 5,  0, 2, C::Word,    true },
        { 1, QT_TRANSLATE_NOOP("Parameters", "PWM frequency(at Max. load)"), "Hz",  100,  10000, 100, 10000,  1, 5,  2, 2, C::Word,    true },
        { 2, QT_TRANSLATE_NOOP("Parameters", "Neutral"),                     "uS",  1020, 2020, 1020, 2020,   1, 4,  4, 2, C::Word,    false },
        { 3, QT_TRANSLATE_NOOP("Parameters", "High point(forward)"),         "uS",  720,  2320,  720, 2320,   1, 4,  6, 2, C::Word,    false },
        { 4, QT_TRANSLATE_NOOP("Parameters", "High point(brake)"),           "uS",  720,  2320,  720, 2320,   1, 4,  8, 2, C::Word,    false },
        { 5, QT_TRANSLATE_NOOP("Parameters", "Dead Band"),                   "uS",  2,    50,      2,   50,   1, 2, 16, 1, C::Byte,    true },
        { 6, QT_TRANSLATE_NOOP("Parameters", "Low Batt. Protection"),        "V",   2.5f, 6,      25,   60,   1, 4, 17, 1, C::Volt,    true },
        { 7, QT_TRANSLATE_NOOP("Parameters", "Current Limiter"),             "A",   50,   A,      50, int(A), S, 3, 19, 1, C::Amp,     true },
        { 8, QT_TRANSLATE_NOOP("Parameters", "Brake Max. Duty"),             "%",   0,    100,     0,  100,   1, 3, 20, 1, C::Byte,    true },
        { 9, QT_TRANSLATE_NOOP("Parameters", "Reverse Max Duty"),            "%",   0,    100,     0,  100,   1, 3, 21, 1, C::Byte,    false },
        {10, QT_TRANSLATE_NOOP("Parameters", "Neutral Brake"),               "%",   0,    100,     0,  100,   1, 3, 22, 1, C::Percent, true },
        {11, QT_TRANSLATE_NOOP("Parameters", "Current Limit timer"),         QT_TRANSLATE_NOOP("Parameters", "Sec"), 0,    240,     0,  240,   1, 3, 23, 1, C::Byte,    true },
        {12, QT_TRANSLATE_NOOP("Parameters", "Current Limiter(Time Limit)"), "A",   50,   A,      50, int(A), S, 3, 24, 1, C::Amp,     true },
        {13, QT_TRANSLATE_NOOP("Parameters", "Forward Boost"),               "",    0,    100,     0,  100,   1, 3, 25, 1, C::Byte,    true },
    }};
    // clang-format on
    return table;
}

const ParamInfo &paramInfo(int index)
{
    return paramTable().at(size_t(index));
}

QString paramToolTip(int index)
{
    const ParamInfo &p = paramInfo(index);
    return shortestText(p.min) + QChar(0xFF5E) + shortestText(p.max);
}

} // namespace vq
