#include "platform/profilefile.h"

#include "platform/safewrite.h"

#include <QFile>

namespace vq {

namespace {

// One line of the file and the line end that follows it ("\r\n", "\n", or
// nothing for a last line without one). Each line keeps its own end, so a
// hand-edited file with mixed line ends comes back unchanged but for the key
// that was written.
struct Line {
    QByteArray text;
    QByteArray end;
};

struct Lines {
    QList<Line> lines;
    QByteArray eol = "\r\n"; // for lines the program adds: the file's first line end
};

Lines readLines(const QString &filePath, bool *exists)
{
    Lines result;
    QFile file(filePath);
    *exists = file.open(QIODevice::ReadOnly);
    if (!*exists)
        return result;
    const QByteArray data = file.readAll();
    const qsizetype firstLf = data.indexOf('\n');
    if (firstLf >= 0 && (firstLf == 0 || data.at(firstLf - 1) != '\r'))
        result.eol = "\n";
    qsizetype start = 0;
    while (start < data.size()) {
        const qsizetype lf = data.indexOf('\n', start);
        if (lf < 0) {
            result.lines.append({data.mid(start), QByteArray()});
            break;
        }
        const bool crlf = lf > start && data.at(lf - 1) == '\r';
        const qsizetype textEnd = crlf ? lf - 1 : lf;
        result.lines.append({data.mid(start, textEnd - start), crlf ? QByteArray("\r\n") : QByteArray("\n")});
        start = lf + 1;
    }
    return result;
}

// Inserts a line the program adds. A last line without a line end gets one
// first, and the new line becomes the last line without one, so a file that
// didn't end in a line end still doesn't.
void insertLine(Lines &file, qsizetype at, const QByteArray &text)
{
    Line line{text, file.eol};
    if (at == file.lines.size() && at > 0 && file.lines[at - 1].end.isEmpty()) {
        file.lines[at - 1].end = file.eol;
        line.end.clear();
    }
    file.lines.insert(at, line);
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
std::pair<qsizetype, qsizetype> findSection(const QList<Line> &lines, const QString &section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray name = sectionName(lines[i].text);
        if (!name.isNull() && sameName(name, section)) {
            qsizetype end = i + 1;
            while (end < lines.size() && sectionName(lines[end].text).isNull())
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
        const QByteArray k = keyOf(file.lines[i].text);
        if (k.isNull() || !sameName(k, key))
            continue;
        const QByteArray &line = file.lines[i].text;
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
        if (!file.lines.isEmpty() && !file.lines.last().text.trimmed().isEmpty())
            insertLine(file, file.lines.size(), QByteArray());
        insertLine(file, file.lines.size(), '[' + section.toLatin1() + ']');
        insertLine(file, file.lines.size(), newLine);
    } else {
        bool replaced = false;
        for (qsizetype i = begin; i < end; ++i) {
            const QByteArray k = keyOf(file.lines[i].text);
            if (!k.isNull() && sameName(k, key)) {
                file.lines[i].text = newLine;
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            // New keys go after the section's last non-blank line, so a blank
            // line that separates it from the next section stays in place.
            qsizetype at = end;
            while (at > begin && file.lines[at - 1].text.trimmed().isEmpty())
                --at;
            insertLine(file, at, newLine);
        }
    }

    QByteArray data;
    for (const Line &line : std::as_const(file.lines))
        data += line.text + line.end;
    // A new file ends with a line end.
    if (!exists && !data.endsWith('\n'))
        data += file.eol;

    return writeFileAtomically(filePath, data);
}

} // namespace vq
