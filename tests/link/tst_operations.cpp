// The five device operations against the controller emulator through the real
// serial stack: the bytes each puts on the wire (the emulator's trace), and
// what the boxes, the message line, the editor, the run-data log and the
// buttons show afterwards, for a good controller and for each of its faults.

#include "controllerdata.h"
#include "fixtures.h"
#include "linkrig.h"

#include <QTest>

using namespace vq;
using fixture::msg::cannotSet;
using fixture::msg::commFault;
using fixture::msg::completion;
using fixture::msg::verifyNg;

namespace {

const QStringList kNoArgs;
QStringList fault(const QString &mode) { return {QStringLiteral("--fault"), mode}; }

} // namespace

class TestOperations : public QObject
{
    Q_OBJECT

private slots:
    void operations_data()
    {
        QTest::addColumn<QStringList>("args");   // the emulator's start
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
        QTest::newRow("read") << kNoArgs << later << "" << 0 << QByteArray("sr") << none << completion << "4" << "11111";
        QTest::newRow("write") << kNoArgs << "none" << "8" << 1 << "sw" + written + "sr" << none << completion << "8" << "11111";
        QTest::newRow("defaults after a read") << kNoArgs << "none" << "9" << 2 << QByteArray("aertsr") << none << completion << "4" << "11111";
        QTest::newRow("defaults, nothing read") << kNoArgs << later << "" << 2 << QByteArray("sraertsr") << none << completion << "4" << "11111";
        QTest::newRow("data get") << kNoArgs << later << "" << 3 << QByteArray("br") << none << completion << "" << "10111";
        QTest::newRow("data clear") << kNoArgs << later << "" << 4 << QByteArray("srbe") << none << completion << "" << "10111";
        QTest::newRow("unasked characters") << QStringList{"--fault", "unasked", "--unasked-ms", "20"} << "unasked" << "" << 4 << QByteArray("srbe") << none << completion << "4" << "11111";
        // A time-out with nothing received, and with something received.
        QTest::newRow("silent") << fault("silent") << later << "" << 0 << QByteArray("sr") << QStringList{commFault} << commFault << "" << "10111";
        QTest::newRow("garbage") << fault("garbage") << later << "" << 0 << QByteArray("sr") << QStringList{cannotSet} << cannotSet << "" << "10111";
        QTest::newRow("read of 67") << fault("sr-67") << later << "" << 0 << QByteArray("sr") << none << cannotSet << "" << "10111";
        QTest::newRow("deleted block") << fault("model-ff") << later << "" << 0 << QByteArray("sr") << QStringList{fixture::msg::settingDeleted} << completion << "" << "10111";
        QTest::newRow("other model") << fault("model-02") << later << "" << 0 << QByteArray("sr") << QStringList{fixture::msg::otherModel} << completion << "" << "10111";
        // The window restores even when its first read fails (the command line doesn't).
        QTest::newRow("defaults after a read of 67") << fault("sr-67") << later << "" << 2 << QByteArray("sraertsr") << none << cannotSet << "" << "10111";
        QTest::newRow("clear, silent") << fault("silent") << later << "" << 4 << QByteArray("sr") << QStringList{commFault} << commFault << "" << "10111";
        QTest::newRow("clear after a read of 69") << fault("sr-69") << later << "" << 4 << QByteArray("sr") << none << cannotSet << "" << "10111";
        QTest::newRow("short log") << fault("short-log") << later << "" << 3 << QByteArray("br") << QStringList{cannotSet} << cannotSet << "" << "10111";
        QTest::newRow("bad hex log") << fault("bad-hex-log") << later << "" << 3 << QByteArray("br") << QStringList{cannotSet} << cannotSet << "" << "10111";
        // The read-back must itself succeed, even when the old block equals the one written.
        QTest::newRow("verify differs") << kNoArgs << "bad-verify" << "" << 1 << "sw" + factory + "sr" << none << verifyNg << "4" << "11111";
        QTest::newRow("read-back of 67") << kNoArgs << "sr-67" << "" << 1 << "sw" + factory + "sr" << none << verifyNg << "4" << "11111";
        QTest::newRow("read-back of 69") << kNoArgs << "sr-69" << "" << 1 << "sw" + factory + "sr" << none << verifyNg << "4" << "11111";
        QTest::newRow("partial echo") << kNoArgs << "partial-echo" << "" << 1 << "sw" + factory + "sr" << QStringList{cannotSet} << cannotSet << "4" << "11111";
        // Lost in the middle of the reply: one box, either time-out text by how much arrived.
        QTest::newRow("line lost") << fault("vanish") << later << "" << 2 << QByteArray("sr") << QStringList{"either"} << fixture::msg::portCannotOpen << "" << "00000";
    }

    void operations()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, faultLater);
        QFETCH(QString, deadBand);
        QFETCH(int, op);
        QFETCH(QByteArray, wire);
        QFETCH(QStringList, boxes);
        QFETCH(QString, line);
        QFETCH(QString, shown);
        QFETCH(QString, buttons);
        LinkRig rig;
        QVERIFY2(rig.start(args), qPrintable(rig.emu.errorText()));
        if (!faultLater.isNull()) {
            rig.ops.CmdVqCom_Click(0);
            QVERIFY(rig.emu.setFault(faultLater));
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
        QCOMPARE(rig.prompter.messageCount(), boxes.size());
        if (boxes != QStringList{"either"})
            QCOMPARE(rig.prompter.messageTexts(), boxes);
        for (const ScriptedPrompter::Prompt &box : rig.prompter.prompts)
            QCOMPARE(box.icon, box.text == cannotSet ? MessageIcon::Information : MessageIcon::Exclamation);
        QVERIFY(!boxOutOfTurn);
        QCOMPARE(rig.status.messageText(), line);
        QCOMPARE(rig.status.messageColour(), line == completion ? kColourBlack : kColourRed);
        QCOMPARE(rig.ops.CommError(), line != completion);
        QCOMPARE(rig.editor.text(5), shown);
        QCOMPARE(buttonsText(rig.status), buttons);
        QCOMPARE(rig.log.hasData(), op == 3 && line == completion);
        QCOMPARE(rig.status.lampColour(), kLampIdle);
        QVERIFY(!rig.status.lampBlinking() && !rig.status.busy());
    }

    void lateAnswerIsDiscardedByTheNextExchange()
    {
        LinkRig rig;
        QVERIFY(rig.start({"--fault", "late", "--delay", "500"}));
        rig.ops.CmdVqCom_Click(0);
        QCOMPARE(rig.prompter.messageTexts(), QStringList{commFault});
        QVERIFY(rig.emu.setFault(QStringLiteral("none")));
        rig.exchange.WaitTime(10.0); // 1 s: the late answer arrives meanwhile
        rig.ops.CmdVqCom_Click(0);
        QCOMPARE(rig.block.readBlock(), QString::fromLatin1(emu::factoryBlock()));
        QCOMPARE(rig.status.messageText(), completion);
        QCOMPARE(rig.prompter.messageCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestOperations)
#include "tst_operations.moc"
