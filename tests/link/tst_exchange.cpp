// The serial line and one command exchange over a pseudo-terminal whose far
// end this test plays: the line settings, a line without modem lines opening
// in any language, a missing device, a line that goes away; the time-out
// table, what ends a wait and what it leaves received, and which replies to
// "sr" give a setting block.

#include "emulatorprocess.h"
#include "fixtures.h"
#include "link/commandexchange.h"
#include "link/statusmodel.h"
#include "platform/serialport.h"
#include "ptyhelper.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <clocale>
#include <termios.h>

using namespace vq;
using End = ExchangeOutcome::End;

namespace {

// The program's port and exchange on a pseudo-terminal whose far end the test plays.
struct Line {
    PtyEnd far;
    SerialPort port;
    CommandExchange ex{port};
    bool open()
    {
        ex.setTimeScale(0.05); // 3 s become 150 ms
        return far.openFarEnd() && port.open(far.slavePath());
    }
    ExchangeOutcome send(const char *command) { return ex.SendCommand(QString::fromLatin1(command), "\r"); }
};

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheControllersLineSettings()
    {
        Line l;
        QVERIFY(l.open());
        QCOMPARE(l.port.settingsText(), QStringLiteral("9600,O,8,1"));
        // What reached the driver (a pseudo-terminal drops the parity bit).
        termios t{};
        QCOMPARE(tcgetattr(l.far.slaveFd(), &t), 0);
        QCOMPARE(cfgetospeed(&t), speed_t(B9600));
        QCOMPARE(t.c_cflag & (CSIZE | CSTOPB | CRTSCTS), tcflag_t(CS8));
        QVERIFY(!(t.c_iflag & (IXON | IXOFF)));
    }

    // DTR can't be cleared on a line without modem lines; in whatever language
    // the system words that, the line is usable.
    void lineWithoutModemLinesOpensInGerman()
    {
        const QByteArray oldLocale = setlocale(LC_ALL, nullptr);
        if (!setlocale(LC_ALL, "de_DE.UTF-8"))
            QSKIP("the de_DE.UTF-8 locale is not generated on this machine");
        qputenv("LANGUAGE", "de");
        EmulatorProcess emu;
        SerialPort port;
        const bool opened = port.open(emu.start({QStringLiteral("--no-pacing")}));
        qunsetenv("LANGUAGE");
        setlocale(LC_ALL, oldLocale.constData());
        QVERIFY2(opened, qPrintable(port.errorText()));
    }

    void missingDeviceIsReportedAsNotFound()
    {
        SerialPort port;
        QVERIFY(!port.open(QStringLiteral("/nonexistent/ttyVQ")));
        QCOMPARE(port.error(), SerialPort::Error::NotFound);
        QVERIFY(!port.write("sr"));
    }

    void vanishingLineIsReportedOnce()
    {
        Line l;
        QVERIFY(l.open());
        QSignalSpy lost(&l.port, &SerialPort::lost);
        l.far.hangUp();
        QVERIFY(lost.wait(5000));
        QVERIFY(!l.port.isOpen() && !l.port.write("sr"));
        QVERIFY(!lost.wait(50)); // late notifications of the gone device
    }

    void timeOutTable_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("ms");
        QTest::newRow("sr") << "sr" << 3000;
        QTest::newRow("ae") << "ae" << 12000;
        QTest::newRow("be") << "be" << 12000;
        QTest::newRow("br") << "br" << 10000;
        QTest::newRow("block starting BE") << "BE03401F" << 3000; // and any other block
    }

    void timeOutTable()
    {
        QFETCH(QString, command);
        QFETCH(int, ms);
        QCOMPARE(commandTimeoutMs(command), ms);
    }

    void answerEndsTheWaitAndLeftoversAreDiscarded()
    {
        Line l;
        QVERIFY(l.open());
        // Sent before the command, and holding the very text the wait wants.
        QVERIFY(l.far.send("rt\r" + fixture::readReply(fixture::kWorkedBlock)));
        QVERIFY(l.far.waitUntilDelivered());
        l.far.answer([](const QByteArray &) { return QByteArray("sr0\r\n"); });
        const ExchangeOutcome out = l.send("sr");
        QCOMPARE(out.end, End::Answered);
        QCOMPARE(out.received, QStringLiteral("sr0\r\n"));
        QCOMPARE(l.far.received, QByteArray("sr"));
    }

    void answerAndTimeOutTogetherCountAsTimeOut()
    {
        // A 1 ms time-out, and a window handler that keeps the thread busy
        // until the whole answer waits and the time-out has run out.
        Line l;
        QVERIFY(l.open());
        l.ex.setTimeScale(1.0 / 3000.0);
        connect(&l.ex, &CommandExchange::commandSent, this, [&] {
            l.far.send("sr0\r");
            QVERIFY(l.far.waitUntilDelivered());
            QTimer::singleShot(0, this, [] { QThread::msleep(5); });
        });
        QCOMPARE(l.send("sr").end, End::TimedOut);
    }

    void lineLostMidExchangeEndsItAtOnce()
    {
        Line l;
        QVERIFY(l.open());
        l.ex.setTimeScale(100.0); // the wait would take five minutes
        QTimer::singleShot(10000, &l.ex, [&] { l.ex.abort(); });
        QSignalSpy gone(&l.ex, &CommandExchange::portGone);
        l.far.answer([](const QByteArray &) { return QByteArray("sr0123"); });
        connect(&l.port, &SerialPort::dataReceived, &l.far, [&] { QTimer::singleShot(0, &l.far, [&] { l.far.hangUp(); }); });
        const ExchangeOutcome out = l.send("sr");
        QCOMPARE(out.end, End::PortLost);
        QCOMPARE(out.received, QStringLiteral("sr0123"));
        QCOMPARE(l.send("be").end, End::PortLost); // the closed port fails at once
        QCOMPARE(gone.count(), 1);
        QVERIFY(!l.ex.aborted());
    }

    void abortEndsTheWaitAndStopsSending()
    {
        Line l;
        QVERIFY(l.open());
        l.far.answer([](const QByteArray &) { return QByteArray(); });
        l.ex.setTimeScale(100.0);
        QTimer::singleShot(20, &l.ex, [&] { l.ex.abort(); });
        QCOMPARE(l.send("be").end, End::Aborted);
        QCOMPARE(l.send("sr").end, End::Aborted);
        l.ex.WaitTime(100.0); // would be 10000 s
        QCOMPARE(l.far.received, QByteArray("be"));
    }

    void readRepliesGiveOnlyAHexBlock()
    {
        const QString block = fixture::kWorkedBlock.toLower();
        QCOMPARE(takeReadReply("sr" + block + "\r\n").value_or(ReadReply{}).block, block);
        QVERIFY(!takeReadReply("sr" + QString(block).replace(60, 1, u'g') + "\r\n").has_value());
    }

    void lampBlinksWhileAnExchangeRunsAndRestsDark()
    {
        StatusModel status;
        QSignalSpy lamp(&status, &StatusModel::lampColourChanged);
        status.lampOn();
        QTRY_VERIFY(lamp.size() >= 3); // bright, dark, bright: it blinks
        QCOMPARE(lamp.at(0).at(0).value<quint32>(), 0x00FF00u);
        QCOMPARE(lamp.at(1).at(0).value<quint32>(), 0x004000u);
        status.lampOff();
        QCOMPARE(status.lampColour(), 0x004000u);
        QVERIFY(!status.lampBlinking());
    }
};

QTEST_GUILESS_MAIN(TestExchange)
#include "tst_exchange.moc"
