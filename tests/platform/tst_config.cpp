// The profile file and the configuration values read from it at start-up.

#include "platform/profilefile.h"
#include "platform/config.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vq;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(data);
}

} // namespace

class TestConfig : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    Config config() const { return Config(m_dir.path()); }
    QString ini() const { return m_dir.filePath(QStringLiteral("VQ530T Link.ini")); }

private slots:
    void init()
    {
        QFile::remove(ini());
    }

    void fileNameFollowsPathAndTitle()
    {
        QCOMPARE(config().iniPath(), ini());
        Config other(QStringLiteral("/opt/x"), QStringLiteral("Other"));
        QCOMPARE(other.iniPath(), QStringLiteral("/opt/x/Other.ini"));
    }

    void missingFileSectionOrKeyReadsError()
    {
        Config c = config();
        QCOMPARE(c.ReadIniString("RS232C", "CommPort"), QStringLiteral("Error"));
        QCOMPARE(c.IniValue, QStringLiteral("Error"));
        writeAll(ini(), "[Chart]\r\nScaleLine0=1\r\n");
        QCOMPARE(c.ReadIniString("RS232C", "CommPort"), QStringLiteral("Error"));
        QCOMPARE(c.ReadIniString("Chart", "ScaleLine1"), QStringLiteral("Error"));
        QCOMPARE(c.ReadIniString("chart", "scaleline0"), QStringLiteral("1"));
    }

    void longValueIsCutTo255()
    {
        writeAll(ini(), "[A]\r\nk=" + QByteArray(300, 'x') + "\r\n");
        QCOMPARE(config().ReadIniString("A", "k"), QString(255, u'x'));
    }

    void writeCreatesFileWithLeadingBlankPort()
    {
        Config c = config();
        c.storeCommPort(3);
        QCOMPARE(readAll(ini()), QByteArray("[RS232C]\r\nCommPort= 3\r\n"));
        QCOMPARE(c.CommPortNo, qint16(3));
        QCOMPARE(c.ReadIniString("RS232C", "CommPort"), QStringLiteral("3"));
    }

    void writeReplacesInPlaceAndKeepsEverythingElse()
    {
        const QByteArray before = "; my bench PC\r\n"
                                  "[RS232C]\r\n"
                                  "CommPort= 1\r\n"
                                  "Other=keep me\r\n"
                                  "\r\n"
                                  "[Chart]\r\n"
                                  "ScaleLine0=0\r\n"
                                  "; trailing comment\r\n";
        writeAll(ini(), before);
        Config c = config();
        c.storeCommPort(12);
        c.storeScaleLine(1, true);
        c.storeScaleLine(0, true);
        QCOMPARE(readAll(ini()), QByteArray("; my bench PC\r\n"
                                            "[RS232C]\r\n"
                                            "CommPort= 12\r\n"
                                            "Other=keep me\r\n"
                                            "\r\n"
                                            "[Chart]\r\n"
                                            "ScaleLine0=1\r\n"
                                            "; trailing comment\r\n"
                                            "ScaleLine1=1\r\n"));
    }

    void newSectionIsAppendedAndLfFilesStayLf()
    {
        writeAll(ini(), "[Ports]\nCom1=/dev/pts/7\n");
        config().storeScaleLine(0, false);
        QCOMPARE(readAll(ini()), QByteArray("[Ports]\nCom1=/dev/pts/7\n\n[Chart]\nScaleLine0=0\n"));
    }

    void failedWriteIsIgnored()
    {
        Config c(m_dir.filePath(QStringLiteral("no/such/folder")));
        c.storeCommPort(5); // must neither fail nor throw
        QCOMPARE(c.CommPortNo, qint16(5));
        QVERIFY(!QFile::exists(c.iniPath()));
        QVERIFY(!writeProfileString(c.iniPath(), "A", "b", "c"));
    }

    void loadConfig_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("scale0");
        QTest::addColumn<int>("scale1");
        QTest::addColumn<bool>("dialog");
        QTest::newRow("no port key") << QByteArray("[Chart]\r\nScaleLine1=1\r\n") << 0 << 0 << 1 << true;
        QTest::newRow("CommPort= 4") << QByteArray("[RS232C]\r\nCommPort= 4\r\n") << 4 << 0 << 0 << false;
        QTest::newRow("not a number") << QByteArray("[RS232C]\r\nCommPort=COM3\r\n") << 0 << 0 << 0 << false;
        QTest::newRow("2.5 to even") << QByteArray("[RS232C]\r\nCommPort=2.5\r\n") << 2 << 0 << 0 << false;
        QTest::newRow("3.5 to even") << QByteArray("[RS232C]\r\nCommPort=3.5\r\n") << 4 << 0 << 0 << false;
        QTest::newRow("too large") << QByteArray("[RS232C]\r\nCommPort=70000\r\n") << 0 << 0 << 0 << false;
        QTest::newRow("both scale lines")
            << QByteArray("[RS232C]\r\nCommPort=1\r\n[Chart]\r\nScaleLine0=1\r\nScaleLine1=0\r\n") << 1 << 1 << 0
            << false;
        QTest::newRow("hand-edited scale line")
            << QByteArray("[RS232C]\r\nCommPort=1\r\n[Chart]\r\nScaleLine0=99999\r\n") << 1 << 1 << 0 << false;
    }
    void loadConfig()
    {
        QFETCH(QByteArray, file);
        writeAll(ini(), file);
        Config c = config();
        int dialogs = 0;
        c.LoadConfig([&] { ++dialogs; });
        QTEST(int(c.CommPortNo), "port");
        QTEST(int(c.ScaleLineState[0]), "scale0");
        QTEST(int(c.ScaleLineState[1]), "scale1");
        QTEST(dialogs == 1, "dialog");
    }

    void noFileShowsDialogOnceAndKeepsZeros()
    {
        Config c = config();
        int dialogs = 0;
        c.LoadConfig([&] { ++dialogs; });
        QCOMPARE(dialogs, 1);
        QCOMPARE(c.CommPortNo, qint16(0));
        QCOMPARE(c.ScaleLineState[0], qint16(0));
        QCOMPARE(c.ScaleLineState[1], qint16(0));
        QVERIFY(!QFile::exists(ini())); // nothing is written at start-up
    }

    void portDevices()
    {
        Config c = config();
#ifndef Q_OS_WIN
        QCOMPARE(c.portDevice(1), QStringLiteral("/dev/ttyS0"));
        QCOMPARE(c.portDevice(4), QStringLiteral("/dev/ttyS3"));
        QCOMPARE(c.portDevice(5), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(c.portDevice(12), QStringLiteral("/dev/ttyUSB7"));
        QCOMPARE(c.portDevice(13), QStringLiteral("/dev/ttyACM0"));
        QCOMPARE(c.portDevice(16), QStringLiteral("/dev/ttyACM3"));
#endif
        QVERIFY(c.portDevice(0).isEmpty());
        QVERIFY(c.portDevice(17).isEmpty());
        writeAll(ini(), "[RS232C]\r\nCommPort= 3\r\n[Ports]\r\nCom3=/tmp/vq-pty\r\n");
        QCOMPARE(c.portDevice(3), QStringLiteral("/tmp/vq-pty"));
        int dialogs = 0;
        c.LoadConfig([&] { ++dialogs; });
        QCOMPARE(c.CommPortNo, qint16(3)); // the Ports section disturbs nothing
        QCOMPARE(dialogs, 0);
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
