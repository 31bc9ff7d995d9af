#pragma once

#include <QAccessibleWidget>

namespace vq {

class PlotArea;

// The graph as a screen reader meets it: a chart whose value is the read-out.
class PlotAreaAccessible : public QAccessibleWidget
{
public:
    explicit PlotAreaAccessible(PlotArea *plot);

    QString text(QAccessible::Text t) const override;
};

// The factory the plot area installs: its accessible interface, else null.
QAccessibleInterface *plotAreaAccessible(const QString &key, QObject *object);

} // namespace vq
