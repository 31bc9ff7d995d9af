#include "shell/frmconfig.h"

#include "core/displaytext.h"
#include "link/portselection.h"
#include "logwindow/textfit.h"
#include "shell/frmmain.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace vq {

FrmConfig::FrmConfig(PortSelection &selection, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      m_selection(selection)
{
    setObjectName(QStringLiteral("frmConfig"));
    setModal(true);
    setFixedSize(pixelsFromTwips(3690), pixelsFromTwips(1575));

    auto *text = new QLabel(this);
    m_text = text;
    text->setObjectName(QStringLiteral("Label17"));
    text->setWordWrap(true);
    place(text, 180, 240, 1875, 495);

    m_combo = new QComboBox(this);
    m_combo->setObjectName(QStringLiteral("Combo"));
    m_combo->setEditable(false);
    place(m_combo, 2100, 300, 1395, 315);
    text->setBuddy(m_combo);
    m_combo->view()->setObjectName(QStringLiteral("ComboList"));

    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("cmdOk"));
    place(m_ok, 180, 900, 1575, 495);
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("CmdCancel"));
    place(m_cancel, 2640, 900, 855, 495);
    m_ok->setAutoDefault(false);
    m_cancel->setAutoDefault(false);
    setTabOrder(m_ok, m_cancel);
    setTabOrder(m_cancel, m_combo);
    retranslate();

    connect(m_ok, &QPushButton::clicked, this, [this] {
        m_selection.cmdOk_Click();
        accept();
    });
    // Cancel, Escape and the close box all end here, and the selection is
    // left without a choice.
    connect(this, &QDialog::rejected, &m_selection, &PortSelection::CmdCancel_Click);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_combo, &QComboBox::activated, this, [this](int index) { m_selection.select(index); });
    connect(&m_selection, &PortSelection::selectedChanged, this, [this](int index) {
        if (m_combo->currentIndex() != index)
            m_combo->setCurrentIndex(index);
    });
    connect(&m_selection, &PortSelection::entriesChanged, this, &FrmConfig::fillCombo);

    // Form_Load: probe the ports; the configured one is selected (and stored
    // again) when it is found.
    m_selection.ListPorts();
    fillCombo();

    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    m_ok->setFocus();
}

void FrmConfig::fillCombo()
{
    const QSignalBlocker block(m_combo);
    m_combo->clear();
    for (const PortEntry &e : m_selection.entries()) {
        // "Com3" is a port's name in every language; "Not found" is not.
        m_combo->addItem(e.device.isEmpty() ? displayText("Ports", kNotFound.toLatin1().constData()) : e.text);
        if (!e.device.isEmpty())
            m_combo->setItemData(m_combo->count() - 1, portToolTip(e, displayText("Ports", kSerialNumberLine)),
                                 Qt::ToolTipRole);
    }
    m_combo->setCurrentIndex(m_selection.selectedIndex());
}

void FrmConfig::retranslate()
{
    setWindowTitle(tr("ComPort Setting"));
    m_text->setText(tr("ComPort is selected, and VQ is connected."));
    // Named for screen readers; the sentence beside it is its description.
    m_combo->setAccessibleName(tr("ComPort"));
    m_combo->setAccessibleDescription(m_text->text());
    m_combo->view()->setAccessibleName(tr("ComPort"));
    m_ok->setText(tr("OK"));
    m_cancel->setText(tr("Cancel"));
    for (QWidget *control : {static_cast<QWidget *>(m_text), static_cast<QWidget *>(m_ok), static_cast<QWidget *>(m_cancel)})
        fitCaption(control);
}

void FrmConfig::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        fillCombo();
    }
}

} // namespace vq
