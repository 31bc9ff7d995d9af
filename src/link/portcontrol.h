#pragma once

// Opening and closing the program's serial port and the device buttons that
// follow its state: OpenPort (with the port-selection dialog as retry),
// ClosePort, EnableCommands and the ComPort menu's mnuCom_Click.

#include "core/messages.h"
#include "link/portselection.h"

#include <QString>

#include <functional>
#include <optional>

namespace vq {

class Config;
class Transport;
class StatusModel;

// Why "Com n" did not open, for the message line's tool tip and standard
// error: "Com3 (/dev/ttyUSB0): no such device: " and the system's own text.
// The middle part follows the class of the failure, so it reads the same in
// every language.
[[nodiscard]] QString openFailureDetail(const QString &portName, const Transport &serial);

class PortControl
{
public:
    PortControl(Transport &port, Config &config, StatusModel &status);

    // Shows the port-selection dialog modally and returns its choice: the
    // port after OK, nothing after Cancel. Set by the window; without it a
    // failed open simply stays failed.
    using ShowPortDialog = std::function<std::optional<PortChoice>()>;
    void setShowPortDialog(ShowPortDialog showPortDialog) { m_showPortDialog = std::move(showPortDialog); }

    // A device to open instead of the stored port, for this run only (the
    // command line's --port); nothing is stored. The ComPort menu ends it.
    void setOverrideDevice(const QString &device) { m_overrideDevice = device; }

    // Port 0: the red message, no dialog. Already open: success untouched.
    // Otherwise opens portDevice(CommPortNo); on failure the red
    // message and the dialog, again and again while the user leaves it with OK.
    void OpenPort();
    // Closes an open port; a closed one is left alone.
    void ClosePort();
    // Port open: buttons 0, 2, 3, 4 enabled and 1 disabled; closed: all disabled.
    void EnableCommands();
    // The ComPort menu: ClosePort, the dialog, then OpenPort (or the red
    // message when cancelled), then EnableCommands.
    void mnuCom_Click();

    [[nodiscard]] bool isOpen() const;

private:
    Transport &m_port;
    Config &m_config;
    StatusModel &m_status;
    ShowPortDialog m_showPortDialog;
    QString m_overrideDevice;
};

} // namespace vq
