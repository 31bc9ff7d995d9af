// What the window offers for a line that fails: the port dialog's list that
// follows the plug and its "Other Ports…", a lost line that comes back by
// itself after the box is closed, and "Copy Report".

#include "apprig.h"
#include "emulatorprocess.h"
#include "fakedevicewatcher.h"
#include "link/deviceoperations.h"
#include "link/portcontrol.h"
#include "link/portreturn.h"
#include "link/portselection.h"
#include "platform/serialport.h"
#include "shell/frmconfig.h"
#include "shell/otherports.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QSet>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>

using namespace vq;

class TestLineHelp : public QObject
{
    Q_OBJECT

    // A profile whose Com1 to Com3 are pinned to /dev/vq1 to /dev/vq3.
    static void pinThree(Config &config)
    {
        for (int n = 1; n <= 3; ++n)
            config.WriteIniString("Ports", QStringLiteral("Com%1").arg(n), QStringLiteral("/dev/vq%1").arg(n));
    }

    static QStringList items(const QComboBox *combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }

private slots:
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
        QVERIFY(fixture::readFile(config.iniPath()).contains("Com4=" + other.toLatin1() + "\r\n"));
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
        rig.prompter.onPrompt = [&](const ScriptedPrompter::Prompt &) {
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
        QVERIFY(rig.app->portReturn().awaiting() && !rig.app->portControl().isOpen());
    }

    void copyReportPutsHeaderProfileAndTraceOnTheClipboard()
    {
        EmulatorProcess emu;
        const QString line = emu.start({"--no-pacing"});
        QVERIFY2(!line.isEmpty(), qPrintable(emu.errorText()));
        AppRig rig;
        rig.pin({{1, line}}, " 1");
        QVERIFY(rig.start());
        QTest::mouseClick(rig.window().CmdVqCom(0), Qt::LeftButton);
        auto *copy = rig.window().TxtMsg()->findChild<QAction *>("mnuCopyReport");
        QVERIFY(copy);
        copy->trigger();
        const QString report = QGuiApplication::clipboard()->text();
        QVERIFY2(report.startsWith("VQ530T Link 1.00\nSystem: "), qPrintable(report));
        QVERIFY(report.contains(QStringLiteral("\nPort: Com1 (%1) 9600,O,8,1\n").arg(line)));
        QVERIFY(report.contains("\n[RS232C]\nCommPort= 1\n")); // as the file holds it
        QVERIFY(report.contains("\n[Ports]\nCom1=" + line + "\nCom2=/nonexistent/vq\n"));
        QCOMPARE(fixture::tracedBytes(report, " TX "), QByteArray("sr"));
        QCOMPARE(fixture::tracedBytes(report, " RX "), emu.traceBytes(EmulatorProcess::Direction::Sent));
    }
};

QTEST_MAIN(TestLineHelp)
#include "tst_linehelp.moc"
