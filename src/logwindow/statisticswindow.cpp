#include "logwindow/statisticswindow.h"

#include "core/displaytext.h"
#include "logwindow/textfit.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>

#include <algorithm>

namespace vq {

StatisticsWindow::StatisticsWindow(QWidget *logWindow) : QWidget(logWindow, Qt::Tool)
{
    setObjectName(QStringLiteral("FrmStatistics"));
    setWindowTitle(tr("Statistics"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_grid = new QGridLayout(this);
    m_grid->setHorizontalSpacing(16);
    m_grid->setSizeConstraint(QLayout::SetFixedSize);
}

void StatisticsWindow::showFigures(const LogStatistics &run, const std::optional<LogStatistics> &compared,
                                   const QString &comparedName)
{
    m_run = run;
    m_compared = compared;
    m_comparedName = comparedName;
    showRows();
}

void StatisticsWindow::showRows()
{
    const LogStatistics &run = m_run;
    const std::optional<LogStatistics> &compared = m_compared;
    // Captions and "none" come in English from the statistics; the figures
    // and their units are the same in every language.
    const auto shown = [](const QString &text) { return displayText("Statistics", text.toUtf8().constData()); };
    while (QLayoutItem *item = m_grid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_rows.clear();
    if (compared)
        m_rows.append({QString(), tr("This run"), m_comparedName});
    const QList<StatisticsLine> lines = statisticsLines(run);
    const QList<StatisticsLine> others = compared ? statisticsLines(*compared) : QList<StatisticsLine>();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QStringList row{shown(lines[i].caption), shown(lines[i].value)};
        if (compared)
            row.append(shown(others.value(i).value));
        m_rows.append(row);
    }
    for (qsizetype r = 0; r < m_rows.size(); ++r) {
        for (qsizetype c = 0; c < m_rows[r].size(); ++c) {
            auto *label = new QLabel(m_rows[r][c], this);
            // Figures line up on their units; a caption reads from the left.
            label->setAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
            if (compared && r == 0) {
                QFont bold = label->font();
                bold.setBold(true);
                label->setFont(bold);
            }
            reserveInkRoom(label);
            m_grid->addWidget(label, int(r), int(c));
        }
    }
    // A compared run's column widens the window: it stays on the screen.
    adjustSize();
    keepOnScreen();
}

void StatisticsWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Statistics"));
        if (!m_rows.isEmpty())
            showRows();
    }
}

void StatisticsWindow::keepOnScreen()
{
    const QScreen *where = screen();
    if (!where)
        return;
    const QRect area = where->availableGeometry();
    const QRect frame = frameGeometry();
    const int x = std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width()));
    const int y = std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height()));
    move(x, y);
}

} // namespace vq
