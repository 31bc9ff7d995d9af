// The run-data log's start state and the decoding of the controller's "br"
// reply: which characters each sample reads, the conversions, the empty
// marker FF for each curve on its own, and replies refused as a whole.

#include "runlog/runlog.h"

#include <QTest>

using namespace vq;

namespace {

// Samples 1-4 differ, 5-511 are "4080", 512 is "82FE"; lower case in slot 4.
const QString kReply = QStringLiteral("br0103") + QStringLiteral("0A40FF0Aa3ff")
                       + QStringLiteral("4080").repeated(507) + QStringLiteral("82FE");

// A log whose every slot holds what no decode produces, so any write shows.
RunLog markedLog()
{
    RunLog log;
    for (int n = 1; n <= kLogSamples; ++n) {
        log.setVolt(n, 1000.0f + float(n));
        log.setCur(n, 2000.0f + float(n));
    }
    return log;
}

} // namespace

class TestRunLogDecode : public QObject
{
    Q_OBJECT

private slots:
    void startState()
    {
        RunLog log;
        QCOMPARE(log.RunVolt(1), -1.0f);
        QCOMPARE(log.RunCur(1), 0.0f);
        QCOMPARE(log.RunVolt(512), 0.0f);
        QVERIFY(!log.hasData());
        log.setVolt(1, 7.4f);
        QVERIFY(log.hasData());
    }

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
        QTest::newRow("511: 40 80") << 511 << 5.0f << 240.0f;
        QTest::newRow("512: 82 FE") << 512 << 10.1f << 480.0f;
    }
    void samples()
    {
        QFETCH(int, slot);
        QFETCH(float, volt);
        QFETCH(float, cur);
        RunLog log = markedLog();
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
        RunLog log = markedLog();
        QCOMPARE(decodeRunReply(text, log), status);
        QCOMPARE(log, markedLog());
    }
};

QTEST_GUILESS_MAIN(TestRunLogDecode)
#include "tst_runlog_decode.moc"
