// The file commands as the user reaches them: the menu entries of the main
// window, the dialogs and questions answered by the ScriptedPrompter, and the
// files on disk and the editor afterwards.

#include "apprig.h"
#include "controllerdata.h"
#include "emulatorprocess.h"
#include "link/deviceoperations.h"
#include "runlog/logwindow.h"
#include "settings/paramtable.h"

#include <QDir>
#include <QTest>

using namespace vq;
using Kind = ScriptedPrompter::Kind;

namespace {

const QString kSettingFilter = QStringLiteral("VQ setting data (*.set)|*.set|ALL files(*.*)|*.*");
const QString kLogFilter = QStringLiteral("VQ Log data (*.csv)|*.csv|ALL files(*.*)|*.*");

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList fieldTexts(const FrmMain &w)
{
    QStringList texts;
    for (int i = 0; i < kParamCount; ++i)
        texts << w.TxtData(i)->text();
    return texts;
}

} // namespace

class TestFileMenus : public QObject
{
    Q_OBJECT

    std::unique_ptr<EmulatorProcess> m_emu;
    std::unique_ptr<AppRig> m_rig;

    FrmMain &w() { return m_rig->window(); }
    ScriptedPrompter &prompter() { return m_rig->prompter; }

    // The program against a fresh controller pinned as Com1, after a
    // "Setting Data Read" clicked in the window.
    bool startAndRead()
    {
        m_emu = std::make_unique<EmulatorProcess>();
        const QString line = m_emu->start({QStringLiteral("--no-pacing")});
        if (line.isEmpty())
            return false;
        m_rig = std::make_unique<AppRig>();
        m_rig->pinPorts({{1, line}});
        m_rig->storePort(QStringLiteral(" 1"));
        if (!m_rig->start())
            return false;
        QTest::mouseClick(w().CmdVqCom(0), Qt::LeftButton);
        return messageText(w()) == kMsgCompletion && w().TxtData(0)->text() == QLatin1String("2000");
    }

    // The program with no port at all.
    bool startWithoutPort()
    {
        m_rig = std::make_unique<AppRig>();
        m_rig->pinPorts({});
        m_rig->storePort(QStringLiteral(" 0"));
        return m_rig->start();
    }

private slots:
    void cleanup()
    {
        m_rig.reset();
        if (m_emu)
            m_emu->stop();
        m_emu.reset();
    }

    void settingsSaveThenOpenRestoresTheEditor()
    {
        QVERIFY(startAndRead());
        const QStringList read = fieldTexts(w());
        const QString path = m_rig->filePath(QStringLiteral("mine.set"));

        prompter().fileNames << path;
        w().mnuSave->trigger();
        QCOMPARE(readFile(path), emu::factoryBlock()); // 64 bytes, no line ending
        QCOMPARE(prompter().prompts.size(), 1);
        QCOMPARE(prompter().prompts.at(0).kind, Kind::SaveDialog);
        QCOMPARE(prompter().prompts.at(0).text, kSettingFilter);

        // Change the editor through its widgets, then load the file back.
        w().TxtData(0)->selectAll();
        QTest::keyClicks(w().TxtData(0), QStringLiteral("3000"));
        w().TxtData(5)->selectAll();
        QTest::keyClicks(w().TxtData(5), QStringLiteral("9"));
        QTest::mouseClick(w().ChkCurLimOff(), Qt::LeftButton);
        QVERIFY(fieldTexts(w()) != read);

        prompter().clear();
        prompter().fileNames << path;
        w().mnuOpen->trigger();
        QCOMPARE(prompter().prompts.size(), 1);
        QCOMPARE(prompter().prompts.at(0).kind, Kind::OpenDialog);
        QCOMPARE(prompter().prompts.at(0).text, kSettingFilter);
        QCOMPARE(fieldTexts(w()), read);
        QVERIFY(!w().ChkCurLimOff()->isChecked());
        QVERIFY(w().TxtData(7)->isEnabled());
        QCOMPARE(readFile(path), emu::factoryBlock());
    }

    void settingsFileOfAnotherLengthIsIgnored()
    {
        QVERIFY(startAndRead());
        w().TxtData(5)->selectAll();
        QTest::keyClicks(w().TxtData(5), QStringLiteral("9"));
        const QStringList before = fieldTexts(w());
        const QString path = m_rig->filePath(QStringLiteral("crlf.set"));
        QVERIFY(writeFile(path, emu::factoryBlock() + "\r\n")); // 66 bytes
        prompter().clear();
        prompter().fileNames << path;
        w().mnuOpen->trigger();
        QCOMPARE(fieldTexts(w()), before);
        QCOMPARE(prompter().messageCount(), 0);
    }

    void overwriteIsAskedAndNoKeepsTheFile()
    {
        QVERIFY(startAndRead());
        const QString path = m_rig->filePath(QStringLiteral("old.set"));
        QVERIFY(writeFile(path, "old content"));
        prompter().clear();
        prompter().fileNames << path;
        prompter().answers << false;
        w().mnuSave->trigger();
        QCOMPARE(prompter().prompts.size(), 2);
        QCOMPARE(prompter().prompts.at(1).kind, Kind::Question);
        QCOMPARE(prompter().prompts.at(1).text, QStringLiteral("The file already exists. \r\nDo you overwrite?"));
        QCOMPARE(readFile(path), QByteArray("old content"));

        // Yes overwrites.
        prompter().fileNames << path;
        prompter().answers << true;
        w().mnuSave->trigger();
        QCOMPARE(readFile(path), emu::factoryBlock());
    }

    void failedSaveKeepsTheOldFileAndSaysSo()
    {
        QVERIFY(startAndRead());
        // A name of the longest length a folder takes: the file itself exists,
        // but nothing can be written beside it under a longer name first, so
        // the save fails before it touches the file.
        const QString path = m_rig->filePath(QString(255, u'x'));
        QVERIFY(writeFile(path, "old content"));
        prompter().clear();
        prompter().fileNames << path;
        prompter().answers << true;
        w().mnuSave->trigger();
        QCOMPARE(prompter().messageTexts(), QStringList{QStringLiteral("File cannot be saved.")});
        QCOMPARE(readFile(path), QByteArray("old content"));
        QCOMPARE(QDir(m_rig->folder()).entryList(QDir::Files).filter(QString(255, u'x')).size(), 1);
    }

    void saveRefusesAnIncompleteEditorBeforeAnyDialog()
    {
        QVERIFY(startWithoutPort());
        w().mnuSave->trigger();
        QCOMPARE(prompter().prompts.size(), 1);
        QCOMPARE(prompter().prompts.at(0).kind, Kind::Message);
        QCOMPARE(prompter().prompts.at(0).text, QStringLiteral("Data is abnormal!!\r\nPlease set it correctly."));
    }

    void logSaveRefusedWhileThereIsNoLog()
    {
        QVERIFY(startWithoutPort());
        w().mnuSaveLog->trigger();
        QCOMPARE(prompter().prompts.size(), 1);
        QCOMPARE(prompter().prompts.at(0).text, QStringLiteral("There is no preserved data."));
        QCOMPARE(prompter().prompts.at(0).icon, MessageIcon::Exclamation);
    }

    void openedSettingsFileEnablesWriteWithoutAPort()
    {
        QVERIFY(startWithoutPort());
        const QString path = m_rig->filePath(QStringLiteral("factory.set"));
        QVERIFY(writeFile(path, emu::factoryBlock()));
        prompter().fileNames << path;
        w().mnuOpen->trigger();
        QCOMPARE(prompter().messageCount(), 0);
        QCOMPARE(w().TxtData(6)->text(), QStringLiteral("3"));
        QCOMPARE(deviceButtons(w()), (QList<bool>{false, true, false, false, false}));
    }

    void logSavedAfterDataGetOpensInTheLogWindow()
    {
        QVERIFY(startAndRead());
        QTest::mouseClick(w().CmdVqCom(3), Qt::LeftButton); // Data Get
        QCOMPARE(messageText(w()), kMsgCompletion);
        FrmLog *log = m_rig->app->logWindow().window();
        QVERIFY(log && log->isVisible());
        log->close();
        QVERIFY(!m_rig->app->logWindow().window());

        const QString path = m_rig->filePath(QStringLiteral("run.csv"));
        prompter().clear();
        prompter().fileNames << path;
        w().mnuSaveLog->trigger();
        QCOMPARE(prompter().prompts.size(), 1);
        QCOMPARE(prompter().prompts.at(0).text, kLogFilter);
        const QByteArray saved = readFile(path);
        QVERIFY(saved.startsWith("Time(s),Voltage(V),Current(A)\r\n0,"));
        QCOMPARE(saved.count("\r\n"), 513);

        prompter().fileNames << path;
        w().munOpenLog->trigger();
        QCOMPARE(prompter().messageCount(), 0);
        log = m_rig->app->logWindow().window();
        QVERIFY(log && log->isVisible());
    }
};

QTEST_MAIN(TestFileMenus)
#include "tst_filemenus.moc"
