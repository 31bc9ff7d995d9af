#pragma once

// The port-selection dialog "ComPort Setting": a list of the ports that can
// be opened right now, OK and Cancel. It mirrors a PortSelection model, which
// probes the ports, stores the choice the moment it is made and keeps the port
// to open after OK.

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace vq {

class PortSelection;

class FrmConfig : public QDialog
{
    Q_OBJECT

public:
    // Runs Form_Load (ListPorts) before the dialog is shown.
    explicit FrmConfig(PortSelection &selection, QWidget *parent = nullptr);

    [[nodiscard]] QComboBox *Combo() const { return m_combo; }
    [[nodiscard]] QPushButton *cmdOk() const { return m_ok; }
    [[nodiscard]] QPushButton *CmdCancel() const { return m_cancel; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void fillCombo();
    // Every text of the dialog in the language of the moment.
    void retranslate();

    PortSelection &m_selection;
    QComboBox *m_combo = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QLabel *m_text = nullptr;
};

} // namespace vq
