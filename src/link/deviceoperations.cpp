#include "link/deviceoperations.h"

#include "link/portcontrol.h"
#include "link/statusmodel.h"
#include "platform/prompter.h"
#include "settings/controllerblock.h"
#include "settings/editormodel.h"

#include <QDir>

namespace vq {

DeviceOperations::DeviceOperations(CommandExchange &exchange, PortControl &portControl,
                                   ControllerBlock &block, EditorModel &editor, RunLog &log,
                                   Prompter &prompter, StatusModel &status, QObject *parent)
    : QObject(parent), m_exchange(exchange), m_portControl(portControl), m_block(block),
      m_editor(editor), m_log(log), m_prompter(prompter), m_status(status)
{
    connect(&m_exchange, &CommandExchange::portGone, this, &DeviceOperations::onPortGone);
    connect(&m_exchange, &CommandExchange::exchangeStarted, &m_status, &StatusModel::lampOn);
    // A block shown in the editor, from the controller or from a settings
    // file, decides whether it may be written back.
    connect(&m_block, &ControllerBlock::writeAllowedChanged, &m_status,
            [this](bool allowed) { m_status.setButtonEnabled(DeviceButton::Write, allowed); });
}

void DeviceOperations::CmdVqCom_Click(int index)
{
    if (m_running || index < 0 || index >= kDeviceButtons || m_exchange.aborted())
        return;
    m_running = true;
    const auto button = DeviceButton(index);

    // Common start.
    m_status.setBusy(true);
    m_status.setAllButtonsEnabled(false);
    m_commError = false;
    m_portLost = false;
    m_lastTimedOut = false;
    m_noAnswer = false;
    m_refused = false;
    m_blockRefused = false;
    m_notBackedUp = false;
    m_status.ShowMessage(deviceButtonCaption(button), kColourBlack);

    switch (button) {
    case DeviceButton::Read: SettingDataRead(); break;
    case DeviceButton::Write: WriteSettingData(); break;
    case DeviceButton::Defaults: DefaultDataWrite(); break;
    case DeviceButton::DataGet: DataGet(); break;
    case DeviceButton::DataClear: DataClear(); break;
    }

    // Common end.
    if (m_exchange.aborted()) {
        // Closing: no message, no focus; only the lamp is put out.
        m_status.lampOff();
    } else if (m_portLost) {
        // The adapter went away: the buttons follow the closed port and the
        // user reopens through the ComPort menu.
        m_status.setAllButtonsEnabled(false);
        m_status.ShowMessage(kMsgPortCannotOpen, kColourRed);
        m_status.lampOff();
    } else {
        EndCommand();
        m_status.lampOff();
        // After Data Get the focus stays where it is (with the log window).
        if (button != DeviceButton::DataGet)
            m_status.requestFocus(button);
    }
    m_result = resultOfOperation();
    m_status.setBusy(false);
    m_running = false;
}

OperationResult DeviceOperations::resultOfOperation() const
{
    if (m_exchange.aborted())
        return OperationResult::Aborted;
    if (m_portLost)
        return OperationResult::PortLost;
    if (m_notBackedUp)
        return OperationResult::NotBackedUp;
    if (m_noAnswer)
        return OperationResult::NoAnswer;
    if (m_commError || m_blockRefused)
        return OperationResult::Failed;
    if (m_refused)
        return OperationResult::Refused;
    return OperationResult::Completed;
}

bool DeviceOperations::backUpReadBlock()
{
    if (!m_beforeWrite || !m_block.hasReadBlock())
        return true;
    const std::optional<BackupFailure> failure = m_beforeWrite(m_block.readBlock());
    if (!failure)
        return true;
    m_notBackedUp = true;
    m_commError = true;
    const QString where = QStringLiteral("%1\r\n%2").arg(QDir::toNativeSeparators(failure->folder), failure->reason);
    m_prompter.message(QStringLiteral("%1\r\n%2\r\n%3").arg(kMsgNotBackedUp, where, kMsgNothingWritten),
                       MessageIcon::Critical);
    if (!m_exchange.aborted())
        m_status.ShowMessage(kMsgNotBackedUp + u' ' + kMsgNothingWritten, kColourRed, where);
    return false;
}

void DeviceOperations::shutdown()
{
    m_exchange.abort();
    m_portControl.ClosePort();
}

bool DeviceOperations::stopped() const
{
    return m_exchange.aborted() || m_portLost || (m_endAtFirstFault && m_commError);
}

void DeviceOperations::onPortGone()
{
    if (m_running) {
        m_portLost = true;
        return; // the common end tells the user
    }
    // Between operations nothing else would tell the user.
    if (m_exchange.aborted())
        return;
    m_status.setAllButtonsEnabled(false);
    m_status.ShowMessage(kMsgPortCannotOpen, kColourRed);
}

ExchangeOutcome DeviceOperations::SendCommand(const QString &command, const QString &expected)
{
    const ExchangeOutcome outcome = m_exchange.SendCommand(command, expected);
    if (outcome.end == ExchangeOutcome::End::PortLost)
        m_portLost = true;
    m_lastTimedOut = outcome.failed();
    if (!outcome.failed())
        return outcome;
    m_commError = true;
    const bool nothing = outcome.received.isEmpty();
    if (nothing && outcome.end == ExchangeOutcome::End::TimedOut)
        m_noAnswer = true;
    const QString &text = nothing ? kMsgCommFault : kMsgCannotSet;
    m_prompter.message(text, nothing ? MessageIcon::Exclamation : MessageIcon::Information);
    // The program may be closing while the box was up.
    if (!m_exchange.aborted())
        m_status.ShowMessage(text, kColourRed);
    return outcome;
}

bool DeviceOperations::SetReadData()
{
    const ExchangeOutcome outcome = SendCommand(QStringLiteral("sr"), kCarriageReturn);
    if (outcome.end == ExchangeOutcome::End::Aborted)
        return false;
    const std::optional<ReadReply> reply = takeReadReply(outcome.received);
    if (!reply)
        return false;
    m_block.takeReadBlock(reply->block);
    return true;
}

void DeviceOperations::replyUnusable()
{
    m_commError = true;
    m_prompter.message(kMsgCannotSet, MessageIcon::Information);
    if (!m_exchange.aborted())
        m_status.ShowMessage(kMsgCannotSet, kColourRed);
}

void DeviceOperations::SettingDataRead()
{
    ClearData();
    if (SetReadData())
        showReadBlock();
    else
        readRefused();
}

void DeviceOperations::WriteSettingData()
{
    if (!m_block.hasReadBlock())
        (void)SetReadData();
    if (stopped())
        return;
    m_exchange.WaitTime(kPauseWrite);
    if (stopped())
        return;

    const std::optional<QString> block = m_block.buildWriteBlock();
    if (!block) {
        m_refused = true;
        return;
    }
    if (!backUpReadBlock())
        return;

    (void)SendCommand(QStringLiteral("sw"), QStringLiteral("sw"));
    if (stopped())
        return;
    (void)SendCommand(*block, *block);
    if (stopped())
        return;
    m_exchange.WaitTime(kPauseWrite);
    if (stopped())
        return;
    VerifySettingData();
}

void DeviceOperations::VerifySettingData()
{
    const bool readBack = SetReadData();
    if (stopped())
        return;
    // A failed read-back leaves the old ReadBlock, which is the block written
    // whenever the user wrote back what was read: it confirms nothing then,
    // so only a block read back now can pass the comparison.
    if (!readBack || m_block.writeBlock() != m_block.readBlock()) {
        m_status.ShowMessage(kMsgVerifyNg, kColourRed);
        m_commError = true;
    }
}

void DeviceOperations::DefaultDataWrite()
{
    ClearData();
    if (!m_block.hasReadBlock()) {
        // The controller is read once so that a block exists to build on
        // later; whether it answered doesn't matter to the window's restore.
        const bool read = SetReadData();
        if (stopped())
            return;
        if (!read && m_restoreOnlyAfterRead) {
            readRefused();
            return;
        }
        m_exchange.WaitTime(kPauseBeforeClear);
        if (stopped())
            return;
    }
    if (!backUpReadBlock())
        return;
    (void)SendCommand(QStringLiteral("ae"), kCarriageReturn);
    if (stopped())
        return;
    m_exchange.WaitTime(kPauseWrite);
    if (stopped())
        return;
    (void)SendCommand(QStringLiteral("rt"), QStringLiteral("rt"));
    if (stopped())
        return;
    m_exchange.WaitTime(kPauseWrite);
    if (stopped())
        return;
    if (SetReadData())
        showReadBlock();
    else
        readRefused();
}

void DeviceOperations::DataGet()
{
    const ExchangeOutcome outcome = SendCommand(QStringLiteral("br"), kCarriageReturn);
    if (stopped() || m_commError)
        return;
    const RunReplyStatus decoded =
        m_setGraph ? m_setGraph(outcome.received) : decodeRunReply(outcome.received, m_log);
    if (decoded == RunReplyStatus::Ok)
        return;
    // A reply too short or with a stray character: the log keeps its old
    // recording and the user hears about it like any unusable reply.
    replyUnusable();
}

void DeviceOperations::DataClear()
{
    // Erase only a controller that has just answered a read.
    if (!SetReadData()) {
        readRefused();
        return;
    }
    m_exchange.WaitTime(kPauseBeforeClear);
    if (stopped())
        return;
    (void)SendCommand(QStringLiteral("be"), kCarriageReturn);
}

void DeviceOperations::ClearData()
{
    m_editor.ClearData();
}

void DeviceOperations::EndCommand()
{
    m_status.setAllButtonsEnabled(true);
    if (!m_block.writeAllowedAfterOperation())
        m_status.setButtonEnabled(DeviceButton::Write, false);
    if (!m_commError)
        m_status.ShowMessage(kMsgCompletion, kColourBlack);
}

void DeviceOperations::showReadBlock()
{
    const SettingsDecode decoded = m_block.showReadBlock();
    m_blockRefused = decoded == SettingsDecode::Refused;
    if (decoded != SettingsDecode::Malformed)
        return;
    // The controller sent something the decoder can't read: a failed read.
    m_status.setButtonEnabled(DeviceButton::Write, false);
    replyUnusable();
}

void DeviceOperations::readRefused()
{
    // A time-out has told the user already; a closing program or a gone port
    // says nothing more here.
    if (stopped() || m_lastTimedOut)
        return;
    m_commError = true;
    m_status.ShowMessage(kMsgCannotSet, kColourRed);
}

} // namespace vq
