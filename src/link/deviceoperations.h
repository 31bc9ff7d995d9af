#pragma once

// The five device buttons CmdVqCom(0..4) and what each runs against the
// controller: Setting Data Read, Setting Data Write (with read-back
// verify), Default Data Write, Data Get and Data Clear. Each operation
// runs inside its click, with the common start (buttons locked, CommError
// cleared, the caption shown) and the common end (buttons by the editor's
// state, Completion unless something failed, the lamp back to idle).

#include "core/messages.h"
#include "link/commandexchange.h"
#include "runlog/runlog.h"

#include <QObject>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace vq {

class ControllerBlock;
class EditorModel;
class PortControl;
class Prompter;
class StatusModel;

inline constexpr double kPauseBeforeClear = 0.3; // s, also after a first read before "ae"
inline constexpr double kPauseWrite = 0.5;       // s, around the write and after "ae"/"rt"

// How the last operation ended, for callers that report it without a window.
enum class OperationResult {
    Completed, // Completion
    Refused,   // the editor refused to build a block: nothing was written
    Failed,    // the controller answered wrongly, the verify was NG, or its
               // block is deleted or of another model
    NoAnswer,  // nothing came back within a time-out
    NotBackedUp, // the controller's block could not be backed up: nothing was written
    PortLost,  // the port is closed or went away
    Aborted,   // the program is closing
};

class DeviceOperations : public QObject
{
    Q_OBJECT

public:
    // The log window's SetGraph: shows the window and decodes the "br" reply
    // into the run-data log, or refuses it and leaves log and window alone.
    using SetGraphHook = std::function<RunReplyStatus(QStringView reply)>;

    DeviceOperations(CommandExchange &exchange, PortControl &portControl, ControllerBlock &block,
                     EditorModel &editor, RunLog &log, Prompter &prompter, StatusModel &status,
                     QObject *parent = nullptr);

    // Without a hook, Data Get decodes straight into the log.
    void setSetGraph(SetGraphHook setGraph) { m_setGraph = std::move(setGraph); }

    // Runs with the controller's own block (ReadBlock) just before it is
    // overwritten by Setting Data Write or Default Data Write, and keeps
    // it. When it can't, nothing is written: the operation ends with a
    // critical box naming the folder and the reason, like a failed exchange.
    struct BackupFailure {
        QString folder;
        QString reason;
    };
    using BeforeWriteHook = std::function<std::optional<BackupFailure>(const QString &readBlock)>;
    void setBeforeWrite(BeforeWriteHook beforeWrite) { m_beforeWrite = std::move(beforeWrite); }

    // Default Data Write sends "ae" even when its first read has failed, so
    // with no block read before, the window restores without a backup. With
    // this set (the command line) a failed first read ends the operation.
    void setRestoreOnlyAfterRead(bool only) { m_restoreOnlyAfterRead = only; }
    // The command line: the first fault ends the operation, nothing more is
    // sent after it (the window goes on as it always has).
    void setEndAtFirstFault(bool end) { m_endAtFirstFault = end; }

    // Runs operation `index` (0..4). Ignored while an operation runs.
    void CmdVqCom_Click(int index);

    [[nodiscard]] bool running() const { return m_running; }
    // The failure flag of the current (or last) operation.
    [[nodiscard]] bool CommError() const { return m_commError; }
    [[nodiscard]] OperationResult lastResult() const { return m_result; }

    // The main window is closing: closes the port; a running operation
    // returns at once, sending nothing more and showing nothing more.
    void shutdown();

private:
    // One exchange; a time-out or a lost port sets CommError and shows
    // RS232 communication fault. (nothing received) or VQ cannot be set.
    // (something received) in a box and then in red.
    ExchangeOutcome SendCommand(const QString &command, const QString &expected);
    // One "sr" exchange. True when the reply was exactly 68 characters holding
    // a 64-digit hexadecimal block, which then becomes ReadBlock.
    [[nodiscard]] bool SetReadData();
    // VQ cannot be set. in a box, then in red: a reply that can't be used.
    void replyUnusable();

    void SettingDataRead();
    void WriteSettingData();
    void DefaultDataWrite();
    void DataGet();
    void DataClear();
    void VerifySettingData();
    void ClearData();
    void EndCommand();

    // ShowSettingData on the block just read, with its messages and the
    // Setting Data Write button.
    void showReadBlock();
    // A reply that the read refused although the exchange itself ended in
    // time: the operation has failed all the same.
    void readRefused();
    // The operation can't go on: the program is closing or the port is gone.
    [[nodiscard]] bool stopped() const;
    void onPortGone();
    // False when the block could not be kept; the user has been told.
    [[nodiscard]] bool backUpReadBlock();
    [[nodiscard]] OperationResult resultOfOperation() const;

    CommandExchange &m_exchange;
    PortControl &m_portControl;
    ControllerBlock &m_block;
    EditorModel &m_editor;
    RunLog &m_log;
    Prompter &m_prompter;
    StatusModel &m_status;
    SetGraphHook m_setGraph;
    BeforeWriteHook m_beforeWrite;
    bool m_restoreOnlyAfterRead = false;
    bool m_endAtFirstFault = false;
    OperationResult m_result = OperationResult::Completed;
    bool m_running = false;
    bool m_commError = false;
    bool m_portLost = false;     // the port went away during this operation
    bool m_lastTimedOut = false; // the last exchange failed with a box
    bool m_noAnswer = false;     // an exchange of this operation got nothing in time
    bool m_refused = false;      // the editor refused to build a block
    bool m_blockRefused = false; // a deleted or foreign block was shown
    bool m_notBackedUp = false;  // the backup before a write failed

};

} // namespace vq
