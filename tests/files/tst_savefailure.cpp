// A save that fails in the middle of writing the file: the disk refuses the
// rest (a file-size limit on the saving process, the way a full disk or a
// quota does). The file that was there keeps every byte, no half-written
// file or leftover is left behind, and the user is told. The profile file
// behaves the same, except that its writes fail without a word.
//
// The save runs in a child copy of this program, started with the limit in
// force, so the limit never touches the test itself.

#include "files/filecommands.h"
#include "files/logfile.h"
#include "platform/profilefile.h"
#include "platform/prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>

using namespace vq;

namespace {

const QString kBlock = QStringLiteral("E803401FF005D0074C040000000000000620556A6464000A500085C80001100A");
const QString kCannotSave = QStringLiteral("File cannot be saved.");
const char kChildKind[] = "VQ_SAVE_CHILD_KIND";
const char kChildTarget[] = "VQ_SAVE_CHILD_TARGET";

RunLog fullLog()
{
    RunLog log;
    for (int n = 1; n <= kLogSamples; ++n) {
        log.setVolt(n, 7.4f + float(n % 13) / 10.0f);
        log.setCur(n, float((n % 30) * 10));
    }
    return log;
}

// The child: saves a settings block or the log to the target, answering Yes
// to the overwrite question, and prints each message box it showed.
int saveInChild(const QByteArray &kind, const QString &target)
{
    if (kind == "profile") {
        if (!writeProfileString(target, QStringLiteral("RS232C"), QStringLiteral("CommPort"), QStringLiteral(" 3")))
            std::printf("message: <profile write failed>\n");
        return 0;
    }
    ScriptedPrompter prompter;
    RunLog log = fullLog();
    FileCommandHooks hooks;
    hooks.makeWriteData = [] { return std::optional<QString>(kBlock); };
    FileCommands commands(prompter, log, hooks);
    prompter.fileNames = {target};
    prompter.answers = {true};
    if (kind == "settings")
        commands.mnuSave_Click();
    else
        commands.mnuSaveLog_Click();
    for (const QString &text : prompter.messageTexts())
        std::printf("message: %s\n", qPrintable(text));
    return 0;
}

QByteArray readFile(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestSaveFailure : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Runs the save in a child whose files may not grow beyond `limit` bytes.
    QStringList saveWithLimit(const QByteArray &kind, const QString &target, rlim_t limit)
    {
        QProcess child;
        child.setProgram(QCoreApplication::applicationFilePath());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kChildKind), QString::fromLatin1(kind));
        env.insert(QString::fromLatin1(kChildTarget), target);
        child.setProcessEnvironment(env);
        child.setChildProcessModifier([limit] {
            // A write past the limit then fails with EFBIG instead of
            // ending the process.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit r{limit, limit};
            setrlimit(RLIMIT_FSIZE, &r);
        });
        child.start();
        if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            qWarning("child failed: %s", child.readAllStandardError().constData());
            return {QStringLiteral("<child failed>")};
        }
        QStringList messages;
        for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
            if (line.startsWith("message: "))
                messages.append(QString::fromLocal8Bit(line.mid(9)));
        }
        return messages;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void writeFailsMidFile_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<bool>("existing");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("saved");

        const int logSize = int(MakeRunDat(fullLog()).size());
        // The limit lies inside what is written: the first part goes to disk,
        // the rest is refused.
        QTest::newRow("settings over a file, refused after 32 bytes") << QByteArray("settings") << true << 32 << false;
        QTest::newRow("settings to a new name, refused after 32 bytes") << QByteArray("settings") << false << 32 << false;
        QTest::newRow("log over a file, refused halfway") << QByteArray("log") << true << logSize / 2 << false;
        QTest::newRow("log to a new name, refused halfway") << QByteArray("log") << false << logSize / 2 << false;
        // With room enough the same child saves, so the refusals above come
        // from the limit and from nothing else.
        QTest::newRow("profile file, refused halfway") << QByteArray("profile") << true << 2048 << false;
        QTest::newRow("settings with room") << QByteArray("settings") << true << 1 << true;
        QTest::newRow("log with room") << QByteArray("log") << true << logSize + 1 << true;
        QTest::newRow("profile file with room") << QByteArray("profile") << true << 8192 << true;
    }

    void writeFailsMidFile()
    {
        QFETCH(QByteArray, kind);
        QFETCH(bool, existing);
        QFETCH(int, limit);
        QFETCH(bool, saved);

        const bool settings = kind == "settings";
        const bool profile = kind == "profile";
        const QString folder = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_'));
        QVERIFY(QDir().mkpath(folder));
        const QString target = folder + (settings  ? QStringLiteral("/kept.set")
                                         : profile ? QStringLiteral("/kept.ini")
                                                   : QStringLiteral("/kept.csv"));
        QByteArray old = "the user's earlier file, which must survive\r\n";
        if (profile) // hand-written notes that make the file longer than the limit
            old = "[RS232C]\r\nCommPort= 1\r\n" + QByteArray(3000, ';') + "\r\n";
        if (existing) {
            QFile f(target);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(old), old.size());
        }
        QByteArray content = settings ? kBlock.toLatin1() : MakeRunDat(fullLog());
        if (profile)
            content = QByteArray(old).replace("CommPort= 1", "CommPort= 3");
        // "With room": a limit of 1 on the settings row means no limit at all.
        const rlim_t fileLimit = (saved && settings) ? RLIM_INFINITY : rlim_t(limit);

        const QStringList messages = saveWithLimit(kind, target, fileLimit);

        const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        if (saved) {
            QCOMPARE(messages, QStringList());
            QCOMPARE(readFile(target), content);
        } else {
            QCOMPARE(messages, QStringList{profile ? QStringLiteral("<profile write failed>") : kCannotSave});
            QCOMPARE(readFile(target), existing ? old : QByteArray("<missing>"));
        }
        // No temporary or half-written file beside it.
        QCOMPARE(entries, (existing || saved) ? QStringList{QFileInfo(target).fileName()} : QStringList());
    }
};

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(kChildKind)) {
        QCoreApplication app(argc, argv);
        return saveInChild(qgetenv(kChildKind), qEnvironmentVariable(kChildTarget));
    }
    QCoreApplication app(argc, argv);
    TestSaveFailure test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savefailure.moc"
