#include "platform/profilefile.h"

#include <QFile>
#include <QSaveFile>

namespace vq {

namespace {

struct Lines {
    QList<QByteArray> lines; // without their line ends
    QByteArray eol = "\r\n";
    bool endsWithEol = true;
};

Lines readLines(const QString &filePath, bool *exists)
{
    Lines result;
    QFile file(filePath);
    *exists = file.open(QIODevice::ReadOnly);
    if (!*exists)
        return result;
    const QByteArray data = file.readAll();
    if (data.isEmpty())
        return result;
    const qsizetype firstLf = data.indexOf('\n');
    if (firstLf >= 0 && (firstLf == 0 || data.at(firstLf - 1) != '\r'))
        result.eol = "\n";
    result.endsWithEol = data.endsWith('\n');
    result.lines = data.split('\n');
    if (result.endsWithEol)
        result.lines.removeLast();
    for (QByteArray &line : result.lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return result;
}

// Section name of a "[name]" line, or a null array for any other line.
QByteArray sectionName(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    if (t.size() < 2 || t.front() != '[')
        return {};
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return {};
    return t.mid(1, close - 1).trimmed();
}

bool sameName(const QByteArray &a, const QString &b)
{
    return QString::fromLatin1(a).compare(b, Qt::CaseInsensitive) == 0;
}

// Key of a "key=value" line (null when the line has no "=").
QByteArray keyOf(const QByteArray &line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return {};
    return line.left(eq).trimmed();
}

// Indices [begin, end) of the section's body lines, or begin = -1 when absent.
std::pair<qsizetype, qsizetype> findSection(const QList<QByteArray> &lines, const QString &section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray name = sectionName(lines[i]);
        if (!name.isNull() && sameName(name, section)) {
            qsizetype end = i + 1;
            while (end < lines.size() && sectionName(lines[end]).isNull())
                ++end;
            return {i + 1, end};
        }
    }
    return {-1, -1};
}

} // namespace

QString readProfileString(const QString &filePath, const QString &section, const QString &key,
                          const QString &fallback, int maxLength)
{
    bool exists = false;
    const Lines file = readLines(filePath, &exists);
    const auto [begin, end] = findSection(file.lines, section);
    if (begin < 0)
        return fallback.left(maxLength);
    for (qsizetype i = begin; i < end; ++i) {
        const QByteArray k = keyOf(file.lines[i]);
        if (k.isNull() || !sameName(k, key))
            continue;
        const QByteArray &line = file.lines[i];
        QByteArray value = line.mid(line.indexOf('=') + 1).trimmed();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.mid(1, value.size() - 2);
        return QString::fromLatin1(value).left(maxLength);
    }
    return fallback.left(maxLength);
}

bool writeProfileString(const QString &filePath, const QString &section, const QString &key,
                        const QString &value)
{
    bool exists = false;
    Lines file = readLines(filePath, &exists);
    const QByteArray newLine = key.toLatin1() + '=' + value.toLatin1();

    auto [begin, end] = findSection(file.lines, section);
    if (begin < 0) {
        if (!file.lines.isEmpty() && !file.lines.last().trimmed().isEmpty())
            file.lines.append(QByteArray());
        file.lines.append('[' + section.toLatin1() + ']');
        file.lines.append(newLine);
    } else {
        bool replaced = false;
        for (qsizetype i = begin; i < end; ++i) {
            const QByteArray k = keyOf(file.lines[i]);
            if (!k.isNull() && sameName(k, key)) {
                file.lines[i] = newLine;
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            // New keys go after the section's last non-blank line, so a blank
            // line that separates it from the next section stays in place.
            qsizetype at = end;
            while (at > begin && file.lines[at - 1].trimmed().isEmpty())
                --at;
            file.lines.insert(at, newLine);
        }
    }

    QByteArray data = file.lines.join(file.eol);
    if (file.endsWithEol || !exists)
        data += file.eol;

    QSaveFile out(filePath);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(data) != data.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace vq
