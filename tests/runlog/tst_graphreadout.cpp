// The pointer read-out: which second and height the pointer stands for, when
// the box is hidden, and the three lines it shows.

#include "runlog/graphreadout.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace vq;

namespace {

// A plot area of 5460 x 3060 twips outer: 5400 x 3000 inside, so that
// t = x / 10 and p = y / 30.
constexpr double kOuterW = 5460;
constexpr double kOuterH = 3060;

RunLog sampleLog()
{
    RunLog log;
    log.setVolt(1, 3.2f);
    log.setCur(1, 40);
    log.setVolt(120, 7.8f);
    log.setCur(120, 150);
    log.setVolt(121, kEmptySample);
    log.setCur(121, kEmptySample);
    log.setVolt(300, 12.4f);
    log.setCur(300, kEmptySample);
    log.setVolt(301, kEmptySample);
    log.setCur(301, 480);
    log.setVolt(400, 7.85f); // as read from a file
    log.setCur(400, 0);
    log.setVolt(512, 10.0f);
    log.setCur(512, 300);
    return log;
}

} // namespace

class TestGraphReadOut : public QObject
{
    Q_OBJECT

private slots:
    void visibility_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("t");
        QTest::addColumn<int>("p");

        // t rounds half away from zero: 0.45 -> 0 (hidden), 0.55 -> 1.
        QTest::newRow("left edge") << 4.5f << 1500.0f << false << 0 << 50;
        QTest::newRow("first sample") << 5.5f << 1500.0f << true << 1 << 50;
        QTest::newRow("last sample") << 5124.5f << 1500.0f << true << 512 << 50;
        QTest::newRow("past the last sample") << 5125.5f << 1500.0f << false << 513 << 50;
        QTest::newRow("right edge") << 5400.0f << 1500.0f << false << 540 << 50;
        // p: top and bottom half-percent of the height hide the box.
        QTest::newRow("top half-percent") << 1200.0f << 14.5f << false << 120 << 0;
        QTest::newRow("just inside the top") << 1200.0f << 15.5f << true << 120 << 1;
        QTest::newRow("bottom half-percent") << 1200.0f << 2985.5f << false << 120 << 100;
        // A drag with a button held reports positions outside the plot.
        QTest::newRow("dragged left of the plot") << -300.0f << 1500.0f << false << -30 << 50;
        QTest::newRow("dragged far below") << 1200.0f << 9.0e9f << false << 120 << 1000000;
    }

    void visibility()
    {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(bool, visible);
        QFETCH(int, t);
        QFETCH(int, p);

        const GraphReadOut r = graphReadOut(x, y, kOuterW, kOuterH, sampleLog());
        QCOMPARE(r.t, t);
        QCOMPARE(r.p, p);
        QCOMPARE(r.visible, visible);
        QCOMPARE(r.text.isEmpty(), !visible);
    }

    void texts_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<QString>("text");

        QTest::newRow("7.8 V and 150 A") << 1200.0f << QStringLiteral("120s\r\n7.8V\r\n150A");
        QTest::newRow("both slots empty") << 1210.0f << QStringLiteral("121s\r\nV\r\nA");
        QTest::newRow("current empty") << 3000.0f << QStringLiteral("300s\r\n12.4V\r\nA");
        QTest::newRow("voltage empty") << 3010.0f << QStringLiteral("301s\r\nV\r\n480A");
        QTest::newRow("file value keeps its digits") << 4000.0f << QStringLiteral("400s\r\n7.85V\r\n0A");
        QTest::newRow("zeros of the start state") << 2000.0f << QStringLiteral("200s\r\n0V\r\n0A");
        QTest::newRow("last sample, whole numbers") << 5120.0f << QStringLiteral("512s\r\n10V\r\n300A");
    }

    void texts()
    {
        QFETCH(float, x);
        QFETCH(QString, text);
        const GraphReadOut r = graphReadOut(x, 1500.0f, kOuterW, kOuterH, sampleLog());
        QVERIFY(r.visible);
        QCOMPARE(r.text, text);
    }

    void halvesRoundAwayFromZero_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<int>("t");
        QTest::addColumn<int>("p");
        QTest::addColumn<bool>("visible");
        // A 540 x 100 twip inside makes t = x and p = y exactly, ties included.
        QTest::newRow("t 0.5") << 0.5f << 50.0f << 1 << 50 << true;
        QTest::newRow("t 512.5") << 512.5f << 50.0f << 513 << 50 << false;
        QTest::newRow("p 0.5") << 10.0f << 0.5f << 10 << 1 << true;
        QTest::newRow("p 99.5") << 10.0f << 99.5f << 10 << 100 << false;
    }

    void halvesRoundAwayFromZero()
    {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(int, t);
        QFETCH(int, p);
        QFETCH(bool, visible);
        const GraphReadOut r = graphReadOut(x, y, 600, 160, sampleLog());
        QCOMPARE(r.t, t);
        QCOMPARE(r.p, p);
        QCOMPARE(r.visible, visible);
    }

    void followsThePlotSize()
    {
        // The same pointer position means a later second on a narrower plot.
        const RunLog log = sampleLog();
        QCOMPARE(graphReadOut(1200.0f, 1500.0f, kOuterW, kOuterH, log).t, 120);
        QCOMPARE(graphReadOut(1200.0f, 1500.0f, 2760, kOuterH, log).t, 240);
        QCOMPARE(graphReadOut(1200.0f, 1500.0f, kOuterW, 1560, log).p, 100);
    }

    void degeneratePlotIsHiddenNotUndefined()
    {
        // A plot area squeezed to its border: every position divides by zero
        // or nearly so; the read-out must simply stay hidden.
        const RunLog log = sampleLog();
        for (float x : {0.0f, 10.0f, -10.0f, std::numeric_limits<float>::quiet_NaN()}) {
            const GraphReadOut r = graphReadOut(x, x, 60, 60, log);
            QVERIFY2(!r.visible, qPrintable(QString::number(double(x))));
            QVERIFY(r.text.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestGraphReadOut)
#include "tst_graphreadout.moc"
