#pragma once

// The program as a whole: the module-wide state (configuration, receive
// buffer, run-data log, title, folder and version text), the start-up
// sequence Main, and the wiring between the main window, the device link,
// the file commands and the log window.

#include "link/portselection.h"
#include "platform/config.h"
#include "platform/prompter.h"
#include "runlog/runlog.h"
#include "settings/editormodel.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

namespace vq {

class CommandExchange;
class ControllerBlock;
class DeviceOperations;
class FileCommands;
class FrmMain;
class InstanceGuard;
class LogWindowHost;
class PortControl;
class PortSelection;
class SerialPort;
class StatusModel;

inline const QString kMsgAlreadyOpened = QStringLiteral("This application is already opened!!");

// "Version" & major & "." & minor & revision: no "." before the revision.
[[nodiscard]] QString makeVersionText(int major, int minor, int revision);

class BackupStore;

class Application : public QObject
{
    Q_OBJECT

public:
    struct Options {
        QString programFile;   // the program file; its folder holds the profile file
        Prompter *prompter = nullptr; // message boxes and file dialogs; Qt's when null
        // Runs the port-selection dialog modally; the Qt dialog when empty.
        std::function<void(PortSelection &)> portDialog;
        double timeScale = 1.0; // shrinks the link's waits in tests
        // A device to open for this run only instead of the profile's port
        // (--port); nothing is stored. Empty: the profile's port.
        QString portDevice;
        // Where the backups before every write go; empty: the user's data folder.
        QString backupFolder;
    };

    explicit Application(Options options);
    ~Application() override;

    // Start-up: refuses a second copy (false: show nothing else and end),
    // reads the configuration, opens the port, prepares and shows the main window.
    [[nodiscard]] bool Main();

    QString VersionText;
    QString AppTitle;
    QString AppPath;

    [[nodiscard]] Config &config() { return m_config; }
    [[nodiscard]] EditorModel &editor() { return m_editor; }
    [[nodiscard]] ControllerBlock &block() { return *m_block; }
    [[nodiscard]] RunLog &log() { return m_log; }
    [[nodiscard]] FrmMain &mainWindow() { return *m_frmMain; }
    [[nodiscard]] StatusModel &status() { return *m_status; }
    [[nodiscard]] CommandExchange &exchange() { return *m_exchange; }
    [[nodiscard]] DeviceOperations &operations() { return *m_operations; }
    [[nodiscard]] PortControl &portControl() { return *m_portControl; }
    [[nodiscard]] FileCommands &files() { return *m_files; }
    [[nodiscard]] LogWindowHost &logWindow() { return *m_logWindow; }
    [[nodiscard]] SerialPort &serialPort() { return *m_port; }
    [[nodiscard]] Prompter &prompter() { return *m_prompter; }

signals:
    // The main window was unloaded: the port is closed and the program ends.
    void ended();

private:
    void wireMainWindow();
    std::optional<PortChoice> showPortDialog();
    void MainIni();
    void Form_Unload();

    Options m_options;
    Config m_config;
    EditorModel m_editor;
    RunLog m_log;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter *m_prompter = nullptr;
    std::unique_ptr<ControllerBlock> m_block;
    std::unique_ptr<BackupStore> m_backups;
    std::unique_ptr<InstanceGuard> m_guard;
    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<StatusModel> m_status;
    std::unique_ptr<CommandExchange> m_exchange;
    std::unique_ptr<PortControl> m_portControl;
    std::unique_ptr<DeviceOperations> m_operations;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<FrmMain> m_frmMain;
    std::unique_ptr<LogWindowHost> m_logWindow;
    bool m_unloaded = false;
};

} // namespace vq
