#include "logwindow/plotareaaccessible.h"

#include "logwindow/plotarea.h"

namespace vq {

PlotAreaAccessible::PlotAreaAccessible(PlotArea *plot) : QAccessibleWidget(plot, QAccessible::Chart)
{
}

QString PlotAreaAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Value)
        return static_cast<const PlotArea *>(widget())->accessibleValue();
    return QAccessibleWidget::text(t);
}

QAccessibleInterface *plotAreaAccessible(const QString &, QObject *object)
{
    if (auto *plot = qobject_cast<PlotArea *>(object))
        return new PlotAreaAccessible(plot);
    return nullptr;
}

} // namespace vq
