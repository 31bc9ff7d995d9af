#include "link/deviceoperations.h"

#include "link/commandexchange.h"
#include "link/portcontrol.h"
#include "link/statusmodel.h"
#include "platform/prompter.h"
#include "settings/editormodel.h"
#include "settings/settingblock.h"

namespace vq {

DeviceOperations::DeviceOperations(CommandExchange &exchange, PortControl &portControl,
                                   EditorModel &editor, RunLog &log, Prompter &prompter,
                                   StatusModel &status, QObject *parent)
    : QObject(parent), m_exchange(exchange), m_portControl(portControl), m_editor(editor), m_log(log),
      m_prompter(prompter), m_status(status)
{
    connect(&m_exchange, &CommandExchange::portGone, this, &DeviceOperations::onPortGone);
}

void DeviceOperations::CmdVqCom_Click(int index)
{
    if (m_running || index < 0 || index >= kDeviceButtons || m_exchange.aborted())
        return;
    m_running = true;

    // Common start.
    m_status.setBusy(true);
    m_status.setAllButtonsEnabled(false);
    m_exchange.CommError = false;
    m_exchange.clearPortLost();
    m_status.ShowMessage(kDeviceButtonCaptions[size_t(index)], kColourBlack);

    switch (index) {
    case 0: SettingDataRead(); break;
    case 1: WriteSettingData(); break;
    case 2: DefaultDataWrite(); break;
    case 3: DataGet(); break;
    case 4: DataClear(); break;
    }

    // Common end.
    if (m_exchange.aborted()) {
        // Closing: no message, no focus; only the lamp is put out.
        m_status.lampOff();
    } else if (m_exchange.portLost()) {
        // The adapter went away: the buttons follow the closed port and the
        // user reopens through the ComPort menu.
        m_status.setAllButtonsEnabled(false);
        m_status.ShowMessage(kMsgPortCannotOpen, kColourRed);
        m_status.lampOff();
    } else {
        EndCommand();
        m_status.lampOff();
        // After "Data Get" the focus stays where it is (with the log window).
        if (index != 3)
            m_status.requestFocus(index);
    }
    m_status.setBusy(false);
    m_running = false;
}

void DeviceOperations::shutdown()
{
    m_exchange.abort();
    m_portControl.ClosePort();
}

bool DeviceOperations::stopped() const
{
    return m_exchange.aborted() || m_exchange.portLost();
}

void DeviceOperations::onPortGone()
{
    // Between operations nothing else would tell the user; during one the
    // common end does it.
    if (m_running || m_exchange.aborted())
        return;
    m_status.setAllButtonsEnabled(false);
    m_status.ShowMessage(kMsgPortCannotOpen, kColourRed);
}

void DeviceOperations::SettingDataRead()
{
    ClearData();
    if (m_exchange.SetReadData())
        showReadBlock();
    else
        readRefused();
}

void DeviceOperations::WriteSettingData()
{
    if (m_exchange.ReadBlock.isEmpty())
        (void)m_exchange.SetReadData();
    if (stopped())
        return;
    m_exchange.WaitTime(kPauseWrite);
    if (stopped())
        return;

    const WriteDataResult made = MakeWriteData(m_editor, m_exchange.ReadBlock);
    if (!reportWriteDataResult(made, m_prompter))
        return;
    m_exchange.WriteBlock = made.block;

    m_exchange.SendCommand(QStringLiteral("sw"), QStringLiteral("sw"));
    if (stopped())
        return;
    m_exchange.SendCommand(m_exchange.WriteBlock, m_exchange.WriteBlock);
    if (stopped())
        return;
    m_exchange.WaitTime(kPauseWrite);
    if (stopped())
        return;
    VerifySettingData();
}

void DeviceOperations::VerifySettingData()
{
    const bool readBack = m_exchange.SetReadData();
    if (stopped())
        return;
    // A failed read-back leaves the old ReadBlock, which is the block written
    // whenever the user wrote back what was read: it confirms nothing then,
    // so only a block read back now can pass the comparison.
    if (!readBack || m_exchange.WriteBlock != m_exchange.ReadBlock) {
        m_status.ShowMessage(kMsgVerifyNg, kColourRed);
        m_exchange.CommError = true;
    }
}

void DeviceOperations::DefaultDataWrite()
{
    ClearData();
    if (m_exchange.RomVersion == -1) {
        // The controller is read once so that a block exists to build on
        // later; whether it answered doesn't matter to the restore.
        (void)m_exchange.SetReadData();
        if (stopped())
            return;
        m_exchange.WaitTime(kPauseBeforeClear);
        if (stopped())
            return;
    }
    m_exchange.SendCommand(QStringLiteral("ae"), kCarriageReturn);
    if (stopped())
        return;
    m_exchange.WaitTime(kPauseWrite);
    if (stopped())
        return;
    m_exchange.SendCommand(QStringLiteral("rt"), QStringLiteral("rt"));
    if (stopped())
        return;
    m_exchange.WaitTime(kPauseWrite);
    if (stopped())
        return;
    if (m_exchange.SetReadData())
        showReadBlock();
    else
        readRefused();
}

void DeviceOperations::DataGet()
{
    m_exchange.SendCommand(QStringLiteral("br"), kCarriageReturn);
    if (stopped() || m_exchange.CommError)
        return;
    const RunReplyStatus decoded =
        m_setGraph ? m_setGraph(m_exchange.RecvBuffer) : decodeRunReply(m_exchange.RecvBuffer, m_log);
    if (decoded == RunReplyStatus::Ok)
        return;
    // A reply too short or with a stray character: the log keeps its old
    // recording and the user hears about it like any unusable reply.
    m_exchange.CommError = true;
    m_prompter.message(kMsgCannotSet, MessageIcon::Information);
    if (m_exchange.aborted())
        return;
    m_status.ShowMessage(kMsgCannotSet, kColourRed);
}

void DeviceOperations::DataClear()
{
    // Erase only a controller that has just answered a read.
    if (!m_exchange.SetReadData()) {
        readRefused();
        return;
    }
    m_exchange.WaitTime(kPauseBeforeClear);
    if (stopped())
        return;
    m_exchange.SendCommand(QStringLiteral("be"), kCarriageReturn);
}

void DeviceOperations::ClearData()
{
    m_editor.ClearData();
}

void DeviceOperations::EndCommand()
{
    m_status.setAllButtonsEnabled(true);
    if (m_editor.text(0).isEmpty())
        m_status.setButtonEnabled(1, false);
    if (!m_exchange.CommError)
        m_status.ShowMessage(kMsgCompletion, kColourBlack);
}

void DeviceOperations::showReadBlock()
{
    const DecodeResult decoded = ShowSettingData(m_exchange.RecvBuffer, m_editor);
    if (decoded.status != DecodeStatus::Malformed) {
        m_status.setButtonEnabled(1, reportDecodeResult(decoded, m_prompter));
        return;
    }
    // The controller sent something the decoder can't read: a failed read.
    m_status.setButtonEnabled(1, false);
    m_exchange.CommError = true;
    m_prompter.message(kMsgCannotSet, MessageIcon::Information);
    if (m_exchange.aborted())
        return;
    m_status.ShowMessage(kMsgCannotSet, kColourRed);
}

void DeviceOperations::readRefused()
{
    // A time-out has told the user already; a closing program or a gone port
    // says nothing more here.
    if (stopped() || m_exchange.CommTimeOut)
        return;
    m_exchange.CommError = true;
    m_status.ShowMessage(kMsgCannotSet, kColourRed);
}

} // namespace vq
