// The pointer read-out: when it shows, which second it reads (rounded once,
// half away from zero) and the three lines it shows.

#include "runlog/graphreadout.h"

#include <QTest>

using namespace vq;

class TestGraphReadOut : public QObject
{
    Q_OBJECT

private slots:
    void readOut_data()
    {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<double>("outerW");
        QTest::addColumn<QString>("text"); // empty: hidden
        // 5460 x 3060 twips outer is 5400 x 3000 inside: t = x / 10, p = y / 30.
        QTest::newRow("left edge") << 4.5f << 1500.0f << 5460.0 << QString();
        QTest::newRow("first sample") << 5.5f << 1500.0f << 5460.0 << QStringLiteral("1s\r\n3.2V\r\n40A");
        QTest::newRow("last sample") << 5124.5f << 1500.0f << 5460.0 << QStringLiteral("512s\r\n10V\r\n300A");
        QTest::newRow("past the last") << 5125.5f << 1500.0f << 5460.0 << QString();
        QTest::newRow("rounded once") << 1204.6f << 1500.0f << 5460.0 << QStringLiteral("120s\r\n7.8V\r\n150A");
        QTest::newRow("top half-percent") << 1200.0f << 14.5f << 5460.0 << QString();
        QTest::newRow("just inside the top") << 1200.0f << 15.5f << 5460.0 << QStringLiteral("120s\r\n7.8V\r\n150A");
        QTest::newRow("bottom half-percent") << 1200.0f << 2985.5f << 5460.0 << QString();
        QTest::newRow("both empty") << 1210.0f << 1500.0f << 5460.0 << QStringLiteral("121s\r\nV\r\nA");
        QTest::newRow("current empty") << 3000.0f << 1500.0f << 5460.0 << QStringLiteral("300s\r\n12.4V\r\nA");
        QTest::newRow("voltage empty") << 3010.0f << 1500.0f << 5460.0 << QStringLiteral("301s\r\nV\r\n480A");
        QTest::newRow("file value's digits") << 4000.0f << 1500.0f << 5460.0 << QStringLiteral("400s\r\n7.85V\r\n0A");
        QTest::newRow("narrower plot") << 1200.0f << 1500.0f << 2760.0 << QStringLiteral("240s\r\n0V\r\n0A");
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
};

QTEST_GUILESS_MAIN(TestGraphReadOut)
#include "tst_graphreadout.moc"
