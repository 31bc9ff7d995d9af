// The link against the emulator's controller logic on a line in memory. One
// command exchange: the time-out table, what ends a wait and what it leaves
// received, and which replies to "sr" give a setting block; the lamp. Then the
// five device operations: the bytes each puts on the wire (what the controller
// heard), and what the boxes, the message line, the editor, the run-data log
// and the buttons show afterwards, for a good controller and for each of its
// faults. The serial port itself is checked in tst_ports.

#include "controllerdata.h"
#include "fixtures.h"
#include "link/commandexchange.h"
#include "link/statusmodel.h"
#include "linkrig.h"
#include "memorytransport.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace vq;
using fixture::msg::cannotSet;
using fixture::msg::commFault;
using fixture::msg::completion;
using fixture::msg::verifyNg;

using emu::FaultMode;
using End = ExchangeOutcome::End;

namespace {

// The program's link on a line in memory to the controller, 3 s become 60 ms.
struct Line : LinkRig {
    ExchangeOutcome send(const char *command) { return exchange.SendCommand(QString::fromLatin1(command), "\r"); }
};

} // namespace

class TestOperations : public QObject
{
    Q_OBJECT

private slots:
    void operations_data()
    {
        QTest::addColumn<FaultMode>("fault");    // the controller's from the start
        QTest::addColumn<QString>("faultLater"); // switched on after a first read
        QTest::addColumn<QString>("deadBand");   // typed in before the operation
        QTest::addColumn<int>("op");
        QTest::addColumn<QByteArray>("wire");    // what the operation sent
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("line");       // red unless "Completion"
        QTest::addColumn<QString>("shown");      // Dead Band in the editor afterwards
        QTest::addColumn<QString>("buttons");
        const QByteArray factory = emu::factoryBlock();
        const QByteArray written = QByteArray(factory).replace(32, 2, "08");
        const QStringList none;
        const QString later; // no read first
        QTest::newRow("read") << FaultMode::None << later << "" << 0 << QByteArray("sr") << none << completion << "4" << "11111";
        QTest::newRow("write") << FaultMode::None << "none" << "8" << 1 << "sw" + written + "sr" << none << completion << "8" << "11111";
        QTest::newRow("defaults after a read") << FaultMode::None << "none" << "9" << 2 << QByteArray("aertsr") << none << completion << "4" << "11111";
        QTest::newRow("defaults, nothing read") << FaultMode::None << later << "" << 2 << QByteArray("sraertsr") << none << completion << "4" << "11111";
        QTest::newRow("data get") << FaultMode::None << later << "" << 3 << QByteArray("br") << none << completion << "" << "10111";
        QTest::newRow("data clear") << FaultMode::None << later << "" << 4 << QByteArray("srbe") << none << completion << "" << "10111";
        QTest::newRow("unasked characters") << FaultMode::Unasked << "unasked" << "" << 4 << QByteArray("srbe") << none << completion << "4" << "11111";
        // A time-out with nothing received, and with something received.
        QTest::newRow("silent") << FaultMode::Silent << later << "" << 0 << QByteArray("sr") << QStringList{commFault} << commFault << "" << "10111";
        QTest::newRow("garbage") << FaultMode::Garbage << later << "" << 0 << QByteArray("sr") << QStringList{cannotSet} << cannotSet << "" << "10111";
        QTest::newRow("read of 67") << FaultMode::Sr67 << later << "" << 0 << QByteArray("sr") << none << cannotSet << "" << "10111";
        QTest::newRow("deleted block") << FaultMode::ModelFF << later << "" << 0 << QByteArray("sr") << QStringList{fixture::msg::settingDeleted} << completion << "" << "10111";
        QTest::newRow("other model") << FaultMode::Model02 << later << "" << 0 << QByteArray("sr") << QStringList{fixture::msg::otherModel} << completion << "" << "10111";
        // The window restores even when its first read fails (the command line doesn't).
        QTest::newRow("defaults after a read of 67") << FaultMode::Sr67 << later << "" << 2 << QByteArray("sraertsr") << none << cannotSet << "" << "10111";
        QTest::newRow("clear, silent") << FaultMode::Silent << later << "" << 4 << QByteArray("sr") << QStringList{commFault} << commFault << "" << "10111";
        QTest::newRow("clear after a read of 69") << FaultMode::Sr69 << later << "" << 4 << QByteArray("sr") << none << cannotSet << "" << "10111";
        QTest::newRow("short log") << FaultMode::ShortLog << later << "" << 3 << QByteArray("br") << QStringList{cannotSet} << cannotSet << "" << "10111";
        QTest::newRow("bad hex log") << FaultMode::BadHexLog << later << "" << 3 << QByteArray("br") << QStringList{cannotSet} << cannotSet << "" << "10111";
        // The read-back must itself succeed, even when the old block equals the one written.
        QTest::newRow("verify differs") << FaultMode::None << "bad-verify" << "" << 1 << "sw" + factory + "sr" << none << verifyNg << "4" << "11111";
        QTest::newRow("read-back of 67") << FaultMode::None << "sr-67" << "" << 1 << "sw" + factory + "sr" << none << verifyNg << "4" << "11111";
        QTest::newRow("partial echo") << FaultMode::None << "partial-echo" << "" << 1 << "sw" + factory + "sr" << QStringList{cannotSet} << cannotSet << "4" << "11111";
        // Lost in the middle of the reply: one box, the port closed.
        QTest::newRow("line lost") << FaultMode::Vanish << later << "" << 2 << QByteArray("sr") << QStringList{cannotSet} << fixture::msg::portCannotOpen << "" << "00000";
    }

    void operations()
    {
        QFETCH(FaultMode, fault);
        QFETCH(QString, faultLater);
        QFETCH(QString, deadBand);
        QFETCH(int, op);
        QFETCH(QByteArray, wire);
        QFETCH(QString, line);
        LinkRig rig;
        QVERIFY(rig.start(fault));
        if (!faultLater.isNull()) {
            rig.ops.CmdVqCom_Click(0);
            rig.port.setFault(emu::faultModeFromName(faultLater).value());
        }
        if (!deadBand.isEmpty())
            rig.editor.setText(5, deadBand);
        const qsizetype before = rig.wire().size();
        // A box comes while the operation still holds the window, before the red line.
        bool boxOutOfTurn = false;
        rig.prompter.onPrompt = [&](const ScriptedPrompter::Prompt &) {
            boxOutOfTurn |= !rig.status.busy() || rig.status.messageColour() == kColourRed;
        };
        rig.ops.CmdVqCom_Click(op);

        QCOMPARE(rig.wire().mid(before), wire);
        QTEST(rig.prompter.messageTexts(), "boxes");
        for (const ScriptedPrompter::Prompt &box : rig.prompter.prompts)
            QCOMPARE(box.icon, box.text == cannotSet ? MessageIcon::Information : MessageIcon::Exclamation);
        QVERIFY(!boxOutOfTurn);
        QCOMPARE(rig.status.messageText(), line);
        QCOMPARE(rig.status.messageColour(), line == completion ? kColourBlack : kColourRed);
        QCOMPARE(rig.ops.CommError(), line != completion);
        QTEST(rig.editor.text(5), "shown");
        QTEST(buttonsText(rig.status), "buttons");
        QCOMPARE(rig.log.hasData(), op == 3 && line == completion);
        QCOMPARE(rig.status.lampColour(), kLampIdle);
        QVERIFY(!rig.status.lampBlinking() && !rig.status.busy());
    }

    void lateAnswerIsDiscardedByTheNextExchange()
    {
        LinkRig rig;
        QVERIFY(rig.start(FaultMode::Late)); // 120 ms late, after a 60 ms time-out
        rig.ops.CmdVqCom_Click(0);
        QCOMPARE(rig.prompter.messageTexts(), QStringList{commFault});
        rig.port.setFault(FaultMode::None);
        rig.exchange.WaitTime(10.0); // 200 ms: the late answer arrives meanwhile
        rig.ops.CmdVqCom_Click(0);
        QCOMPARE(rig.block.readBlock(), QString::fromLatin1(emu::factoryBlock()));
        QCOMPARE(rig.status.messageText(), completion);
        QCOMPARE(rig.prompter.messageCount(), 1);
    }

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
        QVERIFY(l.start());
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
        QVERIFY(l.start(FaultMode::Silent));
        l.exchange.setTimeScale(1.0 / 3000.0);
        connect(&l.exchange, &CommandExchange::commandSent, this, [&] {
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
        QVERIFY(l.start(FaultMode::Vanish));
        l.port.setChunkSize(5);
        l.exchange.setTimeScale(100.0); // the wait would take five minutes
        QTimer::singleShot(10000, &l.exchange, [&] { l.exchange.abort(); });
        QSignalSpy gone(&l.exchange, &CommandExchange::portGone);
        const ExchangeOutcome out = l.send("sr");
        QCOMPARE(out.end, End::PortLost);
        QCOMPARE(out.received, QString::fromLatin1("sr" + emu::factoryBlock().left(32)));
        QCOMPARE(l.send("be").end, End::PortLost); // the closed port fails at once
        QCOMPARE(gone.count(), 1);
        QVERIFY(!l.exchange.aborted());
    }

    void abortEndsTheWaitAndStopsSending()
    {
        Line l;
        QVERIFY(l.start(FaultMode::Silent));
        l.exchange.setTimeScale(100.0);
        QTimer::singleShot(20, &l.exchange, [&] { l.exchange.abort(); });
        QCOMPARE(l.send("be").end, End::Aborted);
        QCOMPARE(l.send("sr").end, End::Aborted);
        l.exchange.WaitTime(100.0); // would be 10000 s
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

QTEST_GUILESS_MAIN(TestOperations)
#include "tst_operations.moc"
