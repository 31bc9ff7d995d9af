// The controller's "br" reply decoded into the run-data log: which characters
// each sample reads, the conversions, the empty marker FF for each curve on
// its own, and replies refused as a whole. Then the pointer read-out over the
// log: when it shows, which second it reads (rounded once, half away from
// zero) and the three lines it shows.

#include "runlog/graphreadout.h"

#include <QTest>

using namespace vq;

namespace {

// Samples 1-4 differ, 5-511 are "4080", 512 is "82FE"; lower case in slot 4.
const QString kReply = QStringLiteral("br0103") + QStringLiteral("0A40FF0Aa3ff")
                       + QStringLiteral("4080").repeated(507) + QStringLiteral("82FE");

} // namespace

class TestRunLogDecode : public QObject
{
    Q_OBJECT

private slots:
    void samples_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<float>("volt");
        QTest::addColumn<float>("cur");
        QTest::newRow("1: 01 03") << 1 << 0.1f << 10.0f;
        QTest::newRow("2: 0A 40") << 2 << 0.8f << 120.0f;
        QTest::newRow("3: voltage empty") << 3 << -1.0f << 20.0f;
        QTest::newRow("4: current empty, lower case") << 4 << 12.7f << -1.0f;
        QTest::newRow("5: 40 80") << 5 << 5.0f << 240.0f;
        QTest::newRow("512: 82 FE") << 512 << 10.1f << 480.0f;
    }
    void samples()
    {
        QFETCH(int, slot);
        QFETCH(float, volt);
        QFETCH(float, cur);
        RunLog log;
        // What follows the 512th sample is not read.
        QCOMPARE(decodeRunReply(kReply + QStringLiteral("\rZZ"), log), RunReplyStatus::Ok);
        QCOMPARE(log.RunVolt(slot), volt);
        QCOMPARE(log.RunCur(slot), cur);
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
        QFETCH(RunReplyStatus, status);
        RunLog log; // every sample of kReply differs from the start state
        QCOMPARE(decodeRunReply(text, log), status);
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
};

QTEST_GUILESS_MAIN(TestRunLogDecode)
#include "tst_runlog_decode.moc"
