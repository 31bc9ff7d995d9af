#pragma once

// The emulated controller on its line: a pseudo-terminal, the controller's
// logic, wire-speed pacing of everything it sends, the fault behaviour that
// needs timing or the line itself (late, unasked, vanish), the state file and
// the trace of every chunk that crosses the line.

#include "controllerdevice.h"
#include "pseudoterminal.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QSocketNotifier;

namespace vq::emu {

struct EmulatorOptions {
    QString linkPath;        // symbolic link to the slave, kept pointing at the current line
    QString statePath;       // block and log across restarts
    QString tracePath;       // every chunk received and sent
    bool pacing = true;      // send at 9600 baud, 11 bits a character
    FaultMode fault = FaultMode::None;
    int delayMs = 4000;      // how late the late fault answers
    int unaskedMs = 500;     // how often the unasked fault chatters
};

// Nanoseconds a character takes on the line: 11 bits at 9600 baud (1.1458 ms).
[[nodiscard]] constexpr qint64 characterTimeNs(qint64 characters)
{
    return characters * 11 * 1'000'000'000 / 9600;
}

class Emulator : public QObject
{
    Q_OBJECT

public:
    explicit Emulator(EmulatorOptions options, QObject *parent = nullptr);
    ~Emulator() override;

    // Loads the state, opens the line, makes the link and announces the slave's
    // path through operatorLine. False with a reason when any of that fails.
    [[nodiscard]] bool start(QString *error);

    // One line from the operator: "fault MODE". Returns the answer line.
    [[nodiscard]] QString controlLine(const QString &line);

    void setFault(FaultMode mode);
    [[nodiscard]] FaultMode fault() const { return m_device.fault(); }
    [[nodiscard]] QString slavePath() const { return m_line.slavePath(); }

signals:
    // A line for the operator's standard output: the slave path first, later
    // "reopened <path>" after the line has vanished.
    void operatorLine(const QString &line);

private:
    bool openLine(QString *error);
    void closeLine();
    bool pointLink(QString *error);
    void removeLink();
    void readLine();
    void reply(QByteArray bytes);
    void queueOutput(const QByteArray &bytes);
    void sendDue();
    void lineDrained();
    void vanish();
    void chatter();
    void writeToLine(QByteArrayView bytes);
    void trace(const char *direction, QByteArrayView bytes);
    void saveIfChanged();
    [[nodiscard]] qint64 nowNs() const { return m_clock.nsecsElapsed(); }

    EmulatorOptions m_options;
    ControllerDevice m_device;
    PseudoTerminal m_line;
    std::unique_ptr<QSocketNotifier> m_readNotifier;
    QElapsedTimer m_clock;
    QFile m_trace;

    QByteArray m_outgoing;           // answered, not yet on the wire
    qint64 m_burstStartNs = 0;       // when the first character of m_outgoing's burst began
    qint64 m_burstSent = 0;          // characters of that burst already sent
    qint64 m_lineFreeNs = 0;         // when the last character sent has left the wire
    qint64 m_lastActivityNs = 0;     // last character received or sent
    QTimer m_paceTimer;
    QTimer m_unaskedTimer;
    QTimer m_retryReadTimer;
    int m_lateReplies = 0;           // late answers still waiting for their moment
    quint64 m_lineGeneration = 0;    // late answers meant for a line that vanished are dropped
    bool m_vanishWhenDrained = false;
};

} // namespace vq::emu
