// The system's other ports reached through a pin, and a lost line that comes
// back by itself: the emulator's line vanishes in the middle of a reply and
// returns behind the same link; the port opens again and nothing is sent.

#include "emulatorprocess.h"
#include "fakedevicewatcher.h"
#include "fixtures.h"
#include "link/portcontrol.h"
#include "link/portpins.h"
#include "link/portreturn.h"
#include "link/statusmodel.h"
#include "platform/config.h"
#include "platform/profilefile.h"
#include "platform/serialport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace vq;

using Pins = QMap<int, QString>;

class TestOtherPorts : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    static SystemPort port(const QString &name, const QString &byId = {})
    {
        SystemPort p;
        p.systemName = name;
        p.byIdLink = byId;
        return p;
    }

private slots:
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
        QTemporaryDir dir;
        Config config(dir.path());
        for (auto it = pins.cbegin(); it != pins.cend(); ++it)
            config.WriteIniString("Ports", QStringLiteral("Com%1").arg(it.key()), it.value());
        // Com1's fixed device is there; the rest are not.
        const QList<SystemPort> present{port("/dev/ttyS0"), port(name, byId)};
        QCOMPARE(reachPort(config, port(name, byId), present), number);
        if (number > 0) {
            QCOMPARE(readProfileString(config.iniPath(), "Ports", QStringLiteral("Com%1").arg(number), QString()),
                     pinned);
            QCOMPARE(pinnedNumber(config, port(name, byId)), pinned.isEmpty() ? 0 : number);
        }
    }

    void lostLineComesBackAndNothingIsSent_data()
    {
        QTest::addColumn<bool>("boxUp");
        QTest::addColumn<bool>("comesBack");
        QTest::newRow("comes back") << false << true;
        QTest::newRow("comes back while a box is up") << true << true;
        QTest::newRow("does not come back") << false << false;
    }

    void lostLineComesBackAndNothingIsSent()
    {
        QFETCH(bool, boxUp);
        QFETCH(bool, comesBack);
        const QString link = m_dir.filePath(QStringLiteral("line-%1").arg(QTest::currentDataTag()));
        EmulatorProcess emu;
        QVERIFY2(!emu.start({"--no-pacing", "--link", link}).isEmpty(), qPrintable(emu.errorText()));
        Config config(m_dir.path());
        SerialPort serial;
        StatusModel status;
        PortControl control(serial, config, status);
        FakeDeviceWatcher watcher;
        PortReturn back(serial, control, status);
        back.setWatcher(&watcher);
        back.setCheckInterval(3600000); // only the watcher's word counts here
        bool box = boxUp;
        back.setMayOpen([&box] { return !box; });
        QVERIFY(serial.open(link));

        QVERIFY(emu.setFault("vanish"));
        QSignalSpy lost(&serial, &Transport::lost);
        QVERIFY(serial.write("sr"));
        QVERIFY(lost.wait(5000));
        status.ShowMessage(fixture::msg::portCannotOpen, kColourRed);
        status.setAllButtonsEnabled(false);
        QVERIFY(back.awaiting());
        if (comesBack) {
            QVERIFY(!emu.waitForReopen().isEmpty());
            QVERIFY(emu.setFault("none"));
        } else {
            QCOMPARE(emu.stop(), 0); // its link goes with it
        }
        watcher.plugged();
        if (boxUp) {
            QVERIFY(!serial.isOpen());
            box = false;
            back.check(); // the next check, after the box
        }
        QCOMPARE(serial.isOpen(), comesBack);
        QCOMPARE(status.messageText(), comesBack ? fixture::msg::portInitialized : fixture::msg::portCannotOpen);
        QCOMPARE(status.messageColour(), comesBack ? kColourBlack : kColourRed);
        QCOMPARE(status.buttonEnabled(DeviceButton::Read), comesBack);
        QCOMPARE(status.buttonEnabled(DeviceButton::Write), false);
        QCOMPARE(back.awaiting(), !comesBack);
        if (comesBack) {
            QTest::qWait(100);
            QCOMPARE(emu.traceBytes(EmulatorProcess::Direction::Received), QByteArray("sr"));
        }
    }
};

QTEST_GUILESS_MAIN(TestOtherPorts)
#include "tst_otherports.moc"
