#include "logwindow/plotarea.h"

#include "logwindow/plotareaaccessible.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <qdrawutil.h>

namespace vq {

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
    retranslate();
}

void PlotArea::retranslate()
{
    setAccessibleName(tr("Graph"));
    setAccessibleDescription(
        tr("Battery voltage and motor current against time. Left and Right move the cursor one second, "
           "Page Up and Page Down ten, Home and End to the first and last second."));
}

void PlotArea::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
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
    emit pointerMoved(event->position(), event->buttons());
}

void PlotArea::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit leftPressed(event->position());
    QWidget::mousePressEvent(event);
}

void PlotArea::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void PlotArea::wheelEvent(QWheelEvent *event)
{
    // 120 eighths of a degree a notch; touchpads deliver fractions of it.
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) {
        event->ignore();
        return;
    }
    emit wheelTurned(event->position(), steps);
    event->accept();
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

} // namespace vq
