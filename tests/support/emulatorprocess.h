#pragma once

// Runs the controller emulator (vq530t-emulator) for a test: starts it, hands
// out the pseudo-terminal's path, switches its fault mode, reads its trace of
// the bytes that crossed the line, and stops it when the object goes away.
// All waits run a local event loop with a time limit.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class EmulatorProcess
{
public:
    // As the emulator sees the line: Received is what the program sent,
    // Sent is what the emulator answered.
    enum class Direction { Received, Sent };

    // program: the emulator executable; by default the one the build made.
    explicit EmulatorProcess(QString program = defaultProgram());
    ~EmulatorProcess();
    EmulatorProcess(const EmulatorProcess &) = delete;
    EmulatorProcess &operator=(const EmulatorProcess &) = delete;

    // Starts the emulator with the arguments and waits for its first line.
    // Unless the arguments name a --trace file, one in a temporary folder is
    // added. Returns the slave path, or an empty text when the emulator did not
    // start in time (errorText() then says why).
    [[nodiscard]] QString start(const QStringList &arguments = {}, int timeoutMs = 10000);

    [[nodiscard]] QString slavePath() const { return m_slavePath; }
    [[nodiscard]] QString tracePath() const { return m_tracePath; }
    [[nodiscard]] bool isRunning() const { return m_process.state() != QProcess::NotRunning; }

    // Switches the fault mode ("none", "silent", "vanish", ...) and waits for
    // the emulator's "ok <mode>". False when it refused or did not answer.
    [[nodiscard]] bool setFault(const QString &mode, int timeoutMs = 5000);

    // Waits for the next output line that starts with prefix and returns it
    // whole (empty on time-out). Lines are taken in order; others stay queued.
    [[nodiscard]] QString waitForLine(const QString &prefix, int timeoutMs = 5000);

    // After a "vanish" fault: waits for "reopened <path>", remembers and
    // returns the new path (empty on time-out).
    [[nodiscard]] QString waitForReopen(int timeoutMs = 10000);

    // All bytes received or sent so far, in order, as the trace file records them.
    [[nodiscard]] QByteArray traceBytes(Direction direction) const;

    // Closes the emulator's standard input (its signal to stop) and waits for
    // it to end, killing it after timeoutMs. Returns its exit code, or -1 when
    // it had to be killed or crashed.
    int stop(int timeoutMs = 5000);

    [[nodiscard]] QString errorText() const { return m_error; }
    [[nodiscard]] QProcess &process() { return m_process; }

    [[nodiscard]] static QString defaultProgram();

private:
    void collectOutput();
    [[nodiscard]] QString takeLine(const QString &prefix);

    QString m_program;
    QProcess m_process;
    QTemporaryDir m_dir;
    QString m_slavePath;
    QString m_tracePath;
    QString m_error;
    QByteArray m_partialLine;
    QStringList m_lines;
};
