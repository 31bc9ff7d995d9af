#pragma once

// The logic of the port-selection dialog frmConfig: ListPorts probes Com1 to
// Com16 through the port mapping and keeps those that open, Combo_Click takes
// the selected entry as the port and stores it at once; OK gives the caller the
// port to open, Cancel (or Escape, or the close box) gives nothing. The dialog
// widget mirrors this model.

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace vq {

class Config;

// Marked for the dialog's translation (context "Ports").
inline const QString kNotFound = QStringLiteral(QT_TRANSLATE_NOOP("Ports", "Not found"));
inline constexpr char kSerialNumberLine[] = QT_TRANSLATE_NOOP("Ports", "Serial number: %1");

struct PortEntry {
    QString text;   // "Com3", or "Not found"
    QString device; // the device it opens (for a tool tip); empty for "Not found"
    int number = 0; // 3 for "Com3"; 0 for "Not found"
    // What the system tells of the adapter behind the device, where it knows
    // (a USB adapter does; a built-in port or a pseudo-terminal mostly not).
    QString description;
    QString manufacturer;
    QString serialNumber;
};

// The entry's tool tip: the device, then whichever of the adapter's
// description, manufacturer and serial number are known, one a line, so two
// adapters of one kind can be told apart.
// `serialNumberLine` is kSerialNumberLine, or the dialog's translation of it.
[[nodiscard]] QString portToolTip(const PortEntry &entry,
                                  const QString &serialNumberLine = QString::fromLatin1(kSerialNumberLine));

// The dialog was left with OK: the port to open now (the one stored).
struct PortChoice {
    int number = 0;  // 0 when no port is stored: it can't be opened
    QString device;  // what "Com n" opens; empty for port 0
};

class PortSelection : public QObject
{
    Q_OBJECT

public:
    // Tries to open a device and closes it again; true when it opened.
    using Probe = std::function<bool(const QString &device)>;

    // Without a probe, each device is tried with a serial port of its own
    // with the program's line settings.
    explicit PortSelection(Config &config, Probe probe = {}, QObject *parent = nullptr);

    // Form_Load: fills the list by probing Com1..Com16 in order (nothing
    // else is ever tried) and selects the configured port when listed; "Not
    // found" alone when none opened. Every probed port is left closed.
    void ListPorts();

    [[nodiscard]] const QList<PortEntry> &entries() const { return m_entries; }
    [[nodiscard]] int selectedIndex() const { return m_selected; }

    // The user (or ListPorts) selects entry `index`; runs Combo_Click when
    // the selection changes.
    void select(int index);

    void cmdOk_Click();      // the stored port becomes the choice, dialog closes
    void CmdCancel_Click();  // no choice, dialog closes

    // What the dialog ended with: the port after OK, nothing after Cancel,
    // Escape or the close box (and while it is still open).
    [[nodiscard]] const std::optional<PortChoice> &choice() const { return m_choice; }

    [[nodiscard]] static bool probeDevice(const QString &device);

signals:
    void entriesChanged();
    void selectedChanged(int index);

private:
    void Combo_Click();

    Config &m_config;
    Probe m_probe;
    QList<PortEntry> m_entries;
    int m_selected = -1;
    std::optional<PortChoice> m_choice;
};

} // namespace vq
