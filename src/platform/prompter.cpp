#include "platform/prompter.h"

#include <QStringList>

namespace vq {

QString qtNameFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries.append(parts[i] + QStringLiteral(" (") + parts[i + 1] + u')');
    return entries.join(QStringLiteral(";;"));
}

} // namespace vq
