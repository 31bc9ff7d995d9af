// The five device operations against the controller emulator on a real
// pseudo-terminal: the bytes on the wire (from the emulator's trace), what the
// editor, the run-data log, the message line, the buttons and the lamp show
// afterwards, and how each of the emulator's faults is met.

#include "controllerdata.h"
#include "emulatorprocess.h"
#include "link/commandexchange.h"
#include "link/deviceoperations.h"
#include "link/portcontrol.h"
#include "link/statusmodel.h"
#include "platform/prompter.h"
#include "platform/serialport.h"
#include "runlog/runlog.h"
#include "settings/editormodel.h"
#include "settings/settingblock.h"
#include "platform/config.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace vq;
using Dir = EmulatorProcess::Direction;

namespace {

QList<bool> buttons(const StatusModel &s)
{
    QList<bool> b;
    for (int i = 0; i < kDeviceButtons; ++i)
        b << s.buttonEnabled(i);
    return b;
}

const QList<bool> kAllOn{true, true, true, true, true};
const QList<bool> kNoSettingData{true, false, true, true, true};
const QList<bool> kAllOff{false, false, false, false, false};

// The log the emulator's factory recording decodes to.
RunLog factoryRunLog()
{
    RunLog log;
    const QByteArray reply = "br" + emu::factoryLog().toHex().toUpper() + "\r";
    if (decodeRunReply(QString::fromLatin1(reply), log) != RunReplyStatus::Ok)
        qFatal("factory log does not decode");
    return log;
}

} // namespace

class TestOperations : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<EmulatorProcess> m_emu;
    std::unique_ptr<Config> m_config;
    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<StatusModel> m_status;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<CommandExchange> m_ex;
    std::unique_ptr<PortControl> m_control;
    std::unique_ptr<EditorModel> m_editor;
    std::unique_ptr<RunLog> m_log;
    std::unique_ptr<DeviceOperations> m_ops;

    bool startController(const QStringList &args = {})
    {
        m_emu = std::make_unique<EmulatorProcess>();
        const QString path = m_emu->start(QStringList{QStringLiteral("--no-pacing")} + args);
        if (path.isEmpty()) {
            qWarning("%s", qPrintable(m_emu->errorText()));
            return false;
        }
        m_config = std::make_unique<Config>(m_dir.path());
        m_config->WriteIniString(QStringLiteral("Ports"), QStringLiteral("Com1"), path);
        m_config->CommPortNo = 1;
        m_port = std::make_unique<SerialPort>();
        m_status = std::make_unique<StatusModel>();
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_ex = std::make_unique<CommandExchange>(*m_port, *m_status, *m_prompter);
        // 3 s become 300 ms, 12 s 1.2 s, the pauses 30 and 50 ms.
        m_ex->setTimeScale(0.1);
        m_control = std::make_unique<PortControl>(*m_port, *m_config, *m_status);
        m_control->OpenPort();
        m_control->EnableCommands();
        m_editor = std::make_unique<EditorModel>();
        m_editor->reset();
        m_log = std::make_unique<RunLog>();
        m_ops = std::make_unique<DeviceOperations>(*m_ex, *m_control, *m_editor, *m_log, *m_prompter, *m_status);
        return m_port->isOpen();
    }

    QByteArray wire() const { return m_emu->traceBytes(Dir::Received); }

    // The common end of a good operation.
    void verifyCompleted(const QList<bool> &expectedButtons)
    {
        QCOMPARE(m_status->messageText(), kMsgCompletion);
        QCOMPARE(m_status->messageColour(), kColourBlack);
        QCOMPARE(buttons(*m_status), expectedButtons);
        QCOMPARE(m_status->lampColour(), kLampIdle);
        QVERIFY(!m_status->lampBlinking());
        QVERIFY(!m_status->busy());
        QVERIFY(!m_ex->CommError);
        QCOMPARE(m_prompter->messageCount(), 0);
    }

    void verifyFailedWith(const QString &redText)
    {
        QVERIFY(m_ex->CommError);
        QCOMPARE(m_status->messageText(), redText);
        QCOMPARE(m_status->messageColour(), kColourRed);
        QCOMPARE(m_status->lampColour(), kLampIdle);
        QVERIFY(!m_status->lampBlinking());
        QVERIFY(!m_status->busy());
    }

private slots:
    void cleanup()
    {
        m_ops.reset();
        m_ex.reset();
        m_port.reset();
        if (m_emu)
            m_emu->stop();
        m_emu.reset();
    }

    // --- a well-behaved controller ---------------------------------------

    void settingDataRead()
    {
        QVERIFY(startController());
        QCOMPARE(buttons(*m_status), kNoSettingData);
        QCOMPARE(m_ex->RomVersion, qint16(-1));
        QSignalSpy busy(m_status.get(), &StatusModel::busyChanged);

        m_ops->CmdVqCom_Click(0);

        QCOMPARE(wire(), QByteArray("sr"));
        const QString block = QString::fromLatin1(emu::factoryBlock());
        QCOMPARE(m_ex->ReadBlock, block);
        QCOMPARE(m_ex->RomVersion, qint16(block.mid(60, 2).toInt(nullptr, 16)));
        QCOMPARE(m_editor->vqType(), kVqTypeName);
        QCOMPARE(m_editor->text(0), QStringLiteral("2000"));
        QCOMPARE(m_editor->text(5), QStringLiteral("4"));
        QCOMPARE(m_editor->text(6), QStringLiteral("3"));
        verifyCompleted(kAllOn);
        QCOMPARE(m_status->focusRequest(), 0);
        QCOMPARE(busy.count(), 2); // on for the operation, off at its end
    }

    void settingDataWriteWithVerify()
    {
        QVERIFY(startController());
        m_ops->CmdVqCom_Click(0);
        m_editor->setText(5, QStringLiteral("8")); // Dead Band
        m_ops->CmdVqCom_Click(1);

        QByteArray expected = emu::factoryBlock();
        expected.replace(32, 2, "08");
        QCOMPARE(m_ex->WriteBlock, QString::fromLatin1(expected));
        // The read of the first click, then: sw, the block, the verify's read.
        QCOMPARE(wire(), "sr" + QByteArray("sw") + expected + "sr");
        QCOMPARE(m_ex->ReadBlock, QString::fromLatin1(expected));
        QCOMPARE(m_editor->text(5), QStringLiteral("8"));
        verifyCompleted(kAllOn);
        QCOMPARE(m_status->focusRequest(), 1);
    }

    void settingDataWriteReadsFirstWhenNothingWasRead()
    {
        QVERIFY(startController());
        // The editor filled by hand (as from a settings file).
        QVERIFY(ShowSettingData(QString::fromLatin1(emu::factoryBlock()), *m_editor).status == DecodeStatus::Ok);
        m_ops->CmdVqCom_Click(1);
        QCOMPARE(wire(), "sr" + QByteArray("sw") + emu::factoryBlock() + "sr");
        verifyCompleted(kAllOn);
    }

    void settingDataWriteRefusesAnInvalidEditorWithoutSending()
    {
        QVERIFY(startController());
        m_ops->CmdVqCom_Click(0);
        m_editor->setText(8, QString()); // Brake Max. Duty emptied
        m_prompter->clear();
        m_ops->CmdVqCom_Click(1);
        QCOMPARE(wire(), QByteArray("sr"));
        QCOMPARE(m_prompter->messageTexts(), QStringList{kMsgDataAbnormal});
        QCOMPARE(m_prompter->prompts[0].icon, MessageIcon::Information);
        // Nothing failed on the line: the operation still ends in Completion.
        QCOMPARE(m_status->messageText(), kMsgCompletion);
    }

    void defaultDataWrite_data()
    {
        QTest::addColumn<bool>("readBefore");
        QTest::newRow("nothing read yet") << false;
        QTest::newRow("block read before") << true;
    }

    void defaultDataWrite()
    {
        QFETCH(bool, readBefore);
        QVERIFY(startController());
        QByteArray before;
        if (readBefore) {
            m_ops->CmdVqCom_Click(0);
            m_editor->setText(5, QStringLiteral("9"));
            m_ops->CmdVqCom_Click(1); // the controller now differs from its defaults
            before = wire();
        }
        m_ops->CmdVqCom_Click(2);
        const QByteArray sent = wire().mid(before.size());
        QCOMPARE(sent, readBefore ? QByteArray("aertsr") : QByteArray("sraertsr"));
        QCOMPARE(m_ex->ReadBlock, QString::fromLatin1(emu::factoryBlock()));
        QCOMPARE(m_editor->text(5), QStringLiteral("4"));
        verifyCompleted(kAllOn);
        QCOMPARE(m_status->focusRequest(), 2);
    }

    void dataGetAndDataClear()
    {
        QVERIFY(startController());
        m_ops->CmdVqCom_Click(3);
        QCOMPARE(wire(), QByteArray("br"));
        QVERIFY(*m_log == factoryRunLog());
        verifyCompleted(kNoSettingData);
        QCOMPARE(m_status->focusRequest(), -1); // focus stays with the log window

        m_ops->CmdVqCom_Click(4);
        QCOMPARE(wire(), QByteArray("brsrbe"));
        QCOMPARE(m_editor->text(0), QString()); // the read of Data Clear isn't shown
        verifyCompleted(kNoSettingData);
        QCOMPARE(m_status->focusRequest(), 4);

        m_ops->CmdVqCom_Click(3);
        QVERIFY(!m_log->hasData());
        QCOMPARE(m_log->RunCur(100), kEmptySample);
    }

    void dataGetHandsTheReplyToTheLogWindow()
    {
        QVERIFY(startController());
        QString handed;
        m_ops->setSetGraph([&](QStringView reply) {
            handed = reply.toString();
            return RunReplyStatus::Ok;
        });
        m_ops->CmdVqCom_Click(3);
        QCOMPARE(handed.size(), kRunReplyLength + 1);
        QVERIFY(handed.endsWith(u'\r'));
        QVERIFY(*m_log == RunLog()); // only the hook touched the log
    }

    // --- faults -------------------------------------------------------------

    void silentController()
    {
        QVERIFY(startController({QStringLiteral("--fault"), QStringLiteral("silent")}));
        bool busyWhileBox = false;
        m_prompter->onPrompt = [&](const ScriptedPrompter::Prompt &) {
            busyWhileBox = m_status->busy() && !m_status->comPortMenuEnabled() && !m_status->openMenusEnabled();
        };
        m_ops->CmdVqCom_Click(0);
        QVERIFY(busyWhileBox);
        QCOMPARE(m_prompter->messageTexts(), QStringList{kMsgCommFault});
        QCOMPARE(m_prompter->prompts[0].icon, MessageIcon::Exclamation);
        verifyFailedWith(kMsgCommFault);
        QCOMPARE(buttons(*m_status), kNoSettingData);
        QCOMPARE(m_editor->text(0), QString());
        QCOMPARE(m_ex->RomVersion, qint16(-1));

        // Data Clear: one box, and "be" never goes out after the failed read.
        m_prompter->clear();
        m_ops->CmdVqCom_Click(4);
        QCOMPARE(m_prompter->messageCount(), 1);
        QCOMPARE(wire(), QByteArray("srsr"));

        // Default Data Write with nothing read: sr, ae, rt, sr.
        m_prompter->clear();
        m_ops->CmdVqCom_Click(2);
        QCOMPARE(m_prompter->messageCount(), 4);
        QCOMPARE(wire(), QByteArray("srsrsraertsr"));

        // Data Get: the log stays as it was.
        m_prompter->clear();
        m_ops->CmdVqCom_Click(3);
        QCOMPARE(m_prompter->messageCount(), 1);
        QVERIFY(*m_log == RunLog());
        verifyFailedWith(kMsgCommFault);
    }

    void controllerFallingSilentAfterARead()
    {
        QVERIFY(startController());
        m_ops->CmdVqCom_Click(0);
        QVERIFY(m_emu->setFault(QStringLiteral("silent")));

        // A block was read: three boxes (ae, rt, sr).
        m_ops->CmdVqCom_Click(2);
        QCOMPARE(m_prompter->messageCount(), 3);
        QCOMPARE(m_editor->text(0), QString());
        QCOMPARE(buttons(*m_status), kNoSettingData);
    }

    void lateAnswerCountsAsTimeOutAndIsDiscardedLater()
    {
        QVERIFY(startController({QStringLiteral("--fault"), QStringLiteral("late"), QStringLiteral("--delay"),
                                 QStringLiteral("500")}));
        m_ops->CmdVqCom_Click(0);
        QCOMPARE(m_prompter->messageTexts(), QStringList{kMsgCommFault});
        QVERIFY(m_emu->setFault(QStringLiteral("none")));
        // The late answer arrives during this pause and must not count.
        m_ex->WaitTime(10.0); // 1 s at this scale
        m_prompter->clear();
        m_ops->CmdVqCom_Click(0);
        QCOMPARE(m_ex->ReadBlock, QString::fromLatin1(emu::factoryBlock()));
        verifyCompleted(kAllOn);
    }

    void unaskedCharactersAreDiscarded()
    {
        QVERIFY(startController({QStringLiteral("--fault"), QStringLiteral("unasked"), QStringLiteral("--unasked-ms"),
                                 QStringLiteral("20")}));
        m_ex->WaitTime(2.0); // let it chatter before the first exchange
        m_ops->CmdVqCom_Click(0);
        m_ops->CmdVqCom_Click(4);
        verifyCompleted(kAllOn);
        QCOMPARE(m_ex->ReadBlock, QString::fromLatin1(emu::factoryBlock()));
    }

    void verifyMismatch()
    {
        QVERIFY(startController({QStringLiteral("--fault"), QStringLiteral("bad-verify")}));
        m_ops->CmdVqCom_Click(0);
        m_ops->CmdVqCom_Click(1);
        QCOMPARE(m_prompter->messageCount(), 0);
        verifyFailedWith(kMsgVerifyNg);
        QCOMPARE(buttons(*m_status), kAllOn);
    }

    void partialEcho()
    {
        QVERIFY(startController({QStringLiteral("--fault"), QStringLiteral("partial-echo")}));
        m_ops->CmdVqCom_Click(0);
        m_editor->setText(5, QStringLiteral("9"));
        m_ops->CmdVqCom_Click(1);
        QVERIFY(m_prompter->messageTexts().startsWith(kMsgCannotSet));
        QVERIFY(m_ex->CommError);
        QVERIFY(m_status->messageText() != kMsgCompletion);
    }

    // A read the controller answers wrongly: the boxes, the line, what the
    // read leaves, and that Data Clear and Default Data Write stop after it.
    void faultyReadReplies_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("box");  // empty: none
        QTest::addColumn<QString>("line"); // red unless Completion
        QTest::newRow("garbage") << "garbage" << kMsgCannotSet << kMsgCannotSet;
        QTest::newRow("67") << "sr-67" << QString() << kMsgCannotSet;
        // The read itself succeeded; the block is refused when decoded.
        QTest::newRow("model-ff") << "model-ff" << kMsgSettingDeleted << kMsgCompletion;
        QTest::newRow("model-02") << "model-02" << kMsgOtherModel << kMsgCompletion;
    }

    void faultyReadReplies()
    {
        QFETCH(QString, fault);
        QFETCH(QString, box);
        QFETCH(QString, line);
        QVERIFY(startController({QStringLiteral("--fault"), fault}));
        m_ops->CmdVqCom_Click(0);
        QCOMPARE(m_prompter->messageTexts(), box.isEmpty() ? QStringList() : QStringList{box});
        if (!box.isEmpty())
            QCOMPARE(m_prompter->prompts[0].icon,
                     box == kMsgCannotSet ? MessageIcon::Information : MessageIcon::Exclamation);
        QCOMPARE(m_editor->text(0), QString());
        QCOMPARE(buttons(*m_status), kNoSettingData);
        if (line == kMsgCompletion) {
            QCOMPARE(m_status->messageText(), kMsgCompletion);
            QVERIFY(m_ex->RomVersion != -1);
            return;
        }
        verifyFailedWith(line);
        QCOMPARE(m_ex->ReadBlock, QString());
        QCOMPARE(m_ex->RomVersion, qint16(-1));
        if (fault == QLatin1String("garbage"))
            return;

        m_prompter->clear();
        m_ops->CmdVqCom_Click(4);
        QCOMPARE(wire(), QByteArray("srsr")); // no "be" after a refused read
        m_ops->CmdVqCom_Click(2);
        QCOMPARE(wire(), QByteArray("srsrsraertsr"));
        QCOMPARE(m_prompter->messageCount(), 0);
        verifyFailedWith(kMsgCannotSet);
    }

    void unusableRunDataLeavesTheLog_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("short") << "short-log";
        QTest::newRow("bad hex") << "bad-hex-log";
    }

    void unusableRunDataLeavesTheLog()
    {
        QFETCH(QString, fault);
        QVERIFY(startController());
        m_ops->CmdVqCom_Click(3);
        const RunLog before = *m_log;
        QVERIFY(m_emu->setFault(fault));
        m_ops->CmdVqCom_Click(3);
        QVERIFY(*m_log == before);
        QCOMPARE(m_prompter->messageTexts(), QStringList{kMsgCannotSet});
        QCOMPARE(m_prompter->prompts[0].icon, MessageIcon::Information);
        verifyFailedWith(kMsgCannotSet);
    }

    void lineVanishingMidOperation()
    {
        QVERIFY(startController({QStringLiteral("--fault"), QStringLiteral("vanish")}));
        m_ops->CmdVqCom_Click(2);
        // One box for the broken read; nothing sent after it, no more boxes.
        QCOMPARE(m_prompter->messageCount(), 1);
        QCOMPARE(wire(), QByteArray("sr"));
        QVERIFY(!m_port->isOpen());
        verifyFailedWith(kMsgPortCannotOpen);
        QCOMPARE(buttons(*m_status), kAllOff);

        // The menu reopens the line the emulator put back behind its link.
        const QString reopened = m_emu->waitForReopen();
        QVERIFY(!reopened.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestOperations)
#include "tst_operations.moc"
