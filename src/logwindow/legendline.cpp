#include "logwindow/legendline.h"

#include <QPainter>

namespace vq {

LegendLine::LegendLine(const QColor &colour, QWidget *parent) : QWidget(parent), m_colour(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LegendLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_colour);
}

} // namespace vq
