#pragma once

// "Statistics": a small window beside the log window with the figures of the
// run it shows, each with its unit, and those of a compared run in a second
// column. It belongs to the log window and closes with it.

#include "runlog/logstats.h"

#include <QWidget>

#include <optional>

class QGridLayout;

namespace vq {

class StatisticsWindow : public QWidget
{
    Q_OBJECT
public:
    explicit StatisticsWindow(QWidget *logWindow);

    // Shows the figures of the run, and of the compared run when there is one.
    void showFigures(const LogStatistics &run, const std::optional<LogStatistics> &compared = std::nullopt,
                     const QString &comparedName = {});

    // Moves the window, at its present size, into the available area of its
    // screen, as little as it takes.
    void keepOnScreen();

    // The figure texts as shown, row by row: caption, then one value per run.
    [[nodiscard]] QList<QStringList> rows() const { return m_rows; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void showRows();

    QGridLayout *m_grid = nullptr;
    QList<QStringList> m_rows;
    // What the figures were made from, to be shown again in another language.
    LogStatistics m_run;
    std::optional<LogStatistics> m_compared;
    QString m_comparedName;
};

} // namespace vq
