#pragma once

// Statistics of a run-data log: what a run means in figures (how low the pack
// sagged, how hard the motor was pushed, how much energy and charge went
// out). Every sample stands for one second. Voltage figures use the seconds
// that have a voltage, current figures the seconds that have a current; the
// log's single-precision values are added up in double precision.

#include "runlog/runlog.h"

#include <QList>
#include <QString>

#include <optional>

namespace vq {

struct LogFigures
{
    double min = 0;
    double avg = 0;
    double max = 0;
};

struct LogStatistics
{
    int samples = 0;                     // seconds with a voltage or a current
    std::optional<LogFigures> voltage;   // V; none without a second with a voltage
    std::optional<LogFigures> current;   // A; none without a second with a current
    double energyWh = 0;                 // sum of V x A over seconds with both, / 3600
    double chargeMah = 0;                // sum of A over seconds with a current, / 3.6
    // The voltage of the first second, among those with both values, whose
    // current is the highest; none without a second with both.
    std::optional<double> voltageAtPeakCurrent;
};

[[nodiscard]] LogStatistics logStatistics(const RunLog &log);

// The figures as they are shown to the user, one per line, each with its
// unit ("Voltage minimum", "6.10 V"); a figure the log can't give reads "none".
struct StatisticsLine
{
    QString caption;
    QString value;
};
[[nodiscard]] QList<StatisticsLine> statisticsLines(const LogStatistics &statistics);

} // namespace vq
