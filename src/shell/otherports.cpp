#include "shell/otherports.h"

#include "core/displaytext.h"

#include "core/messages.h"
#include "link/portpins.h"
#include "link/portselection.h"
#include "platform/devicewatcher.h"
#include "shell/frmconfig.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vq {

QString portStateText(PortState state)
{
    switch (state) {
    case PortState::Free: return displayText(kStateFree);
    case PortState::InUse: return displayText(kStateInUse);
    case PortState::NoPermission: return displayText(kStateNoPermission);
    case PortState::NoAnswer: break;
    }
    return displayText(kStateNoAnswer);
}

OtherPortsDialog::OtherPortsDialog(const QList<SystemPort> &ports, const QList<int> &pinnedTo, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_ports(ports)
{
    setObjectName(QStringLiteral("OtherPorts"));
    setWindowTitle(displayText(kTitleOtherPorts));
    setModal(true);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("OtherPortsList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({displayText(kColumnPort), displayText(kColumnState), displayText(kColumnPinned), displayText(kColumnAdapter)});
    m_list->setAccessibleName(displayText(kTitleOtherPorts));
    for (qsizetype i = 0; i < m_ports.size(); ++i) {
        const SystemPort &p = m_ports.at(i);
        QStringList adapter;
        for (const QString &part : {p.description, p.manufacturer})
            if (!part.isEmpty())
                adapter << part;
        const int pin = pinnedTo.value(i);
        auto *item = new QTreeWidgetItem(m_list, {p.systemName, portStateText(p.state),
                                                  pin ? QStringLiteral("Com%1").arg(pin) : QString(),
                                                  adapter.join(QStringLiteral(", "))});
        item->setToolTip(0, p.byIdLink.isEmpty() ? p.systemName : p.byIdLink);
        QString why = p.reason;
        if (p.state == PortState::NoPermission)
            why = displayText(kHintDialout);
        item->setToolTip(1, why);
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_use = buttons->addButton(displayText(kButtonUsePort), QDialogButtonBox::AcceptRole);
    m_use->setObjectName(QStringLiteral("cmdUsePort"));
    m_use->setEnabled(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(560, 240);

    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { m_use->setEnabled(item != nullptr); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto take = [this] {
        const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
        if (row < 0)
            return;
        m_chosen = m_ports.at(row);
        accept();
    };
    connect(buttons, &QDialogButtonBox::accepted, this, take);
    connect(m_list, &QTreeWidget::itemActivated, this, take);
}

void addOtherPorts(FrmConfig &dialog, PortSelection &selection, Config &config, DeviceWatcher *watcher,
                   OtherPortsHooks hooks)
{
    QComboBox *combo = dialog.Combo();
    combo->setToolTip(displayText(kTipOtherPorts));
    // "Not found" has no device to name: it explains where the other ports are.
    const auto tipNotFound = [combo, &selection] {
        const QList<PortEntry> &entries = selection.entries();
        for (qsizetype i = 0; i < entries.size() && i < combo->count(); ++i) {
            if (entries.at(i).number == 0)
                combo->setItemData(int(i), displayText(kTipOtherPorts), Qt::ToolTipRole);
        }
    };
    QObject::connect(&selection, &PortSelection::entriesChanged, &dialog, tipNotFound);
    tipNotFound();

    auto *action = new QAction(displayText(kMenuOtherPorts), &dialog);
    action->setObjectName(QStringLiteral("mnuOtherPorts"));
    combo->setContextMenuPolicy(Qt::ActionsContextMenu);
    combo->addAction(action);
    combo->view()->setContextMenuPolicy(Qt::ActionsContextMenu);
    combo->view()->addAction(action);

    QObject::connect(action, &QAction::triggered, &dialog, [&dialog, &selection, &config, hooks] {
        const QList<SystemPort> system = hooks.listPorts ? hooks.listPorts() : systemPorts();
        QList<SystemPort> ports;
        QList<int> pins;
        for (KnownPort &known : knownPorts(config, system)) {
            probeSystemPort(known.port);
            ports.append(known.port);
            pins.append(known.pinnedTo);
        }
        OtherPortsDialog other(ports, pins, &dialog);
        std::optional<SystemPort> chosen;
        if (hooks.runOtherPorts)
            chosen = hooks.runOtherPorts(other);
        else if (other.exec() == QDialog::Accepted)
            chosen = other.chosen();
        if (chosen && useOtherPort(selection, config, *chosen, ports) == 0)
            QToolTip::showText(dialog.Combo()->mapToGlobal(QPoint(0, 0)), displayText(kNoFreeComNumber), dialog.Combo());
    });

    // A list that follows the plug: probed again when adapters come or go;
    // the stored choice is selected again when it is still there.
    if (watcher)
        QObject::connect(watcher, &DeviceWatcher::changed, &dialog, [&selection] { selection.ListPorts(); });
}

} // namespace vq
