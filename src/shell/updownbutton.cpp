#include "shell/updownbutton.h"

#include <QToolButton>

namespace vq {

UpDownButton::UpDownButton(QWidget *parent) : QWidget(parent)
{
    m_up = new QToolButton(this);
    m_down = new QToolButton(this);
    m_up->setObjectName(QStringLiteral("up"));
    m_down->setObjectName(QStringLiteral("down"));
    for (QToolButton *b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, &UpDownButton::up);
    connect(m_down, &QToolButton::clicked, this, &UpDownButton::down);
}

void UpDownButton::setCaption(const QString &caption)
{
    setAccessibleName(caption);
    m_up->setAccessibleName(tr("Increase %1").arg(caption));
    m_down->setAccessibleName(tr("Decrease %1").arg(caption));
}

void UpDownButton::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

} // namespace vq
