// The file commands of the main menu as the user meets them: dialogs,
// questions and messages (answered by a script), the settings file's
// 64-character rule, the log file branch, and saves that fail without
// harming the file that was there.

#include "files/filecommands.h"
#include "files/logfile.h"
#include "files/settingsfile.h"
#include "platform/prompter.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace vq;
using Kind = ScriptedPrompter::Kind;

namespace {

const QString kSettingFilter = QStringLiteral("VQ setting data (*.set)|*.set|ALL files(*.*)|*.*");
const QString kLogFilter = QStringLiteral("VQ Log data (*.csv)|*.csv|ALL files(*.*)|*.*");
const QString kTrouble = QStringLiteral("Trouble is found in data.");
const QString kCreate = QStringLiteral("File not found. Create it?");
const QString kOverwrite = QStringLiteral("The file already exists. \r\nDo you overwrite?");
const QString kNoData = QStringLiteral("There is no preserved data.");
const QString kCannotSave = QStringLiteral("File cannot be saved.");

const QString kBlock = QStringLiteral("E803401FF005D0074C040000000000000620556A6464000A500085C80001100A");

// The commands with their hooks recording what reached the editor, the
// receive buffer and the log window.
struct Harness
{
    ScriptedPrompter prompter;
    RunLog log;
    QStringList decoded;
    QStringList recvBuffers;
    int logLoads = 0;
    SettingsDecode decodeResult = SettingsDecode::Ok;
    std::optional<QString> editorBlock = kBlock;
    FileCommands commands{prompter, log,
                          FileCommandHooks{
                              [this](const QString &block) {
                                  decoded.append(block);
                                  return decodeResult;
                              },
                              [this] { return editorBlock; },
                              [this](const QString &text) { recvBuffers.append(text); },
                              [this] { ++logLoads; },
                          }};

    // Kinds and texts of everything shown, for one comparison per flow.
    QStringList shown() const
    {
        QStringList out;
        for (const auto &p : prompter.prompts) {
            switch (p.kind) {
            case Kind::Message:
                out.append(QStringLiteral("message(%1): %2").arg(int(p.icon)).arg(p.text));
                break;
            case Kind::Question:
                out.append(QStringLiteral("question: ") + p.text);
                break;
            case Kind::OpenDialog:
                out.append(QStringLiteral("open: ") + p.text);
                break;
            case Kind::SaveDialog:
                out.append(QStringLiteral("save: ") + p.text);
                break;
            }
        }
        return out;
    }
};

QString critical(const QString &text)
{
    return QStringLiteral("message(%1): %2").arg(int(MessageIcon::Critical)).arg(text);
}

QString exclamation(const QString &text)
{
    return QStringLiteral("message(%1): %2").arg(int(MessageIcon::Exclamation)).arg(text);
}

RunLog sampleLog()
{
    RunLog log;
    for (int n = 1; n <= kLogSamples; ++n) {
        log.setVolt(n, n % 7 == 0 ? -1.0f : 3.0f + float(n % 100) / 10.0f);
        log.setCur(n, n % 5 == 0 ? -1.0f : float((n % 48) * 10));
    }
    return log;
}

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // --- the settings file's content -----------------------------------------

    void settingsContentRule()
    {
        // What a save writes: the 64 characters as 64 bytes, or nothing.
        QCOMPARE(settingFileContent(kBlock).value(), kBlock.toLatin1());
        QVERIFY(!settingFileContent(kBlock + u'0'));
        QString wide = kBlock;
        wide[10] = QChar(0x3042); // can't be one 8-bit character
        QVERIFY(!settingFileContent(wide));
        // What an open reads: bytes become characters one for one.
        QCOMPARE(settingFileText(QByteArray("A\xe9\x01")), QString::fromUtf8("A\u00e9\u0001"));
    }

    // --- opening -------------------------------------------------------------

    void missingFile_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("create");
        QTest::newRow("settings, No") << kSettingFilter << QStringLiteral("none.set") << false;
        QTest::newRow("log, Yes") << kLogFilter << QStringLiteral("new.csv") << true;
    }
    void missingFile()
    {
        QFETCH(QString, filter);
        QFETCH(QString, file);
        QFETCH(bool, create);
        const QString name = path(file);
        Harness h;
        h.prompter.fileNames = {name};
        h.prompter.answers = {create};
        h.commands.OpenDataFile(filter);
        QCOMPARE(h.shown(), (QStringList{QStringLiteral("open: ") + filter,
                                         QStringLiteral("question: ") + kCreate}));
        // Yes makes an empty file and changes nothing else.
        QCOMPARE(QFileInfo(name).isFile(), create);
        QCOMPARE(QFileInfo(name).size(), 0);
        QVERIFY(h.recvBuffers.isEmpty() && h.decoded.isEmpty());
        QCOMPARE(h.logLoads, 0);
        QCOMPARE(h.log, RunLog());
        QFile::remove(name);
    }

    void missingFileCannotBeCreated()
    {
        // The parent of the chosen name is a regular file.
        const QString parent = path(QStringLiteral("plain.txt"));
        QVERIFY(writeFile(parent, "x"));
        Harness h;
        h.prompter.fileNames = {parent + QStringLiteral("/new.set")};
        h.prompter.answers = {true};
        h.commands.mnuOpen_Click();
        QCOMPARE(h.shown().last(), critical(kTrouble));
        QCOMPARE(readFile(parent), QByteArray("x"));
    }

    void emptyFileLoadsNothing_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::newRow("settings") << kSettingFilter;
        QTest::newRow("log") << kLogFilter;
    }
    void emptyFileLoadsNothing()
    {
        QFETCH(QString, filter);
        const QString name = path(QStringLiteral("empty.dat"));
        QVERIFY(writeFile(name, QByteArray()));
        Harness h;
        h.prompter.fileNames = {name};
        h.commands.OpenDataFile(filter);
        QCOMPARE(h.shown(), QStringList{QStringLiteral("open: ") + filter});
        QVERIFY(h.recvBuffers.isEmpty() && h.decoded.isEmpty());
        QCOMPARE(h.logLoads, 0);
    }

    void settingsFileLoads_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("decodes");
        QTest::newRow("block") << kBlock.toLatin1() << true;
        QTest::newRow("block with CR LF") << kBlock.toLatin1() + "\r\n" << false;
        QTest::newRow("one short") << kBlock.left(63).toLatin1() << false;
        QTest::newRow("8-bit characters") << QByteArray(64, '\xff') << true;
    }
    void settingsFileLoads()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, decodes);
        const QString name = path(QStringLiteral("load.set"));
        QVERIFY(writeFile(name, content));
        Harness h;
        h.prompter.fileNames = {name};
        h.commands.mnuOpen_Click();
        // The content always replaces the receive buffer; no message either way.
        QCOMPARE(h.recvBuffers, QStringList{QString::fromLatin1(content)});
        QCOMPARE(h.decoded, decodes ? QStringList{QString::fromLatin1(content)} : QStringList{});
        QCOMPARE(h.prompter.messageCount(), 0);
        QCOMPARE(readFile(name), content);
    }

    void settingsDecoderOutcomes()
    {
        const QString name = path(QStringLiteral("outcome.set"));
        QVERIFY(writeFile(name, kBlock.toLatin1()));

        // A deleted or foreign block: the decoder's own message is enough.
        Harness refused;
        refused.decodeResult = SettingsDecode::Refused;
        refused.prompter.fileNames = {name};
        refused.commands.mnuOpen_Click();
        QCOMPARE(refused.decoded.size(), 1);
        QCOMPARE(refused.prompter.messageCount(), 0);

        // A block the decoder can't read.
        Harness malformed;
        malformed.decodeResult = SettingsDecode::Malformed;
        malformed.prompter.fileNames = {name};
        malformed.commands.mnuOpen_Click();
        QCOMPARE(malformed.shown(), (QStringList{QStringLiteral("open: ") + kSettingFilter,
                                                 critical(kTrouble)}));
    }

    void unreadableNameIsTrouble_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::newRow("settings") << kSettingFilter;
        QTest::newRow("log") << kLogFilter;
    }
    void unreadableNameIsTrouble()
    {
        QFETCH(QString, filter);
        // A folder exists but is no file to read.
        Harness h;
        h.prompter.fileNames = {m_dir.path()};
        h.commands.OpenDataFile(filter);
        QCOMPARE(h.shown(), (QStringList{QStringLiteral("open: ") + filter, critical(kTrouble)}));
        QVERIFY(h.recvBuffers.isEmpty());
        QCOMPARE(h.logLoads, 0);
    }

    void filterWordDecidesKind()
    {
        const QString name = path(QStringLiteral("kind.txt"));
        QVERIFY(writeFile(name, kBlock.toLatin1()));

        Harness settings;
        settings.prompter.fileNames = {name};
        settings.commands.OpenDataFile(QStringLiteral("my settings|*.txt"));
        QCOMPARE(settings.decoded.size(), 1);

        // "Setting" with a capital is not the word: the log reader refuses it.
        Harness log;
        log.prompter.fileNames = {name};
        log.commands.OpenDataFile(QStringLiteral("Setting|*.txt"));
        QVERIFY(log.decoded.isEmpty() && log.recvBuffers.isEmpty());
        QCOMPARE(log.shown().last(), critical(kTrouble));
    }

    // --- settings save -------------------------------------------------------

    void settingsSaveRefusedByEditor()
    {
        Harness h;
        h.editorBlock.reset();
        h.commands.mnuSave_Click();
        QVERIFY(h.prompter.prompts.isEmpty());
    }

    void settingsSaveOverExisting()
    {
        const QString name = path(QStringLiteral("exists.set"));
        const QByteArray old = "old content\r\n";
        QVERIFY(writeFile(name, old));

        Harness no;
        no.prompter.fileNames = {name};
        no.prompter.answers = {false};
        no.commands.mnuSave_Click();
        QCOMPARE(no.shown(), (QStringList{QStringLiteral("save: ") + kSettingFilter,
                                          QStringLiteral("question: ") + kOverwrite}));
        QCOMPARE(readFile(name), old);

        Harness yes;
        yes.prompter.fileNames = {name};
        yes.prompter.answers = {true};
        yes.commands.mnuSave_Click();
        QCOMPARE(yes.prompter.messageCount(), 0);
        QCOMPARE(readFile(name), kBlock.toLatin1());
    }

    void incompleteBlockIsNeverWritten()
    {
        const QString name = path(QStringLiteral("short.set"));
        QVERIFY(writeFile(name, kBlock.toLatin1()));
        Harness h;
        h.editorBlock = kBlock.left(60);
        h.prompter.fileNames = {name};
        h.prompter.answers = {true};
        h.commands.mnuSave_Click();
        QCOMPARE(h.shown(), QStringList{exclamation(kCannotSave)});
        QCOMPARE(readFile(name), kBlock.toLatin1());
    }

    // --- log files -----------------------------------------------------------

    void logSaveRefusedWithoutData()
    {
        Harness h;
        h.log.setVolt(2, 5.0f); // only slot 1 counts
        h.commands.mnuSaveLog_Click();
        QCOMPARE(h.shown(), QStringList{exclamation(kNoData)});
    }

    void logSaveThenOpen()
    {
        const QString name = path(QStringLiteral("run.csv"));
        Harness saver;
        saver.log = sampleLog();
        saver.prompter.fileNames = {name};
        saver.commands.mnuSaveLog_Click();
        QCOMPARE(saver.shown(), QStringList{QStringLiteral("save: ") + kLogFilter});
        const QByteArray written = readFile(name);
        QCOMPARE(written, MakeRunDat(saver.log));
        QCOMPARE(written.count("\r\n"), 513);
        QCOMPARE(saver.log, sampleLog()); // a save doesn't change the log

        Harness loader;
        loader.prompter.fileNames = {name};
        loader.commands.munOpenLog_Click();
        QCOMPARE(loader.prompter.messageCount(), 0);
        QCOMPARE(loader.logLoads, 1);
        QVERIFY(loader.log == sampleLog());
    }

    void logOpenFaults_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("storedRows");
        QTest::newRow("lower-case header")
            << QByteArray("time(s),Voltage(V),Current(A)\r\n0,7.4,120\r\n") << 0;
        QTest::newRow("bad value in row 3")
            << QByteArray("Time(s)\r\n0,7.4,120\r\n1,7.4,120\r\n2,7.4,12O\r\n3,7.4,120\r\n") << 2;
    }
    void logOpenFaults()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, storedRows);
        const QString name = path(QStringLiteral("bad.csv"));
        QVERIFY(writeFile(name, content));
        Harness h;
        h.prompter.fileNames = {name};
        h.commands.munOpenLog_Click();
        QCOMPARE(h.shown(), (QStringList{QStringLiteral("open: ") + kLogFilter, critical(kTrouble)}));
        QCOMPARE(h.logLoads, 0);
        for (int n = 1; n <= 4; ++n) {
            const bool stored = n <= storedRows;
            QCOMPARE(h.log.RunVolt(n), stored ? 7.4f : RunLog().RunVolt(n));
            QCOMPARE(h.log.RunCur(n), stored ? 120.0f : 0.0f);
        }
    }

    // --- saves that fail -----------------------------------------------------

    void failedSaveShowsAndHarmsNothing_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::newRow("settings") << kSettingFilter;
        QTest::newRow("log") << kLogFilter;
    }
    void failedSaveShowsAndHarmsNothing()
    {
        QFETCH(QString, filter);
        const bool settings = filter == kSettingFilter;

        // Target is a folder: the overwrite question comes, then the failure.
        const QString folder = path(QStringLiteral("folder.dat"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + QStringLiteral("/inside"), "keep"));
        Harness a;
        a.log = sampleLog();
        a.prompter.fileNames = {folder};
        a.prompter.answers = {true};
        settings ? a.commands.mnuSave_Click() : a.commands.mnuSaveLog_Click();
        QCOMPARE(a.shown(), (QStringList{QStringLiteral("save: ") + filter,
                                         QStringLiteral("question: ") + kOverwrite,
                                         exclamation(kCannotSave)}));
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(readFile(folder + QStringLiteral("/inside")), QByteArray("keep"));

        // The parent of the target is a regular file: no question, the failure.
        const QString parent = path(QStringLiteral("parent.txt"));
        QVERIFY(writeFile(parent, "parent"));
        Harness b;
        b.log = sampleLog();
        b.prompter.fileNames = {parent + QStringLiteral("/x.dat")};
        settings ? b.commands.mnuSave_Click() : b.commands.mnuSaveLog_Click();
        QCOMPARE(b.shown(), (QStringList{QStringLiteral("save: ") + filter,
                                         exclamation(kCannotSave)}));
        QCOMPARE(readFile(parent), QByteArray("parent"));

        // An existing file whose name leaves no room for the temporary file
        // beside it: the save fails and the old content stays whole.
        const QString longName = path(QString(250, u'L'));
        const QByteArray old = "old data that must survive\r\n";
        QVERIFY(writeFile(longName, old));
        Harness c;
        c.log = sampleLog();
        c.prompter.fileNames = {longName};
        c.prompter.answers = {true};
        settings ? c.commands.mnuSave_Click() : c.commands.mnuSaveLog_Click();
        QCOMPARE(c.shown().last(), exclamation(kCannotSave));
        QCOMPARE(readFile(longName), old);
        QVERIFY(QFile::remove(longName));
    }
};

QTEST_GUILESS_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
