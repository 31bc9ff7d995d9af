// The controller's "br" reply decoded into the run-data log: which characters
// each sample reads, the conversions, the empty marker FF for each curve on
// its own, and replies refused as a whole. Then the pointer read-out over the
// log: when it shows, which second it reads (rounded once, half away from
// zero) and the three lines it shows; the zoomed time axis, its labels, and
// the read-out and the cursor's place under zoom. Last the log's statistics
// against figures worked out by hand.

#include "runlog/graphreadout.h"
#include "runlog/logstats.h"

#include <QTest>

using namespace vq;

Q_DECLARE_METATYPE(vq::TimeView)

namespace {

// Samples 1-4 differ, 5-511 are "4080", 512 is "82FE"; lower case in slot 4.
const QString kReply = QStringLiteral("br0103") + QStringLiteral("0A40FF0Aa3ff")
                       + QStringLiteral("4080").repeated(507) + QStringLiteral("82FE");

} // namespace

class TestRunLogDecode : public QObject
{
    Q_OBJECT

private slots:
    void samples()
    {
        RunLog log;
        // What follows the 512th sample is not read.
        QCOMPARE(decodeRunReply(kReply + QStringLiteral("\rZZ"), log), RunReplyStatus::Ok);
        // Slot 1: 01 03, 2: 0A 40, 3: voltage empty, 4: current empty (lower
        // case), 5: 40 80, 512: 82 FE.
        QList<float> read;
        for (int slot : {1, 2, 3, 4, 5, 512})
            read << log.RunVolt(slot) << log.RunCur(slot);
        QCOMPARE(read, (QList<float>{0.1f, 10, 0.8f, 120, -1, 20, 12.7f, -1, 5, 240, 10.1f, 480}));
    }

    void refusedReplyLeavesLogAsItWas_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<RunReplyStatus>("status");
        const auto withChar = [](int pos, QChar c) {
            QString t = kReply;
            t[pos] = c;
            return t;
        };
        QTest::newRow("empty") << QString() << RunReplyStatus::Short;
        QTest::newRow("one short") << kReply.chopped(1) << RunReplyStatus::Short;
        QTest::newRow("G in the first voltage") << withChar(2, u'G') << RunReplyStatus::BadHex;
        QTest::newRow("CR in the last current") << withChar(2049, u'\r') << RunReplyStatus::BadHex;
        QTest::newRow("full-width digit") << withChar(700, QChar(0xFF11)) << RunReplyStatus::BadHex;
    }
    void refusedReplyLeavesLogAsItWas()
    {
        QFETCH(QString, text);
        RunLog log; // every sample of kReply differs from the start state
        QTEST(decodeRunReply(text, log), "status");
        QCOMPARE(log, RunLog());
    }

    void readOut_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<double>("outerW");
        QTest::addColumn<QString>("text"); // empty: hidden
        // 5460 x 3060 twips outer is 5400 x 3000 inside: t = x / 10, p = y / 30.
        QTest::newRow("left edge") << 4.5f << 1500.0f << 5460.0 << QString();
        QTest::newRow("last sample") << 5124.5f << 1500.0f << 5460.0 << QStringLiteral("512s\r\n10V\r\n300A");
        QTest::newRow("rounded once") << 1204.6f << 1500.0f << 5460.0 << QStringLiteral("120s\r\n7.8V\r\n150A");
        QTest::newRow("top half-percent") << 1200.0f << 14.5f << 5460.0 << QString();
        QTest::newRow("just inside the top") << 1200.0f << 15.5f << 5460.0 << QStringLiteral("120s\r\n7.8V\r\n150A");
        QTest::newRow("bottom half-percent") << 1200.0f << 2985.5f << 5460.0 << QString();
        QTest::newRow("both empty") << 1210.0f << 1500.0f << 5460.0 << QStringLiteral("121s\r\nV\r\nA");
        QTest::newRow("current empty") << 3000.0f << 1500.0f << 5460.0 << QStringLiteral("300s\r\n12.4V\r\nA");
        QTest::newRow("voltage empty") << 3010.0f << 1500.0f << 5460.0 << QStringLiteral("301s\r\nV\r\n480A");
        QTest::newRow("file value's digits") << 4000.0f << 1500.0f << 5460.0 << QStringLiteral("400s\r\n7.85V\r\n0A");
        QTest::newRow("tie 0.5 s") << 0.5f << 1500.0f << 600.0 << QStringLiteral("1s\r\n3.2V\r\n40A");
        QTest::newRow("tie 512.5 s") << 512.5f << 1500.0f << 600.0 << QString();
        QTest::newRow("plot squeezed to its border") << 10.0f << 1500.0f << 60.0 << QString();
    }
    void readOut()
    {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(double, outerW);
        QFETCH(QString, text);
        RunLog log;
        const QList<std::tuple<int, float, float>> samples{
            {1, 3.2f, 40}, {120, 7.8f, 150}, {121, -1, -1}, {300, 12.4f, -1}, {301, -1, 480},
            {400, 7.85f, 0}, {512, 10, 300}};
        for (const auto &[n, v, a] : samples) {
            log.setVolt(n, v);
            log.setCur(n, a);
        }
        const GraphReadOut r = graphReadOut(x, y, outerW, 3060, log);
        QCOMPARE(r.visible, !text.isEmpty());
        QCOMPARE(r.text, text);
    }

    void zoomAndPan_data()
    {
        QTest::addColumn<TimeView>("view");
        QTest::addColumn<TimeView>("expected");
        QTest::addColumn<QList<int>>("labels");
        const TimeView mid{100, 100}; // labels every 15 s, every 10 s from 90 s across down
        // A notch closer at the middle keeps 150 s in the middle.
        QTest::newRow("zoom at the middle") << zoomedView(mid, 0.5, 0.8) << TimeView{110, 80} << QList<int>{110, 120, 130, 140, 150, 160, 170, 180, 190};
        QTest::newRow("zoom at a quarter") << zoomedView(mid, 0.25, 0.5) << TimeView{112.5, 50} << QList<int>{120, 130, 140, 150, 160};
        QTest::newRow("no closer than 10 s") << zoomedView({200, 12}, 1, 0.1) << TimeView{202, 10} << QList<int>{202, 204, 206, 208, 210, 212};
        QTest::newRow("out past the start") << zoomedView({10, 100}, 0.5, 2) << TimeView{0, 200} << QList<int>{0, 30, 60, 90, 120, 150, 180};
        QTest::newRow("out to the whole axis") << zoomedView({400, 100}, 0.9, 9) << TimeView{} << QList<int>{0, 60, 120, 180, 240, 300, 360, 420, 480, 540};
        QTest::newRow("pan by a quarter") << pannedView(mid, 0.25) << TimeView{125, 100} << QList<int>{135, 150, 165, 180, 195, 210, 225};
        QTest::newRow("pan stops at the end") << pannedView(mid, 9) << TimeView{440, 100} << QList<int>{450, 465, 480, 495, 510, 525, 540};
        QTest::newRow("pan stops at 0 s") << pannedView(mid, -2) << TimeView{0, 100} << QList<int>{0, 15, 30, 45, 60, 75, 90};
        QTest::newRow("cursor past the right edge") << viewShowing(mid, 230) << TimeView{130, 100} << QList<int>{135, 150, 165, 180, 195, 210, 225};
        QTest::newRow("cursor before the left edge") << viewShowing(mid, 20) << TimeView{20, 100} << QList<int>{30, 45, 60, 75, 90, 105, 120};
        QTest::newRow("not a number") << boundedView({qQNaN(), 50}) << TimeView{} << QList<int>{0, 60, 120, 180, 240, 300, 360, 420, 480, 540};
    }
    void zoomAndPan()
    {
        QFETCH(TimeView, view);
        QFETCH(TimeView, expected);
        QCOMPARE(view.start, expected.start);
        QCOMPARE(view.span, expected.span);
        QTEST(timeLabelSeconds(view), "labels");
    }

    void readOutUnderZoom()
    {
        // A plot 5400 twips inside showing 100-200 s: 54 twips a second.
        RunLog log;
        for (int n = 1; n <= kLogSamples; ++n) {
            log.setVolt(n, float(n) / 100);
            log.setCur(n, float(n));
        }
        const TimeView view{100, 100};
        QCOMPARE(graphReadOut(0, 1500, 5460, 3060, log, view).text, QStringLiteral("100s\r\n1V\r\n100A"));
        QCOMPARE(graphReadOut(2727, 1500, 5460, 3060, log, view).t, 151); // 150.5 rounds away from zero
        QCOMPARE(graphReadOut(5400, 1500, 5460, 3060, log, view).t, 200);
        // The cursor's place reads back as its own second at every second in view.
        for (int t = 100; t <= 200; ++t)
            QCOMPARE(graphReadOut(secondToPlotX(t, 5460, view), 1500, 5460, 3060, log, view).t, t);
        // A compared run's values come as two lines of their own.
        RunLog other = log;
        other.setVolt(150, -1);
        other.setCur(150, 42);
        const GraphReadOut both = graphReadOut(secondToPlotX(150, 5460, view), 1500, 5460, 3060, log, view, &other);
        QCOMPARE(both.text, QStringLiteral("150s\r\n1.5V\r\n150A"));
        QCOMPARE(both.comparisonText, QStringLiteral("V\r\n42A"));
    }

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

QTEST_GUILESS_MAIN(TestRunLogDecode)
#include "tst_runlog_decode.moc"
