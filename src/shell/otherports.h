#pragma once

// Other ports: the port dialog's list (and its "Not found" entry) gets a
// tool tip and a context menu that opens a small list of every serial port
// the system has, each with its state; the one chosen is pinned to a free
// Com number under [Ports] and selected in the dialog. While the dialog is
// open its list is probed again whenever adapters come or go, the user's
// choice staying selected while it is there.

#include "platform/systemports.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <optional>

class QPushButton;
class QTreeWidget;

namespace vq {

class Config;
class DeviceWatcher;
class FrmConfig;
class PortSelection;

// The system's ports as the list shows them: listed, pinned ones added, probed.
using ListSystemPorts = std::function<QList<SystemPort>()>;

class OtherPortsDialog : public QDialog
{
    Q_OBJECT

public:
    // `ports` are shown with their states and the Com number pinned to each.
    OtherPortsDialog(const QList<SystemPort> &ports, const QList<int> &pinnedTo, QWidget *parent = nullptr);

    [[nodiscard]] QTreeWidget *list() const { return m_list; }
    [[nodiscard]] QPushButton *useButton() const { return m_use; }
    // The port chosen with the dialog's use button (or a double click).
    [[nodiscard]] std::optional<SystemPort> chosen() const { return m_chosen; }

private:
    QList<SystemPort> m_ports;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_use = nullptr;
    std::optional<SystemPort> m_chosen;
};

// The text of a port's state in the list.
[[nodiscard]] QString portStateText(PortState state);

// Adds the tool tip, the context menu (its action named "mnuOtherPorts") and
// the refresh to the port dialog.
// `listPorts` gives the system's ports (empty: the system's own);
// `runOtherPorts` shows the list modally and returns the choice (empty: the
// Qt dialog).
struct OtherPortsHooks {
    ListSystemPorts listPorts;
    std::function<std::optional<SystemPort>(OtherPortsDialog &)> runOtherPorts;
};
void addOtherPorts(FrmConfig &dialog, PortSelection &selection, Config &config, DeviceWatcher *watcher,
                   OtherPortsHooks hooks = {});

} // namespace vq
