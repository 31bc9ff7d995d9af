#include "shell/frmmain.h"

#include "link/statusmodel.h"
#include "settings/editormodel.h"
#include "settings/paramtable.h"
#include "logwindow/textfit.h"
#include "shell/updownbutton.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace vq {

namespace {

QColor fromBgr(quint32 bgr)
{
    return QColor(bgrRed(bgr), bgrGreen(bgr), bgrBlue(bgr));
}

QLabel *label(QWidget *parent, const QString &text, const QString &name, int left, int top, int width,
              int height = 240, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(align);
    place(l, left, top, width, height);
    return l;
}

// The logo: drawn by the program itself, 150 x 45 pixels, scaled to its box.
QPixmap makeLogo()
{
    QPixmap pm(150, 45);
    pm.fill(QColor(20, 40, 90));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(250, 200, 40), 3));
    p.drawLine(8, 34, 26, 10);
    p.drawLine(26, 10, 34, 26);
    p.drawLine(34, 26, 52, 6);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(20);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(56, 0, 92, 45), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("VQ530T"));
    return pm;
}

// The classic 8-point dialog font that the fixed layout was drawn for.
constexpr double kCaptionPointSize = 8.25;

// What a screen reader announces for an entry box: the caption of its row as
// the name (the caption label is its buddy as well) and, for the editor's
// fields, the unit and the range the tool tip shows.
void nameForScreenReaders(QLineEdit *field, QLabel *caption, const QString &name, const QString &description = {})
{
    caption->setBuddy(field);
    field->setAccessibleName(name);
    field->setAccessibleDescription(description);
}

// "100～10000 Hz"; Forward Boost has no unit: "0～100".
QString fieldDescription(int i)
{
    const QString unit = QString::fromLatin1(paramInfo(i).unit);
    return unit.isEmpty() ? paramToolTip(i) : paramToolTip(i) + u' ' + unit;
}

QString busyDescription(bool busy)
{
    return busy ? QStringLiteral("An operation is running") : QStringLiteral("No operation is running");
}

} // namespace

void Lamp::setColour(quint32 bgr)
{
    if (bgr == m_colour)
        return;
    m_colour = bgr;
    update();
}

void Lamp::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), fromBgr(m_colour));
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

FrmMain::FrmMain(EditorModel &editor, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_editor(editor)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("VQ530T Link"));

    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("MainArea"));
    QFont captionFont = area->font();
    captionFont.setPointSizeF(kCaptionPointSize);
    area->setFont(captionFont);
    setCentralWidget(area);

    buildMenus();
    buildButtons(area);
    buildEditor(area);
    buildStatusArea(area);
    mirrorEditor();
    fitCaptions();

    // Inner area 6330 twips wide; the window ends below the message line and
    // the version label, so the hidden frame below them is outside it.
    resize(pixelsFromTwips(6330), menuBar()->sizeHint().height() + pixelsFromTwips(5490));
}

void FrmMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QMenu *mnuSet = mnuFile->addMenu(QStringLiteral("&Setting Data "));
    mnuSet->setObjectName(QStringLiteral("mnuSet"));
    mnuOpen = mnuSet->addAction(QStringLiteral("&Open"));
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    mnuSave = mnuSet->addAction(QStringLiteral("&Save"));
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("sep1"));
    QMenu *mnuLog = mnuFile->addMenu(QStringLiteral("&Log Data"));
    mnuLog->setObjectName(QStringLiteral("mnuLog"));
    munOpenLog = mnuLog->addAction(QStringLiteral("&Open"));
    munOpenLog->setObjectName(QStringLiteral("munOpenLog"));
    mnuSaveLog = mnuLog->addAction(QStringLiteral("&Save"));
    mnuSaveLog->setObjectName(QStringLiteral("mnuSaveLog"));
    mnuCom = bar->addAction(QStringLiteral("&ComPort"));
    mnuCom->setObjectName(QStringLiteral("mnuCom"));
    mnuEnd = bar->addAction(QStringLiteral("&Exit"));
    mnuEnd->setObjectName(QStringLiteral("mnuEnd"));
    connect(mnuEnd, &QAction::triggered, this, &QWidget::close);
}

void FrmMain::buildButtons(QWidget *area)
{
    // Tops in twips; the gap between Default Data Write and Data Get parts
    // the setting-data buttons from the log buttons.
    static constexpr std::array<int, kDeviceButtons> tops{240, 960, 1680, 2940, 3660};
    for (int i = 0; i < kDeviceButtons; ++i) {
        auto *b = new QPushButton(deviceButtonCaption(DeviceButton(i)), area);
        b->setObjectName(QStringLiteral("CmdVqCom_%1").arg(i));
        b->setAutoDefault(false);
        place(b, 180, tops[size_t(i)], 1575, 495);
        connect(b, &QPushButton::clicked, this, [this, i] { emit deviceButtonClicked(i); });
        m_cmdVqCom[size_t(i)] = b;
    }
}

void FrmMain::buildEditor(QWidget *area)
{
    QFont fieldFont = font();
    fieldFont.setBold(true);
    fieldFont.setPointSize(12);

    m_fraTmp = new QFrame(area);
    m_fraTmp->setObjectName(QStringLiteral("FraTmp"));
    place(m_fraTmp, 180, 5820, 6255, 2475);

    auto makeRow = [&](int i, QWidget *parent, int top, int captionLeft, int fieldLeft, int spinLeft,
                       int unitLeft) {
        const ParamInfo &p = paramInfo(i);
        const QString caption = QString::fromLatin1(p.caption);
        QLabel *captionLabel = label(parent, caption, QStringLiteral("LblCaption_%1").arg(i), captionLeft, top + 60,
                                     fieldLeft - captionLeft - 60);
        // A caption too long for one line takes the whole row for two.
        setWrapRoom(captionLabel, pixelRect(QRectF(captionLeft, top, fieldLeft - captionLeft - 60, 420)));
        auto *field = new QLineEdit(parent);
        field->setObjectName(QStringLiteral("TxtData_%1").arg(i));
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        field->setFont(fieldFont);
        field->setMaxLength(p.maxLength);
        field->setToolTip(paramToolTip(i));
        field->setTextMargins(0, 0, 0, 0);
        place(field, fieldLeft, top, 915, 285);
        nameForScreenReaders(field, captionLabel, caption, fieldDescription(i));
        m_txtData[size_t(i)] = field;

        auto *spin = new UpDownButton(parent);
        spin->setObjectName(QStringLiteral("UpDownData_%1").arg(i));
        place(spin, spinLeft, top, 255, 285);
        spin->setCaption(caption);
        m_upDownData[size_t(i)] = spin;

        const QString unit = QString::fromLatin1(p.unit);
        if (!unit.isEmpty()) {
            QLabel *u = label(parent, unit,
                              i == CurrentLimiter ? QStringLiteral("LblCurLim") : QStringLiteral("LblUnit_%1").arg(i),
                              unitLeft, top + 60, 330);
            if (i == CurrentLimiter)
                m_lblCurLim = u;
        }

        connect(field, &QLineEdit::textEdited, this, [this, i, field](const QString &text) {
            // Back to the typing limit once a longer text shown by the
            // program has been shortened to fit it.
            if (text.size() <= paramInfo(i).maxLength)
                field->setMaxLength(paramInfo(i).maxLength);
            m_editor.setText(i, text);
        });
        connect(spin, &UpDownButton::up, this, [this, i] { m_editor.spinUp(i); });
        connect(spin, &UpDownButton::down, this, [this, i] { m_editor.spinDown(i); });
    };

    int top = 240;
    for (int i : kVisibleRows) {
        makeRow(i, area, top, 2340, 4740, 5640, 6000);
        top += 420;
    }

    m_chkCurLimOff = new QCheckBox(QStringLiteral("Off"), area);
    m_chkCurLimOff->setObjectName(QStringLiteral("ChkCurLimOff"));
    place(m_chkCurLimOff, 3960, 1980, 675, 255);
    m_chkCurLimOff->setAccessibleDescription(QStringLiteral("Current Limiter off"));
    connect(m_chkCurLimOff, &QCheckBox::clicked, this, [this](bool ticked) { m_editor.setCurLimOff(ticked); });

    // The hidden frame: information from the controller that is never written back.
    QLabel *lblVqType = label(m_fraTmp, QStringLiteral("VQ Type"), QStringLiteral("LblVqType"), 2220, 60, 2280);
    m_txtVqType = new QLineEdit(m_fraTmp);
    m_txtVqType->setObjectName(QStringLiteral("TxtVqType"));
    m_txtVqType->setReadOnly(true);
    m_txtVqType->setAlignment(Qt::AlignCenter);
    place(m_txtVqType, 4560, 0, 1455, 285);
    nameForScreenReaders(m_txtVqType, lblVqType, lblVqType->text());
    QLabel *lblVer = label(m_fraTmp, QStringLiteral("ROM Version"), QStringLiteral("LblVer"), 2220, 480, 2280);
    m_txtVer = new QLineEdit(m_fraTmp);
    m_txtVer->setObjectName(QStringLiteral("TxtVer"));
    m_txtVer->setReadOnly(true);
    place(m_txtVer, 4560, 420, 915, 285);
    nameForScreenReaders(m_txtVer, lblVer, lblVer->text());
    top = 840;
    for (int i : kHiddenRows) {
        makeRow(i, m_fraTmp, top, 2220, 4560, 5460, 5820);
        top += 420;
    }
    top = 1260;
    for (int k = kModeFlags - 1; k >= 0; --k) { // Lipo Mode at the top
        auto *box = new QCheckBox(QString::fromLatin1(kModeCaptions[size_t(k)]), m_fraTmp);
        box->setObjectName(QStringLiteral("ChkMode_%1").arg(k));
        place(box, 120, top, 1800, 255);
        m_chkMode[size_t(k)] = box;
        top += 300;
    }

    // Tab order: the device buttons first, then the editor top to bottom.
    QWidget *previous = m_cmdVqCom[0];
    for (int i = 1; i < kDeviceButtons; ++i) {
        setTabOrder(previous, m_cmdVqCom[size_t(i)]);
        previous = m_cmdVqCom[size_t(i)];
    }
    for (int i : kVisibleRows) {
        if (i == CurrentLimiter) {
            setTabOrder(previous, m_chkCurLimOff);
            previous = m_chkCurLimOff;
        }
        setTabOrder(previous, m_txtData[size_t(i)]);
        previous = m_txtData[size_t(i)];
    }
}

void FrmMain::buildStatusArea(QWidget *area)
{
    QLabel *lblMessage = label(area, QStringLiteral("Message"), QStringLiteral("LblMessage"), 180, 4740, 1515, 195);
    m_txtMsg = new QLineEdit(area);
    m_txtMsg->setObjectName(QStringLiteral("TxtMsg"));
    m_txtMsg->setReadOnly(true);
    m_txtMsg->setFocusPolicy(Qt::NoFocus);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(9.75);
    m_txtMsg->setFont(fixed);
    place(m_txtMsg, 180, 4980, 4035, 315);
    nameForScreenReaders(m_txtMsg, lblMessage, lblMessage->text());

    label(area, QStringLiteral("Busy"), QStringLiteral("LblBusy"), 2340, 4500, 555, 195);
    m_lamp = new Lamp(area);
    m_lamp->setObjectName(QStringLiteral("ShpLED"));
    place(m_lamp, 2880, 4500, 255, 135);
    m_lamp->setAccessibleName(QStringLiteral("Busy"));
    m_lamp->setAccessibleDescription(busyDescription(false));

    auto *logo = new QLabel(area);
    logo->setObjectName(QStringLiteral("ImgLogo"));
    logo->setPixmap(makeLogo());
    logo->setScaledContents(true);
    place(logo, 4620, 4500, 1515, 435);

    m_lblProductName = label(area, QStringLiteral("LblProductName"), QStringLiteral("LblProductName"), 4620, 4980,
                             1515, 195, Qt::AlignCenter);
    m_lblVersion = label(area, QStringLiteral("Version"), QStringLiteral("LblVersion"), 4620, 5160, 1515, 195,
                         Qt::AlignCenter);
}

void FrmMain::mirrorEditor()
{
    connect(&m_editor, &EditorModel::textChanged, this, [this](int i, const QString &text) {
        QLineEdit *field = m_txtData[size_t(i)];
        if (field->text() == text)
            return;
        // The length limit is for typing only. A longer text from the
        // controller or a file (a Dead Band of 100, a word of 40000) is shown
        // whole rather than cut to a different number; nothing more can be
        // typed into it until it is shorter than the limit.
        field->setMaxLength(std::max(paramInfo(i).maxLength, int(text.size())));
        field->setText(text);
    });
    connect(&m_editor, &EditorModel::markChanged, this, &FrmMain::showMark);
    connect(&m_editor, &EditorModel::curLimOffChanged, this,
            [this](bool ticked) { m_chkCurLimOff->setChecked(ticked); });
    connect(&m_editor, &EditorModel::curLimEnabledChanged, this, [this](bool enabled) {
        m_txtData[CurrentLimiter]->setEnabled(enabled);
        m_upDownData[CurrentLimiter]->setEnabled(enabled);
        m_lblCurLim->setEnabled(enabled);
    });
    connect(&m_editor, &EditorModel::modeChanged, this,
            [this](int k, bool ticked) { m_chkMode[size_t(k)]->setChecked(ticked); });
    connect(&m_editor, &EditorModel::vqTypeChanged, m_txtVqType, &QLineEdit::setText);
    connect(&m_editor, &EditorModel::romVersionChanged, m_txtVer, &QLineEdit::setText);

    for (int i = 0; i < kParamCount; ++i) {
        m_txtData[size_t(i)]->setText(m_editor.text(i));
        showMark(i, m_editor.marked(i));
    }
    m_chkCurLimOff->setChecked(m_editor.curLimOff());
    m_txtData[CurrentLimiter]->setEnabled(m_editor.curLimEnabled());
    m_upDownData[CurrentLimiter]->setEnabled(m_editor.curLimEnabled());
    m_lblCurLim->setEnabled(m_editor.curLimEnabled());
    for (int k = 0; k < kModeFlags; ++k)
        m_chkMode[size_t(k)]->setChecked(m_editor.mode(k));
    m_txtVqType->setText(m_editor.vqType());
    m_txtVer->setText(m_editor.romVersion());
}

void FrmMain::showMark(int i, bool marked)
{
    QLineEdit *field = m_txtData[size_t(i)];
    QPalette pal = field->palette();
    pal.setColor(QPalette::Text, marked ? fromBgr(kColourRed) : fromBgr(kColourBlack));
    field->setPalette(pal);
}

void FrmMain::ShowMessage(const QString &text, quint32 colour)
{
    QPalette pal = m_txtMsg->palette();
    pal.setColor(QPalette::Text, fromBgr(colour));
    m_txtMsg->setPalette(pal);
    m_txtMsg->setText(text);
}

void FrmMain::setMessageDetail(const QString &detail)
{
    m_txtMsg->setToolTip(detail);
}

void FrmMain::setDeviceButtonEnabled(int index, bool enabled)
{
    m_cmdVqCom.at(size_t(index))->setEnabled(enabled);
}

void FrmMain::setLampColour(quint32 bgr)
{
    m_lamp->setColour(bgr);
}

void FrmMain::setBusy(bool busy)
{
    m_lamp->setAccessibleDescription(busyDescription(busy));
    mnuCom->setEnabled(!busy);
    mnuOpen->setEnabled(!busy);
    munOpenLog->setEnabled(!busy);
}

void FrmMain::setProductName(const QString &text)
{
    m_lblProductName->setText(text);
    fitCaption(m_lblProductName);
}

void FrmMain::setVersionText(const QString &text)
{
    m_lblVersion->setText(text);
    fitCaption(m_lblVersion);
}

void FrmMain::fitCaptions()
{
    for (QLineEdit *field : m_txtData)
        fitValueFont(field);
    for (QLabel *l : centralWidget()->findChildren<QLabel *>())
        if (!l->text().isEmpty())
            fitCaption(l);
    for (QAbstractButton *b : centralWidget()->findChildren<QAbstractButton *>())
        if (!b->text().isEmpty())
            fitCaption(b);
}

void FrmMain::showEvent(QShowEvent *event)
{
    // Centred on the screen the first time it is shown; where the user moves
    // it afterwards is left alone.
    if (!m_placed) {
        m_placed = true;
        if (const QScreen *screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QMainWindow::showEvent(event);
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    emit unloading();
    event->accept();
}

} // namespace vq
