#pragma once

// A trace of the line to the controller, for a report: one line per chunk
// sent or received, with the milliseconds since the program started, the
// direction and the bytes (printable ones as they are, the rest escaped):
//
//   1503 TX sr
//   1571 RX sr0A1B...\r
//   2410 -- lost
//
// It watches a Transport and keeps the newest lines in memory: the window
// the last 200 for the report it copies, the command line every one for
// --trace.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>

namespace vq {

class Transport;

class LineTrace : public QObject
{
    Q_OBJECT

public:
    static constexpr int kKeptLines = 200;

    explicit LineTrace(Transport &line, QObject *parent = nullptr);

    // Keep every line rather than the newest kKeptLines.
    void setKeepAll(bool keepAll) { m_keepAll = keepAll; }
    [[nodiscard]] QStringList lines() const;
    // Milliseconds since the program started.
    [[nodiscard]] static qint64 elapsedMs();
    // A line of what happened to the line ("--"), such as its opening.
    void note(const QString &what);

    // "<ms> <direction> <bytes>": TX what the program sent, RX what it
    // received, "--" what happened to the line.
    [[nodiscard]] static QString traceLine(qint64 ms, QStringView direction, const QByteArray &bytes);
    // Printable ASCII as it is, a backslash doubled, \r \n \t, and \xHH for
    // every other byte.
    [[nodiscard]] static QString escaped(const QByteArray &bytes);

private:
    void record(QStringView direction, const QByteArray &bytes);

    Transport &m_line;
    std::deque<QString> m_lines;
    bool m_keepAll = false;
};

// The header before a trace: the program and its version, the system, Qt's
// version, the port by the user's name for it and its device, and what the
// system tells of the adapter.
[[nodiscard]] QString traceHeader(const QString &portName, const Transport &line);

} // namespace vq
