#include "shell/frmmain.h"

#include "core/displaytext.h"
#include "link/statusmodel.h"
#include "settings/editormodel.h"
#include "settings/paramtable.h"
#include "logwindow/textfit.h"
#include "shell/uilanguage.h"
#include "shell/updownbutton.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
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

// The entry boxes' bold face. A build may carry one of its own in
// :/fonts/value-bold.ttf (the Windows build carries DejaVu Sans Bold): there
// the dialog face differs from one machine to the next (Tahoma, Segoe UI, a
// Japanese system's UI Gothic) and not every one has a bold that keeps its
// strokes in a 19-pixel box; Wine's stand-in Tahoma has no real bold at all.
// Without one, or if it doesn't load, the window's own font made bold.
QFont valueFieldFont(const QFont &windowFont)
{
    static const QString carried = [] {
        const QString file = QStringLiteral(":/fonts/value-bold.ttf");
        const int id = QFile::exists(file) ? QFontDatabase::addApplicationFont(file) : -1;
        return id < 0 ? QString() : QFontDatabase::applicationFontFamilies(id).value(0);
    }();
    QFont f = windowFont;
    if (!carried.isEmpty())
        f.setFamilies({carried, windowFont.family()});
    f.setBold(true);
    f.setPointSize(12);
    return f;
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

// A parameter's caption and unit as the window shows them.
QString captionText(int i)
{
    return displayText("Parameters", paramInfo(i).caption);
}

QString unitText(int i)
{
    return displayText("Parameters", paramInfo(i).unit);
}

// "100～10000 Hz"; Forward Boost has no unit: "0～100".
QString fieldDescription(int i)
{
    const QString unit = unitText(i);
    return unit.isEmpty() ? paramToolTip(i) : paramToolTip(i) + u' ' + unit;
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
    buildLanguageMenu();
    mirrorEditor();
    retranslate();

    // Inner area 6330 twips wide; the window ends below the message line and
    // the version label, so the hidden frame below them is outside it.
    m_designHeight = menuBar()->sizeHint().height() + pixelsFromTwips(5490);
    resize(pixelsFromTwips(6330), m_designHeight);
}

void FrmMain::buildMenus()
{
    // The captions are set by retranslate().
    QMenuBar *bar = menuBar();
    m_mnuFile = bar->addMenu(QString());
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m_mnuSet = m_mnuFile->addMenu(QString());
    m_mnuSet->setObjectName(QStringLiteral("mnuSet"));
    mnuOpen = m_mnuSet->addAction(QString());
    mnuOpen->setObjectName(QStringLiteral("mnuOpen"));
    mnuSave = m_mnuSet->addAction(QString());
    mnuSave->setObjectName(QStringLiteral("mnuSave"));
    m_mnuFile->addSeparator()->setObjectName(QStringLiteral("sep1"));
    m_mnuLog = m_mnuFile->addMenu(QString());
    m_mnuLog->setObjectName(QStringLiteral("mnuLog"));
    munOpenLog = m_mnuLog->addAction(QString());
    munOpenLog->setObjectName(QStringLiteral("munOpenLog"));
    mnuSaveLog = m_mnuLog->addAction(QString());
    mnuSaveLog->setObjectName(QStringLiteral("mnuSaveLog"));
    mnuCom = bar->addAction(QString());
    mnuCom->setObjectName(QStringLiteral("mnuCom"));
    mnuEnd = bar->addAction(QString());
    mnuEnd->setObjectName(QStringLiteral("mnuEnd"));
    connect(mnuEnd, &QAction::triggered, this, &QWidget::close);
}

void FrmMain::buildLanguageMenu()
{
    // Reached by the window's context menu only: the menu bar and the
    // window at rest stay as they are. Each language is named in itself, so
    // the way back is found whatever the window shows.
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mnuLanguageList"));
    m_languages = new QActionGroup(this);
    for (const UiLanguage &language : kUiLanguages) {
        QAction *action = menu->addAction(QString::fromUtf8(language.nativeName));
        const QString code = QString::fromLatin1(language.code);
        action->setObjectName(QStringLiteral("mnuLanguage_") + code);
        action->setData(code);
        action->setCheckable(true);
        action->setChecked(code == uiLanguage());
        m_languages->addAction(action);
        connect(action, &QAction::triggered, this, [this, code] { emit languageChosen(code); });
    }
    mnuLanguage = new QAction(this);
    mnuLanguage->setObjectName(QStringLiteral("mnuLanguage"));
    mnuLanguage->setMenu(menu);
    centralWidget()->addAction(mnuLanguage);
    centralWidget()->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void FrmMain::setLanguage(const QString &code)
{
    for (QAction *action : m_languages->actions())
        action->setChecked(action->data().toString() == code);
}

void FrmMain::buildButtons(QWidget *area)
{
    // Tops in twips; the gap between Default Data Write and Data Get parts
    // the setting-data buttons from the log buttons.
    static constexpr std::array<int, kDeviceButtons> tops{240, 960, 1680, 2940, 3660};
    for (int i = 0; i < kDeviceButtons; ++i) {
        auto *b = new QPushButton(area);
        b->setObjectName(QStringLiteral("CmdVqCom_%1").arg(i));
        b->setAutoDefault(false);
        place(b, 180, tops[size_t(i)], 1575, 495);
        connect(b, &QPushButton::clicked, this, [this, i] { emit deviceButtonClicked(i); });
        m_cmdVqCom[size_t(i)] = b;
    }
}

void FrmMain::buildEditor(QWidget *area)
{
    const QFont fieldFont = valueFieldFont(font());

    m_fraTmp = new QFrame(area);
    m_fraTmp->setObjectName(QStringLiteral("FraTmp"));
    place(m_fraTmp, 180, 5820, 6255, 2475);

    auto makeRow = [&](int i, QWidget *parent, int top, int captionLeft, int fieldLeft, int spinLeft,
                       int unitLeft) {
        const ParamInfo &p = paramInfo(i);
        QLabel *captionLabel = label(parent, QString(), QStringLiteral("LblCaption_%1").arg(i), captionLeft, top + 60,
                                     fieldLeft - captionLeft - 60);
        m_lblCaption[size_t(i)] = captionLabel;
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
        captionLabel->setBuddy(field);
        m_txtData[size_t(i)] = field;

        auto *spin = new UpDownButton(parent);
        spin->setObjectName(QStringLiteral("UpDownData_%1").arg(i));
        place(spin, spinLeft, top, 255, 285);
        m_upDownData[size_t(i)] = spin;

        if (*p.unit != '\0') {
            QLabel *u = label(parent, QString(),
                              i == CurrentLimiter ? QStringLiteral("LblCurLim") : QStringLiteral("LblUnit_%1").arg(i),
                              unitLeft, top + 60, 330);
            m_lblUnit[size_t(i)] = u;
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

    m_chkCurLimOff = new QCheckBox(area);
    m_chkCurLimOff->setObjectName(QStringLiteral("ChkCurLimOff"));
    place(m_chkCurLimOff, 3960, 1980, 675, 255);
    connect(m_chkCurLimOff, &QCheckBox::clicked, this, [this](bool ticked) { m_editor.setCurLimOff(ticked); });

    // The hidden frame: information from the controller that is never written back.
    m_lblVqType = label(m_fraTmp, QString(), QStringLiteral("LblVqType"), 2220, 60, 2280);
    m_txtVqType = new QLineEdit(m_fraTmp);
    m_txtVqType->setObjectName(QStringLiteral("TxtVqType"));
    m_txtVqType->setReadOnly(true);
    m_txtVqType->setAlignment(Qt::AlignCenter);
    place(m_txtVqType, 4560, 0, 1455, 285);
    m_lblVqType->setBuddy(m_txtVqType);
    m_lblVer = label(m_fraTmp, QString(), QStringLiteral("LblVer"), 2220, 480, 2280);
    m_txtVer = new QLineEdit(m_fraTmp);
    m_txtVer->setObjectName(QStringLiteral("TxtVer"));
    m_txtVer->setReadOnly(true);
    place(m_txtVer, 4560, 420, 915, 285);
    m_lblVer->setBuddy(m_txtVer);
    top = 840;
    for (int i : kHiddenRows) {
        makeRow(i, m_fraTmp, top, 2220, 4560, 5460, 5820);
        top += 420;
    }
    top = 1260;
    for (int k = kModeFlags - 1; k >= 0; --k) { // Lipo Mode at the top
        auto *box = new QCheckBox(m_fraTmp);
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
    m_lblMessage = label(area, QString(), QStringLiteral("LblMessage"), 180, 4740, 1515, 195);
    m_txtMsg = new QLineEdit(area);
    m_txtMsg->setObjectName(QStringLiteral("TxtMsg"));
    m_txtMsg->setReadOnly(true);
    m_txtMsg->setFocusPolicy(Qt::NoFocus);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(9.75);
    m_txtMsg->setFont(fixed);
    place(m_txtMsg, 180, 4980, 4035, 315);
    m_lblMessage->setBuddy(m_txtMsg);

    m_lblBusy = label(area, QString(), QStringLiteral("LblBusy"), 2340, 4500, 555, 195);
    m_lamp = new Lamp(area);
    m_lamp->setObjectName(QStringLiteral("ShpLED"));
    place(m_lamp, 2880, 4500, 255, 135);

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
    m_messageText = text;
    m_txtMsg->setText(displayText(text));
}

void FrmMain::setMessageDetail(const QString &detail)
{
    m_messageDetail = detail;
    m_txtMsg->setToolTip(displayText(detail));
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
    m_busy = busy;
    m_lamp->setAccessibleDescription(busy ? tr("An operation is running") : tr("No operation is running"));
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

void FrmMain::retranslate()
{
    m_mnuFile->setTitle(tr("&File"));
    m_mnuSet->setTitle(tr("&Setting Data "));
    mnuOpen->setText(tr("&Open"));
    mnuSave->setText(tr("&Save"));
    m_mnuLog->setTitle(tr("&Log Data"));
    munOpenLog->setText(tr("&Open"));
    mnuSaveLog->setText(tr("&Save"));
    mnuCom->setText(tr("&ComPort"));
    mnuEnd->setText(tr("&Exit"));
    mnuLanguage->setText(tr("Language"));

    for (int i = 0; i < kDeviceButtons; ++i)
        m_cmdVqCom[size_t(i)]->setText(displayText(deviceButtonCaption(DeviceButton(i))));
    for (int i = 0; i < kParamCount; ++i) {
        m_lblCaption[size_t(i)]->setText(captionText(i));
        if (m_lblUnit[size_t(i)])
            m_lblUnit[size_t(i)]->setText(unitText(i));
        nameForScreenReaders(m_txtData[size_t(i)], m_lblCaption[size_t(i)], captionText(i), fieldDescription(i));
        m_upDownData[size_t(i)]->setCaption(captionText(i));
    }
    m_chkCurLimOff->setText(tr("Off"));
    m_chkCurLimOff->setAccessibleDescription(tr("Current Limiter off"));
    m_lblVqType->setText(tr("VQ Type"));
    nameForScreenReaders(m_txtVqType, m_lblVqType, m_lblVqType->text());
    m_lblVer->setText(tr("ROM Version"));
    nameForScreenReaders(m_txtVer, m_lblVer, m_lblVer->text());
    for (int k = 0; k < kModeFlags; ++k)
        m_chkMode[size_t(k)]->setText(displayText("Parameters", kModeCaptions[size_t(k)]));
    m_lblMessage->setText(tr("Message"));
    nameForScreenReaders(m_txtMsg, m_lblMessage, m_lblMessage->text());
    m_lblBusy->setText(tr("Busy"));
    m_lamp->setAccessibleName(tr("Busy"));
    setBusy(m_busy);
    m_txtMsg->setText(displayText(m_messageText));
    m_txtMsg->setToolTip(displayText(m_messageDetail));

    // Fitted afresh from each control's design font: a shorter text gets its
    // size back.
    fitCaptions();

    // A menu bar of another height (Japanese characters are taller) keeps
    // the version label inside the window, unless the user has sized it.
    const int designHeight = menuBar()->sizeHint().height() + pixelsFromTwips(5490);
    if (designHeight != m_designHeight && height() == m_designHeight)
        resize(width(), designHeight);
    m_designHeight = designHeight;
}

void FrmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
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
