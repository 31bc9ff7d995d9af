// The program during and at the end of a session with the controller: what
// stays usable while an operation waits for a reply, how closing the window
// or Exit ends everything at once, one whole session clicked through the
// window from reading the settings to writing a changed one, and the file
// menus wired to the editor, the device buttons and the log window (the file
// commands' own rules are tested without a window).

#include "apprig.h"
#include "controllerdata.h"
#include "emulatorprocess.h"
#include "link/commandexchange.h"
#include "link/deviceoperations.h"
#include "link/portcontrol.h"
#include "runlog/logwindow.h"
#include "settings/paramtable.h"
#include "testfiles.h"

#include <QSignalSpy>
#include <QTest>
#include <QPointer>
#include <QTimer>

using namespace vq;
using Dir = EmulatorProcess::Direction;
using Kind = ScriptedPrompter::Kind;

namespace {

const QString kSettingFilter = QStringLiteral("VQ setting data (*.set)|*.set|ALL files(*.*)|*.*");

QStringList fieldTexts(const FrmMain &w)
{
    QStringList texts;
    for (int i = 0; i < kParamCount; ++i)
        texts << w.TxtData(i)->text();
    return texts;
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

    std::unique_ptr<EmulatorProcess> m_emu;
    std::unique_ptr<AppRig> m_rig;

    FrmMain &w() { return m_rig->window(); }

    // The program against a fresh controller pinned as Com1.
    bool start(const QStringList &emulatorArgs, double timeScale)
    {
        m_emu = std::make_unique<EmulatorProcess>();
        const QString line = m_emu->start(QStringList{QStringLiteral("--no-pacing")} + emulatorArgs);
        if (line.isEmpty())
            return false;
        m_rig = std::make_unique<AppRig>();
        m_rig->pinPorts({{1, line}});
        m_rig->storePort(QStringLiteral(" 1"));
        return m_rig->start(timeScale) && m_rig->app->portControl().isOpen();
    }

    // The program with no port at all.
    bool startWithoutPort()
    {
        m_rig = std::make_unique<AppRig>();
        m_rig->pinPorts({});
        m_rig->storePort(QStringLiteral(" 0"));
        return m_rig->start();
    }

    QByteArray wire() const { return m_emu->traceBytes(Dir::Received); }
    ScriptedPrompter &prompter() { return m_rig->prompter; }

private slots:
    void cleanup()
    {
        m_rig.reset();
        if (m_emu)
            m_emu->stop();
        m_emu.reset();
    }

    void whileWaitingOnlyHarmlessCommandsAreOpen()
    {
        QVERIFY(start({QStringLiteral("--fault"), QStringLiteral("silent")}, 0.01));
        Application &app = *m_rig->app;
        bool checked = false;
        QSignalSpy sent(&app.exchange(), &CommandExchange::commandSent);
        QMetaObject::Connection c = connect(&app.exchange(), &CommandExchange::commandSent, this, [&] {
            // Inside the wait for the reply.
            QVERIFY(!w().mnuCom->isEnabled());
            QVERIFY(!w().mnuOpen->isEnabled());
            QVERIFY(!w().munOpenLog->isEnabled());
            QVERIFY(w().mnuSave->isEnabled());
            QVERIFY(w().mnuSaveLog->isEnabled());
            QVERIFY(w().mnuEnd->isEnabled());
            QCOMPARE(deviceButtons(w()), kAllButtonsOff);
            // A disabled entry does nothing when reached anyway (a shortcut).
            w().mnuCom->trigger();
            w().munOpenLog->trigger();
            w().mnuOpen->trigger();
            QCOMPARE(m_rig->dialogRuns, 0);
            QVERIFY(app.portControl().isOpen());
            QCOMPARE(m_rig->prompter.prompts.size(), 0);
            checked = true;
        });
        QTest::mouseClick(w().CmdVqCom(0), Qt::LeftButton);
        disconnect(c);
        QVERIFY(checked);
        // The silent controller: the time-out's box, then the red line, and
        // every menu entry usable again.
        QCOMPARE(m_rig->prompter.messageTexts(), QStringList{kMsgCommFault});
        QCOMPARE(messageText(w()), kMsgCommFault);
        QCOMPARE(textColour(w().TxtMsg()), kRedText);
        for (QAction *a : {w().mnuCom, w().mnuOpen, w().munOpenLog, w().mnuSave, w().mnuSaveLog, w().mnuEnd})
            QVERIFY2(a->isEnabled(), qPrintable(a->text()));
        QCOMPARE(sent.count(), 1); // the disabled entries sent nothing of their own
    }

    void closingTheWindowEndsAWaitingOperationAtOnce_data()
    {
        QTest::addColumn<bool>("byExitMenu");
        QTest::newRow("close box") << false;
        QTest::newRow("Exit") << true;
    }

    void closingTheWindowEndsAWaitingOperationAtOnce()
    {
        QFETCH(bool, byExitMenu);
        // Full time-outs: only the close can end the wait early.
        QVERIFY(start({QStringLiteral("--fault"), QStringLiteral("silent")}, 1.0));
        Application &app = *m_rig->app;
        QSignalSpy ended(&app, &Application::ended);
        QSignalSpy sent(&app.exchange(), &CommandExchange::commandSent);
        connect(&app.exchange(), &CommandExchange::commandSent, this, [&] {
            QTimer::singleShot(0, this, [&] {
                if (byExitMenu)
                    w().mnuEnd->trigger();
                else
                    w().close();
            });
        });
        QTest::mouseClick(w().CmdVqCom(3), Qt::LeftButton); // Data Get: "br", waits 10 s
        QCOMPARE(ended.count(), 1);
        QVERIFY(!w().isVisible());
        QVERIFY(!app.portControl().isOpen());
        QVERIFY(app.exchange().aborted());
        QCOMPARE(m_rig->prompter.prompts.size(), 0); // no time-out box, nothing else
        // Nothing sent after the close (the program's own account: the
        // controller may not even have read the command before the line closed).
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.at(0).at(0).toByteArray(), QByteArray("br"));
        QCOMPARE(app.exchange().CommError, false);
    }

    void closingTheWindowClosesTheLogWindow()
    {
        QVERIFY(start({}, 0.01));
        Application &app = *m_rig->app;
        QTest::mouseClick(w().CmdVqCom(3), Qt::LeftButton); // Data Get
        QCOMPARE(messageText(w()), kMsgCompletion);
        QPointer<FrmLog> log = app.logWindow().window();
        QVERIFY(log && log->isVisible());
        QSignalSpy ended(&app, &Application::ended);
        w().mnuEnd->trigger();
        QCOMPARE(ended.count(), 1);
        QVERIFY(!log || !log->isVisible());
        QVERIFY(!app.portControl().isOpen());
        // Closing an ended program again changes nothing.
        w().close();
        QCOMPARE(ended.count(), 1);
    }

    void readEditWriteClickedThroughTheWindow()
    {
        QVERIFY(start({}, 0.01));
        QTest::mouseClick(w().CmdVqCom(0), Qt::LeftButton); // Setting Data Read
        QCOMPARE(messageText(w()), kMsgCompletion);
        QCOMPARE(textColour(w().TxtMsg()), kBlackText);
        QCOMPARE(deviceButtons(w()), kAllButtonsOn);
        QLineEdit *lowBatt = w().TxtData(6);
        QCOMPARE(lowBatt->text(), QStringLiteral("3"));

        lowBatt->selectAll();
        QTest::keyClicks(lowBatt, QStringLiteral("4.5"));
        QCOMPARE(textColour(lowBatt), kBlackText);
        QTest::mouseClick(w().CmdVqCom(1), Qt::LeftButton); // Setting Data Write

        // 4.5 V is byte 0x3A (57.95 rounded): the only change to the block read.
        QByteArray expected = emu::factoryBlock();
        expected.replace(34, 2, "3A");
        const QByteArray sent = wire();
        const qsizetype at = sent.indexOf("sw");
        QVERIFY(at >= 0);
        QCOMPARE(sent.mid(at + 2, 64), expected);
        QCOMPARE(sent.mid(at), "sw" + expected + "sr"); // then the verify's read
        QCOMPARE(messageText(w()), kMsgCompletion);
        QCOMPARE(textColour(w().TxtMsg()), kBlackText);
        QCOMPARE(lowBatt->text(), QStringLiteral("4.5"));
        QCOMPARE(m_rig->prompter.prompts.size(), 0);
        QCOMPARE(w().ShpLED()->colour(), kLampIdle);
    }

    // --- the file menus ------------------------------------------------------

    void settingsSaveThenOpenRestoresTheEditor()
    {
        QVERIFY(start({}, 0.01));
        QTest::mouseClick(w().CmdVqCom(0), Qt::LeftButton);
        const QStringList read = fieldTexts(w());
        QCOMPARE(read.at(0), QStringLiteral("2000"));
        const QString path = m_rig->filePath(QStringLiteral("mine.set"));

        prompter().fileNames << path;
        w().mnuSave->trigger();
        QCOMPARE(readFile(path), emu::factoryBlock()); // 64 bytes, no line ending
        QCOMPARE(prompter().prompts.at(0).text, kSettingFilter);

        // Change the editor through its widgets, then load the file back.
        w().TxtData(0)->selectAll();
        QTest::keyClicks(w().TxtData(0), QStringLiteral("3000"));
        QTest::mouseClick(w().ChkCurLimOff(), Qt::LeftButton);
        QVERIFY(fieldTexts(w()) != read);

        prompter().clear();
        prompter().fileNames << path;
        w().mnuOpen->trigger();
        QCOMPARE(prompter().prompts.size(), 1);
        QCOMPARE(prompter().prompts.at(0).kind, Kind::OpenDialog);
        QCOMPARE(fieldTexts(w()), read);
        QVERIFY(!w().ChkCurLimOff()->isChecked());
        QVERIFY(w().TxtData(7)->isEnabled());
    }

    void saveRefusesAnIncompleteEditorBeforeAnyDialog()
    {
        QVERIFY(startWithoutPort());
        w().mnuSave->trigger();
        QCOMPARE(prompter().prompts.size(), 1);
        QCOMPARE(prompter().prompts.at(0).kind, Kind::Message);
        QCOMPARE(prompter().prompts.at(0).text, QStringLiteral("Data is abnormal!!\r\nPlease set it correctly."));
    }

    void openedSettingsFileEnablesWriteWithoutAPort()
    {
        QVERIFY(startWithoutPort());
        const QString path = m_rig->filePath(QStringLiteral("factory.set"));
        QVERIFY(writeFile(path, emu::factoryBlock()));
        prompter().fileNames << path;
        w().mnuOpen->trigger();
        QCOMPARE(prompter().messageCount(), 0);
        QCOMPARE(w().TxtData(6)->text(), QStringLiteral("3"));
        QCOMPARE(deviceButtons(w()), (QList<bool>{false, true, false, false, false}));
    }

    void logSavedAfterDataGetOpensInTheLogWindow()
    {
        QVERIFY(start({}, 0.01));
        QTest::mouseClick(w().CmdVqCom(3), Qt::LeftButton); // Data Get
        FrmLog *log = m_rig->app->logWindow().window();
        QVERIFY(log && log->isVisible());
        log->close();
        QVERIFY(!m_rig->app->logWindow().window());

        const QString path = m_rig->filePath(QStringLiteral("run.csv"));
        prompter().fileNames << path;
        w().mnuSaveLog->trigger();
        const QByteArray saved = readFile(path);
        QVERIFY(saved.startsWith("Time(s),Voltage(V),Current(A)\r\n0,"));
        QCOMPARE(saved.count("\r\n"), 513);

        prompter().fileNames << path;
        w().munOpenLog->trigger();
        QCOMPARE(prompter().messageCount(), 0);
        log = m_rig->app->logWindow().window();
        QVERIFY(log && log->isVisible());
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
