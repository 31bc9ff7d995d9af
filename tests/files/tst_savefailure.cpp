// Saves that can't be made as asked. A disk that refuses the rest of the
// file halfway (a file-size limit on the saving process, as a full disk or a
// quota does) leaves the file that was there byte for byte and says "File
// cannot be saved."; the save runs in a child copy of this program so the
// limit never touches the test. Where no temporary file can be made beside
// an existing file, the file is written in place. Only ordinary files are
// ever replaced: a device, a pipe, a socket or a folder under the name stays.

#include "files/filecommands.h"
#include "fixtures.h"
#include "platform/safewrite.h"
#include "scriptedprompter.h"
#include "settings/controllerblock.h"
#include "settings/editormodel.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

using namespace vq;

namespace {

// The child: saves a log over the target, answering Yes to the overwrite
// question, and prints each message shown.
int saveInChild(const QString &target)
{
    ScriptedPrompter prompter;
    RunLog log;
    log.setVolt(1, 7.4f); // the rest of the log as it starts
    EditorModel editor;
    ControllerBlock block(editor, prompter);
    FileCommands commands(prompter, log, block);
    prompter.fileNames = {target};
    prompter.answers = {true};
    commands.mnuSaveLog_Click();
    std::printf("%s", qPrintable(prompter.messageTexts().join(u'\n')));
    return 0;
}

// Makes a thing of that kind at `path`; false when the system won't (a
// device node needs root).
bool make(const QString &kind, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (kind == u"char") // the null device's numbers: nothing written to it goes anywhere
        return ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    if (kind == u"fifo")
        return ::mkfifo(name.constData(), 0600) == 0;
    if (kind == u"folder")
        return QDir().mkpath(path);
    // kind "link": to an ordinary file beside it
    return fixture::writeFile(path + QStringLiteral(".target"), "old") && QFile::link(path + QStringLiteral(".target"), path);
}

} // namespace

class TestSaveFailure : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void refusedHalfway_data()
    {
        QTest::addColumn<bool>("saved");
        // With room enough the same child saves: the refusal comes from the limit.
        QTest::newRow("refused after 2000 bytes") << false;
        QTest::newRow("with room") << true;
    }
    void refusedHalfway()
    {
        QFETCH(bool, saved);
        const QString folder = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'_'));
        QVERIFY(QDir().mkpath(folder));
        const QString target = folder + QStringLiteral("/kept.dat");
        const QByteArray old = "the user's earlier file, which must survive\r\n";
        QVERIFY(fixture::writeFile(target, old));

        QProcess child;
        child.setProgram(QCoreApplication::applicationFilePath());
        child.setArguments({QStringLiteral("save-child"), target});
        child.setChildProcessModifier([saved] {
            std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG
            const rlim_t max = saved ? RLIM_INFINITY : 2000;
            const rlimit r{max, max};
            setrlimit(RLIMIT_FSIZE, &r);
        });
        child.start();
        QVERIFY(child.waitForFinished(60000) && child.exitCode() == 0);
        QCOMPARE(QString::fromLatin1(child.readAllStandardOutput()), saved ? QString() : fixture::msg::cannotSave);
        const QByteArray written = fixture::readFile(target);
        QVERIFY(saved ? written.startsWith("Time(s),Voltage(V),Current(A)\r\n0,7.4,0\r\n") && written.endsWith("\n511,0,0\r\n")
                      : written == old);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("kept.dat")});
    }

    void noTemporaryFile()
    {
        // An existing file is written in place; a new name or a folder stays refused.
        const auto refuse = [](QSaveFile &) { return false; };
        const QString target = m_dir.filePath(QStringLiteral("in-place.set"));
        const QByteArray block = fixture::kWorkedBlock.toLatin1();
        QVERIFY(!writeFileAtomically(target, block, refuse));
        QCOMPARE(fixture::readFile(target), QByteArray("<missing>"));
        QVERIFY(fixture::writeFile(target, QByteArray(80, 'o'))); // longer than the block
        QVERIFY(writeFileAtomically(target, block, refuse));
        QCOMPARE(fixture::readFile(target), block);
        QVERIFY(!writeFileAtomically(m_dir.path(), "x", refuse));
    }

    void onlyOrdinaryFilesAreReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("written");
        QTest::newRow("character device") << "char" << false;
        QTest::newRow("named pipe") << "fifo" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("link to an ordinary file, followed") << "link" << true;
    }
    void onlyOrdinaryFilesAreReplaced()
    {
        QFETCH(QString, kind);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("s"));
        if (!make(kind, target))
            QSKIP("this system doesn't let the test make one");
        QString reason;
        QCOMPARE(writeFileAtomically(target, "block", &reason), written);
        // Still what it was, not an ordinary file put in its place.
        const QFileInfo now(target);
        QVERIFY(kind == u"link" ? now.isSymLink() : kind == u"folder" ? now.isDir() : now.exists() && !now.isFile());
        QCOMPARE(reason.isEmpty(), written);
        if (written)
            QCOMPARE(fixture::readFile(target + QStringLiteral(".target")), QByteArray("block"));
        // No temporary file is left behind either.
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                 kind == u"link" ? 2 : 1);
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "save-child") == 0)
        return saveInChild(QString::fromLocal8Bit(argv[2]));
    TestSaveFailure test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savefailure.moc"
