#pragma once

// The program as a whole: the window's side of a session (title, folder and
// version text), the start-up sequence Main, and the wiring between the main
// window, the session's device link and file commands, and the log window.

#include "core/messages.h"
#include "link/portselection.h"
#include "platform/config.h"
#include "platform/prompter.h"
#include "runlog/runlog.h"
#include "session/session.h"
#include "settings/editormodel.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

namespace vq {

class BoxCountingPrompter;
class DeviceWatcher;
class FrmMain;
class InstanceGuard;
class PortReturn;
class LogWindowHost;
class PortSelection;

// "Version" & major & "." & minor & revision: no "." before the revision.
[[nodiscard]] QString makeVersionText(int major, int minor, int revision);

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
        // Tells when adapters come and go; the system's watcher when null.
        DeviceWatcher *watcher = nullptr;
        // How often a lost device is looked for besides the watcher's word.
        int lineReturnCheckMs = 1000;
    };

    explicit Application(Options options);
    ~Application() override;

    // Start-up: refuses a second copy (false: show nothing else and end),
    // reads the configuration, opens the port, prepares and shows the main window.
    [[nodiscard]] bool Main();

    QString VersionText;
    QString AppTitle;
    QString AppPath;

    // Everything the window shares with the command line.
    [[nodiscard]] Session &session() { return *m_session; }
    [[nodiscard]] Config &config() { return m_session->config(); }
    [[nodiscard]] EditorModel &editor() { return m_session->editor(); }
    [[nodiscard]] ControllerBlock &block() { return m_session->block(); }
    [[nodiscard]] RunLog &log() { return m_session->log(); }
    [[nodiscard]] FrmMain &mainWindow() { return *m_frmMain; }
    [[nodiscard]] StatusModel &status() { return m_session->status(); }
    [[nodiscard]] CommandExchange &exchange() { return m_session->exchange(); }
    [[nodiscard]] DeviceOperations &operations() { return m_session->operations(); }
    [[nodiscard]] PortControl &portControl() { return m_session->portControl(); }
    [[nodiscard]] FileCommands &files() { return m_session->files(); }
    [[nodiscard]] LogWindowHost &logWindow() { return *m_logWindow; }
    [[nodiscard]] SerialPort &serialPort() { return m_session->serialPort(); }
    [[nodiscard]] Prompter &prompter() { return *m_prompter; }
    [[nodiscard]] PortReturn &portReturn() { return *m_portReturn; }
    [[nodiscard]] DeviceWatcher *deviceWatcher() const;

signals:
    // The main window was unloaded: the port is closed and the program ends.
    void ended();

private:
    void wireMainWindow();
    void wireLineHelp();
    std::optional<PortChoice> showPortDialog();
    void MainIni();
    void Form_Unload();

    Options m_options;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter *m_prompter = nullptr;
    // Every box the session shows passes here, so a returning port waits for it.
    std::unique_ptr<BoxCountingPrompter> m_boxes;
    std::unique_ptr<DeviceWatcher> m_ownWatcher;
    // Held until the session has closed the port.
    std::unique_ptr<InstanceGuard> m_guard;
    // Before the windows: they refer to its objects and go first.
    std::unique_ptr<Session> m_session;
    std::unique_ptr<FrmMain> m_frmMain;
    std::unique_ptr<LogWindowHost> m_logWindow;
    std::unique_ptr<PortReturn> m_portReturn;
    bool m_unloaded = false;
};

} // namespace vq
