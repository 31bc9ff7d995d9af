// Start-up as the user meets it: the port dialog before the window when no
// port is stored, the message line and the device buttons after each way the
// port can fare, the refused second copy; and the port dialog "ComPort
// Setting" itself, driven through its widgets, from start-up and from the
// ComPort menu.

#include "apprig.h"
#include "emulatorprocess.h"
#include "link/portcontrol.h"
#include "platform/serialport.h"
#include "shell/frmconfig.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace vq;

namespace {

QStringList comboTexts(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

// Runs the real dialog on the program's selection, lets `drive` work its
// widgets, and counts how often the selection reported the dialog finished.
std::function<void(PortSelection &)> realDialog(std::function<void(FrmConfig &)> drive, int *finishedCount = nullptr)
{
    return [drive, finishedCount](PortSelection &selection) {
        if (finishedCount)
            QObject::connect(&selection, &PortSelection::finished, [finishedCount] { ++*finishedCount; });
        FrmConfig dialog(selection);
        dialog.show();
        drive(dialog);
    };
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

    std::unique_ptr<EmulatorProcess> m_com1;
    std::unique_ptr<EmulatorProcess> m_com3;

    static QString startController(std::unique_ptr<EmulatorProcess> &emu)
    {
        emu = std::make_unique<EmulatorProcess>();
        return emu->start({QStringLiteral("--no-pacing")});
    }

private slots:
    void initTestCase()
    {
        QVERIFY(!startController(m_com1).isEmpty());
        QVERIFY(!startController(m_com3).isEmpty());
    }

    void cleanupTestCase()
    {
        m_com1->stop();
        m_com3->stop();
    }

    // --- start-up ----------------------------------------------------------

    void versionText_data()
    {
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("text");
        QTest::newRow("this program") << 1 << 0 << 0 << "Version1.00";
        QTest::newRow("no dot before the revision") << 1 << 2 << 5 << "Version1.25";
        QTest::newRow("no leading zeros") << 2 << 10 << 3 << "Version2.103";
    }

    void versionText()
    {
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, revision);
        QFETCH(QString, text);
        QCOMPARE(makeVersionText(major, minor, revision), text);
    }

    void firstStartAsksForThePortBeforeTheWindow_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QList<bool>>("buttons");
        QTest::newRow("OK on Com1, which opens") << true << "CommPort was initialized." << kBlackText << kPortOpenButtons;
        QTest::newRow("Cancel") << false << "ComPort cannot be opened." << kRedText << kAllButtonsOff;
    }

    void firstStartAsksForThePortBeforeTheWindow()
    {
        QFETCH(bool, ok);
        QFETCH(QString, message);
        QFETCH(QColor, colour);
        QFETCH(QList<bool>, buttons);

        AppRig rig;
        rig.pinPorts({{1, m_com1->slavePath()}}); // the file holds no port yet
        rig.dialog = ok ? pickAndOk(QStringLiteral("Com1")) : cancelDialog();
        QVERIFY(rig.start());

        QCOMPARE(rig.dialogRuns, 1);
        QVERIFY(!rig.windowVisibleAtDialog);
        QVERIFY(rig.window().isVisible());
        QCOMPARE(messageText(rig.window()), message);
        QCOMPARE(textColour(rig.window().TxtMsg()), colour);
        QCOMPARE(deviceButtons(rig.window()), buttons);
        QCOMPARE(rig.app->portControl().isOpen(), ok);
        QCOMPARE(rig.iniBytes().contains("CommPort= 1"), ok);
        QCOMPARE(rig.prompter.prompts.size(), 0);
    }

    void portThatCannotOpenBringsTheDialog()
    {
        AppRig rig;
        rig.pinPorts({{1, m_com1->slavePath()}});
        rig.storePort(QStringLiteral(" 2")); // pinned to a path that doesn't exist
        // The red message is up while the dialog asks; a bad pick and OK asks
        // again; then Com1 and OK.
        QStringList messagesAtDialog;
        rig.dialog = [&](PortSelection &selection) {
            messagesAtDialog << messageText(rig.window()) + u'/' + textColour(rig.window().TxtMsg()).name();
            if (rig.dialogRuns == 1)
                pickAndOk(QStringLiteral("Com2"))(selection); // not listed: keeps port 2
            else
                pickAndOk(QStringLiteral("Com1"))(selection);
        };
        QVERIFY(rig.start());
        QCOMPARE(rig.dialogRuns, 2);
        QCOMPARE(messagesAtDialog, QStringList(2, QStringLiteral("ComPort cannot be opened./#ff0000")));
        QCOMPARE(messageText(rig.window()), QStringLiteral("CommPort was initialized."));
        QCOMPARE(textColour(rig.window().TxtMsg()), kBlackText);
        QCOMPARE(deviceButtons(rig.window()), kPortOpenButtons);
        QCOMPARE(rig.app->serialPort().devicePath(), m_com1->slavePath());
    }

    void secondCopyOfTheSameProgramFileIsRefused()
    {
        AppRig first;
        first.pinPorts({});
        first.storePort(QStringLiteral(" 0"));
        QVERIFY(first.start());

        // The same program file started again: the box, no window, no dialog,
        // no profile file touched, no port.
        vq::ScriptedPrompter prompter;
        int dialogs = 0;
        vq::Application::Options options;
        options.programFile = first.programFile();
        options.prompter = &prompter;
        options.portDialog = [&](PortSelection &) { ++dialogs; };
        const QByteArray iniBefore = first.iniBytes();
        {
            vq::Application second(options);
            QVERIFY(!second.Main());
            QCOMPARE(prompter.messageTexts(), QStringList{QStringLiteral("This application is already opened!!")});
            QCOMPARE(prompter.prompts.at(0).icon, MessageIcon::None);
            QVERIFY(!second.mainWindow().isVisible());
            QVERIFY(!second.portControl().isOpen());
            QCOMPARE(dialogs, 0);
        }
        QCOMPARE(first.iniBytes(), iniBefore);
        // The first copy runs on untouched.
        QVERIFY(first.window().isVisible());
        QCOMPARE(first.prompter.prompts.size(), 0);

        // A copy installed elsewhere (another program file, another profile) starts.
        AppRig elsewhere;
        elsewhere.pinPorts({});
        elsewhere.storePort(QStringLiteral(" 0"));
        QVERIFY(elsewhere.start());
        QVERIFY(elsewhere.window().isVisible());
        QCOMPARE(elsewhere.prompter.prompts.size(), 0);

        // Once the first copy has ended, its program file starts again.
        first.app.reset();
        vq::Application again(options);
        QVERIFY(again.Main());
    }

    // --- the port dialog ---------------------------------------------------

    void dialogListsThePortsThatOpenAndStoresTheConfiguredOne()
    {
        AppRig rig;
        rig.pinPorts({{1, m_com1->slavePath()}, {3, m_com3->slavePath()}});
        rig.storePort(QStringLiteral("3")); // as a hand-edited file may hold it
        QVERIFY(rig.start());
        QCOMPARE(rig.app->serialPort().devicePath(), m_com3->slavePath());
        QVERIFY(!rig.iniBytes().contains("CommPort= 3"));

        bool checked = false;
        rig.dialog = realDialog([&](FrmConfig &dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("ComPort Setting"));
            QVERIFY(!(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            const auto *text = dialog.findChild<QLabel *>(QStringLiteral("Label17"));
            QVERIFY(text);
            QCOMPARE(text->text(), QStringLiteral("ComPort is selected, and VQ is connected."));
            QCOMPARE(dialog.cmdOk()->text(), QStringLiteral("OK"));
            QCOMPARE(dialog.CmdCancel()->text(), QStringLiteral("Cancel"));
            // The menu closed the program's own port before probing.
            QVERIFY(!rig.app->portControl().isOpen());
            QVERIFY(!dialog.Combo()->isEditable());
            QCOMPARE(comboTexts(dialog.Combo()), (QStringList{"Com1", "Com3"}));
            QCOMPARE(dialog.Combo()->currentText(), QStringLiteral("Com3"));
            QCOMPARE(dialog.Combo()->itemData(0, Qt::ToolTipRole).toString(), m_com1->slavePath());
            QCOMPARE(dialog.Combo()->itemData(1, Qt::ToolTipRole).toString(), m_com3->slavePath());
            // Selected on opening, so stored again, in the program's own form.
            QVERIFY(rig.iniBytes().contains("CommPort= 3"));
            QTest::mouseClick(dialog.cmdOk(), Qt::LeftButton);
            QVERIFY(dialog.isHidden());
            checked = true;
        });
        rig.window().mnuCom->trigger();
        QVERIFY(checked);
        QVERIFY(!rig.app->config().ConfigCancelled);
        QVERIFY(rig.app->portControl().isOpen());
        QCOMPARE(rig.app->serialPort().devicePath(), m_com3->slavePath());
        QCOMPARE(messageText(rig.window()), QStringLiteral("CommPort was initialized."));
        QCOMPARE(deviceButtons(rig.window()), kPortOpenButtons);
    }

    void pickedPortIsStoredEvenWhenCancelled()
    {
        AppRig rig;
        rig.pinPorts({{1, m_com1->slavePath()}, {3, m_com3->slavePath()}});
        rig.storePort(QStringLiteral(" 3"));
        QVERIFY(rig.start());

        rig.dialog = realDialog([&](FrmConfig &dialog) {
            QTest::keyClick(dialog.Combo(), Qt::Key_Up); // Com3 -> Com1
            QCOMPARE(dialog.Combo()->currentText(), QStringLiteral("Com1"));
            QCOMPARE(rig.app->config().CommPortNo, qint16(1));
            QTest::mouseClick(dialog.CmdCancel(), Qt::LeftButton);
        });
        rig.window().mnuCom->trigger();
        QVERIFY(rig.app->config().ConfigCancelled);
        QVERIFY(rig.iniBytes().contains("CommPort= 1"));
        QVERIFY(!rig.iniBytes().contains("CommPort= 3"));
        QVERIFY(!rig.app->portControl().isOpen());
        QCOMPARE(messageText(rig.window()), QStringLiteral("ComPort cannot be opened."));
        QCOMPARE(textColour(rig.window().TxtMsg()), kRedText);
        QCOMPARE(deviceButtons(rig.window()), kAllButtonsOff);

        // The next start opens the port picked last.
        rig.app.reset();
        rig.dialog = {};
        QVERIFY(rig.start());
        QCOMPARE(rig.dialogRuns, 1); // the menu's, none at this start
        QCOMPARE(rig.app->serialPort().devicePath(), m_com1->slavePath());
        QCOMPARE(messageText(rig.window()), QStringLiteral("CommPort was initialized."));
    }

    void closeBoxKeepsTheLastAnswer()
    {
        AppRig rig;
        rig.pinPorts({{1, m_com1->slavePath()}});
        rig.storePort(QStringLiteral(" 1"));
        QVERIFY(rig.start());

        int finished = 0;
        // The close box before any Cancel: counts as not cancelled, so the
        // menu opens the port again.
        rig.dialog = realDialog([](FrmConfig &dialog) { dialog.close(); }, &finished);
        rig.window().mnuCom->trigger();
        QCOMPARE(finished, 1);
        QVERIFY(!rig.app->config().ConfigCancelled);
        QVERIFY(rig.app->portControl().isOpen());
        QCOMPARE(messageText(rig.window()), QStringLiteral("CommPort was initialized."));

        // Cancel, then the close box: still cancelled, the port stays closed.
        finished = 0;
        rig.dialog = realDialog([](FrmConfig &dialog) { QTest::mouseClick(dialog.CmdCancel(), Qt::LeftButton); },
                                &finished);
        rig.window().mnuCom->trigger();
        rig.dialog = realDialog([](FrmConfig &dialog) { dialog.close(); }, &finished);
        rig.window().mnuCom->trigger();
        QCOMPARE(finished, 2);
        QVERIFY(rig.app->config().ConfigCancelled);
        QVERIFY(!rig.app->portControl().isOpen());
        QCOMPARE(messageText(rig.window()), QStringLiteral("ComPort cannot be opened."));
        QCOMPARE(deviceButtons(rig.window()), kAllButtonsOff);

        // Escape is the close box too; OK afterwards reopens.
        finished = 0;
        rig.dialog = realDialog([](FrmConfig &dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }, &finished);
        rig.window().mnuCom->trigger();
        QCOMPARE(finished, 1);
        QVERIFY(rig.app->config().ConfigCancelled);
        rig.dialog = realDialog([](FrmConfig &dialog) { QTest::mouseClick(dialog.cmdOk(), Qt::LeftButton); });
        rig.window().mnuCom->trigger();
        QVERIFY(rig.app->portControl().isOpen());
        QCOMPARE(deviceButtons(rig.window()), kPortOpenButtons);
        QCOMPARE(rig.prompter.prompts.size(), 0);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
