// Log analysis: statistics against figures worked out by hand.

#include "runlog/logstats.h"

#include <QTest>

using namespace vq;

class TestLogStats : public QObject
{
    Q_OBJECT

private slots:
    void figures_data()
    {
        // Slots 1, 2, ... from the lists (-1: empty); every other slot empty.
        QTest::addColumn<QList<float>>("volts");
        QTest::addColumn<QList<float>>("amperes");
        QTest::addColumn<QString>("figures"); // samples, V min/avg/max, A min/avg/max, Wh, mAh, V at peak A
        QTest::addColumn<QString>("text");
        // V (7.4f + 8 + 6.5 + 9) / 4, 7.4f = 7.400000095367431640625; 130 A in 5 s; both in 1, 4, 5: 74.00000095367431640625
        // + 195 + 270 W s. Peak current with a voltage: 30 A in 4 and 5, the first has 6.5 V; 6 has 40 A but no voltage.
        QTest::newRow("empty seconds") << QList<float>{7.4f, -1, 8, 6.5f, 9, -1, -1} << QList<float>{10, 20, -1, 30, 30, 40, -1}
                                       << "6 6.5 7.72500002384186 9 10 26 40 0.149722222487132 36.1111111111111 6.5"
                                       << "6 s|6.50 V|7.73 V|9.00 V|10.0 A|26.0 A|40.0 A|0.150 Wh|36.1 mAh|6.50 V";
        QTest::newRow("no value") << QList<float>{} << QList<float>{}
                                  << "0 nan nan nan nan nan nan 0 0 nan"
                                  << "0 s|none|none|none|none|none|none|0.000 Wh|0.0 mAh|none";
    }
    void figures()
    {
        QFETCH(QList<float>, volts);
        QFETCH(QList<float>, amperes);
        QFETCH(QString, figures);
        RunLog log;
        for (int n = 1; n <= kLogSamples; ++n) {
            log.setVolt(n, volts.value(n - 1, -1));
            log.setCur(n, amperes.value(n - 1, -1));
        }
        const LogStatistics s = logStatistics(log);
        const auto three = [](const std::optional<LogFigures> &f) { return f ? QList{f->min, f->avg, f->max} : QList<double>(3, qQNaN()); };
        QStringList got, values;
        for (double x : QList{double(s.samples)} + three(s.voltage) + three(s.current)
                            + QList{s.energyWh, s.chargeMah, s.voltageAtPeakCurrent.value_or(qQNaN())})
            got << QString::number(x, 'g', 15); // 15 digits of the hand-worked figures
        QCOMPARE(got.join(u' '), figures);
        for (const StatisticsLine &line : statisticsLines(s))
            values << line.value;
        QTEST(values.join(u'|'), "text");
    }
};

QTEST_GUILESS_MAIN(TestLogStats)
#include "tst_logstats.moc"
