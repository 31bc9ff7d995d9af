// The log file (its bytes as saved, the reader's accept and refuse table
// with what it leaves in the log), then the four file commands as the user
// meets them, answered by a script: the dialogs' filters, the create and
// overwrite questions, the settings file's 64-character rule, the log file,
// and every message; what the file dialogs make of the filters and of a name
// typed without an extension; and the backups kept before every write, their
// names, bytes and which of them remain, in a zone that is not UTC and
// keeps summer time (New York's), so that a name taken from the wrong clock
// shows.

#include "files/backups.h"
#include "files/filecommands.h"
#include "files/logfile.h"
#include "fixtures.h"
#include "scriptedprompter.h"
#include "settings/controllerblock.h"
#include "settings/editormodel.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

using namespace vq;

namespace {

const QString kSetFilter = QStringLiteral("VQ setting data (*.set)|*.set|ALL files(*.*)|*.*");
const QString kLogFilter = QStringLiteral("VQ Log data (*.csv)|*.csv|ALL files(*.*)|*.*");

const QByteArray kHeader = "Time(s),Voltage(V),Current(A)\r\n";

QByteArray rows(int from, int to, const QByteArray &values)
{
    QByteArray text;
    for (int k = from; k <= to; ++k)
        text += QByteArray::number(k) + values + "\r\n";
    return text;
}

struct Harness
{
    ScriptedPrompter prompter;
    RunLog log;
    EditorModel editor;
    ControllerBlock block{editor, prompter};
    int logLoads = 0;
    FileCommands commands{prompter, log, block, [this] { ++logLoads; }};
    QStringList details; // what the message line's tool tip was told

    Harness() { commands.setFileProblem([this](const QString &detail) { details.append(detail); }); }

    // Dialog filters, questions and messages of one command, in order.
    QStringList shown(const QString &name, QList<bool> answers, void (FileCommands::*command)())
    {
        prompter.clear();
        prompter.fileNames = {name};
        prompter.answers = answers;
        (commands.*command)();
        QStringList out;
        for (const auto &p : prompter.prompts)
            out.append(p.text);
        return out;
    }
};

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(fixture::inNewYorkTime()); }

    void openMissingFile()
    {
        Harness h;
        QCOMPARE(h.shown(path("no.set"), {false}, &FileCommands::mnuOpen_Click),
                 (QStringList{kSetFilter, fixture::msg::createQuestion}));
        QVERIFY(!QFile::exists(path("no.set")));
        QCOMPARE(h.shown(path("new.csv"), {true}, &FileCommands::munOpenLog_Click).last(),
                 fixture::msg::createQuestion);
        QCOMPARE(fixture::readFile(path("new.csv")), QByteArray()); // created empty, nothing loaded
        QCOMPARE(h.logLoads, 0);
    }

    void openSettings_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("outcome"); // messages, then field 0
        const QByteArray block = fixture::kWorkedBlock.toLatin1();
        QTest::newRow("the block") << block << QStringList{QStringLiteral("1000")};
        QTest::newRow("with LF") << block + "\n" << QStringList{QStringLiteral("1000")};
        QTest::newRow("with CR LF") << block + "\r\n" << QStringList{QStringLiteral("1000")};
        QTest::newRow("with two line ends") << block + "\r\n\r\n" << QStringList{QString()};
        QTest::newRow("one short") << block.left(63) << QStringList{QString()};
        QTest::newRow("not hexadecimal") << QByteArray(block).replace(0, 1, "G")
                                         << QStringList{fixture::msg::trouble, QString()};
    }
    void openSettings()
    {
        QFETCH(QByteArray, content);
        QVERIFY(fixture::writeFile(path("in.set"), content));
        Harness h;
        h.shown(path("in.set"), {}, &FileCommands::mnuOpen_Click);
        QTEST(h.prompter.messageTexts() << h.editor.text(0), "outcome");
    }

    void saveSettings()
    {
        Harness h;
        h.block.takeReadBlock(fixture::kWorkedBlock);
        QCOMPARE(h.block.showBlock(fixture::kWorkedBlock), SettingsDecode::Ok);
        QVERIFY(fixture::writeFile(path("s.set"), "old"));
        QCOMPARE(h.shown(path("s.set"), {false}, &FileCommands::mnuSave_Click),
                 (QStringList{kSetFilter, fixture::msg::overwriteQuestion}));
        QCOMPARE(fixture::readFile(path("s.set")), QByteArray("old"));
        h.shown(path("s.set"), {true}, &FileCommands::mnuSave_Click);
        // The file as written, byte for byte: the block alone, no line end.
        QCOMPARE(fixture::readFile(path("s.set")), QByteArray("E803401FF005D0074C040000000000000620556A6464000A500085C80001100A"));

        // A file marked read-only keeps its content, also for root and on
        // Windows, where the temporary file would be renamed over it.
        QVERIFY(fixture::writeFile(path("ro.set"), "kept"));
        QVERIFY(QFile::setPermissions(path("ro.set"), QFileDevice::ReadOwner | QFileDevice::ReadUser));
        QCOMPARE(h.shown(path("ro.set"), {true}, &FileCommands::mnuSave_Click),
                 (QStringList{kSetFilter, fixture::msg::overwriteQuestion, fixture::msg::cannotSave}));
        QCOMPARE(fixture::readFile(path("ro.set")), QByteArray("kept"));
        QVERIFY(h.details.last().contains(QLatin1String("read-only")));
        QFile::setPermissions(path("ro.set"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void logSaveAndOpen()
    {
        Harness h;
        QCOMPARE(h.shown(path("r.csv"), {}, &FileCommands::mnuSaveLog_Click), QStringList{fixture::msg::noData});
        h.log.setVolt(1, 7.4f);
        h.log.setCur(512, -1.0f);
        QCOMPARE(h.shown(path("r.csv"), {}, &FileCommands::mnuSaveLog_Click), QStringList{kLogFilter});
        Harness loader;
        QCOMPARE(loader.shown(path("r.csv"), {}, &FileCommands::munOpenLog_Click), QStringList{kLogFilter});
        QCOMPARE(loader.log, h.log);
        QCOMPARE(loader.logLoads, 1);

        QVERIFY(fixture::writeFile(path("bad.csv"), "Time(s)\r\n0,1,2\r\n1,x\r\n"));
        QCOMPARE(loader.shown(path("bad.csv"), {}, &FileCommands::munOpenLog_Click).last(), fixture::msg::trouble);
        QCOMPARE(loader.logLoads, 1);
        QVERIFY(QDir().mkpath(path("folder.csv")));
        QCOMPARE(h.shown(path("folder.csv"), {true}, &FileCommands::mnuSaveLog_Click),
                 (QStringList{kLogFilter, fixture::msg::overwriteQuestion, fixture::msg::cannotSave}));
        QVERIFY(QFileInfo(path("folder.csv")).isDir());
        // Each file message names the file and, where the system refused, why.
        QCOMPARE(loader.shown(path("folder.csv"), {}, &FileCommands::munOpenLog_Click).last(), fixture::msg::trouble);
        const QString folder = QDir::toNativeSeparators(path("folder.csv"));
        QCOMPARE(loader.details, (QStringList{QDir::toNativeSeparators(path("bad.csv")), folder + QStringLiteral(": is a folder")}));
        QCOMPARE(h.details.size(), 1);
        QVERIFY2(h.details.first().startsWith(folder + QStringLiteral(": ")) && h.details.first().size() > folder.size() + 2,
                 qPrintable(h.details.first()));
    }

    void comparisonAndPicture()
    {
        // A log to compare with is read into a run of its own: the log stays,
        // the window isn't told, seconds the file lacks are empty.
        Harness h;
        h.log.setVolt(1, 7.4f);
        const RunLog before = h.log;
        QVERIFY(fixture::writeFile(path("other.csv"), kHeader + rows(0, 1, ",8.1,50")));
        h.prompter.fileNames = {path("other.csv")};
        const std::optional<ComparedRun> run = h.commands.openComparisonLog();
        QVERIFY(run);
        QCOMPARE(run->name, QStringLiteral("other.csv"));
        QCOMPARE(run->log.RunVolt(2), 8.1f);
        QCOMPARE(run->log.RunCur(3), kEmptySample);
        QCOMPARE(h.log, before);
        QCOMPARE(h.logLoads, 0);
        // Refused and cancelled.
        h.prompter.fileNames = {path("bad.csv")};
        QVERIFY(!h.commands.openComparisonLog());
        QCOMPARE(h.prompter.messageTexts(), QStringList{fixture::msg::trouble});
        QVERIFY(!h.commands.openComparisonLog());
        QCOMPARE(h.prompter.messageCount(), 1);

        // The picture: SVG by the name, PNG otherwise; a failed write is reported.
        QList<bool> asked;
        const auto encode = [&asked](bool svg) {
            asked.append(svg);
            return svg ? QByteArray("<svg/>") : QByteArray("png");
        };
        h.prompter.clear();
        h.prompter.fileNames = {path("g.SVG"), path("g.png"), path("folder.csv")};
        h.prompter.answers = {true};
        for (int i = 0; i < 3; ++i)
            h.commands.saveGraphPicture(encode);
        QCOMPARE(asked, (QList<bool>{true, false, false}));
        QCOMPARE(fixture::readFile(path("g.SVG")), QByteArray("<svg/>"));
        QCOMPARE(fixture::readFile(path("g.png")), QByteArray("png"));
        QCOMPARE(h.prompter.messageTexts(), QStringList{fixture::msg::cannotSave});
        QVERIFY2(h.details.last().startsWith(QDir::toNativeSeparators(path("folder.csv")) + QStringLiteral(": ")),
                 qPrintable(h.details.last()));
        QCOMPARE(h.prompter.prompts.first().text, QStringLiteral("PNG picture (*.png)|*.png|SVG drawing (*.svg)|*.svg"));
    }

    void backupNames()
    {
        // New names in UTC, ISO 8601 basic, in winter and in summer; the
        // local-time names of before read by the zone's clock, one in the hour
        // it skipped as UTC.
        for (const QString month : {"07", "12"}) {
            const QDateTime when = QDateTime::fromString("2026-" + month + "-07T06:15:30.123Z", Qt::ISODateWithMs);
            QCOMPARE(BackupStore::nameForTime(when.toLocalTime()), "2026" + month + "07T061530.123Z.set");
        }
        const auto utc = [](const char *name) {
            return BackupStore::timeOfName(QLatin1String(name)).toUTC().toString(Qt::ISODateWithMs);
        };
        QCOMPARE(utc("20261207T061530.123Z.set"), "2026-12-07T06:15:30.123Z");
        QCOMPARE(utc("20261207-014501-123.set"), "2026-12-07T06:45:01.123Z");
        QCOMPARE(utc("20260707-014501-123.set"), "2026-07-07T05:45:01.123Z");
        QCOMPARE(utc("20260308-023000-000.set"), "2026-03-08T02:30:00.000Z");
        QCOMPARE(utc("20261207T061530.123.set"), "");
        QCOMPARE(utc("20261307-014501-123.set"), "");
    }

    // 105 backups a minute apart, by turns named in UTC and in local time as
    // before, plus a file that isn't a backup; then one more backup. The
    // newest 100 remain, the one just made among them even when the clock
    // stands behind all the others.
    void backupsKeptByTime_data()
    {
        QTest::addColumn<int>("daysAhead"); // of the earlier backups against the clock
        QTest::newRow("old and new names mixed") << -400;
        QTest::newRow("clock gone back behind them") << 400;
    }
    void backupsKeptByTime()
    {
        QFETCH(int, daysAhead);
        QTemporaryDir dir;
        const QDateTime first = QDateTime::currentDateTimeUtc().addDays(daysAhead);
        QStringList earlier; // newest first
        for (int i = 0; i < 105; ++i) {
            const QDateTime when = first.addSecs(60 * i);
            const QString name = i % 2 ? when.toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + ".set"
                                       : when.toString(QStringLiteral("yyyyMMdd'T'HHmmss.zzz")) + "Z.set";
            QVERIFY(fixture::writeFile(dir.filePath(name), "old"));
            earlier.prepend(dir.filePath(name));
        }
        QVERIFY(fixture::writeFile(dir.filePath("notes.set"), "mine"));

        BackupStore store(dir.path());
        const BackupResult saved = store.save(fixture::kWorkedBlock);
        QCOMPARE(fixture::readFile(saved.path), QByteArray("E803401FF005D0074C040000000000000620556A6464000A500085C80001100A"));
        const QStringList kept = earlier.first(99);
        QCOMPARE(store.list(), daysAhead < 0 ? QStringList{saved.path} + kept : kept + QStringList{saved.path});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 101);
        QCOMPARE(fixture::readFile(dir.filePath("notes.set")), QByteArray("mine"));
    }

    void dialogFiltersAndTypedNames()
    {
        QCOMPARE(qtNameFilter(kSetFilter), QStringLiteral("VQ setting data (*.set);;ALL files(*.*)"));
        QCOMPARE(qtNameFilter(QStringLiteral("Logs|*.csv")), QStringLiteral("Logs (*.csv)"));
        // A name typed without an extension gets the chosen filter's.
        QCOMPARE(withFilterExtension("/d/run", "VQ setting data (*.set)"), "/d/run.set");
        QCOMPARE(withFilterExtension("/d.x/run", "VQ Log data (*.csv)"), "/d.x/run.csv");
        QCOMPARE(withFilterExtension("/d/run.txt", "VQ Log data (*.csv)"), "/d/run.txt");
        QCOMPARE(withFilterExtension("/d/run", "ALL files(*.*)"), "/d/run");
    }

    // The log file as File > Log Data > Save writes it, byte for byte.
    void logFileAsSaved()
    {
        Harness h; // zeros where nothing is set
        h.log.setVolt(1, 0.0f);
        h.log.setCur(1, 120.0f);
        h.log.setVolt(2, 7.4f);
        h.log.setCur(2, -1.0f);
        h.log.setVolt(3, 123.4567f);
        h.log.setCur(3, -2.5f);
        h.log.setVolt(4, -1.0f);
        h.log.setVolt(512, 0.1f);
        h.log.setCur(512, 480.0f);
        h.shown(path("pinned.csv"), {}, &FileCommands::mnuSaveLog_Click);
        QCOMPARE(fixture::readFile(path("pinned.csv")),
                 "Time(s),Voltage(V),Current(A)\r\n0,0,120\r\n1,7.4,\r\n2,123.4567,-2.5\r\n3,,0\r\n"
                     + rows(4, 510, ",0,0") + "511,0.1,480\r\n");
    }

    void read_data()
    {
        // After reading into a log holding n + 0.25 V and n + 0.75 A in slot n:
        // slot 1's voltage and current, slot 2's voltage.
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("line"); // lines read, or the line that stopped it
        QTest::addColumn<QList<float>>("slots12");
        const QList<float> kept{1.25f, 1.75f, 2.25f}, one{1, 2, 2.25f};
        QTest::newRow("512 rows") << kHeader + rows(0, 511, ",9,8") << true << 513 << QList<float>{9, 8, 9};
        QTest::newRow("513 rows") << kHeader + rows(0, 512, ",9,8") << false << 513 << QList<float>{9, 8, 9};
        QTest::newRow("empty fields") << kHeader + "0,,\r\n1,5\r\n" << true << 3 << QList<float>{-1, -1, 5};
        QTest::newRow("LF and CR ends") << QByteArray("Time(s)\n0,1,2\r1,3,4\n") << true << 3 << QList<float>{1, 2, 3};
        QTest::newRow("lower-case header") << QByteArray("time(s)\r\n0,1,2\r\n") << false << 0 << kept;
        QTest::newRow("bad row, rows before kept") << kHeader + "0,1,2\r\n1,7.4V,2\r\n" << false << 2 << one;
        QTest::newRow("bad current, voltage not stored") << kHeader + "0,3.3,oops\r\n" << false << 1 << kept;
        QTest::newRow("index out of sequence") << kHeader + "1,1,2\r\n" << false << 1 << kept;
        QTest::newRow("empty line") << kHeader + "0,1,2\r\n\r\n1,3,4\r\n" << false << 2 << one;
        QTest::newRow("UTF-8 byte-order mark") << "\xEF\xBB\xBF" + kHeader + "0,1,2\r\n" << true << 2 << one;
        QTest::newRow("separator rows at the end") << kHeader + "0,1,2\r\n,,\r\n,,\r\n" << true << 2 << one;
        QTest::newRow("separator row before data") << kHeader + "0,1,2\r\n,,\r\n1,3,4\r\n" << false << 2 << one;
        QTest::newRow("an editor's extra line end") << kHeader + "0,1,2\r\n\r\n" << true << 2 << one;
        QTest::newRow("blank, separator and LF lines at the end") << kHeader + "0,1,2\r\n \t\r\n, ,\r\n\n\r\n  " << true << 2 << one;
        QTest::newRow("blank line before data") << kHeader + "0,1,2\r\n \r\n1,3,4\r\n" << false << 2 << one;
    }
    void read()
    {
        QFETCH(QByteArray, content);
        RunLog log;
        for (int n = 1; n <= kLogSamples; ++n) {
            log.setVolt(n, 0.25f + float(n));
            log.setCur(n, 0.75f + float(n));
        }
        const LogReadResult r = readLogText(content, log);
        QTEST(r.ok, "ok");
        QTEST(r.line, "line");
        QTEST((QList<float>{log.RunVolt(1), log.RunCur(1), log.RunVolt(2)}), "slots12");
        QCOMPARE(log.RunVolt(3), content.size() > 1000 ? 9.0f : 3.25f); // slots not reached keep theirs
    }
};

QTEST_GUILESS_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
