// The run-data log's start state and the decoding of the controller's "br"
// reply: byte positions, the voltage and current conversions, the empty
// marker, and replies that are refused as a whole.

#include "runlog/runlog.h"

#include <QTest>

#include <functional>

using namespace vq;

namespace {

// A "br" reply: the echo "br", then per sample the voltage byte and the
// current byte as two hexadecimal digits each.
QString reply(const std::function<QString(int n)> &sample)
{
    QString text = QStringLiteral("br");
    for (int n = 1; n <= kLogSamples; ++n)
        text += sample(n);
    return text;
}

QString hex2(int b)
{
    return QString::number(b, 16).rightJustified(2, u'0').toUpper();
}

QString uniformReply(int voltByte, int curByte)
{
    return reply([&](int) { return hex2(voltByte) + hex2(curByte); });
}

// A log whose every slot holds a value the decoder never produces, so any
// write by a refused decode shows.
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
        for (int n = 2; n <= kLogSamples; ++n) {
            QCOMPARE(log.RunVolt(n), 0.0f);
            QCOMPARE(log.RunCur(n), 0.0f);
        }
        QVERIFY(!log.hasData());

        log.setVolt(1, 7.4f);
        QVERIFY(log.hasData());
        log.reset();
        QCOMPARE(log, RunLog());
    }

    void byteValues_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<float>("volt");
        QTest::addColumn<float>("cur");
        QTest::newRow("00") << 0x00 << 0.0f << 0.0f;
        QTest::newRow("01") << 0x01 << 0.1f << 0.0f;
        QTest::newRow("03") << 0x03 << 0.2f << 10.0f;
        QTest::newRow("0A") << 0x0A << 0.8f << 20.0f;
        QTest::newRow("40") << 0x40 << 5.0f << 120.0f;
        QTest::newRow("80") << 0x80 << 9.9f << 240.0f;
        QTest::newRow("82") << 0x82 << 10.1f << 240.0f;
        QTest::newRow("A3") << 0xA3 << 12.7f << 310.0f;
        QTest::newRow("FE") << 0xFE << 19.7f << 480.0f;
        QTest::newRow("FF") << 0xFF << -1.0f << -1.0f;
    }
    void byteValues()
    {
        QFETCH(int, byte);
        QFETCH(float, volt);
        QFETCH(float, cur);
        RunLog log = markedLog();
        QCOMPARE(decodeRunReply(uniformReply(byte, byte), log), RunReplyStatus::Ok);
        for (int n : {1, 2, 256, 511, 512}) {
            QCOMPARE(log.RunVolt(n), volt);
            QCOMPARE(log.RunCur(n), cur);
        }
        // Lower-case digits decode the same.
        RunLog lower = markedLog();
        QCOMPARE(decodeRunReply(uniformReply(byte, byte).toLower(), lower), RunReplyStatus::Ok);
        QCOMPARE(lower, log);
    }

    void everySampleReadsItsOwnCharacters()
    {
        // Sample n gets voltage byte n mod 200 and current byte 199 - that,
        // so a shift by one position or one sample gives other values.
        const auto vb = [](int n) { return n % 200; };
        const auto cb = [&](int n) { return 199 - vb(n); };
        const QString text = reply([&](int n) { return hex2(vb(n)) + hex2(cb(n)); });
        QCOMPARE(text.size(), kRunReplyLength);

        RunLog log = markedLog();
        QCOMPARE(decodeRunReply(text, log), RunReplyStatus::Ok);
        RunLog single;
        for (int n = 1; n <= kLogSamples; ++n) {
            const QString one = uniformReply(vb(n), cb(n));
            QCOMPARE(decodeRunReply(one, single), RunReplyStatus::Ok);
            QCOMPARE(log.RunVolt(n), single.RunVolt(1));
            QCOMPARE(log.RunCur(n), single.RunCur(1));
        }
        QCOMPARE(log.RunVolt(3), 0.2f);   // byte 03
        QCOMPARE(log.RunCur(3), 370.0f);  // byte C4: 196 * 480 / 255 = 368.9
        QCOMPARE(log.RunVolt(200), 0.0f); // byte 00
        QCOMPARE(log.RunCur(200), 370.0f);
    }

    void echoAndTrailerAreNotRead()
    {
        QString text = uniformReply(0x40, 0x0A);
        text[0] = u'?';
        text[1] = u'\u00e9';
        text += QStringLiteral("\rZZ junk");
        RunLog log;
        QCOMPARE(decodeRunReply(text, log), RunReplyStatus::Ok);
        QCOMPARE(log.RunVolt(512), 5.0f);
        QCOMPARE(log.RunCur(512), 20.0f);
    }

    void markersAreIndependent()
    {
        // Voltage empty on even samples, current empty on odd ones.
        const QString text = reply([](int n) {
            return n % 2 == 0 ? QStringLiteral("FF40") : QStringLiteral("40fF");
        });
        RunLog log;
        QCOMPARE(decodeRunReply(text, log), RunReplyStatus::Ok);
        QCOMPARE(log.RunVolt(1), 5.0f);
        QCOMPARE(log.RunCur(1), -1.0f);
        QCOMPARE(log.RunVolt(2), -1.0f);
        QCOMPARE(log.RunCur(2), 120.0f);
        QVERIFY(log.hasData());
    }

    void refusedReplyLeavesLogAsItWas_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<RunReplyStatus>("status");
        const QString good = uniformReply(0x40, 0x0A);
        QTest::newRow("empty") << QString() << RunReplyStatus::Short;
        QTest::newRow("echo only") << QStringLiteral("br") << RunReplyStatus::Short;
        QTest::newRow("one short") << good.left(kRunReplyLength - 1) << RunReplyStatus::Short;

        const auto withChar = [&](int pos, QChar c) {
            QString t = good;
            t[pos] = c;
            return t;
        };
        QTest::newRow("G in first voltage") << withChar(2, u'G') << RunReplyStatus::BadHex;
        QTest::newRow("blank in first current") << withChar(5, u' ') << RunReplyStatus::BadHex;
        QTest::newRow("sign mid-reply") << withChar(1000, u'-') << RunReplyStatus::BadHex;
        QTest::newRow("CR inside last current") << withChar(kRunReplyLength - 1, u'\r')
                                                << RunReplyStatus::BadHex;
        QTest::newRow("full-width digit") << withChar(700, QChar(0xFF11)) << RunReplyStatus::BadHex;
        QTest::newRow("NUL") << withChar(3, QChar(0)) << RunReplyStatus::BadHex;
    }
    void refusedReplyLeavesLogAsItWas()
    {
        QFETCH(QString, text);
        QFETCH(RunReplyStatus, status);
        RunLog log = markedLog();
        const RunLog before = log;
        QCOMPARE(decodeRunReply(text, log), status);
        QCOMPARE(log, before);

        RunLog start;
        QCOMPARE(decodeRunReply(text, start), status);
        QCOMPARE(start, RunLog());
    }
};

QTEST_GUILESS_MAIN(TestRunLogDecode)
#include "tst_runlog_decode.moc"
