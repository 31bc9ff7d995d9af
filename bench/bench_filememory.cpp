// Peak resident memory while a 30 MB file is opened as a log file and as a
// settings file, for files made in every way that costs the readers most: one
// line of separators, a data row trailed by separators, nothing but line ends,
// three million rows, one field without end. Each file is read by File > Log
// Data > Open or File > Setting Data > Open in a child copy of this program
// of its own (VmHWM only rises), which prints its figure; it passes or fails
// nothing.

#include "files/filecommands.h"
#include "scriptedprompter.h"
#include "settings/controllerblock.h"
#include "settings/editormodel.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr qsizetype kFileSize = 30 * 1000 * 1000;

double peakMb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

// The file's content: `head` and then `fill` repeated up to the size.
QByteArray shape(const QByteArray &head, const QByteArray &fill)
{
    QByteArray content = head;
    content.reserve(kFileSize);
    while (content.size() + fill.size() <= kFileSize)
        content += fill;
    return content;
}

// The child: opens the file as asked and prints its peak.
int readInChild(const QString &kind, const QString &path)
{
    vq::ScriptedPrompter prompter;
    vq::RunLog log;
    vq::EditorModel editor;
    editor.reset();
    vq::ControllerBlock block(editor, prompter);
    vq::FileCommands commands(prompter, log, block);
    const double before = peakMb();
    prompter.fileNames = {path};
    kind == u"log" ? commands.munOpenLog_Click() : commands.mnuOpen_Click();
    std::printf("%.1f %.1f\n", before, peakMb());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "read") == 0)
        return readInChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    QTemporaryDir dir;
    const QList<std::pair<const char *, QByteArray>> files{
        {"one line of separators", shape({}, ",")},
        {"a data row trailed by separators", shape("Time(s)\r\n0,1,2", ",")},
        {"nothing but line ends", shape("Time(s)\r\n", "\n")},
        {"rows with an index only", [] {
             QByteArray rows = "Time(s)\r\n";
             for (int k = 0; rows.size() < kFileSize - 12; ++k)
                 rows += QByteArray::number(k) + "\r\n";
             return rows;
         }()},
        {"one field without end", shape("Time(s)\r\n", "7")},
    };
    double worst = 0;
    for (const auto &[name, content] : files) {
        const QString path = dir.filePath(QStringLiteral("file"));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size())
            return 1;
        out.close();
        for (const char *kind : {"log", "settings"}) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("read"), QLatin1String(kind), path});
            if (!child.waitForFinished(600000) || child.exitCode() != 0)
                return 1;
            const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
            const double peak = figures.value(1).toDouble();
            worst = std::max(worst, peak);
            std::printf("%-34s opened as %-8s: peak %6.1f MB (%.1f MB before)\n", name, kind, peak,
                        figures.value(0).toDouble());
        }
    }
    std::printf("Peak resident memory reading a 30 MB file, worst of the above: %.1f MB\n", worst);
    return 0;
}
