// The command line as a script uses it: the real program against the
// emulator, with the bytes on the wire read from the emulator's trace, the
// files compared with what the window's own code writes, and every exit code;
// the faults that end in a time-out through the same command line inside this
// process, on a line in memory. All in the zone of New York, where a backup
// named by the wrong clock would show.

#include "cli/commandline.h"
#include "emulatorprocess.h"
#include "files/logfile.h"
#include "files/settingsfile.h"
#include "fixtures.h"
#include "memorytransport.h"
#include "platform/serialport.h"
#include "runlog/runlog.h"
#include "scriptedprompter.h"
#include "settings/controllerblock.h"
#include "settings/editormodel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

using namespace vq;

namespace {
const QString kNotBackedUp = QStringLiteral("The controller's settings could not be backed up. Nothing was written.");
}

class TestCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    EmulatorProcess m_emu;
    QString m_out, m_err;
    QString m_dataHome = m_dir.filePath(QStringLiteral("data")); // where the backups go

    int run(const QStringList &args, bool withPort = true, const QString &program = QStringLiteral(VQ_PROGRAM_PATH))
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM")); // no display is needed
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("XDG_RUNTIME_DIR")); // as under cron or su: Qt must not complain
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_dataHome);
        p.setProcessEnvironment(env);
        p.start(program,
                (withPort ? QStringList{QStringLiteral("--port"), m_emu.slavePath()} : QStringList()) + args);
        if (!p.waitForFinished(30000))
            return -1;
        m_out = QString::fromLocal8Bit(p.readAllStandardOutput());
        m_err = QString::fromLocal8Bit(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    QByteArray sent() { return m_emu.traceBytes(EmulatorProcess::Direction::Received); }
    // A copy of the program (made once) whose folder holds `profile`.
    QString programWithProfile(const QByteArray &profile)
    {
        const QString copy = path("profile/vq530t-link");
        if (!QFile::exists(copy) && (!QDir().mkpath(path("profile")) || fixture::copyProgram(path("profile")) != copy
                                     || !QFile::setPermissions(copy, QFile::permissions(copy) | QFile::ExeUser)))
            return {};
        return fixture::writeFile(path("profile/VQ530T Link.ini"), profile) ? copy : QString();
    }
    QString path(const char *name) { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(fixture::inNewYorkTime());
        QVERIFY2(!m_emu.start({QStringLiteral("--no-pacing"), QStringLiteral("--state"), path("state.dat")}).isEmpty(),
                 qPrintable(m_emu.errorText()));
        QVERIFY(fixture::writeFile(path("empty.csv"), "Time(s),Voltage(V),Current(A)\r\n"));
        // Names no output file can take: a pipe, a folder, a file in place of a folder.
        QVERIFY(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600) == 0);
        QVERIFY(QDir().mkpath(path("folder")) && fixture::writeFile(path("data-file"), "not a folder"));
    }

    void readAndShowMatchTheWindow()
    {
        QCOMPARE(run({QStringLiteral("read"), path("a.set")}), 0);
        QCOMPARE(sent(), QByteArray("sr"));
        // What File > Setting Data > Save writes after a read of the same block.
        const QByteArray reply = m_emu.traceBytes(EmulatorProcess::Direction::Sent);
        ScriptedPrompter prompter;
        EditorModel editor;
        ControllerBlock block(editor, prompter);
        block.takeReadBlock(QString::fromLatin1(reply.mid(2, 64)));
        QCOMPARE(block.showBlock(block.readBlock()), SettingsDecode::Ok);
        QCOMPARE(fixture::readFile(path("a.set")), settingFileContent(*block.buildWriteBlock()).value());

        QCOMPARE(run({QStringLiteral("--json"), QStringLiteral("show")}), 0);
        const QJsonObject o = QJsonDocument::fromJson(m_out.toUtf8()).object();
        QCOMPARE(o.value(QStringLiteral("pwm-min")).toDouble(), editor.text(0).toDouble());
        QCOMPARE(o.value(QStringLiteral("low-batt")).toDouble(), editor.text(6).toDouble());
        QCOMPARE(o.value(QStringLiteral("vq-type")).toString(), QStringLiteral("VQ530T"));
        QCOMPARE(o.value(QStringLiteral("flags")).toObject().value(QStringLiteral("lipo")).toBool(), editor.mode(3));
    }

    void setWritesVerifiesAndKeepsABackup()
    {
        QCOMPARE(run({QStringLiteral("read"), path("before.set")}), 0);
        const QByteArray before = fixture::readFile(path("before.set"));
        const qsizetype repliesBefore = m_emu.traceBytes(EmulatorProcess::Direction::Sent).size();
        QCOMPARE(run({QStringLiteral("set"), QStringLiteral("low-batt=3.0"), QStringLiteral("cur-limit=off")}), 0);
        const QByteArray controllerBlock = m_emu.traceBytes(EmulatorProcess::Direction::Sent).mid(repliesBefore + 2, 64);
        QVERIFY2(m_err.contains(fixture::msg::completion), qPrintable(m_err));
        // The block sent: byte 17 is 3.0 V (27), byte 19 the "Off" byte FF.
        const QByteArray wire = sent().right(2 + 2 + 64 + 2);
        QVERIFY2(wire.startsWith("srsw") && wire.endsWith("sr"), wire.constData());
        const QByteArray written = wire.mid(4, 64);
        QCOMPARE(written.mid(34, 2), QByteArray("27"));
        QCOMPARE(written.mid(38, 2), QByteArray("FF"));

        // The controller's block before the write is the newest backup, and
        // writing it back restores it.
        QCOMPARE(run({QStringLiteral("backups")}, false), 0);
        const QString newest = m_out.section(u'\n', 0, 0);
        QCOMPARE(fixture::readFile(newest), controllerBlock);
        QCOMPARE(run({QStringLiteral("write"), newest}), 0);
        QCOMPARE(run({QStringLiteral("read"), path("after.set")}), 0);
        QCOMPARE(fixture::readFile(path("after.set")), before);

        // The parameters as written, and each value the editor's rules changed.
        QCOMPARE(run({QStringLiteral("set"), QStringLiteral("cur-limit=55"), QStringLiteral("pwm-min=2000.5")}), 0);
        QVERIFY2(m_err.contains(QStringLiteral("\ncur-limit: 55 A taken as 60 A\npwm-min: 2000.5 Hz taken as 2000 Hz\n")),
                 qPrintable(m_err));
        QVERIFY2(m_out.contains(QStringLiteral("\nCurrent Limiter               60 A\n")), qPrintable(m_out));
        QVERIFY2(m_out.startsWith(QStringLiteral("PWM frequency(at Min. load)   2000 Hz\n")), qPrintable(m_out));
        QCOMPARE(m_err.count(fixture::msg::completion), 1);
    }

    // A read-only field out of range: a settings file's doesn't stop "write",
    // which takes only the written parameters from it; the controller's is
    // marked by "show" and named when "read" can't save it.
    void readOnlyFieldOutOfRange()
    {
        QCOMPARE(run({QStringLiteral("read"), path("ro.set")}), 0);
        QByteArray file = fixture::readFile(path("ro.set"));
        const QByteArray controllerNeutral = file.mid(8, 4);
        file.replace(8, 4, "0000"); // Neutral 0 uS
        QVERIFY(fixture::writeFile(path("ro.set"), file));
        QCOMPARE(run({QStringLiteral("write"), path("ro.set")}), 0);
        QCOMPARE(sent().right(2 + 64 + 2).mid(2 + 8, 4), controllerNeutral);

        EmulatorProcess odd;
        QVERIFY(fixture::writeFile(path("odd.dat"), "block=" + file.left(64) + "\nlog=" + QByteArray(2048, '0') + '\n'));
        const QString tty = odd.start({QStringLiteral("--no-pacing"), QStringLiteral("--state"), path("odd.dat")});
        QVERIFY2(!tty.isEmpty(), qPrintable(odd.errorText()));
        QCOMPARE(run({QStringLiteral("--port"), tty, QStringLiteral("show")}, false), 0);
        QVERIFY2(m_out.contains(QStringLiteral("\nNeutral                       0 uS (out of range)\n")), qPrintable(m_out));
        QCOMPARE(run({QStringLiteral("--port"), tty, QStringLiteral("read"), path("odd.set")}, false), 1);
        QVERIFY2(m_err.contains(QStringLiteral("Data is abnormal!! Please set it correctly. Out of range: neutral\n")),
                 qPrintable(m_err));
    }

    void logCommandsAndDefaults()
    {
        QCOMPARE(run({QStringLiteral("get-log"), path("run.csv")}), 0);
        QVERIFY(sent().endsWith("br"));
        // File > Log Data > Save of the same reply.
        RunLog log;
        QCOMPARE(decodeRunReply(QString::fromLatin1(m_emu.traceBytes(EmulatorProcess::Direction::Sent).right(2051)), log),
                 RunReplyStatus::Ok);
        QCOMPARE(fixture::readFile(path("run.csv")), MakeRunDat(log));

        QCOMPARE(run({QStringLiteral("clear-log")}), 0);
        QVERIFY(sent().endsWith("srbe"));
        QCOMPARE(run({QStringLiteral("defaults")}), 0);
        QVERIFY(sent().endsWith("sraertsr"));
        QVERIFY(m_out.contains(QStringLiteral("VQ530T")));
    }

    // Usage errors send nothing and need no display; a fault is told once,
    // and "Completion" only after success. Exit code 5: an output file that
    // isn't an ordinary file is refused before anything is sent and stays
    // what it was; a backup that can't be written (the data folder is a file)
    // stops the write after the read. Every file is named, with the system's
    // reason after it. "@" names a file in the test's folder.
    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("told");
        using l = QStringList;
        const QString none;
        QTest::newRow("unknown command") << l{"frobnicate"} << "none" << 2 << none;
        QTest::newRow("unknown option") << l{"--bogus"} << "none" << 2 << none;
        QTest::newRow("unknown short option") << l{"-x", "show"} << "none" << 2 << none;
        QTest::newRow("--port without a value") << l{"show", "--port"} << "none" << 2 << none;
        QTest::newRow("--port= empty") << l{"--port=", "show"} << "none" << 2 << none;
        QTest::newRow("options after the command") << l{"show", "--json"} << "none" << 0 << fixture::msg::completion;
        QTest::newRow("read-only key") << l{"set", "neutral=1500"} << "none" << 2 << none;
        QTest::newRow("out of range") << l{"set", "dead-band=51"} << "none" << 2 << none;
        QTest::newRow("not a number") << l{"set", "dead-band=5x"} << "none" << 2 << none;
        QTest::newRow("bad file") << l{"write", "/nonexistent.set"} << "none" << 2 << none;
        QTest::newRow("another model") << l{"show"} << "model-02" << 1 << fixture::msg::otherModel;
        QTest::newRow("deleted data") << l{"defaults"} << "model-ff" << 1 << fixture::msg::settingDeleted;
        QTest::newRow("verify NG") << l{"set", "dead-band=7"} << "bad-verify" << 1 << fixture::msg::verifyNg;
        QTest::newRow("no answer") << l{"show"} << "silent" << 4 << fixture::msg::commFault;
        QTest::newRow("stats without a file") << l{"stats"} << "none" << 2 << none;
        QTest::newRow("stats, no such file") << l{"stats", "/nonexistent.csv"} << "none" << 2 << none;
        QTest::newRow("plot, bad size") << l{"plot", "@empty.csv", "x.png", "--size", "0x9"} << "none" << 2 << none;
        QTest::newRow("plot, neither png nor svg") << l{"plot", "@empty.csv", "x.jpg"} << "none" << 2 << none;
        const QString cannotSave = fixture::msg::cannotSave;
        QTest::newRow("read onto a pipe") << l{"read", "@pipe"} << "none" << 5 << cannotSave;
        QTest::newRow("get-log onto a folder") << l{"get-log", "@folder"} << "none" << 5 << cannotSave;
        QTest::newRow("read into a missing folder") << l{"read", "@missing/a.set"} << "none" << 5 << cannotSave;
        QTest::newRow("get-log into a file as folder") << l{"get-log", "@data-file/a.csv"} << "none" << 5 << cannotSave;
        QTest::newRow("set without a backup") << l{"set", "dead-band=7"} << "none" << 5 << kNotBackedUp;
        QTest::newRow("defaults without a backup") << l{"defaults"} << "none" << 5 << kNotBackedUp;
    }
    void exitCodes()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, fault);
        QFETCH(int, code);
        QFETCH(QString, told);
        for (QString &a : args)
            a = a.startsWith(u'@') ? m_dir.filePath(a.mid(1)) : a;
        const bool noBackup = told == kNotBackedUp;
        m_dataHome = noBackup ? path("data-file") : path("data");
        QVERIFY(m_emu.setFault(fault));
        const qsizetype before = sent().size();
        QCOMPARE(run(args), code);
        m_dataHome = path("data");
        QVERIFY(m_emu.setFault(QStringLiteral("none")));
        // A refused command sends nothing at all.
        if (code == 2 || code == 5)
            QCOMPARE(sent().mid(before), noBackup ? QByteArray("sr") : QByteArray());
        if (!told.isEmpty())
            QVERIFY2(m_err.count(told) == 1, qPrintable(m_err));
        if (code != 0)
            QVERIFY2(!m_err.contains(fixture::msg::completion), qPrintable(m_err));
        const QString file = noBackup ? path("data-file") + QStringLiteral("/VQ530T Link/backups") : args.value(1);
        if (code == 5)
            QVERIFY2(m_err.contains(told + u' ' + file + QStringLiteral(": ")), qPrintable(m_err));
        QCOMPARE(fixture::readFile(path("data-file")), QByteArray("not a folder"));
        QVERIFY(QFileInfo(path("folder")).isDir() && !QFileInfo(path("pipe")).isFile());
    }

    // Faults that end in a time-out: the command line inside this process on
    // a line in memory, at a fiftieth of the times. The first fault ends the
    // command: after a written block whose echo falls short nothing more is
    // sent, not even the verify's read; and "defaults" restores nothing after
    // a failed read, as it would have no backup.
    void faultsOnALineInMemory_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("told");
        QTest::newRow("echo short") << QStringList{"set", "dead-band=7"} << "partial-echo" << 1 << QByteArray("srsw")
                                    << 2 + 2 + 64 << fixture::msg::cannotSet;
        QTest::newRow("defaults after a read of 67") << QStringList{"defaults"} << "sr-67" << 1 << QByteArray("sr") << 2
                                                     << fixture::msg::cannotSet;
        QTest::newRow("defaults, no answer") << QStringList{"defaults"} << "silent" << 4 << QByteArray("sr") << 2
                                             << fixture::msg::commFault;
    }
    void faultsOnALineInMemory()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, fault);
        QFETCH(QByteArray, wire);
        QFETCH(QString, told);
        MemoryTransport line;
        line.setFault(emu::faultModeFromName(fault).value());
        cli::Environment env;
        env.profileFolder = m_dir.path();
        env.backupFolder = path("memory-backups");
        env.timeScale = 0.02;
        env.line = &line;
        const QString errFile = path("memory.err");
        std::fflush(stderr);
        const int savedErr = ::dup(2);
        QVERIFY(std::freopen(QFile::encodeName(errFile).constData(), "w", stderr));
        const int code = cli::run(*cli::parseArguments(QStringList{"--port", "memory"} + args).invocation, env);
        std::fflush(stderr);
        ::dup2(savedErr, 2);
        ::close(savedErr);
        m_err = QString::fromLocal8Bit(fixture::readFile(errFile));
        QTEST(code, "code");
        QVERIFY2(line.heard().startsWith(wire), line.heard().constData());
        QTEST(int(line.heard().size()), "length");
        QVERIFY2(m_err.count(told) == 1 && !m_err.contains(fixture::msg::completion), qPrintable(m_err));
    }

    void logStatisticsAndPicture()
    {
        // 512 rows: 8.5 V for 0-255 s, 7.25 V after, none when t % 4 == 3; 100 A, then 200 A, none when
        // t % 8 == 0 and at 63, 127 ... 511 s; 250 A at 100 s and 300 s, 280 A at 303 s (no voltage).
        QByteArray csv = "Time(s),Voltage(V),Current(A)\r\n";
        for (int t = 0; t < 512; ++t) {
            const char *a = t == 100 || t == 300 ? "250" : t == 303 ? "280" : t % 8 == 0 || t % 64 == 63 ? "" : t < 256 ? "100" : "200";
            csv += QByteArray::number(t) + (t % 4 == 3 ? "," : t < 256 ? ",8.5" : ",7.25") + ',' + a + "\r\n";
        }
        QVERIFY(fixture::writeFile(path("gaps.csv"), csv) && fixture::writeFile(path("bad.csv"), "Time(s)\r\nx"));
        // By hand: 504 s have a value; 192 s at each voltage; current 440 s adding up to 66280 A;
        // with both, 160 s of 850 W, 160 s of 1450 W, 150 A x 8.5 V more at 100 s, 50 A x 7.25 V at 300 s.
        QCOMPARE(run({QStringLiteral("--json"), QStringLiteral("stats"), path("gaps.csv")}, false), 0);
        QCOMPARE(m_out.simplified(), QStringLiteral(R"({ "charge_mah": 18411.11111111111, "current": { "avg": 150.63636363636363, )"
                                                    R"("max": 280, "min": 100 }, "energy_wh": 102.67708333333333, "samples": 504, "voltage": )"
                                                    R"({ "avg": 7.875, "max": 8.5, "min": 7.25 }, "voltage_at_peak_current": 8.5 })"));
        QCOMPARE(run({QStringLiteral("stats"), path("gaps.csv")}, false), 0);
        QVERIFY2(m_out.contains(QStringLiteral("\nCharge                        18411.1 mAh\n")), qPrintable(m_out));
        QCOMPARE(run({QStringLiteral("plot"), path("gaps.csv"), path("big.png"), QStringLiteral("--size"), QStringLiteral("640x360")}, false), 0);
        QCOMPARE(fixture::readFile(path("big.png")).mid(12, 12), QByteArray::fromHex("49484452""00000280""00000168")); // IHDR 640 x 360
        QCOMPARE(run({QStringLiteral("plot"), path("gaps.csv"), path("small.png")}, false), 0);
        QCOMPARE(fixture::readFile(path("small.png")).mid(12, 12), QByteArray::fromHex("49484452""000001D3""0000015B")); // the log window's 467 x 347
        QVERIFY(m_err.isEmpty()); // no diagnostics of Qt's
        QCOMPARE(run({QStringLiteral("plot"), path("gaps.csv"), path("small.svg")}, false), 0);
        QVERIFY(fixture::readFile(path("small.svg")).contains("<svg"));
        // The scale lines come from the profile the window uses: here a copy
        // of the program whose folder holds a profile with both lines off, then on.
        QVERIFY(fixture::writeFile(path("none.csv"), "Time(s),Voltage(V),Current(A)\r\n")); // no curve over the grid
        for (const char *state : {"0", "1"}) {
            const QString copy = programWithProfile(QByteArray("[Chart]\r\nScaleLine0=") + state + "\r\nScaleLine1=" + state + "\r\n");
            QVERIFY(!copy.isEmpty());
            QCOMPARE(run({QStringLiteral("plot"), path("none.csv"), path("lines") + QLatin1String(state) + ".png"}, false, copy), 0);
        }
        const QImage ticks(path("lines0.png")), lines(path("lines1.png"));
        const auto greyDown = [](const QImage &image, int x) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y)
                n += image.pixelColor(x, y) == QColor(128, 128, 128);
            return n;
        };
        QCOMPARE(greyDown(ticks, 68), 0);   // between the time lines, inside no tick (the plot starts at 38)
        QCOMPARE(greyDown(lines, 68), 14);  // ten voltage lines, six current lines; 0 V and 0 A, 5 V and 150 A meet
        // A file the log reader refuses: its message and exit code 2.
        QCOMPARE(run({QStringLiteral("plot"), path("bad.csv"), path("b.png")}, false), 2);
        QVERIFY2(m_err.contains(fixture::msg::trouble), qPrintable(m_err));
    }

    // Without --port the profile's port opens, read as the window reads it;
    // one that can't is exit code 3, says why and sends nothing. The
    // emulator is Com3 in the profile beside a copy of the program.
    void portOfTheProfile_data()
    {
        QTest::addColumn<QStringList>("port");
        QTest::addColumn<QByteArray>("stored"); // the profile's [RS232C] section
        QTest::addColumn<int>("exit");
        QTest::addColumn<QString>("told");
        const QByteArray com3("[RS232C]\r\nCommPort= 3\r\n");
        const QStringList none;
        QTest::newRow("stored Com3") << none << com3 << 0 << "";
        QTest::newRow("--port Com3, as the profile maps it") << QStringList{"--port", "Com3"} << QByteArray() << 0 << "";
        const QString tty = path("no-such-tty");
        QTest::newRow("--port before the stored one") << QStringList{"--port", tty} << com3 << 3
                                                       << tty + " (" + tty + "): no such device: ";
        // The windows' language is theirs alone: the command line stays English.
        QTest::newRow("profile in German") << QStringList{"--port", tty} << com3 + "[Display]\r\nLanguage=de\r\n"
                                           << 3 << tty + " (" + tty + "): no such device: ";
        QTest::newRow("none stored") << none << QByteArray() << 3 << "No port is stored in ";
        QTest::newRow("beyond Com16") << QStringList{"--port", "Com17"} << QByteArray() << 3
                                      << "Com17: no such port; Com1 to Com16 are known";
    }
    void portOfTheProfile()
    {
        QFETCH(QStringList, port);
        QFETCH(QByteArray, stored);
        QFETCH(int, exit);
        QFETCH(QString, told);
        const QString copy = programWithProfile(stored + "[Ports]\r\nCom3=" + m_emu.slavePath().toLocal8Bit() + "\r\n");
        QVERIFY(!copy.isEmpty());
        const qsizetype before = sent().size();
        QCOMPARE(run(port + QStringList{QStringLiteral("show")}, false, copy), exit);
        QCOMPARE(sent().size() - before, exit == 0 ? 2 : 0);
        if (exit == 0)
            return;
        QVERIFY2(m_err.startsWith(fixture::msg::portCannotOpen + u' ' + told), qPrintable(m_err));
        QCOMPARE(m_err.count(u'\n'), 1);
        if (told.startsWith("No port"))
            QVERIFY2(m_err.contains(QFileInfo(path("profile")).canonicalFilePath() + "/VQ530T Link.ini; name one with --port.\n"),
                     qPrintable(m_err));
    }

    void versionAndHelp()
    {
        QCOMPARE(run({QStringLiteral("--version")}, false), 0);
        QCOMPARE(m_out, QStringLiteral("VQ530T Link 1.00\n"));
        QCOMPARE(run({QStringLiteral("-h")}, false), 0);
        QVERIFY(m_out.contains(QStringLiteral("cur-limit-time")) && m_out.contains(QStringLiteral("get-log")));
#ifdef VQ_MANUAL_PATH
        // The manual page has every option, command and key --help has, and a date.
        QString manual = QString::fromUtf8(fixture::readFile(QStringLiteral(VQ_MANUAL_PATH)));
        for (const char *font : {"\\fB", "\\fI", "\\fR"})
            manual.remove(QLatin1String(font));
        manual.replace(QStringLiteral("\\-"), QStringLiteral("-"));
        static const QRegularExpression entry(QStringLiteral("^  (-?[-a-z]+)"), QRegularExpression::MultilineOption);
        int entries = 0;
        for (auto it = entry.globalMatch(m_out); it.hasNext(); ++entries) {
            const QString word = it.next().captured(1);
            QVERIFY2(manual.contains(u'\n' + word), qPrintable(word));
        }
        QCOMPARE(entries, 5 + 11 + 14);
        QVERIFY(QRegularExpression(QStringLiteral(R"(\n\.TH \S+ 1 "\d{4}-\d\d-\d\d")")).match(manual).hasMatch());
#endif
    }

    // The emulator's line as `ports --json` lists it, pinned as Com3 beside a
    // copy of the program.
    QJsonObject listedPort(const QString &copy)
    {
        if (run({QStringLiteral("--json"), QStringLiteral("ports")}, false, copy) != 0)
            return {};
        const QJsonArray ports = QJsonDocument::fromJson(m_out.toUtf8()).object().value("ports").toArray();
        for (const QJsonValue &p : ports)
            if (p.toObject().value("name").toString() == m_emu.slavePath())
                return p.toObject();
        return {};
    }

    void portsNamesThePinAndTheState()
    {
        const QString copy = programWithProfile("[Ports]\r\nCom3=" + m_emu.slavePath().toLocal8Bit() + "\r\n");
        QVERIFY(!copy.isEmpty());
        const QJsonObject port = listedPort(copy);
        QCOMPARE(port.value("pinned").toString(), "Com3");
        QCOMPARE(port.value("state").toString(), "free");
        QVERIFY(port.value("by_id").isNull());

        SerialPort holder; // another program holds the line
        QVERIFY(holder.open(m_emu.slavePath()));
        QCOMPARE(listedPort(copy).value("state").toString(), "in-use");
        QCOMPARE(run({QStringLiteral("ports")}, false, copy), 0);
        QVERIFY2(m_out.contains(QRegularExpression("^" + QRegularExpression::escape(m_emu.slavePath())
                                                   + " +Com3 +in use by another program *$",
                                                   QRegularExpression::MultilineOption)),
                 qPrintable(m_out));
    }

    void traceShowsTheBytesOfAShow()
    {
        const QString copy = programWithProfile("[RS232C]\r\nCommPort= 3\r\n[Ports]\r\nCom3="
                                                + m_emu.slavePath().toLocal8Bit() + "\r\n");
        QVERIFY(!copy.isEmpty());
        const QString trace = path("read.trace");
        const qsizetype sentBefore = sent().size();
        QCOMPARE(run({"--trace", trace, "show"}, false, copy), 0);
        // The header as tst_config pins it, then the line's events and bytes.
        const QStringList lines = QString::fromUtf8(fixture::readFile(trace)).split(u'\n');
        QCOMPARE(lines.at(3), QStringLiteral("Port: Com3 (%1) 9600,O,8,1").arg(m_emu.slavePath()));
        QVERIFY(QRegularExpression("^\\d+ -- opening " + QRegularExpression::escape(m_emu.slavePath()) + "$")
                    .match(lines.at(6)).hasMatch());
        QVERIFY(lines.at(7).endsWith(" -- line opened") && lines.at(lines.size() - 2).endsWith(" -- command ended"));
        QCOMPARE(fixture::tracedBytes(lines.join(u'\n'), " TX "), QByteArray("sr"));
        QCOMPARE(lines.last(), ""); // ends with a line end

        QCOMPARE(run({"--trace", trace, "ports"}, false, copy), 2); // not a device command
        QCOMPARE(run({"--trace", m_dir.path(), "show"}, false, copy), 5); // a folder
        QCOMPARE(sent().mid(sentBefore), QByteArray("sr"));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
