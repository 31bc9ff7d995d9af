// The read-back that verifies a write must itself succeed: a controller
// whose answer to the read-back is unusable has confirmed nothing, even when
// the block from before the write equals the block written.

#include "emulatorprocess.h"
#include "link/commandexchange.h"
#include "link/deviceoperations.h"
#include "link/portcontrol.h"
#include "link/statusmodel.h"
#include "platform/prompter.h"
#include "platform/serialport.h"
#include "runlog/runlog.h"
#include "settings/editormodel.h"
#include "platform/config.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vq;

class TestVerifyReadBack : public QObject
{
    Q_OBJECT

private slots:
    void unusableReadBackIsNg_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("ng");
        QTest::newRow("good read-back") << QStringLiteral("none") << false;
        QTest::newRow("read-back of 67 characters") << QStringLiteral("sr-67") << true;
        QTest::newRow("read-back of 69 characters") << QStringLiteral("sr-69") << true;
    }

    void unusableReadBackIsNg()
    {
        QFETCH(QString, fault);
        QFETCH(bool, ng);

        QTemporaryDir dir;
        EmulatorProcess emu;
        const QString line = emu.start({QStringLiteral("--no-pacing")});
        QVERIFY2(!line.isEmpty(), qPrintable(emu.errorText()));
        Config config(dir.path());
        config.WriteIniString(QStringLiteral("Ports"), QStringLiteral("Com1"), line);
        config.CommPortNo = 1;
        SerialPort port;
        StatusModel status;
        ScriptedPrompter prompter;
        CommandExchange ex(port, status, prompter);
        ex.setTimeScale(0.1);
        PortControl control(port, config, status);
        control.OpenPort();
        control.EnableCommands();
        QVERIFY(port.isOpen());
        EditorModel editor;
        editor.reset();
        RunLog log;
        DeviceOperations ops(ex, control, editor, log, prompter, status);

        // Read, then write back unchanged: the block written is the block read.
        ops.CmdVqCom_Click(0);
        QVERIFY(!ex.CommError);
        const QString before = ex.ReadBlock;
        QVERIFY(emu.setFault(fault));
        ops.CmdVqCom_Click(1);

        QCOMPARE(ex.WriteBlock, before);
        QCOMPARE(prompter.messageCount(), 0);
        QCOMPARE(ex.CommError, ng);
        QCOMPARE(status.messageText(), ng ? kMsgVerifyNg : kMsgCompletion);
        QCOMPARE(status.messageColour(), ng ? kColourRed : kColourBlack);
        QCOMPARE(ex.ReadBlock, before);
        emu.stop();
    }
};

QTEST_GUILESS_MAIN(TestVerifyReadBack)
#include "tst_verifyreadback.moc"
