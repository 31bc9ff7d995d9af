// The real serial stack on pseudo-terminals: the line settings, a line
// without modem lines opening in any language, a missing device, a line that
// goes away; and the five device operations through it against the emulator
// process, byte for byte, and with the line vanishing under an operation.

#include "controllerdata.h"
#include "emulatorprocess.h"
#include "fixtures.h"
#include "platform/serialport.h"
#include "ptyhelper.h"
#include "ptylinkrig.h"

#include <QSignalSpy>
#include <QTest>

#include <clocale>
#include <termios.h>

using namespace vq;

class TestSerialPort : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheControllersLineSettings()
    {
        PtyEnd far;
        SerialPort port;
        QVERIFY(far.openFarEnd() && port.open(far.slavePath()));
        QCOMPARE(port.settingsText(), QStringLiteral("9600,O,8,1"));
        // What reached the driver (a pseudo-terminal drops the parity bit).
        termios t{};
        QCOMPARE(tcgetattr(far.slaveFd(), &t), 0);
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
            QFAIL("the de_DE.UTF-8 locale is missing: scripts/setup.sh generates it");
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
        PtyEnd far;
        SerialPort port;
        QVERIFY(far.openFarEnd() && port.open(far.slavePath()));
        QSignalSpy lost(&port, &SerialPort::lost);
        far.hangUp();
        QVERIFY(lost.wait(5000));
        QVERIFY(!port.isOpen() && !port.write("sr"));
        QVERIFY(!lost.wait(50)); // late notifications of the gone device
    }

    void operationsCrossTheLine_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<QByteArray>("wire");
        const QByteArray written = QByteArray(emu::factoryBlock()).replace(32, 2, "08");
        QTest::newRow("read") << 0 << QByteArray("sr");
        QTest::newRow("write") << 1 << "sw" + written + "sr";
        QTest::newRow("defaults") << 2 << QByteArray("aertsr");
        QTest::newRow("data get") << 3 << QByteArray("br");
        QTest::newRow("data clear") << 4 << QByteArray("srbe");
    }

    void operationsCrossTheLine()
    {
        QFETCH(int, op);
        QFETCH(QByteArray, wire);
        PtyLinkRig rig;
        QVERIFY2(rig.start(), qPrintable(rig.emu.errorText()));
        rig.ops.CmdVqCom_Click(0); // a block to build on
        rig.editor.setText(5, QStringLiteral("8"));
        const qsizetype before = rig.wire().size();
        rig.ops.CmdVqCom_Click(op);
        QCOMPARE(rig.wire().mid(before), wire);
        QCOMPARE(rig.status.messageText(), fixture::msg::completion);
        QCOMPARE(rig.prompter.messageCount(), 0);
    }

    // Lost in the middle of the reply: one box, either time-out text by how
    // much arrived, the port closed and the buttons off.
    void lineVanishingUnderAnOperation()
    {
        PtyLinkRig rig;
        QVERIFY2(rig.start({QStringLiteral("--fault"), QStringLiteral("vanish")}), qPrintable(rig.emu.errorText()));
        rig.ops.CmdVqCom_Click(0);
        QCOMPARE(rig.wire(), QByteArray("sr"));
        QCOMPARE(rig.prompter.messageCount(), 1);
        QCOMPARE(rig.status.messageText(), fixture::msg::portCannotOpen);
        QVERIFY(!rig.port.isOpen());
        QCOMPARE(buttonsText(rig.status), QStringLiteral("00000"));
    }
};

QTEST_GUILESS_MAIN(TestSerialPort)
#include "tst_serialport.moc"
