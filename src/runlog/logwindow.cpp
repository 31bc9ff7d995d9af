#include "runlog/logwindow.h"

#include "runlog/graphrenderer.h"
#include "runlog/loglayout.h"
#include "platform/config.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

namespace vq {

namespace {

QRect pixelRect(const QRectF &twips)
{
    return QRect(pixelsFromTwips(twips.left()), pixelsFromTwips(twips.top()),
                 std::max(0, pixelsFromTwips(twips.width())), std::max(0, pixelsFromTwips(twips.height())));
}

QPoint pixelPoint(const QPointF &twips)
{
    return QPoint(pixelsFromTwips(twips.x()), pixelsFromTwips(twips.y()));
}

QSizeF twipsOf(const QSize &pixels)
{
    return QSizeF(pixels.width() * kTwipsPerPixel, pixels.height() * kTwipsPerPixel);
}

// The graph as a screen reader meets it: a chart whose value is the read-out.
class PlotAreaAccessible : public QAccessibleWidget
{
public:
    explicit PlotAreaAccessible(PlotArea *plot) : QAccessibleWidget(plot, QAccessible::Chart) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<const PlotArea *>(widget())->accessibleValue();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *plotAreaAccessible(const QString &, QObject *object)
{
    if (auto *plot = qobject_cast<PlotArea *>(object))
        return new PlotAreaAccessible(plot);
    return nullptr;
}

} // namespace

// --- LegendLine ---------------------------------------------------------------

LegendLine::LegendLine(const QColor &colour, QWidget *parent) : QWidget(parent), m_colour(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LegendLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_colour);
}

// --- PlotArea ------------------------------------------------------------------

PlotArea::PlotArea(QWidget *parent) : QWidget(parent)
{
    // The read-out follows the pointer without a button held.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab reaches the graph for the keyboard cursor; a click leaves the focus
    // where it was, as it always has.
    setFocusPolicy(Qt::TabFocus);
    static const bool accessibleInstalled = (QAccessible::installFactory(plotAreaAccessible), true);
    Q_UNUSED(accessibleInstalled);
    setAccessibleName(QStringLiteral("Graph"));
    setAccessibleDescription(QStringLiteral(
        "Battery voltage and motor current against time. Left and Right move the cursor one second, "
        "Page Up and Page Down ten, Home and End to the first and last second."));
}

void PlotArea::setCursorColumn(int column)
{
    if (column == m_cursorColumn)
        return;
    m_cursorColumn = column;
    if (hasFocus())
        update();
}

void PlotArea::setAccessibleValue(const QString &text)
{
    if (text == m_accessibleValue)
        return;
    m_accessibleValue = text;
    QAccessibleValueChangeEvent event(this, text);
    QAccessible::updateAccessibility(&event);
}

QRect PlotArea::inside() const
{
    return rect().adjusted(kBorderPixels, kBorderPixels, -kBorderPixels, -kBorderPixels);
}

QImage &PlotArea::imageForDrawing()
{
    const QSize size = inside().size().expandedTo(QSize(0, 0));
    // Kept between redraws of the same size, so an interactive resize only
    // allocates when the size really changes.
    if (m_image.size() != size)
        m_image = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
    return m_image;
}

void PlotArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), true);
    if (!m_image.isNull())
        painter.drawImage(inside().topLeft(), m_image);
    if (hasFocus() && m_cursorColumn >= 0)
        painter.fillRect(QRect(m_cursorColumn, inside().top(), 1, inside().height()), Qt::black);
}

void PlotArea::mouseMoveEvent(QMouseEvent *event)
{
    emit pointerMoved(event->position());
}

void PlotArea::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        emit cursorKeyPressed(event->key());
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void PlotArea::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
    emit focusChanged(true);
}

void PlotArea::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
    emit focusChanged(false);
}

// --- FrmLog --------------------------------------------------------------------

FrmLog::FrmLog(QWidget *mainWindow, Config &config, const RunLog &log)
    : QWidget(nullptr), m_config(config), m_log(log)
{
    // Close and the close box unload the window; the log stays with the program.
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("FrmLog"));
    setWindowTitle(QStringLiteral("Log Data"));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    // Made first, so it is first in the tab order.
    CmdClose = new QPushButton(QStringLiteral("Close"), this);
    CmdClose->setObjectName(QStringLiteral("CmdClose"));
    CmdClose->setGeometry(pixelRect(kCmdCloseRect));
    connect(CmdClose, &QPushButton::clicked, this, &QWidget::close);

    const QRect legendLine(pixelPoint(kLegendLineFrom) - QPoint(0, 1),
                           QSize(pixelsFromTwips(kLegendLineTo.x() - kLegendLineFrom.x()), 2));
    const auto makeLegend = [&](const QString &frameName, const QString &caption, const QRectF &place,
                                const QString &lineName, const QColor &colour, int index,
                                QGroupBox *&frame, LegendLine *&line) {
        frame = new QGroupBox(caption, this);
        frame->setObjectName(frameName);
        frame->setGeometry(pixelRect(place));
        line = new LegendLine(colour, frame);
        line->setObjectName(lineName);
        line->setGeometry(legendLine);
        auto *box = new QCheckBox(QStringLiteral("Scale Line"), frame);
        box->setObjectName(QStringLiteral("ChkScaleLine_%1").arg(index));
        // Two boxes of one caption: a screen reader names each by its curve.
        box->setAccessibleName(caption + QStringLiteral(" Scale Line"));
        box->setGeometry(pixelRect(kChkScaleLineRect));
        // clicked, not toggled: only the user's click stores the state.
        connect(box, &QCheckBox::clicked, this, [this, index](bool ticked) { ChkScaleLine_Click(index, ticked); });
        ChkScaleLine[size_t(index)] = box;
    };
    makeLegend(QStringLiteral("Frame2"), QStringLiteral("Voltage(V)"), kFrame2Rect, QStringLiteral("Line1"),
               kVoltColour, 0, Frame2, Line1);
    makeLegend(QStringLiteral("Frame1"), QStringLiteral("Current(A)"), kFrame1Rect, QStringLiteral("Line2"),
               kCurColour, 1, Frame1, Line2);

    PicLog = new PlotArea(this);
    PicLog->setObjectName(QStringLiteral("PicLog"));
    PicLog->move(pixelPoint(kPicLogPlace));
    connect(PicLog, &PlotArea::pointerMoved, this, &FrmLog::PicLog_MouseMove);
    connect(PicLog, &PlotArea::cursorKeyPressed, this, &FrmLog::PicLog_KeyDown);
    // Tabbing to the graph reads out the cursor's second at once.
    connect(PicLog, &PlotArea::focusChanged, this, [this](bool hasFocus) {
        if (hasFocus)
            showCursorReadOut();
    });

    loadLabels();

    LblTime = new QLabel(QStringLiteral("Time(s)"), this);
    LblTime->setObjectName(QStringLiteral("LblTime"));
    LblTime->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LblTime->resize(pixelsFromTwips(kLblTimeSize.width()), pixelsFromTwips(kLblTimeSize.height()));

    // The read-out stays hidden until the pointer first moves over a sample;
    // it never takes the pointer's events from the plot.
    TxtLog = new QLabel(this);
    TxtLog->setObjectName(QStringLiteral("TxtLog"));
    TxtLog->setGeometry(pixelRect(kTxtLogRect));
    TxtLog->setFrameShape(QFrame::Box);
    TxtLog->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TxtLog->setMargin(1);
    // Three lines in a box 39 pixels high.
    QFont readOutFont = font();
    readOutFont.setPixelSize(10);
    TxtLog->setFont(readOutFont);
    TxtLog->setAutoFillBackground(true);
    QPalette white = TxtLog->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    TxtLog->setPalette(white);
    TxtLog->setAttribute(Qt::WA_TransparentForMouseEvents);
    TxtLog->hide();
    TxtLog->raise();

    // Restored without a click: nothing is written back at load.
    for (int i = 0; i < 2; ++i)
        ChkScaleLine[size_t(i)]->setChecked(m_config.ScaleLineState[size_t(i)] != 0);

    placeAtLoad(mainWindow);
}

void FrmLog::loadLabels()
{
    const QSize labelSize(pixelsFromTwips(kAxisLabelSize.width()), pixelsFromTwips(kAxisLabelSize.height()));
    const auto makeLabels = [&](auto &labels, const QString &name, const QStringList &captions,
                                Qt::Alignment alignment) {
        for (size_t i = 0; i < labels.size(); ++i) {
            auto *label = new QLabel(captions.value(qsizetype(i)), this);
            label->setObjectName(name + u'_' + QString::number(i));
            label->setAlignment(alignment | Qt::AlignTop);
            label->resize(labelSize);
            labels[i] = label;
        }
    };
    makeLabels(LblVolt, QStringLiteral("LblVolt"), voltLabelCaptions(), Qt::AlignRight);
    makeLabels(LblCur, QStringLiteral("LblCur"), curLabelCaptions(), Qt::AlignLeft);
    makeLabels(LblS, QStringLiteral("LblS"), timeLabelCaptions(), Qt::AlignHCenter);
}

void FrmLog::placeAtLoad(QWidget *mainWindow)
{
    // The sizes are outer sizes, so the frame must be known: making the
    // platform window tells it where the platform decorates its windows at
    // once (elsewhere the frame shows up later, and the size first applies
    // to the inside).
    winId();
    // The window system chooses the top edge of a new window; beside the
    // main window's top is where it would cascade to, and keeps it on screen.
    setOuterPixels(QSize(pixelsFromTwips(kLogLoadSize.width()), pixelsFromTwips(kLogLoadSize.height())));
    if (mainWindow) {
        const QRect main = mainWindow->frameGeometry();
        move(main.left() + pixelsFromTwips(kLogLeftOfMain), main.top());
    }
}

QSize FrmLog::outerPixels() const
{
    return frameGeometry().size();
}

void FrmLog::setOuterPixels(QSize outer)
{
    const QSize frame = frameGeometry().size() - size();
    resize(outer - frame);
}

void FrmLog::redraw()
{
    // The size rules are for the normal state only; a minimised window is
    // drawn when it comes back.
    if (isMinimized()) {
        m_redrawWhenRestored = true;
        return;
    }
    m_redrawWhenRestored = false;

    const QSizeF outer = twipsOf(outerPixels());
    if (const std::optional<QSizeF> corrected = logSizeCorrection(outer)) {
        // The size change that this causes runs the redraw again. Rounding up
        // keeps a minimum that is no whole number of pixels (4600 twips) from
        // being corrected over and over.
        setOuterPixels(QSize(pixelsCovering(corrected->width()), pixelsCovering(corrected->height())));
        return;
    }

    const LogLayout layout = logLayout(outer);
    CmdClose->move(pixelPoint(layout.CmdClose.topLeft()));
    Frame1->move(pixelPoint(layout.Frame1.topLeft()));
    PicLog->setGeometry(pixelRect(layout.PicLog));

    // The labels follow the plot area as placed, after pixel rounding.
    const LogLayout labels = logLayout(outer, twipsOf(PicLog->size()));
    for (size_t i = 0; i < LblVolt.size(); ++i)
        LblVolt[i]->move(pixelPoint(labels.LblVolt[i]));
    for (size_t i = 0; i < LblCur.size(); ++i)
        LblCur[i]->move(pixelPoint(labels.LblCur[i]));
    for (size_t i = 0; i < LblS.size(); ++i)
        LblS[i]->move(pixelPoint(labels.LblS[i]));
    LblTime->move(pixelPoint(labels.LblTime));

    GraphOptions options;
    options.voltScaleLine = ChkScaleLine[0]->isChecked();
    options.curScaleLine = ChkScaleLine[1]->isChecked();
    options.voltColour = Line1->colour();
    options.curColour = Line2->colour();
    renderGraph(PicLog->imageForDrawing(), m_log, options);
    placeCursorLine();
    PicLog->update();
}

void FrmLog::ChkScaleLine_Click(int index, bool ticked)
{
    m_config.storeScaleLine(index, ticked);
    redraw();
}

void FrmLog::PicLog_MouseMove(QPointF position)
{
    const QRect inside = PicLog->inside();
    showReadOut(float(pixelToPlot(position.x() - inside.left(), inside.width())),
                float(pixelToPlot(position.y() - inside.top(), inside.height())));
    // The keyboard goes on from the second the pointer read last.
    if (m_readOut.visible && m_readOut.t != m_cursorSecond) {
        m_cursorSecond = m_readOut.t;
        placeCursorLine();
    }
}

void FrmLog::PicLog_KeyDown(int key)
{
    // Page Up moves on in time and Page Down back, as on a slider.
    int t = m_cursorSecond;
    switch (key) {
    case Qt::Key_Left: t -= 1; break;
    case Qt::Key_Right: t += 1; break;
    case Qt::Key_PageDown: t -= 10; break;
    case Qt::Key_PageUp: t += 10; break;
    case Qt::Key_Home: t = 1; break;
    case Qt::Key_End: t = kLogSamples; break;
    default: return;
    }
    // The zoomed time axis of the log analysis will shift its shown range
    // here, so that second t stays in view; the cursor's second reaches the
    // plot through secondToPlotX, the read-out's own mapping, either way.
    m_cursorSecond = std::clamp(t, 1, kLogSamples);
    showCursorReadOut();
    placeCursorLine();
}

void FrmLog::showCursorReadOut()
{
    const double outerHeight = PicLog->height() * kTwipsPerPixel;
    showReadOut(secondToPlotX(m_cursorSecond, PicLog->width() * kTwipsPerPixel),
                float((outerHeight - 2 * kPicLogBorder) / 2));
}

void FrmLog::placeCursorLine()
{
    const QRect inside = PicLog->inside();
    if (inside.width() <= 0) {
        PicLog->setCursorColumn(-1);
        return;
    }
    const float x = secondToPlotX(m_cursorSecond, PicLog->width() * kTwipsPerPixel);
    const int column = int(std::floor(plotToPixel(x, inside.width())));
    PicLog->setCursorColumn(inside.left() + std::clamp(column, 0, inside.width() - 1));
}

void FrmLog::showReadOut(float x, float y)
{
    m_readOut = graphReadOut(x, y, PicLog->width() * kTwipsPerPixel, PicLog->height() * kTwipsPerPixel, m_log);

    // Moved on every movement, also when it is about to be hidden.
    TxtLog->move(PicLog->x() + pixelsFromTwips(double(x) + 300), PicLog->y() + pixelsFromTwips(double(y) + 300));
    PicLog->setAccessibleValue(m_readOut.visible ? m_readOut.text : QString());
    if (!m_readOut.visible) {
        TxtLog->hide();
        return;
    }
    m_txtLogText = m_readOut.text;
    TxtLog->setText(QString(m_txtLogText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    TxtLog->show();
}

void FrmLog::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    redraw();
}

void FrmLog::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && m_redrawWhenRestored && !isMinimized())
        redraw();
}

void FrmLog::closeEvent(QCloseEvent *event)
{
    // Closing is never refused and asks nothing.
    emit unloaded();
    event->accept();
}

// --- LogWindowHost -----------------------------------------------------------

LogWindowHost::LogWindowHost(QWidget *mainWindow, Config &config, RunLog &log)
    : m_mainWindow(mainWindow), m_config(config), m_log(log)
{
}

LogWindowHost::~LogWindowHost()
{
    delete m_window.data();
}

FrmLog &LogWindowHost::showWindow()
{
    if (!m_window) {
        auto *window = new FrmLog(m_mainWindow, m_config, m_log);
        // A closed window is gone for the program at once, even though Qt
        // deletes it a little later: the next show makes a new one.
        QObject::connect(window, &FrmLog::unloaded, window, [this] { m_window = nullptr; });
        m_window = window;
    }
    // Shown again while open: brought to the front, its size and place kept.
    if (m_window->isVisible())
        m_window->raise();
    else
        m_window->show();
    return *m_window;
}

RunReplyStatus LogWindowHost::SetGraph(QStringView reply)
{
    const RunReplyStatus status = decodeRunReply(reply, m_log);
    if (status != RunReplyStatus::Ok)
        return status;
    showWindow().redraw();
    return status;
}

void LogWindowHost::SetGraphFile()
{
    showWindow().redraw();
}

} // namespace vq
