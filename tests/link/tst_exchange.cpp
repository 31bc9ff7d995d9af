// One command exchange against the controller logic on a line in memory: the
// time-out table, what ends a wait and what it leaves received, and which
// replies to "sr" give a setting block. The serial port itself is checked in
// tst_serialport.

#include "controllerdata.h"
#include "fixtures.h"
#include "link/commandexchange.h"
#include "link/statusmodel.h"
#include "memorytransport.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace vq;
using End = ExchangeOutcome::End;
using emu::FaultMode;

namespace {

// The program's exchange on a line in memory to the controller.
struct Line {
    MemoryTransport port;
    CommandExchange ex{port};
    bool open(FaultMode fault = FaultMode::None)
    {
        ex.setTimeScale(0.02); // 3 s become 60 ms
        port.setFault(fault);
        return port.open(QStringLiteral("memory"));
    }
    ExchangeOutcome send(const char *command) { return ex.SendCommand(QString::fromLatin1(command), "\r"); }
};

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

private slots:
    void timeOutTable()
    {
        // sr, ae, be, br, and a block starting BE like any other block.
        QList<int> ms;
        for (const char16_t *command : {u"sr", u"ae", u"be", u"br", u"BE03401F"})
            ms << commandTimeoutMs(command);
        QCOMPARE(ms, (QList<int>{3000, 12000, 12000, 10000, 3000}));
    }

    void answerEndsTheWaitAndLeftoversAreDiscarded()
    {
        Line l;
        QVERIFY(l.open());
        // Before the command, and holding the very text the wait wants: some
        // handed on already, some still waiting in the line.
        l.port.inject("rt\r");
        QCoreApplication::processEvents();
        l.port.inject(fixture::readReply(fixture::kWorkedBlock));
        const ExchangeOutcome out = l.send("sr");
        QCOMPARE(out.end, End::Answered);
        QCOMPARE(out.received, QString::fromLatin1("sr" + emu::factoryBlock() + "0\r"));
        QCOMPARE(l.port.heard(), QByteArray("sr"));
    }

    void answerAndTimeOutTogetherCountAsTimeOut()
    {
        // A 1 ms time-out, and a window handler that keeps the thread busy
        // until the whole answer waits and the time-out has run out.
        Line l;
        QVERIFY(l.open(FaultMode::Silent));
        l.ex.setTimeScale(1.0 / 3000.0);
        connect(&l.ex, &CommandExchange::commandSent, this, [&] {
            QTimer::singleShot(0, this, [&] {
                l.port.inject("sr0\r");
                QThread::msleep(5);
            });
        });
        QCOMPARE(l.send("sr").end, End::TimedOut);
    }

    void lineLostMidExchangeEndsItAtOnce()
    {
        // The answer in pieces, the line gone halfway through it.
        Line l;
        QVERIFY(l.open(FaultMode::Vanish));
        l.port.setChunkSize(5);
        l.ex.setTimeScale(100.0); // the wait would take five minutes
        QTimer::singleShot(10000, &l.ex, [&] { l.ex.abort(); });
        QSignalSpy gone(&l.ex, &CommandExchange::portGone);
        const ExchangeOutcome out = l.send("sr");
        QCOMPARE(out.end, End::PortLost);
        QCOMPARE(out.received, QString::fromLatin1("sr" + emu::factoryBlock().left(32)));
        QCOMPARE(l.send("be").end, End::PortLost); // the closed port fails at once
        QCOMPARE(gone.count(), 1);
        QVERIFY(!l.ex.aborted());
    }

    void abortEndsTheWaitAndStopsSending()
    {
        Line l;
        QVERIFY(l.open(FaultMode::Silent));
        l.ex.setTimeScale(100.0);
        QTimer::singleShot(20, &l.ex, [&] { l.ex.abort(); });
        QCOMPARE(l.send("be").end, End::Aborted);
        QCOMPARE(l.send("sr").end, End::Aborted);
        l.ex.WaitTime(100.0); // would be 10000 s
        QCOMPARE(l.port.heard(), QByteArray("be"));
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
