#pragma once

// The four file commands of the main window's menus: settings open and save,
// log open and save. They need no window: dialogs, questions and messages go
// through the Prompter, the settings editor through the controller's block,
// and the log window is told through a hook, so the whole flow runs in tests.

#include "platform/prompter.h"
#include "runlog/runlog.h"

#include <QString>

#include <functional>
#include <optional>

namespace vq {

// The file dialogs' filters; the window's dialogs show them translated
// (context "Files"), the patterns kept.
inline constexpr char kSettingFileFilter[] = QT_TRANSLATE_NOOP("Files", "VQ setting data (*.set)|*.set|ALL files(*.*)|*.*");
inline constexpr char kLogFileFilter[] = QT_TRANSLATE_NOOP("Files", "VQ Log data (*.csv)|*.csv|ALL files(*.*)|*.*");
inline constexpr char kPictureFileFilter[] = QT_TRANSLATE_NOOP("Files", "PNG picture (*.png)|*.png|SVG drawing (*.svg)|*.svg");

class ControllerBlock;

class FileCommands
{
public:
    // `logLoaded` is SetGraphFile: show the log window with the log just loaded.
    FileCommands(Prompter &prompter, RunLog &log, ControllerBlock &block,
                 std::function<void()> logLoaded = {});
    FileCommands(const FileCommands &) = delete;
    FileCommands &operator=(const FileCommands &) = delete;

    void mnuOpen_Click();    // settings file, open
    void mnuSave_Click();    // settings file, save (after MakeWriteData)
    void munOpenLog_Click(); // log file, open
    void mnuSaveLog_Click(); // log file, save (refused while the log is empty)

    // The log window's graph menu. A log file to compare with, read into a
    // run of its own (the log is left alone); nothing when cancelled, or
    // when the file is refused, which is reported as for "Log Open".
    [[nodiscard]] std::optional<ComparedRun> openComparisonLog();
    // Asks for a picture file and saves `encode(svg)` there: SVG for a name
    // ending in ".svg", else PNG. An existing file is replaced after asking,
    // as for the other files.
    void saveGraphPicture(const std::function<QByteArray(bool svg)> &encode);

    // SetGraphFile, for a log window made after the file commands.
    void setLogLoaded(std::function<void()> logLoaded) { m_logLoaded = std::move(logLoaded); }

    // Told, with each file message, the file and the system's reason
    // ("path: reason"; the path alone for content that isn't what it should be).
    void setFileProblem(std::function<void(const QString &detail)> told) { m_fileProblem = std::move(told); }

    // Both serve settings and log files: a filter that contains "setting"
    // means a settings file, any other a log file.
    void OpenDataFile(const QString &filter);
    void SaveDataFile(const QString &filter);

private:
    [[nodiscard]] static bool isSettingFilter(const QString &filter);
    [[nodiscard]] bool openSettings(const QByteArray &content);
    [[nodiscard]] bool openLog(const QByteArray &content);
    // The save dialog and the question before replacing a file: the chosen
    // name, or empty when the user stopped.
    [[nodiscard]] QString askSaveName(const QString &filter);

    Prompter &m_prompter;
    RunLog &m_log;
    ControllerBlock &m_block;
    std::function<void()> m_logLoaded;
    std::function<void(const QString &)> m_fileProblem;
    void fileProblem(const QString &path, const QString &reason = {});
    QString m_writeBlock;
};

} // namespace vq
