// The system's other ports reached through a Com number: the one pinned to
// them, their own, or a free one pinned for them.

#include "link/portpins.h"
#include "platform/config.h"
#include "platform/profilefile.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vq;

using Pins = QMap<int, QString>;

class TestOtherPorts : public QObject
{
    Q_OBJECT

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
        }
    }
};

QTEST_GUILESS_MAIN(TestOtherPorts)
#include "tst_otherports.moc"
