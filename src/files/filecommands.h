#pragma once

// The four file commands of the main window's menus: settings open and save,
// log open and save. They need no window: dialogs, questions and messages go
// through the Prompter, and the settings editor, the receive buffer and the
// log window are reached through hooks, so the whole flow runs in tests.

#include "platform/prompter.h"
#include "runlog/runlog.h"

#include <QString>

#include <functional>
#include <optional>

namespace vq {

inline constexpr char kSettingFileFilter[] = "VQ setting data (*.set)|*.set|ALL files(*.*)|*.*";
inline constexpr char kLogFileFilter[] = "VQ Log data (*.csv)|*.csv|ALL files(*.*)|*.*";

// Outcome of decoding a settings block into the editor.
enum class SettingsDecode {
    Ok,        // the editor shows the block
    Refused,   // deleted or foreign block: the decoder showed its own message
    Malformed, // a character the decoder can't read: the loader reports it
};

struct FileCommandHooks
{
    // ShowSettingData on a 64-character block.
    std::function<SettingsDecode(const QString &block)> decodeSettings;
    // MakeWriteData: the block to save, or nothing after the editor showed
    // its own message.
    std::function<std::optional<QString>()> makeWriteData;
    // A loaded settings file's text replaces the receive buffer.
    std::function<void(const QString &text)> setRecvBuffer;
    // SetGraphFile: show the log window with the log just loaded.
    std::function<void()> logLoaded;
};

class FileCommands
{
public:
    FileCommands(Prompter &prompter, RunLog &log, FileCommandHooks hooks);
    FileCommands(const FileCommands &) = delete;
    FileCommands &operator=(const FileCommands &) = delete;

    void mnuOpen_Click();    // settings file, open
    void mnuSave_Click();    // settings file, save (after MakeWriteData)
    void munOpenLog_Click(); // log file, open
    void mnuSaveLog_Click(); // log file, save (refused while the log is empty)

    // Both serve settings and log files: a filter that contains "setting"
    // means a settings file, any other a log file.
    void OpenDataFile(const QString &filter);
    void SaveDataFile(const QString &filter);

    // The block the last settings save wrote (or tried to write).
    [[nodiscard]] QString writeBlock() const { return m_writeBlock; }

private:
    [[nodiscard]] static bool isSettingFilter(const QString &filter);
    [[nodiscard]] bool openSettings(const QByteArray &content);
    [[nodiscard]] bool openLog(const QByteArray &content);

    Prompter &m_prompter;
    RunLog &m_log;
    FileCommandHooks m_hooks;
    QString m_writeBlock;
};

} // namespace vq
