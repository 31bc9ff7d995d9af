// The profile file "VQ530T Link.ini": what is read from it, what writing one
// key does to a hand-edited file, the start-up values and the port devices.
// Then the trace of the line, pinned as a file or a report holds it.

#include "fixtures.h"
#include "link/portmap.h"
#include "memorytransport.h"
#include "platform/config.h"
#include "platform/instanceguard.h"
#include "platform/linetrace.h"

#include <QLockFile>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace vq;

class TestConfig : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString ini() const { return m_dir.filePath(QStringLiteral("VQ530T Link.ini")); }
    // The file's content before a row; "<none>" stands for no file, "<no
    // folder>" for a folder that doesn't exist.
    void prepare(const QByteArray &content)
    {
        QFile::remove(ini());
        if (!content.startsWith('<'))
            QVERIFY(fixture::writeFile(ini(), content));
    }

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const QByteArray chart = "[Chart]\r\nScaleLine0= 1 \r\nq=\"x y\"\r\n";
        QTest::newRow("no section") << chart << "RS232C" << "CommPort" << "Error";
        QTest::newRow("no key") << chart << "Chart" << "ScaleLine1" << "Error";
        QTest::newRow("names in any case, value trimmed") << chart << "chart" << "SCALELINE0" << "1";
        QTest::newRow("quotes dropped") << chart << "Chart" << "q" << "x y";
        QTest::newRow("cut to 255") << "[A]\r\nk=" + QByteArray(300, 'x') << "A" << "k" << QString(255, u'x');
    }
    void read()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        prepare(file);
        Config config(m_dir.path());
        QTEST(config.ReadIniString(section, key), "value");
    }

    // One key is written through the program's own stores; every other line
    // comes back byte for byte with its own line end.
    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("port"); // CommPort 3, else ScaleLine1 ticked
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray("<none>") << true << QByteArray("[RS232C]\r\nCommPort= 3\r\n");
        QTest::newRow("no folder, ignored") << QByteArray("<no folder>") << true << QByteArray("<missing>");
        QTest::newRow("replaced in place, comment and lone CR kept")
            << QByteArray(";c\r\n[RS232C]\r\nCommPort= 12\r\nx=a\rb\r\r\n\r\n[Chart]\r\n") << true
            << QByteArray(";c\r\n[RS232C]\r\nCommPort= 3\r\nx=a\rb\r\r\n\r\n[Chart]\r\n");
        QTest::newRow("added after the last line, lone LF kept")
            << QByteArray("[Chart]\r\nScaleLine0=0\r\nnote\n\r\n[RS232C]\r\n") << false
            << QByteArray("[Chart]\r\nScaleLine0=0\r\nnote\nScaleLine1=1\r\n\r\n[RS232C]\r\n");
        QTest::newRow("LF file, section added with LF") << QByteArray("[Ports]\nCom1=x\r\n") << false
                                                        << QByteArray("[Ports]\nCom1=x\r\n\n[Chart]\nScaleLine1=1\n");
        QTest::newRow("last line ending in CR") << QByteArray("[Chart]\nScaleLine0=1\r") << false
                                                << QByteArray("[Chart]\nScaleLine0=1\r\nScaleLine1=1");
    }
    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(bool, port);
        prepare(before);
        Config config(before == "<no folder>" ? m_dir.filePath(QStringLiteral("no/such")) : m_dir.path());
        port ? config.storeCommPort(3) : config.storeScaleLine(1, true);
        QTEST(fixture::readFile(config.iniPath()), "after");
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("dialog"); // the port dialog: 0 not shown, 1 OK, -1 cancelled
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("scales");
        QTest::newRow("no file, dialog cancelled") << QByteArray("<none>") << -1 << 0 << "00";
        QTest::newRow("no port, dialog OK") << QByteArray("[Chart]\r\nScaleLine1=1\r\n") << 1 << 0 << "01";
        QTest::newRow("CommPort= 4") << QByteArray("[RS232C]\r\nCommPort= 4\r\n") << 0 << 4 << "00";
        QTest::newRow("not a number") << QByteArray("[RS232C]\r\nCommPort=COM3\r\n") << 0 << 0 << "00";
        QTest::newRow("2.5 to even") << QByteArray("[RS232C]\r\nCommPort=2.5\r\n") << 0 << 2 << "00";
        QTest::newRow("too large") << QByteArray("[RS232C]\r\nCommPort=70000\r\n") << 0 << 0 << "00";
        QTest::newRow("hand-edited scale line") << QByteArray("[RS232C]\r\nCommPort=1\r\n[Chart]\r\nScaleLine0=99999\r\n")
                                                << 0 << 1 << "10";
    }
    void load()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, dialog);
        prepare(file);
        Config config(m_dir.path());
        int shown = 0;
        QCOMPARE(config.LoadConfig([&] { ++shown; return dialog > 0; }), dialog >= 0);
        QCOMPARE(shown, dialog == 0 ? 0 : 1);
        QTEST(int(config.CommPortNo), "port");
        QTEST(QStringLiteral("%1%2").arg(config.ScaleLineState[0]).arg(config.ScaleLineState[1]), "scales");
        QCOMPARE(fixture::readFile(ini()), file == "<none>" ? QByteArray("<missing>") : file); // nothing written
    }

    // Where the profile lives, and that the port chosen at one start is the
    // port of the next, also for an installed program whose folder the user
    // can't write (CI runs as root: the folder is only declared unwritable).
    void location_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QByteArray>("beside"); // the profile beside the program
        QTest::addColumn<QByteArray>("own");    // the user's profile before the start
        QTest::addColumn<QByteArray>("ownAfterStart");
        const QByteArray port4("[RS232C]\r\nCommPort= 4\r\n[Chart]\r\nScaleLine1=1\r\n");
        const QByteArray port7("[RS232C]\r\nCommPort= 7\r\n");
        QTest::newRow("writable: beside the program") << true << port4 << port7 << port7;
        QTest::newRow("unwritable, first start: copy of the one beside") << false << port4 << QByteArray("<none>") << port4;
        QTest::newRow("unwritable, the user's own is kept") << false << port4 << port7 << port7;
        QTest::newRow("unwritable, none anywhere: folder made, no file") << false << QByteArray("<none>")
                                                                        << QByteArray("<none>") << QByteArray("<missing>");
    }
    void location()
    {
        QFETCH(bool, writable);
        QFETCH(QByteArray, beside);
        QFETCH(QByteArray, own);
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("bin"));
        const QString user = dir.filePath(QStringLiteral("home/.config/VQ530T Link"));
        const QString name = QStringLiteral("/VQ530T Link.ini");
        QVERIFY(QDir().mkpath(program));
        if (beside != "<none>")
            QVERIFY(fixture::writeFile(program + name, beside));
        if (own != "<none>")
            QVERIFY(QDir().mkpath(user) && fixture::writeFile(user + name, own));

        const QString folder = profileFolder(program, writable, user);
        QCOMPARE(folder, writable ? program : user);
        QTEST(fixture::readFile(user + name), "ownAfterStart");
        QVERIFY(QFileInfo(user).isDir() || writable);
        Config(folder).storeCommPort(3); // picked in the port dialog

        Config next(profileFolder(program, writable, user));
        QVERIFY(next.LoadConfig({}));
        QCOMPARE(next.CommPortNo, qint16(3));
        if (!writable) // the profile beside an installed program is never written
            QCOMPARE(fixture::readFile(program + name), beside == "<none>" ? QByteArray("<missing>") : beside);
    }

    void canCreateFile()
    {
        QTemporaryDir dir;
        QVERIFY(canCreateFileIn(dir.path()));
        QVERIFY(QDir(dir.path()).isEmpty()); // the probe is gone
        QVERIFY(!canCreateFileIn(dir.filePath(QStringLiteral("no/such"))));
    }

    void portDevices()
    {
        prepare("[RS232C]\r\nCommPort= 3\r\n[Ports]\r\nCom3=/tmp/vq-pty\r\n");
        const Config config(m_dir.path());
        QCOMPARE(portDevice(config, 3), QStringLiteral("/tmp/vq-pty"));
        QVERIFY(portDevice(config, 0).isEmpty() && portDevice(config, 17).isEmpty());
#ifndef Q_OS_WIN
        const QStringList fixed{"/dev/ttyS3", "/dev/ttyUSB0", "/dev/ttyUSB7", "/dev/ttyACM0"}; // Com4, 5, 12, 13
        QCOMPARE(QStringList({portDevice(config, 4), portDevice(config, 5), portDevice(config, 12),
                              portDevice(config, 13)}), fixed);
#else
        QCOMPARE(QStringList({portDevice(config, 1), portDevice(config, 5), portDevice(config, 16)}),
                 QStringList({"COM1", "COM5", "COM16"}));
#endif
    }

    // One copy per program file: a second guard is refused while the first
    // holds the lock, and a lock left behind naming this very process (a run
    // whose process id the system handed out again) doesn't lock the user out.
    void instanceGuard()
    {
        QTemporaryDir runtime;
        const QString program = m_dir.filePath(QStringLiteral("vq530t-link"));
        {
            InstanceGuard first(program, runtime.path());
            QVERIFY(first.tryAcquire());
            QLockFile second(first.lockFilePath());
            QVERIFY(!second.tryLock(0));
        }
        const QString path = InstanceGuard::lockFilePathFor(program, runtime.path());
        QVERIFY(!QFileInfo::exists(path)); // released with its guard

        const QByteArray leftBehind = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
                                      + QCoreApplication::applicationName().toUtf8() + '\n'
                                      + QSysInfo::machineHostName().toUtf8() + '\n';
        QVERIFY(fixture::writeFile(path, leftBehind));
        InstanceGuard again(program, runtime.path());
        QVERIFY(again.tryAcquire());
        QVERIFY(fixture::readFile(path) != leftBehind); // the lock is this guard's own now
    }

    // Header and lines as a file or a report holds them; the times, the
    // system and Qt's version replaced.
    void traceIsPinned()
    {
        MemoryTransport line;
        LineTrace trace(line);
        trace.setKeepAll(true);
        QVERIFY(line.open(QStringLiteral("/dev/ttyVQ")));
        line.setChunkSize(40);
        QVERIFY(line.write("sr"));
        QTRY_COMPARE(trace.lines().size(), 3);
        line.inject(QByteArray("\x00\xfe\\\t\n\x7f~", 7)); // every kind of byte
        QTRY_COMPARE(trace.lines().size(), 4);
        line.setFault(emu::FaultMode::Vanish);
        QVERIFY(line.write("sr"));
        QTRY_VERIFY(!line.isOpen());

        QString text = traceHeader(QStringLiteral("Com3"), line) + u'\n' + trace.lines().join(u'\n') + u'\n';
        text.replace(QRegularExpression(QStringLiteral("^System: .*$"), QRegularExpression::MultilineOption),
                     QStringLiteral("System: S"));
        text.replace(QRegularExpression(QStringLiteral("^Qt: .*$"), QRegularExpression::MultilineOption),
                     QStringLiteral("Qt: Q"));
        text.replace(QRegularExpression(QStringLiteral("^[0-9]+ "), QRegularExpression::MultilineOption),
                     QStringLiteral("T "));
        QCOMPARE(text, QStringLiteral("VQ530T Link 1.00\n"
                                      "System: S\n"
                                      "Qt: Q\n"
                                      "Port: Com3 (/dev/ttyVQ)\n"
                                      "Adapter: unknown\n"
                                      "\n"
                                      "T TX sr\n"
                                      "T RX srD0077017DC056C074C04000000000000042755\n"
                                      "T RX 6A50321A05500A85C8000112090\\r\n"
                                      "T RX \\x00\\xfe\\\\\\t\\n\\x7f~\n"
                                      "T TX sr\n"
                                      "T RX srD0077017DC056C074C04000000000000\n"
                                      "T -- line lost\n"));
    }

    void windowKeepsTheLast200Lines()
    {
        MemoryTransport line;
        LineTrace trace(line);
        QVERIFY(line.open(QStringLiteral("/dev/ttyVQ")));
        for (int i = 0; i < 250; ++i)
            emit line.dataSent(QByteArray::number(i));
        const QStringList lines = trace.lines();
        QCOMPARE(lines.size(), 200);
        QVERIFY(lines.first().endsWith(QStringLiteral(" TX 50")));
        QVERIFY(lines.last().endsWith(QStringLiteral(" TX 249")));
    }
};

QTEST_GUILESS_MAIN(TestConfig)
#include "tst_config.moc"
