#include "logwindow/logwindow.h"

#include "core/displaytext.h"
#include "core/messages.h"
#include "logwindow/graphpicture.h"
#include "logwindow/graphrenderer.h"
#include "logwindow/statisticswindow.h"
#include "logwindow/textfit.h"
#include "platform/config.h"
#include "runlog/loglayout.h"
#include "runlog/logstats.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>

namespace vq {

namespace {

// Every caption and axis label in its box, whatever the desktop's font.
void fitTexts(QWidget *window)
{
    for (QLabel *label : window->findChildren<QLabel *>())
        if (!label->text().isEmpty())
            fitCaption(label);
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        fitCaption(button);
}

} // namespace

FrmLog::FrmLog(QWidget *mainWindow, Config &config, const RunLog &log, LogWindowFiles files)
    : QWidget(nullptr), m_config(config), m_log(log), m_files(std::move(files))
{
    // Close and the close box unload the window; the log stays with the program.
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("FrmLog"));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    // Made first, so it is first in the tab order.
    CmdClose = new QPushButton(this);
    CmdClose->setObjectName(QStringLiteral("CmdClose"));
    place(CmdClose, kCmdCloseRect);
    connect(CmdClose, &QPushButton::clicked, this, &QWidget::close);

    const QRect legendLine(pixelPoint(kLegendLineFrom) - QPoint(0, 1),
                           QSize(pixelsFromTwips(kLegendLineTo.x() - kLegendLineFrom.x()), 2));
    const auto makeLegend = [&](const QString &frameName, const QRectF &frameRect,
                                const QString &lineName, const QColor &colour, int index,
                                QGroupBox *&frame, LegendLine *&line) {
        frame = new QGroupBox(this);
        frame->setObjectName(frameName);
        place(frame, frameRect);
        line = new LegendLine(colour, frame);
        line->setObjectName(lineName);
        line->setGeometry(legendLine);
        auto *box = new QCheckBox(frame);
        box->setObjectName(QStringLiteral("ChkScaleLine_%1").arg(index));
        place(box, kChkScaleLineRect);
        // clicked, not toggled: only the user's click stores the state.
        connect(box, &QCheckBox::clicked, this, [this, index](bool ticked) { ChkScaleLine_Click(index, ticked); });
        ChkScaleLine[size_t(index)] = box;
    };
    makeLegend(QStringLiteral("Frame2"), kFrame2Rect, QStringLiteral("Line1"), kVoltColour, 0, Frame2, Line1);
    makeLegend(QStringLiteral("Frame1"), kFrame1Rect, QStringLiteral("Line2"), kCurColour, 1, Frame1, Line2);

    PicLog = new PlotArea(this);
    PicLog->setObjectName(QStringLiteral("PicLog"));
    PicLog->move(pixelPoint(kPicLogPlace));
    connect(PicLog, &PlotArea::pointerMoved, this, &FrmLog::PicLog_MouseMove);
    connect(PicLog, &PlotArea::cursorKeyPressed, this, &FrmLog::PicLog_KeyDown);
    connect(PicLog, &PlotArea::leftPressed, this, [this](QPointF position) {
        m_drag = std::pair(plotFraction(position), m_view);
    });
    connect(PicLog, &PlotArea::wheelTurned, this, &FrmLog::PicLog_Wheel);
    connect(PicLog, &PlotArea::doubleClicked, this, [this] { setView({}); });
    makeGraphMenu();
    // Tabbing to the graph reads out the cursor's second at once.
    connect(PicLog, &PlotArea::focusChanged, this, [this](bool hasFocus) {
        if (hasFocus)
            showCursorReadOut();
    });

    loadLabels();

    LblTime = new QLabel(this);
    LblTime->setObjectName(QStringLiteral("LblTime"));
    LblTime->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LblTime->resize(pixelsFromTwips(kLblTimeSize.width()), pixelsFromTwips(kLblTimeSize.height()));

    // The read-out stays hidden until the pointer first moves over a sample;
    // it never takes the pointer's events from the plot.
    TxtLog = new QLabel(this);
    TxtLog->setObjectName(QStringLiteral("TxtLog"));
    place(TxtLog, kTxtLogRect);
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

    retranslate();
    placeAtLoad(mainWindow);
}

void FrmLog::retranslate()
{
    setComparisonTitle();
    CmdClose->setText(tr("Close"));
    Frame2->setTitle(displayText(kTitleVoltage));
    Frame1->setTitle(displayText(kTitleCurrent));
    for (int i = 0; i < 2; ++i) {
        ChkScaleLine[size_t(i)]->setText(tr("Scale Line"));
        // Two boxes of one caption: a screen reader names each by its curve.
        ChkScaleLine[size_t(i)]->setAccessibleName(
            tr("%1 Scale Line").arg(displayText(i == 0 ? kTitleVoltage : kTitleCurrent)));
    }
    LblTime->setText(displayText(kTitleTime));
    m_actStatistics->setText(tr("Statistics…"));
    m_actSavePicture->setText(tr("Save Graph as Picture…"));
    m_actCopy->setText(tr("Copy Graph"));
    m_actCompare->setText(tr("Compare with Log File…"));
    m_actRemoveComparison->setText(tr("Remove Comparison"));
    m_actResetZoom->setText(tr("Reset Zoom"));
    fitTexts(this);
}

void FrmLog::setComparisonTitle()
{
    const QString title = displayText(kTitleLogWindow);
    setWindowTitle(m_comparison ? title + QStringLiteral(" - ") + m_comparison->name : title);
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
    place(PicLog, layout.PicLog);

    // The labels follow the plot area as placed, after pixel rounding.
    const LogLayout labels = logLayout(outer, twipsOf(PicLog->size()));
    for (size_t i = 0; i < LblVolt.size(); ++i)
        LblVolt[i]->move(pixelPoint(labels.LblVolt[i]));
    for (size_t i = 0; i < LblCur.size(); ++i)
        LblCur[i]->move(pixelPoint(labels.LblCur[i]));
    for (size_t i = 0; i < LblS.size(); ++i)
        LblS[i]->move(pixelPoint(labels.LblS[i]));
    LblTime->move(pixelPoint(labels.LblTime));
    if (!m_view.isWhole())
        placeTimeLabels(PicLog->width() * kTwipsPerPixel, labels.LblS[0].y());

    renderGraph(PicLog->imageForDrawing(), m_log, graphOptions());
    placeCursorLine();
    PicLog->update();
}

GraphOptions FrmLog::graphOptions() const
{
    GraphOptions options;
    options.voltScaleLine = ChkScaleLine[0]->isChecked();
    options.curScaleLine = ChkScaleLine[1]->isChecked();
    options.voltColour = Line1->colour();
    options.curColour = Line2->colour();
    options.view = m_view;
    options.comparison = m_comparison ? &m_comparison->log : nullptr;
    return options;
}

GraphPictureDescription FrmLog::graphPictureDescription() const
{
    // Laid out as the window is, so the plot in it is the plot on screen.
    return describeGraphPicture(outerPixels(), graphOptions());
}

void FrmLog::placeTimeLabels(double picLogOuterWidth, double timeTop)
{
    // Zoomed: the labels go to the whole seconds of the view, centred under
    // their lines as at rest; labels left over are hidden.
    const QList<int> seconds = timeLabelSeconds(m_view);
    for (size_t i = 0; i < LblS.size(); ++i) {
        QLabel *label = LblS[i];
        if (qsizetype(i) >= seconds.size()) {
            label->hide();
            continue;
        }
        const int second = seconds[qsizetype(i)];
        label->setText(QString::number(second));
        const double left = timeLabelLeft(picLogOuterWidth, m_view.fractionOf(second));
        label->move(pixelPoint(QPointF(left, timeTop)));
        label->show();
    }
}

void FrmLog::setView(const TimeView &view)
{
    const TimeView bounded = boundedView(view);
    if (bounded == m_view)
        return;
    const bool wasWhole = m_view.isWhole();
    m_view = bounded;
    if (m_view.isWhole() && !wasWhole) {
        // Back at rest: the labels made at load, all shown.
        const QStringList captions = timeLabelCaptions();
        for (size_t i = 0; i < LblS.size(); ++i) {
            LblS[i]->setText(captions.value(qsizetype(i)));
            LblS[i]->show();
        }
    }
    updateGraphActions();
    redraw();
}

void FrmLog::setComparison(std::optional<ComparedRun> run)
{
    m_comparison = std::move(run);
    setComparisonTitle();
    // Room for the compared run's two lines under the three of the run.
    const QRect box = pixelRect(kTxtLogRect);
    TxtLog->resize(box.width(), m_comparison ? box.height() * 5 / 3 : box.height());
    TxtLog->hide();
    updateGraphActions();
    refreshStatistics();
    redraw();
}

void FrmLog::logChanged()
{
    refreshStatistics();
    redraw();
}

double FrmLog::plotFraction(QPointF position) const
{
    const QRect inside = PicLog->inside();
    const double insideTwips = PicLog->width() * kTwipsPerPixel - 2 * kPicLogBorder;
    if (insideTwips <= 0)
        return 0;
    return pixelToPlot(position.x() - inside.left(), inside.width()) / insideTwips;
}

void FrmLog::PicLog_Wheel(QPointF position, double steps)
{
    // Each notch away from the user shows a fifth less time, around the
    // second under the pointer; towards the user shows more.
    setView(zoomedView(m_view, plotFraction(position), std::pow(0.8, steps)));
    PicLog_MouseMove(position);
}

void FrmLog::makeGraphMenu()
{
    const auto add = [this](const QString &text, auto slot) {
        auto *action = new QAction(text, PicLog);
        connect(action, &QAction::triggered, this, slot);
        PicLog->addAction(action);
        return action;
    };
    const auto separator = [this] {
        auto *action = new QAction(PicLog);
        action->setSeparator(true);
        PicLog->addAction(action);
    };
    m_actStatistics = add(QString(), [this] { showStatistics(); });
    separator();
    m_actSavePicture = add(QString(), [this] {
        if (!m_files.savePicture)
            return;
        const GraphPictureDescription picture = graphPictureDescription();
        m_files.savePicture([this, picture](bool svg) {
            return svg ? graphPictureSvg(picture, m_log) : pngBytes(paintGraphPicture(picture, m_log));
        });
    });
    m_actCopy = add(QString(), [this] {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setImage(paintGraphPicture(graphPictureDescription(), m_log));
    });
    separator();
    m_actCompare = add(QString(), [this] {
        if (!m_files.openComparison)
            return;
        if (std::optional<ComparedRun> run = m_files.openComparison())
            setComparison(std::move(run));
    });
    m_actRemoveComparison = add(QString(), [this] { setComparison(std::nullopt); });
    separator();
    m_actResetZoom = add(QString(), [this] { setView({}); });
    PicLog->setContextMenuPolicy(Qt::ActionsContextMenu);
    updateGraphActions();
}

QList<QAction *> FrmLog::graphActions() const
{
    return PicLog->actions();
}

void FrmLog::updateGraphActions()
{
    m_actRemoveComparison->setEnabled(m_comparison.has_value());
    m_actResetZoom->setEnabled(!m_view.isWhole());
}

void FrmLog::showStatistics()
{
    if (!m_statistics) {
        m_statistics = new StatisticsWindow(this);
        refreshStatistics();
        // Beside the log window where the screen has room, else as near it
        // as the screen allows.
        m_statistics->move(frameGeometry().topRight() + QPoint(8, 0));
        m_statistics->keepOnScreen();
    }
    m_statistics->show();
    m_statistics->keepOnScreen(); // now with its frame, where the platform tells it
    m_statistics->raise();
}

void FrmLog::refreshStatistics()
{
    if (!m_statistics)
        return;
    if (m_comparison)
        m_statistics->showFigures(logStatistics(m_log), logStatistics(m_comparison->log), m_comparison->name);
    else
        m_statistics->showFigures(logStatistics(m_log));
}

void FrmLog::ChkScaleLine_Click(int index, bool ticked)
{
    m_config.storeScaleLine(index, ticked);
    redraw();
}

void FrmLog::PicLog_MouseMove(QPointF position, Qt::MouseButtons buttons)
{
    // Dragging with the left button pans a zoomed graph: the second grabbed
    // stays under the pointer.
    if (!(buttons & Qt::LeftButton))
        m_drag.reset();
    else if (m_drag && !m_view.isWhole())
        setView(pannedView(m_drag->second, m_drag->first - plotFraction(position)));
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
    // A zoomed graph moves along so that the cursor's second stays in view;
    // the second reaches the plot through secondToPlotX, the read-out's own
    // mapping.
    m_cursorSecond = std::clamp(t, 1, kLogSamples);
    setView(viewShowing(m_view, m_cursorSecond));
    showCursorReadOut();
    placeCursorLine();
}

void FrmLog::showCursorReadOut()
{
    const double outerHeight = PicLog->height() * kTwipsPerPixel;
    const float x = secondToPlotX(m_cursorSecond, PicLog->width() * kTwipsPerPixel, m_view);
    showReadOut(x, float((outerHeight - 2 * kPicLogBorder) / 2));
    // The pointer's box may leave the plot with the pointer; the cursor's
    // stays inside it: where it would reach past the right edge, it goes to
    // the left of the cursor line.
    const QRect inside = PicLog->inside().translated(PicLog->pos());
    QRect box = TxtLog->geometry();
    if (box.right() > inside.right())
        box.moveRight(PicLog->x() + pixelsFromTwips(double(x) - 300));
    box.moveLeft(std::max(box.left(), inside.left()));
    box.moveBottom(std::min(box.bottom(), inside.bottom()));
    box.moveTop(std::max(box.top(), inside.top()));
    TxtLog->move(box.topLeft());
}

void FrmLog::placeCursorLine()
{
    const QRect inside = PicLog->inside();
    if (inside.width() <= 0) {
        PicLog->setCursorColumn(-1);
        return;
    }
    const float x = secondToPlotX(m_cursorSecond, PicLog->width() * kTwipsPerPixel, m_view);
    const int column = int(std::floor(plotToPixel(x, inside.width())));
    // A second the zoom has scrolled away has no line.
    if (m_view.isWhole() || (column >= 0 && column < inside.width()))
        PicLog->setCursorColumn(inside.left() + std::clamp(column, 0, inside.width() - 1));
    else
        PicLog->setCursorColumn(-1);
}

void FrmLog::showReadOut(float x, float y)
{
    m_readOut = graphReadOut(x, y, PicLog->width() * kTwipsPerPixel, PicLog->height() * kTwipsPerPixel, m_log,
                             m_view, m_comparison ? &m_comparison->log : nullptr);

    // Moved on every movement, also when it is about to be hidden.
    TxtLog->move(PicLog->x() + pixelsFromTwips(double(x) + 300), PicLog->y() + pixelsFromTwips(double(y) + 300));
    if (!m_readOut.visible) {
        PicLog->setAccessibleValue(QString());
        TxtLog->hide();
        return;
    }
    m_txtLogText = m_readOut.text;
    if (m_comparison) {
        // The compared run's values follow in grey, as its curves are lighter;
        // a grey still readable on the white box (4.5:1).
        m_txtLogText += QStringLiteral("\r\n") + m_readOut.comparisonText;
        TxtLog->setTextFormat(Qt::RichText);
        TxtLog->setText(QString(m_readOut.text).replace(QStringLiteral("\r\n"), QStringLiteral("<br>"))
                        + QStringLiteral("<br><span style=\"color:#767676\">")
                        + QString(m_readOut.comparisonText).replace(QStringLiteral("\r\n"), QStringLiteral("<br>"))
                        + QStringLiteral("</span>"));
        PicLog->setAccessibleValue(m_readOut.text + QStringLiteral("\r\n") + m_comparison->name
                                   + QStringLiteral(": ") + m_readOut.comparisonText);
    } else {
        TxtLog->setTextFormat(Qt::AutoText);
        TxtLog->setText(QString(m_txtLogText).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        PicLog->setAccessibleValue(m_readOut.text);
    }
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
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void FrmLog::closeEvent(QCloseEvent *event)
{
    // Closing is never refused and asks nothing.
    emit unloaded();
    event->accept();
}

} // namespace vq
