// The real serial stack on pseudo-terminals: the line settings, a line
// without modem lines opening in any language, a missing device, a line that
// goes away. The device operations cross it byte for byte in tst_commandline
// (all five) and tst_program (the window's, a line vanishing under one).

#include "emulatorprocess.h"
#include "platform/serialport.h"
#include "ptyhelper.h"

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
};

QTEST_GUILESS_MAIN(TestSerialPort)
#include "tst_serialport.moc"
