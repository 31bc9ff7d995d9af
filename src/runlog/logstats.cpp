#include "runlog/logstats.h"

#include <algorithm>

namespace vq {

LogStatistics logStatistics(const RunLog &log)
{
    LogStatistics s;
    int voltSeconds = 0, curSeconds = 0;
    double voltSum = 0, curSum = 0, energy = 0;
    LogFigures volt, cur;
    double peakCurrent = 0;
    for (int n = 1; n <= kLogSamples; ++n) {
        const float v = log.RunVolt(n);
        const float a = log.RunCur(n);
        const bool hasVolt = v != kEmptySample;
        const bool hasCur = a != kEmptySample;
        if (hasVolt || hasCur)
            ++s.samples;
        if (hasVolt) {
            volt.min = voltSeconds == 0 ? v : std::min(volt.min, double(v));
            volt.max = voltSeconds == 0 ? v : std::max(volt.max, double(v));
            voltSum += v;
            ++voltSeconds;
        }
        if (hasCur) {
            cur.min = curSeconds == 0 ? a : std::min(cur.min, double(a));
            cur.max = curSeconds == 0 ? a : std::max(cur.max, double(a));
            curSum += a;
            ++curSeconds;
        }
        if (hasVolt && hasCur) {
            energy += double(v) * double(a);
            // Only a higher current moves the peak: the first such second counts.
            if (!s.voltageAtPeakCurrent || double(a) > peakCurrent) {
                peakCurrent = a;
                s.voltageAtPeakCurrent = v;
            }
        }
    }
    if (voltSeconds > 0) {
        volt.avg = voltSum / voltSeconds;
        s.voltage = volt;
    }
    if (curSeconds > 0) {
        cur.avg = curSum / curSeconds;
        s.current = cur;
    }
    s.energyWh = energy / 3600;
    s.chargeMah = curSum / 3.6;
    return s;
}

QList<StatisticsLine> statisticsLines(const LogStatistics &s)
{
    const auto figure = [](std::optional<double> value, int decimals, const char *unit) {
        return value ? QString::number(*value, 'f', decimals) + u' ' + QLatin1String(unit) : QStringLiteral(QT_TRANSLATE_NOOP("Statistics", "none"));
    };
    const auto part = [](const std::optional<LogFigures> &f, double LogFigures::*member) {
        return f ? std::optional<double>((*f).*member) : std::nullopt;
    };
    // Captions and "none" are marked for the statistics window's translation;
    // the command line prints them as they stand.
    return {
        {QStringLiteral(QT_TRANSLATE_NOOP("Statistics", "Samples")), QStringLiteral("%1 s").arg(s.samples)},
        {QStringLiteral(QT_TRANSLATE_NOOP("Statistics", "Voltage minimum")), figure(part(s.voltage, &LogFigures::min), 2, "V")},
        {QStringLiteral(QT_TRANSLATE_NOOP("Statistics", "Voltage average")), figure(part(s.voltage, &LogFigures::avg), 2, "V")},
        {QStringLiteral(QT_TRANSLATE_NOOP("Statistics", "Voltage maximum")), figure(part(s.voltage, &LogFigures::max), 2, "V")},
        {QStringLiteral(QT_TRANSLATE_NOOP("Statistics", "Current minimum")), figure(part(s.current, &LogFigures::min), 1, "A")},
        {QStringLiteral(QT_TRANSLATE_NOOP("Statistics", "Current average")), figure(part(s.current, &LogFigures::avg), 1, "A")},
        {QStringLiteral(QT_TRANSLATE_NOOP("Statistics", "Current maximum")), figure(part(s.current, &LogFigures::max), 1, "A")},
        {QStringLiteral(QT_TRANSLATE_NOOP("Statistics", "Energy")), figure(s.energyWh, 3, "Wh")},
        {QStringLiteral(QT_TRANSLATE_NOOP("Statistics", "Charge")), figure(s.chargeMah, 1, "mAh")},
        {QStringLiteral(QT_TRANSLATE_NOOP("Statistics", "Voltage at peak current")), figure(s.voltageAtPeakCurrent, 2, "V")},
    };
}

} // namespace vq
