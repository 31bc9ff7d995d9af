// The whole program against the emulator. Start-up as the user meets it: the
// port dialog before the window when no port is stored or the stored one fails
// (again after every OK that doesn't help), the message line and the device
// buttons after each way it can end; the port dialog left by Escape, the close
// box, Cancel or OK; one running copy per user; the real program ended by a
// signal. Then a session clicked through the window: read, edit and write with
// the block found on the line; the menus while an operation waits and closing
// the window in that wait; Copy Report.
// Last, what the window offers for a line that fails: the port dialog's list
// that follows the plug and its "Other Ports…", and a lost line that comes
// back by itself after the box is closed, or stays closed.

#include "apprig.h"
#include "emulatorprocess.h"
#include "fakedevicewatcher.h"
#include "link/commandexchange.h"
#include "link/deviceoperations.h"
#include "link/portcontrol.h"
#include "link/portreturn.h"
#include "platform/instanceguard.h"
#include "platform/serialport.h"
#include "shell/frmconfig.h"
#include "shell/otherports.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <csignal>
#include <unistd.h>

using namespace vq;

namespace {

const QString kOpened = fixture::msg::portInitialized + "|black";
const QString kNotOpened = fixture::msg::portCannotOpen + "|red";

// The profile's port line as the file holds it.
QString commPortLine(const AppRig &rig)
{
    return QRegularExpression("CommPort=[^\r\n]*").match(QString::fromLatin1(rig.iniBytes())).captured();
}

// A profile whose Com1 to Com3 are pinned to /dev/vq1 to /dev/vq3.
void pinThree(Config &config)
{
    for (int n = 1; n <= 3; ++n)
        config.WriteIniString("Ports", QStringLiteral("Com%1").arg(n), QStringLiteral("/dev/vq%1").arg(n));
}

QStringList items(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

    // Every test has a controller of its own, in the factory state, on a line
    // no earlier test has used (or left refusing its settings): the tests run
    // in any order, alone or all.
    std::unique_ptr<EmulatorProcess> m_emu;
    QString m_line;
    QTemporaryDir m_runtime;   // this user's runtime folder
    QTemporaryDir m_installed; // a copy of the real program and its profile file
    QString m_program;

    QByteArray received() const { return m_emu->traceBytes(EmulatorProcess::Direction::Received); }

private slots:
    void initTestCase()
    {
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "offscreen"); // for the real program
        QVERIFY(!fixture::copyProgram(m_installed.path()).isEmpty());
        m_program = QFileInfo(m_installed.filePath("vq530t-link")).canonicalFilePath();
    }

    void init()
    {
        m_emu = std::make_unique<EmulatorProcess>();
        m_line = m_emu->start({QStringLiteral("--no-pacing")});
        QVERIFY2(!m_line.isEmpty(), qPrintable(m_emu->errorText()));
    }

    void cleanup()
    {
        m_emu.reset();
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    }

    void startUp_data()
    {
        QTest::addColumn<QString>("stored");      // null: the profile holds no port
        QTest::addColumn<QStringList>("answers"); // each dialog: the entry picked with OK, or Cancel
        QTest::addColumn<QString>("atDialog");    // the message line while the dialog asks
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<QString>("profile");
        const QString failed = fixture::msg::portCannotOpen;
        QTest::newRow("no port stored, OK on Com1") << QString() << QStringList{"Com1"} << "" << kOpened << "10111" << "CommPort= 1";
        QTest::newRow("no port stored, Cancel") << QString() << QStringList{"Cancel"} << "" << kNotOpened << "00000" << "";
        QTest::newRow("stored port fails, OK keeps it, asked again, Com1")
            << " 2" << QStringList{"Com2", "Com1"} << failed << kOpened << "10111" << "CommPort= 1";
        QTest::newRow("stored port fails, Cancel") << " 2" << QStringList{"Cancel"} << failed << kNotOpened << "00000" << "CommPort= 2";
    }

    void startUp()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, answers);
        AppRig rig;
        rig.pin({{1, m_line}}, stored);
        rig.answers = answers;
        QVERIFY(rig.start());
        QCOMPARE(rig.dialogRuns, answers.size());
        QVERIFY(!rig.windowVisibleAtDialog && rig.window().isVisible());
        QTEST(rig.messageAtDialog, "atDialog");
        QTEST(shown(rig.window().TxtMsg()), "message");
        QTEST(deviceButtons(rig.window()), "buttons");
        QTEST(commPortLine(rig), "profile");
        QCOMPARE(rig.prompter.prompts.size(), 0);
    }

    void portDialogOnlyOkOpens_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Escape") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("Cancel") << 2;
        QTest::newRow("OK") << 3;
    }

    void portDialogOnlyOkOpens()
    {
        QFETCH(int, how);
        AppRig rig;
        rig.pin({{1, m_line}, {3, m_line}}, "3"); // as a hand-edited file may hold it
        QVERIFY(rig.start());
        rig.dialog = [&](PortSelection &selection) {
            FrmConfig dialog(selection);
            dialog.show();
            QCOMPARE(dialog.Combo()->currentText(), QStringLiteral("Com3"));
            QTest::keyClick(dialog.Combo(), Qt::Key_Up); // the user picks Com1: stored at once
            QCOMPARE(commPortLine(rig), QStringLiteral("CommPort= 1"));
            if (how == 0)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else if (how == 1)
                dialog.close();
            else
                QTest::mouseClick(how == 2 ? dialog.CmdCancel() : dialog.cmdOk(), Qt::LeftButton);
            QVERIFY(dialog.isHidden());
        };
        rig.window().mnuCom->trigger();
        QCOMPARE(rig.dialogRuns, 1);
        QCOMPARE(shown(rig.window().TxtMsg()), how == 3 ? kOpened : kNotOpened);
        QCOMPARE(deviceButtons(rig.window()), how == 3 ? "10111" : "00000");
        QCOMPARE(rig.prompter.prompts.size(), 0);
    }

    void secondCopyIsRefusedForTheSameUserOnly()
    {
        AppRig first, second, otherUser;
        first.pin({}, " 0");
        QVERIFY(first.start());
        second.program = otherUser.program = first.programFile();
        QVERIFY(!second.start());
        QCOMPARE(second.prompter.prompts.size(), 1);
        QCOMPARE(second.prompter.prompts.at(0).text, fixture::msg::alreadyOpened);
        QCOMPARE(second.prompter.prompts.at(0).icon, MessageIcon::None);
        QVERIFY(!second.window().isVisible() && second.dialogRuns == 0);
        // Another user of the machine has a runtime folder of their own.
        QTemporaryDir otherRuntime;
        qputenv("XDG_RUNTIME_DIR", otherRuntime.path().toLocal8Bit());
        const bool otherStarted = otherUser.start();
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "offscreen"); // for the real program
        QVERIFY(otherStarted);
        // Without a runtime folder the lock is named after the user.
        const QFileInfo fallback(InstanceGuard::lockFilePathFor(first.programFile(), {}));
        QCOMPARE(fallback.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        QVERIFY(fallback.fileName().contains(QStringLiteral("-%1-").arg(::getuid())));
    }

    // Read and Copy Report, edit and write; writes refused once no backup can
    // be kept.
    void sessionThroughTheWindow()
    {
        AppRig rig;
        rig.pin({{1, m_line}}, " 1");
        // The real time-outs: an emulator slowed by a busy machine still answers in time.
        QVERIFY(rig.start(1.0));
        QTest::mouseClick(rig.window().CmdVqCom(0), Qt::LeftButton); // Setting Data Read
        QCOMPARE(shown(rig.window().TxtMsg()), fixture::msg::completion + "|black");
        QCOMPARE(deviceButtons(rig.window()), "11111");
        auto *copy = rig.window().TxtMsg()->findChild<QAction *>("mnuCopyReport");
        QVERIFY(copy);
        copy->trigger(); // the header, the profile and the trace on the clipboard
        const QString report = QGuiApplication::clipboard()->text();
        QVERIFY2(report.startsWith("VQ530T Link 1.00\nSystem: "), qPrintable(report));
        QVERIFY(report.contains(QStringLiteral("\nPort: Com1 (%1) 9600,O,8,1\n").arg(m_line)));
        QVERIFY(report.contains("\n[RS232C]\nCommPort= 1\n")); // as the file holds it
        QVERIFY(report.contains("\n[Ports]\nCom1=" + m_line + "\nCom2=/nonexistent/vq\n"));
        QCOMPARE(fixture::tracedBytes(report, " TX "), QByteArray("sr"));
        QCOMPARE(fixture::tracedBytes(report, " RX "), m_emu->traceBytes(EmulatorProcess::Direction::Sent));
        QLineEdit *lowBatt = rig.window().TxtData(6);
        QCOMPARE(shown(lowBatt), "3|black");
        lowBatt->selectAll();
        QTest::keyClicks(lowBatt, "4.5");
        QTest::mouseClick(rig.window().CmdVqCom(1), Qt::LeftButton); // Setting Data Write
        // The block read with byte 17 (Low Batt. Protection) now 3A, then the verify's read.
        QVERIFY2(received().endsWith("swD0077017DC056C074C04000000000000043A556A50321A05500A85C800011209sr"),
                 received().constData());
        QCOMPARE(shown(rig.window().TxtMsg()), fixture::msg::completion + "|black");
        QCOMPARE(shown(lowBatt), "4.5|black");
        QCOMPARE(rig.prompter.prompts.size(), 0);

        // The backups' folder can't be made: a file stands in its place.
        QVERIFY(QDir(rig.filePath("backups")).removeRecursively());
        QVERIFY(fixture::writeFile(rig.filePath("backups"), "a file"));
        for (int button : {1, 2}) { // Setting Data Write, Default Data Write
            const qsizetype before = received().size();
            rig.prompter.clear();
            QTest::mouseClick(rig.window().CmdVqCom(button), Qt::LeftButton);
            QCOMPARE(received().mid(before), QByteArray()); // the block was read before: nothing at all
            QCOMPARE(rig.prompter.prompts.size(), 1);
            const ScriptedPrompter::Prompt box = rig.prompter.prompts.first();
            QCOMPARE(box.icon, MessageIcon::Critical);
            const QString head = "The controller's settings could not be backed up.\r\n"
                                 + QDir::toNativeSeparators(rig.filePath("backups")) + "\r\n";
            const QString tail = "\r\nNothing was written.";
            QVERIFY2(box.text.startsWith(head) && box.text.endsWith(tail) && box.text.size() > head.size() + tail.size(),
                     qPrintable(box.text)); // the system's reason between
            QCOMPARE(shown(rig.window().TxtMsg()),
                     "The controller's settings could not be backed up. Nothing was written.|red");
        }
        QCOMPARE(fixture::readFile(rig.filePath("backups")), QByteArray("a file"));
    }

    void closingWhileAnOperationWaits_data()
    {
        QTest::addColumn<bool>("byExit");
        QTest::newRow("close box") << false;
        QTest::newRow("Exit") << true;
    }

    void closingWhileAnOperationWaits()
    {
        QFETCH(bool, byExit);
        AppRig rig;
        rig.pin({{1, m_line}}, " 1");
        QVERIFY(m_emu->setFault("silent"));
        QVERIFY(rig.start(1.0)); // full time-outs: only the close can end the wait early
        FrmMain &w = rig.window();
        QSignalSpy ended(rig.app.get(), &Application::ended);
        QSignalSpy sent(&rig.app->exchange(), &CommandExchange::commandSent);
        const qsizetype before = received().size();
        QString menus; // ComPort, Setting Data Open, Log Data Open, Exit: enabled?
        connect(&rig.app->exchange(), &CommandExchange::commandSent, this, [&] {
            QTimer::singleShot(0, this, [&] { // inside the wait for the reply
                for (QAction *a : {w.mnuCom, w.mnuOpen, w.munOpenLog, w.mnuEnd})
                    menus += a->isEnabled() ? u'1' : u'0';
                for (QAction *a : {w.mnuCom, w.mnuOpen, w.munOpenLog})
                    a->trigger(); // as a shortcut would: nothing happens
                byExit ? w.mnuEnd->trigger() : void(w.close());
            });
        });
        QTest::mouseClick(w.CmdVqCom(3), Qt::LeftButton); // Data Get: "br", waits 10 s
        QVERIFY(m_emu->setFault("none"));
        QCOMPARE(menus, "0001");
        QCOMPARE(ended.count(), 1);
        QVERIFY(!w.isVisible() && !rig.app->portControl().isOpen());
        QCOMPARE(sent.count(), 1);
        QTRY_COMPARE(received().mid(before), QByteArray("br"));
        QCOMPARE(rig.dialogRuns, 0);
        QCOMPARE(rig.prompter.prompts.size(), 0); // no time-out box, nothing else
    }

    // A killed copy may leave its line refusing its settings: the next test
    // has a line of its own.
    void signalEndsTheProgramAsExitDoes_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGKILL leaves a dead owner's lock") << SIGKILL;
    }

    void signalEndsTheProgramAsExitDoes()
    {
        QFETCH(int, signal);
        const bool killed = signal == SIGKILL;
        const QString lock = InstanceGuard::lockFilePathFor(m_program, m_runtime.path());
        QVERIFY(fixture::writeFile(m_installed.filePath("VQ530T Link.ini"),
                                   "[RS232C]\r\nCommPort= 1\r\n[Ports]\r\nCom1=" + m_line.toLocal8Bit() + "\r\n"));
        QProcess program;
        program.start(m_program);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock), 20000);
        if (signal == SIGTERM) {
            // A second copy is refused with exit code 1, also on standard
            // error; ended while its box is up, once it catches SIGTERM.
            QProcess second;
            second.start(m_program);
            const auto catchesTerm = [this, &second] {
                // The program's own handler: after exec, not the test's inherited by the fork.
                const QString proc = QStringLiteral("/proc/%1/").arg(second.processId());
                if (QFileInfo(proc + QStringLiteral("exe")).symLinkTarget() != m_program)
                    return false;
                const QByteArray status = fixture::readFile(proc + QStringLiteral("status"));
                const qsizetype at = status.indexOf("SigCgt:");
                return at >= 0 && (status.mid(at + 7, 17).trimmed().toULongLong(nullptr, 16) & (1ULL << (SIGTERM - 1)));
            };
            QTRY_VERIFY_WITH_TIMEOUT(catchesTerm(), 20000);
            ::kill(pid_t(second.processId()), SIGTERM);
            QVERIFY(second.waitForFinished(20000));
            QCOMPARE(second.exitCode(), 1);
            QVERIFY(second.readAllStandardError().contains(fixture::msg::alreadyOpened.toUtf8()));
        }
        ::kill(pid_t(program.processId()), signal);
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus() == QProcess::CrashExit, killed);
        QVERIFY(killed || program.exitCode() == 0);
        QCOMPARE(QFile::exists(lock), killed);
        // The next copy starts, over a dead owner's lock too; its port opens
        // again unless a killed copy held it (a pty may then refuse its settings).
        AppRig next;
        next.program = m_program;
        QVERIFY(next.start());
        QCOMPARE(next.prompter.prompts.size(), 0);
        QVERIFY(killed || next.app->portControl().isOpen());
    }

    void portDialogFollowsThePlug()
    {
        QTemporaryDir dir;
        Config config(dir.path());
        pinThree(config);
        config.storeCommPort(3);
        QSet<QString> plugged{"/dev/vq1", "/dev/vq3"};
        PortSelection selection(config, [&plugged](const QString &device) { return plugged.contains(device); });
        FakeDeviceWatcher watcher;
        FrmConfig dialog(selection);
        addOtherPorts(dialog, selection, config, &watcher);
        QComboBox *combo = dialog.Combo();
        QVERIFY(!combo->toolTip().isEmpty());
        QCOMPARE(items(combo), QStringList({"Com1", "Com3"}));

        plugged.insert("/dev/vq2");
        watcher.plugged();
        QCOMPARE(items(combo), QStringList({"Com1", "Com2", "Com3"}));
        QCOMPARE(combo->currentText(), "Com3"); // the choice stays

        combo->setCurrentIndex(1);
        emit combo->activated(1); // the user picks Com2
        plugged = {"/dev/vq2"};
        watcher.plugged();
        QCOMPARE(items(combo), QStringList({"Com2"}));
        QCOMPARE(combo->currentText(), "Com2");

        plugged.clear();
        watcher.plugged();
        QCOMPARE(items(combo), QStringList({"Not found"}));
        QCOMPARE(combo->itemData(0, Qt::ToolTipRole).toString(), combo->toolTip());
        QCOMPARE(config.CommPortNo, 2); // the last choice is kept
    }

    void otherPortIsPinnedAndSelected()
    {
        QTemporaryDir dir;
        Config config(dir.path());
        pinThree(config);
        const QString other = QStringLiteral("/nonexistent/ttyVQ23");
        PortSelection selection(config, [&other](const QString &device) { return device == other; });
        FrmConfig dialog(selection);
        QCOMPARE(items(dialog.Combo()), QStringList({"Not found"}));
        OtherPortsHooks hooks;
        hooks.listPorts = [&other] { return QList<SystemPort>{SystemPort{other, "USB Serial Port", "FTDI", {}, {}, {}}}; };
        QStringList shown;
        hooks.runOtherPorts = [&shown](OtherPortsDialog &list) -> std::optional<SystemPort> {
            QTreeWidgetItem *row = list.list()->topLevelItem(0);
            for (int c = 0; c < 4; ++c)
                shown << row->text(c);
            list.list()->setCurrentItem(row);
            list.useButton()->click();
            return list.chosen();
        };
        addOtherPorts(dialog, selection, config, nullptr, hooks);
        auto *action = dialog.findChild<QAction *>("mnuOtherPorts");
        QVERIFY(action && dialog.Combo()->actions().contains(action));
        action->trigger();
        QCOMPARE(shown, QStringList({other, "does not answer", "", "USB Serial Port, FTDI"}));
        // Com4 is the first number without a pin whose own device is missing.
        QCOMPARE(items(dialog.Combo()), QStringList({"Com4"}));
        QCOMPARE(dialog.Combo()->currentText(), "Com4");
        QCOMPARE(config.CommPortNo, 4);
        QVERIFY(fixture::readFile(config.iniPath()).contains("CommPort= 4\r\n"));
    }

    // The adapter is pulled during Setting Data Read and is back while its
    // box is up: the operation stays failed, and after the box the port opens
    // again with nothing sent.
    void lostLineOpensAgainAfterTheBox()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("line");
        EmulatorProcess emu;
        QVERIFY2(!emu.start({"--no-pacing", "--link", link}).isEmpty(), qPrintable(emu.errorText()));
        FakeDeviceWatcher watcher;
        AppRig rig;
        rig.watcher = &watcher;
        rig.pin({{1, link}}, " 1");
        QVERIFY(rig.start());
        QSignalSpy messages(&rig.app->status(), &StatusModel::messageChanged);
        QVERIFY(emu.setFault("vanish"));
        bool openWhileBoxUp = true;
        rig.prompter.onPrompt = [&](const ScriptedPrompter::Prompt &box) {
            // One time-out box, its text by how much of the reply came before the line went.
            QVERIFY(QStringList({fixture::msg::commFault, fixture::msg::cannotSet}).contains(box.text));
            QVERIFY(!emu.waitForReopen().isEmpty());
            QVERIFY(emu.setFault("none"));
            watcher.plugged();
            openWhileBoxUp = rig.app->portControl().isOpen();
        };
        QTest::mouseClick(rig.window().CmdVqCom(0), Qt::LeftButton);
        QVERIFY(!openWhileBoxUp);
        QCOMPARE(rig.app->operations().lastResult(), OperationResult::PortLost);
        QTRY_COMPARE(shown(rig.window().TxtMsg()), fixture::msg::portInitialized + "|black");
        QCOMPARE(messages.at(messages.size() - 2).at(0).toString(), fixture::msg::portCannotOpen);
        QCOMPARE(deviceButtons(rig.window()), "10111");
        QCOMPARE(rig.prompter.messageCount(), 1);
        QTest::qWait(100);
        QCOMPARE(emu.traceBytes(EmulatorProcess::Direction::Received), QByteArray("sr"));

        // A device that doesn't come back leaves the port closed.
        QSignalSpy lost(&rig.app->serialPort(), &Transport::lost);
        QCOMPARE(emu.stop(), 0); // its link goes with it
        QVERIFY(lost.wait(5000));
        watcher.plugged();
        QCOMPARE(shown(rig.window().TxtMsg()), fixture::msg::portCannotOpen + "|red");
        QCOMPARE(deviceButtons(rig.window()), "00000");
        QVERIFY(rig.app->portReturn().awaiting() && !rig.app->portControl().isOpen());
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
