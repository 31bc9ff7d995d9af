#include "files/filecommands.h"

#include "core/messages.h"
#include "files/logfile.h"
#include "files/settingsfile.h"
#include "platform/safewrite.h"
#include "settings/controllerblock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vq {

FileCommands::FileCommands(Prompter &prompter, RunLog &log, ControllerBlock &block,
                           std::function<void()> logLoaded)
    : m_prompter(prompter), m_log(log), m_block(block), m_logLoaded(std::move(logLoaded))
{
}

void FileCommands::fileProblem(const QString &path, const QString &reason)
{
    if (!m_fileProblem)
        return;
    const QString name = QDir::toNativeSeparators(path);
    m_fileProblem(reason.isEmpty() ? name : QStringLiteral("%1: %2").arg(name, reason));
}

void FileCommands::mnuOpen_Click()
{
    OpenDataFile(QString::fromLatin1(kSettingFileFilter));
}

void FileCommands::mnuSave_Click()
{
    const std::optional<QString> block = m_block.buildWriteBlock();
    if (!block)
        return; // the editor has shown why; no dialog
    m_writeBlock = *block;
    SaveDataFile(QString::fromLatin1(kSettingFileFilter));
}

void FileCommands::munOpenLog_Click()
{
    OpenDataFile(QString::fromLatin1(kLogFileFilter));
}

void FileCommands::mnuSaveLog_Click()
{
    // RunVolt(1) at -1 is the sign that there is no log at all.
    if (!m_log.hasData()) {
        m_prompter.message(kMsgNoData, MessageIcon::Exclamation);
        return;
    }
    SaveDataFile(QString::fromLatin1(kLogFileFilter));
}

bool FileCommands::isSettingFilter(const QString &filter)
{
    return filter.contains(QLatin1String("setting"));
}

void FileCommands::OpenDataFile(const QString &filter)
{
    const QString name = m_prompter.openFileName(filter);
    if (name.isEmpty())
        return;

    if (!QFileInfo::exists(name)) {
        if (!m_prompter.askYesNo(kMsgCreateQuestion))
            return;
        // The new file is empty, so there is nothing to load from it.
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            m_prompter.message(kMsgTrouble, MessageIcon::Critical);
            fileProblem(name, file.errorString());
        }
        return;
    }

    const std::optional<QByteArray> content = readWholeFile(name);
    if (!content) {
        m_prompter.message(kMsgTrouble, MessageIcon::Critical);
        fileProblem(name, readFailureReason(name));
        return;
    }
    if (content->isEmpty())
        return;

    const bool ok = isSettingFilter(filter) ? openSettings(*content) : openLog(*content);
    if (!ok) {
        m_prompter.message(kMsgTrouble, MessageIcon::Critical);
        fileProblem(name);
    }
}

bool FileCommands::openSettings(const QByteArray &content)
{
    const std::optional<QString> block = settingFileBlock(content);
    // SetFileData: any other length is ignored without a word.
    if (!block)
        return true;
    // A deleted or foreign block has had its message from the decoder.
    return m_block.showBlock(*block) != SettingsDecode::Malformed;
}

bool FileCommands::openLog(const QByteArray &content)
{
    // Rows read before a fault stay in the log; the window is only told about
    // a file that was read to its end.
    if (!readLogText(content, m_log).ok)
        return false;
    if (m_logLoaded)
        m_logLoaded();
    return true;
}

void FileCommands::SaveDataFile(const QString &filter)
{
    QByteArray content;
    if (isSettingFilter(filter)) {
        const std::optional<QByteArray> block = settingFileContent(m_writeBlock);
        if (!block) {
            // Never write a settings file that isn't exactly one block.
            m_prompter.message(kMsgCannotSave, MessageIcon::Exclamation);
            return;
        }
        content = *block;
    } else {
        content = MakeRunDat(m_log);
    }

    const QString name = askSaveName(filter);
    QString reason;
    if (!name.isEmpty() && !writeFileAtomically(name, content, &reason)) {
        m_prompter.message(kMsgCannotSave, MessageIcon::Exclamation);
        fileProblem(name, reason);
    }
}

QString FileCommands::askSaveName(const QString &filter)
{
    const QString name = m_prompter.saveFileName(filter);
    if (name.isEmpty())
        return {};
    if (QFileInfo::exists(name) && !m_prompter.askYesNo(kMsgOverwriteQuestion))
        return {};
    return name;
}

std::optional<ComparedRun> FileCommands::openComparisonLog()
{
    const QString name = m_prompter.openFileName(QString::fromLatin1(kLogFileFilter));
    if (name.isEmpty())
        return std::nullopt;
    const std::optional<QByteArray> content = readWholeFile(name);
    std::optional<RunLog> run = content ? runLogFromFile(*content) : std::nullopt;
    if (!run) {
        m_prompter.message(kMsgTrouble, MessageIcon::Critical);
        fileProblem(name, content ? QString() : readFailureReason(name));
        return std::nullopt;
    }
    return ComparedRun{*run, QFileInfo(name).fileName()};
}

void FileCommands::saveGraphPicture(const std::function<QByteArray(bool svg)> &encode)
{
    const QString name = askSaveName(QString::fromLatin1(kPictureFileFilter));
    if (name.isEmpty())
        return;
    const QByteArray content = encode(name.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive));
    QString reason;
    if (content.isEmpty() || !writeFileAtomically(name, content, &reason)) {
        m_prompter.message(kMsgCannotSave, MessageIcon::Exclamation);
        fileProblem(name, reason);
    }
}

} // namespace vq
