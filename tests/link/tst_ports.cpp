// The real serial stack on pseudo-terminals: the line settings, a line without
// modem lines opening in any language, a missing device, a line that goes away.
// Then which ports the selection dialog lists and what its entries tell, the
// choice it hands back, how opening the port leaves the message line, its tool
// tip and the device buttons, and how each kind of failure is named. The device
// operations cross the serial port byte for byte in tst_commandline (all five)
// and tst_program (the window's, a line vanishing under one). Last, the
// system's other ports reached through a Com number: the one pinned to them,
// their own, or a free one pinned for them.

#include "emulatorprocess.h"
#include "fixtures.h"
#include "link/portpins.h"
#include "link/portselection.h"
#include "linkrig.h"
#include "memorytransport.h"
#include "platform/profilefile.h"
#include "platform/serialport.h"
#include "platform/systemports.h"
#include "ptyhelper.h"

#include <QSignalSpy>
#include <QTest>

#include <clocale>
#include <termios.h>

using namespace vq;

using Pins = QMap<int, QString>;

class TestPorts : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    Config m_config{m_dir.path()};
    PtyEnd m_line; // pinned as Com3 and Com17

private slots:
    void initTestCase() { QVERIFY(m_line.openFarEnd()); }

    // Every number pinned, so that no serial device of the machine takes part.
    void init()
    {
        QFile::remove(m_config.iniPath());
        for (int n = 1; n <= 17; ++n) {
            const QString device =
                n == 3 || n == 17 ? m_line.slavePath() : QStringLiteral("/nonexistent/vq-com%1").arg(n);
            m_config.WriteIniString(QStringLiteral("Ports"), QStringLiteral("Com%1").arg(n), device);
        }
    }

    void listsThePortsOfCom1ToCom16ThatOpen()
    {
        PortSelection sel(m_config);
        sel.ListPorts();
        QCOMPARE(sel.entries().size(), 1); // Com1..Com16 only: never Com17
        QCOMPARE(sel.entries()[0].text, QStringLiteral("Com3"));
        // A pseudo-terminal has no adapter to describe: the device alone.
        QCOMPARE(portToolTip(sel.entries()[0]), m_line.slavePath());
        QCOMPARE(portToolTip({"Com5", "/dev/ttyUSB0", 5, "FT232R USB UART", "FTDI", "A10K1"}),
                 QStringLiteral("/dev/ttyUSB0\nFT232R USB UART\nFTDI\nSerial number: A10K1"));
        // Picked, stored at once; OK hands it back, Cancel nothing.
        sel.select(0);
        QVERIFY(fixture::readFile(m_config.iniPath()).contains("CommPort= 3\r\n"));
        sel.cmdOk_Click();
        QCOMPARE(sel.choice().value_or(PortChoice{}).device, m_line.slavePath());
        sel.CmdCancel_Click();
        QVERIFY(!sel.choice().has_value());
    }

    void openingShowsWhyAndRetriesThroughTheDialog()
    {
        SerialPort port;
        StatusModel status;
        PortControl control(port, m_config, status);
        // The dialog as the user leaves it: OK on the port picked (which it
        // stores), or Cancel once the picks run out.
        QList<int> picks;
        control.setShowPortDialog([&]() -> std::optional<PortChoice> {
            if (picks.isEmpty())
                return std::nullopt;
            m_config.CommPortNo = qint16(picks.takeFirst());
            return PortChoice{m_config.CommPortNo, {}};
        });
        QStringList details;
        connect(&status, &StatusModel::messageDetailChanged, this, [&](const QString &d) { details << d; });

        m_config.CommPortNo = 0; // red, buttons off, no dialog
        picks = {3};
        control.OpenPort();
        control.EnableCommands();
        QCOMPARE(picks.size(), 1);
        QCOMPARE(status.messageText(), fixture::msg::portCannotOpen);
        QCOMPARE(status.messageColour(), kColourRed);
        QCOMPARE(buttonsText(status), QStringLiteral("00000"));

        // A missing device: red with the reason as tool tip, then the dialog,
        // whose pick opens.
        m_config.CommPortNo = 5;
        control.OpenPort();
        control.EnableCommands();
        QCOMPARE(details.size(), 2);
        QVERIFY2(details[0].startsWith("Com5 (/nonexistent/vq-com5): no such device: "), qPrintable(details[0]));
        QCOMPARE(status.messageDetail(), QString());
        QCOMPARE(status.messageText(), fixture::msg::portInitialized);
        QCOMPARE(port.devicePath(), m_line.slavePath());
        QCOMPARE(buttonsText(status), QStringLiteral("10111"));
    }

    // How a failure to open is named, and the state the port list gives it.
    void failureToOpenIsNamedByItsKind_data()
    {
        using E = Transport::Error;
        QTest::addColumn<Transport::Error>("error");
        QTest::addColumn<bool>("accessDenied");
        QTest::addColumn<QString>("why");
        QTest::addColumn<PortState>("state");
        QTest::newRow("opened") << E::None << false << "" << PortState::Free;
        QTest::newRow("not found") << E::NotFound << false << "no such device" << PortState::NoAnswer;
        const QString noPermission = QStringLiteral("no permission, or in use by another program");
        QTest::newRow("held by another program") << E::NoPermission << false << noPermission << PortState::InUse;
        QTest::newRow("not this user's") << E::NoPermission << true << noPermission << PortState::NoPermission;
        QTest::newRow("unsupported") << E::Unsupported << false << "the line settings are refused"
                                     << PortState::NoAnswer;
        QTest::newRow("no answer") << E::NoAnswer << false << "the port does not answer" << PortState::NoAnswer;
        QTest::newRow("failed") << E::Failed << false << "the device refused" << PortState::NoAnswer;
    }

    void failureToOpenIsNamedByItsKind()
    {
        QFETCH(Transport::Error, error);
        QFETCH(bool, accessDenied);
        QFETCH(QString, why);
        QFETCH(PortState, state);
        QCOMPARE(portStateOf(error, accessDenied), state);
        if (why.isEmpty())
            return;
        MemoryTransport line;
        line.setOpenFailure(error, QStringLiteral("the system's words"));
        QVERIFY(!line.open(QStringLiteral("/dev/ttyUSB1")));
        QCOMPARE(openFailureDetail(QStringLiteral("Com2"), line),
                 QStringLiteral("Com2 (/dev/ttyUSB1): %1: the system's words").arg(why));
    }

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
    // Which Com number reaches a port, and what is pinned for it.
    void otherPortIsReachedThroughAFreeNumber_data()
    {
        QTest::addColumn<Pins>("pins");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("byId");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("pinned"); // what Com<number> holds afterwards
        const QString id = QStringLiteral("/dev/serial/by-id/usb-FTDI_X-if00-port0");
        QTest::newRow("ttyUSB0 is Com5") << Pins{} << "/dev/ttyUSB0" << "" << 5 << "";
        QTest::newRow("ttyACM9 is pinned to Com2 by its by-id link")
            << Pins{} << "/dev/ttyACM9" << id << 2 << id;
        QTest::newRow("ttyUSB0 pinned elsewhere") << Pins{{9, "/dev/ttyUSB0"}} << "/dev/ttyUSB0" << "" << 9
                                                  << "/dev/ttyUSB0";
        QTest::newRow("its by-id link pinned already") << Pins{{12, id}} << "/dev/ttyUSB3" << id << 12 << id;
        QTest::newRow("numbers pinned to others are skipped")
            << Pins{{2, "/dev/x"}, {3, "/dev/y"}} << "/dev/rfcomm0" << "" << 4 << "/dev/rfcomm0";
        Pins all;
        for (int n = 1; n <= 16; ++n)
            all.insert(n, QStringLiteral("/dev/pin%1").arg(n));
        QTest::newRow("all sixteen taken") << all << "/dev/rfcomm0" << "" << 0 << "";
    }

    void otherPortIsReachedThroughAFreeNumber()
    {
        QFETCH(Pins, pins);
        QFETCH(QString, name);
        QFETCH(QString, byId);
        QFETCH(int, number);
        QFETCH(QString, pinned);
        QFile::remove(m_config.iniPath());
        for (auto it = pins.cbegin(); it != pins.cend(); ++it)
            m_config.WriteIniString("Ports", QStringLiteral("Com%1").arg(it.key()), it.value());
        // Com1's fixed device is there; the rest are not.
        SystemPort com1, wanted;
        com1.systemName = QStringLiteral("/dev/ttyS0");
        wanted.systemName = name;
        wanted.byIdLink = byId;
        const QList<SystemPort> present{com1, wanted};
        QCOMPARE(reachPort(m_config, present.at(1), present), number);
        if (number > 0) {
            QCOMPARE(readProfileString(m_config.iniPath(), "Ports", QStringLiteral("Com%1").arg(number), QString()),
                     pinned);
        }
    }
};

QTEST_GUILESS_MAIN(TestPorts)
#include "tst_ports.moc"
