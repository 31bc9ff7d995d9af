#include "platform/prompter.h"

#include <QRegularExpression>
#include <QStringList>

namespace vq {

QString qtNameFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts[i];
        const QString &pattern = parts[i + 1];
        if (description.endsWith(u'(' + pattern + u')'))
            entries.append(description);
        else
            entries.append(description + QStringLiteral(" (") + pattern + u')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString withFilterExtension(const QString &name, const QString &selectedNameFilter)
{
    const QString fileName = name.mid(name.lastIndexOf(u'/') + 1);
    if (fileName.isEmpty() || fileName.indexOf(u'.', 1) > 0)
        return name;
    // The first pattern inside the filter's last parentheses: "*.csv".
    const qsizetype open = selectedNameFilter.lastIndexOf(u'(');
    const qsizetype close = selectedNameFilter.lastIndexOf(u')');
    if (open < 0 || close < open)
        return name;
    const QString pattern = selectedNameFilter.mid(open + 1, close - open - 1)
                                .split(QRegularExpression(QStringLiteral("[ ;]")), Qt::SkipEmptyParts)
                                .value(0);
    const QString extension = pattern.mid(1);
    if (!pattern.startsWith(QStringLiteral("*.")) || extension.size() < 2
        || extension.contains(QRegularExpression(QStringLiteral("[*?\\[]"))))
        return name;
    return name + extension;
}

} // namespace vq
