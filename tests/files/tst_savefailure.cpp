// Saves that can't be made as asked. A disk that refuses the rest of the
// file halfway (a file-size limit on the saving process, as a full disk or a
// quota does) leaves the file that was there byte for byte and says "File
// cannot be saved."; the save runs in a child copy of this program so the
// limit never touches the test. Where no temporary file can be made beside
// an existing file, the file is written in place.

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
