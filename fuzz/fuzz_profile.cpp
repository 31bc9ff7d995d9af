// A hand-edited profile file: reading keys and the start-up configuration
// never fail whatever the file holds, and writing a key changes only that
// key's line (or adds it, with its section when needed), leaving every other
// line, line end included, byte for byte.

#include "fuzzcheck.h"
#include "link/portmap.h"
#include "platform/config.h"
#include "platform/profilefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vq;

namespace {

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

void writeAll(const QString &path, const QByteArray &content)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "can't write the test file");
    FUZZ_CHECK(f.write(content) == content.size(), "short write of the test file");
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Lines with their own line ends (LF or CR LF; a CR alone is not one).
QList<QByteArray> linesWithEnds(const QByteArray &text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype lf = text.indexOf('\n', start);
        const qsizetype end = lf < 0 ? text.size() : lf + 1;
        lines.append(text.mid(start, end - start));
        start = end;
    }
    return lines;
}

QByteArray withoutEnd(QByteArray line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// Whether `line` (no line end) is a key line of `key`, as the reader sees it.
bool isKeyLine(const QByteArray &line, const QByteArray &key)
{
    const qsizetype eq = line.indexOf('=');
    return eq >= 0 && line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

void checkWrite(const QString &path, const QByteArray &original, const QByteArray &section,
                const QByteArray &key, const QByteArray &value)
{
    writeAll(path, original);
    FUZZ_CHECK(writeProfileString(path, QString::fromLatin1(section), QString::fromLatin1(key),
                                  QString::fromLatin1(value)),
               "the write failed");
    const QByteArray after = readAll(path);

    // Everything outside one stretch is the same lines, byte for byte.
    const QList<QByteArray> a = linesWithEnds(original);
    const QList<QByteArray> b = linesWithEnds(after);
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const QList<QByteArray> removed = a.mid(head, a.size() - head - tail);
    const QList<QByteArray> added = b.mid(head, b.size() - head - tail);

    // Removed: at most the key's old line, or the last line that gains a
    // line end before what is appended after it.
    FUZZ_CHECK(removed.size() <= 1, "%d lines changed:\n%s\n->\n%s", int(removed.size()), original.toPercentEncoding().constData(),
               after.toPercentEncoding().constData());
    const QByteArray newLine = key + '=' + value;
    bool sawKey = false;
    for (qsizetype i = 0; i < added.size(); ++i) {
        const QByteArray text = withoutEnd(added[i]);
        if (i == 0 && !removed.isEmpty() && !removed[0].endsWith('\n')
            && (added[0] == removed[0] + "\n" || added[0] == removed[0] + "\r\n"))
            continue; // the old last line, now ended
        if (text == newLine) {
            sawKey = true;
            continue;
        }
        FUZZ_CHECK(text.isEmpty() || text == '[' + section + ']', "unexpected line \"%s\" in:\n%s\n->\n%s",
                   text.toPercentEncoding().constData(), original.toPercentEncoding().constData(),
                   after.toPercentEncoding().constData());
    }
    FUZZ_CHECK(sawKey || (removed.isEmpty() && added.isEmpty() && original == after),
               "the key's line is missing");
    if (!removed.isEmpty() && removed[0].endsWith('\n'))
        FUZZ_CHECK(isKeyLine(withoutEnd(removed[0]), key), "replaced a line of another key: \"%s\"",
                   removed[0].toPercentEncoding().constData());

    // And the reader finds the value just written.
    const QString back = readProfileString(path, QString::fromLatin1(section), QString::fromLatin1(key),
                                           QStringLiteral("\x01missing"));
    FUZZ_CHECK(back == QString::fromLatin1(value).trimmed(), "wrote \"%s\", read \"%s\"", value.constData(),
               qPrintable(back));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!folder().isValid())
        return 0;
    const QByteArray content = vq::fuzz::bytes(data, size);
    Config config(folder().path());
    const QString path = config.iniPath();

    // Start-up reads whatever is there.
    writeAll(path, content);
    int dialogs = 0;
    (void)config.LoadConfig([&] { ++dialogs; return true; });
    FUZZ_CHECK(dialogs <= 1, "the port dialog ran %d times", dialogs);
    (void)portDevice(config, config.CommPortNo);
    const QString port = config.ReadIniString(QStringLiteral("RS232C"), QStringLiteral("CommPort"));
    FUZZ_CHECK(port.size() <= 255, "a value of %d characters", int(port.size()));

    // The writes the program makes: the port dialog and the two scale lines.
    checkWrite(path, content, "RS232C", "CommPort", " 3");
    checkWrite(path, content, "Chart", "ScaleLine1", "1");
    checkWrite(path, content, "Ports", "Com1", "/dev/pts/7");
    return 0;
}
