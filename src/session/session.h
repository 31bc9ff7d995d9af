#pragma once

// One run's objects and how they work together, the same for the window and
// the command line: the profile, the serial port, the status model, the
// command exchange, the port control, the settings editor and the
// controller's block, the run-data log, the device operations with the
// backup before every write, and the file commands.
//
// What the window and the command line do differently is an option here,
// never a wiring of their own; what only one of them has (the main window,
// the port dialog, the log window, the console's messages and exit codes)
// stays with it and is hooked in through the objects this session hands out.

#include <QString>

#include <memory>

namespace vq {

class BackupStore;
class CommandExchange;
class Config;
class ControllerBlock;
class DeviceOperations;
class EditorModel;
class FileCommands;
class LineTrace;
class PortControl;
class Prompter;
class RunLog;
class SerialPort;
class StatusModel;
class Transport;

class Session
{
public:
    struct Options {
        QString profileFolder;  // the folder of the profile file
        double timeScale = 1.0; // shrinks the link's waits in tests
        // Where the backups before every write go; empty: the user's data folder.
        QString backupFolder;
        // A device to open for this run only instead of the profile's port
        // (--port); nothing is stored. Empty: the profile's port.
        QString portDevice;
        // Default Data Write only after its first read has succeeded (the
        // command line); the window restores without a backup then.
        bool restoreOnlyAfterRead = false;
        // The first fault ends an operation (the command line); the window
        // goes on as it always has.
        bool endAtFirstFault = false;
        // The trace keeps every line (--trace) rather than the newest 200.
        bool traceAll = false;
        // The line to the controller in place of the serial port; it
        // outlives the session. None: the session's serial port.
        Transport *line = nullptr;
    };

    // Boxes, questions and file dialogs go to `prompter`, which outlives the
    // session.
    Session(Prompter &prompter, Options options);
    ~Session();
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    [[nodiscard]] const Options &options() const { return m_options; }

    [[nodiscard]] Prompter &prompter() { return m_prompter; }
    [[nodiscard]] Config &config() { return *m_config; }
    [[nodiscard]] EditorModel &editor() { return *m_editor; }
    [[nodiscard]] RunLog &log() { return *m_log; }
    [[nodiscard]] ControllerBlock &block() { return *m_block; }
    [[nodiscard]] SerialPort &serialPort() { return *m_port; }
    // The line the link works on: the serial port, or the options' line.
    [[nodiscard]] Transport &line() { return *m_line; }
    [[nodiscard]] StatusModel &status() { return *m_status; }
    [[nodiscard]] CommandExchange &exchange() { return *m_exchange; }
    [[nodiscard]] PortControl &portControl() { return *m_portControl; }
    [[nodiscard]] DeviceOperations &operations() { return *m_operations; }
    [[nodiscard]] BackupStore &backups() { return *m_backups; }
    [[nodiscard]] FileCommands &files() { return *m_files; }
    // The trace of the line, kept from the session's start.
    [[nodiscard]] LineTrace &trace() { return *m_trace; }

    // The window's report: the trace's header, the profile's port settings and the
    // trace's lines kept.
    [[nodiscard]] QString report();

private:
    Options m_options;
    Prompter &m_prompter;
    // In the order they are made; each refers only to those before it.
    std::unique_ptr<Config> m_config;
    std::unique_ptr<EditorModel> m_editor;
    std::unique_ptr<RunLog> m_log;
    std::unique_ptr<ControllerBlock> m_block;
    std::unique_ptr<SerialPort> m_port;
    Transport *m_line = nullptr;
    std::unique_ptr<LineTrace> m_trace;
    std::unique_ptr<StatusModel> m_status;
    std::unique_ptr<CommandExchange> m_exchange;
    std::unique_ptr<PortControl> m_portControl;
    std::unique_ptr<DeviceOperations> m_operations;
    std::unique_ptr<BackupStore> m_backups;
    std::unique_ptr<FileCommands> m_files;
};

} // namespace vq
