#pragma once

// The log window Log Data: the run-data graph with its axis labels, the
// pointer read-out, a legend with a "Scale Line" option for each curve, and
// a "Close" button. The window is made when run data is to be shown and is
// destroyed when closed; the run-data log and the scale-line states live on
// outside it. Beyond that, and only when asked for: the graph's context menu
// (statistics, picture, a second run to compare), the wheel's zoom and the
// drag's pan on the time axis; what it holds for them goes with the window.

#include "logwindow/graphpicture.h"
#include "logwindow/graphrenderer.h"
#include "logwindow/legendline.h"
#include "logwindow/plotarea.h"
#include "logwindow/statisticswindow.h"
#include "runlog/graphreadout.h"
#include "runlog/runlog.h"
#include "runlog/timeview.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace vq {

class Config;

// What the graph's context menu needs from the program's file commands.
struct LogWindowFiles
{
    // Asks for a log file and reads it; nothing when cancelled or refused
    // (a refusal has been reported).
    std::function<std::optional<ComparedRun>()> openComparison;
    // Asks for a picture file and saves `encode(svg)` in it.
    std::function<void(const std::function<QByteArray(bool svg)> &encode)> savePicture;
};

class FrmLog : public QWidget
{
    Q_OBJECT
public:
    // `mainWindow` (may be null) places the window at load; `config` holds and
    // stores the scale-line states; `log` is the run-data log it shows;
    // `files` serve the graph's context menu.
    FrmLog(QWidget *mainWindow, Config &config, const RunLog &log, LogWindowFiles files = {});

    // The whole redraw: size rules, layout, background, grid and curves.
    // Runs on every size change and zoom.
    void redraw();
    // After the log changed: the statistics follow, then the redraw.
    void logChanged();

    // The graph's context menu, in its order: "Statistics…", "Save Graph as
    // Picture…", "Copy Graph", "Compare with Log File…", "Remove Comparison",
    // "Reset Zoom" (separators between the groups).
    [[nodiscard]] QList<QAction *> graphActions() const;

    // Zoom on the time axis; at rest the whole 0-540 s.
    [[nodiscard]] const TimeView &view() const { return m_view; }
    void setView(const TimeView &view);
    // A second run drawn under the log, or none.
    void setComparison(std::optional<ComparedRun> run);
    [[nodiscard]] const std::optional<ComparedRun> &comparison() const { return m_comparison; }
    [[nodiscard]] StatisticsWindow *statisticsWindow() const { return m_statistics; }
    // The graph as the window shows it, at the plot's size.
    [[nodiscard]] GraphOptions graphOptions() const;
    // The picture that "Save Graph as Picture…" and "Copy Graph" make: the
    // plot as shown with its scales, time labels and axis titles round it.
    [[nodiscard]] GraphPictureDescription graphPictureDescription() const;

    // The read-out box's text as made, lines separated by CR LF (the box
    // shows the same lines). Hiding the box leaves its text.
    [[nodiscard]] QString readOutText() const { return m_txtLogText; }
    [[nodiscard]] const GraphReadOut &readOut() const { return m_readOut; }
    [[nodiscard]] const QImage &picture() const { return PicLog->image(); }

signals:
    // The window is closing and is about to be destroyed.
    void unloaded();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void loadLabels();
    // Every text of the window in the language of the moment.
    void retranslate();
    // The window's title, with " - " and the compared file's name after it.
    void setComparisonTitle();
    void placeAtLoad(QWidget *mainWindow);
    void ChkScaleLine_Click(int index, bool ticked);
    void PicLog_MouseMove(QPointF position, Qt::MouseButtons buttons = Qt::NoButton);
    void PicLog_Wheel(QPointF position, double steps);
    void makeGraphMenu();
    void showStatistics();
    void refreshStatistics();
    void updateGraphActions();
    void placeTimeLabels(double picLogOuterWidth, double timeTop);
    // The pointer's place across the plot: 0 at the left edge of the inside,
    // 1 at the right, as the read-out reads it.
    [[nodiscard]] double plotFraction(QPointF position) const;
    void PicLog_KeyDown(int key);
    // The read-out for a position in twips from the top-left of the plot's
    // inside, whether the pointer or the keyboard cursor is there.
    void showReadOut(float x, float y);
    // The read-out at the keyboard cursor's second, at half the plot's height.
    void showCursorReadOut();
    void placeCursorLine();
    [[nodiscard]] QSize outerPixels() const;
    void setOuterPixels(QSize outer);

    Config &m_config;
    const RunLog &m_log;
    GraphReadOut m_readOut;    // the last pointer movement's or cursor key's
    int m_cursorSecond = 1;    // the keyboard cursor; follows the pointer's read-out
    QString m_txtLogText;      // what TxtLog shows, CR LF between lines
    bool m_redrawWhenRestored = false;
    LogWindowFiles m_files;
    TimeView m_view;
    std::optional<ComparedRun> m_comparison;
    // A drag with the left button: where it started and the view then.
    std::optional<std::pair<double, TimeView>> m_drag;
    QPointer<StatisticsWindow> m_statistics;
    QAction *m_actStatistics = nullptr;
    QAction *m_actSavePicture = nullptr;
    QAction *m_actCopy = nullptr;
    QAction *m_actCompare = nullptr;
    QAction *m_actRemoveComparison = nullptr;
    QAction *m_actResetZoom = nullptr;

    QPushButton *CmdClose = nullptr;
    QGroupBox *Frame2 = nullptr;
    LegendLine *Line1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    LegendLine *Line2 = nullptr;
    std::array<QCheckBox *, 2> ChkScaleLine{};
    PlotArea *PicLog = nullptr;
    std::array<QLabel *, 11> LblVolt{};
    std::array<QLabel *, 7> LblCur{};
    std::array<QLabel *, 10> LblS{};
    QLabel *LblTime = nullptr;
    QLabel *TxtLog = nullptr;
};

} // namespace vq
