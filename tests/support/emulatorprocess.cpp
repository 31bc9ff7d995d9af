#include "emulatorprocess.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

EmulatorProcess::EmulatorProcess(QString program) : m_program(std::move(program))
{
    // The emulator's complaints belong in the test's own output.
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] { collectOutput(); });
}

EmulatorProcess::~EmulatorProcess()
{
    stop();
    m_process.disconnect();
}

QString EmulatorProcess::defaultProgram()
{
#ifdef VQ_EMULATOR_PATH
    return QStringLiteral(VQ_EMULATOR_PATH);
#else
    return {};
#endif
}

QString EmulatorProcess::start(const QStringList &arguments, int timeoutMs)
{
    if (m_program.isEmpty()) {
        m_error = QStringLiteral("no emulator program was built");
        return {};
    }
    QStringList args = arguments;
    const qsizetype traceAt = args.indexOf(QStringLiteral("--trace"));
    if (traceAt >= 0 && traceAt + 1 < args.size()) {
        m_tracePath = args.at(traceAt + 1);
    } else {
        m_tracePath = m_dir.filePath(QStringLiteral("trace.txt"));
        args << QStringLiteral("--trace") << m_tracePath;
    }
    m_lines.clear();
    m_partialLine.clear();
    m_process.start(m_program, args);
    m_slavePath = waitForLine(QString(), timeoutMs);
    if (m_slavePath.isEmpty()) {
        m_error = QStringLiteral("the emulator did not announce its line: %1").arg(m_process.errorString());
        stop();
    }
    return m_slavePath;
}

bool EmulatorProcess::setFault(const QString &mode, int timeoutMs)
{
    if (!isRunning())
        return false;
    m_process.write(QStringLiteral("fault %1\n").arg(mode).toLocal8Bit());
    return waitForLine(QStringLiteral("ok ") + mode, timeoutMs) == QStringLiteral("ok ") + mode;
}

QString EmulatorProcess::waitForReopen(int timeoutMs)
{
    const QString line = waitForLine(QStringLiteral("reopened "), timeoutMs);
    if (line.isEmpty())
        return {};
    m_slavePath = line.mid(int(qstrlen("reopened ")));
    return m_slavePath;
}

QString EmulatorProcess::waitForLine(const QString &prefix, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        QString line = takeLine(prefix);
        if (!line.isEmpty() || deadline.hasExpired())
            return line;
        if (!isRunning()) {
            collectOutput();
            return takeLine(prefix);
        }
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&m_process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
        timer.start(int(std::max<qint64>(1, deadline.remainingTime())));
        loop.exec();
    }
}

QByteArray EmulatorProcess::traceBytes(Direction direction) const
{
    QFile file(m_tracePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray tag = direction == Direction::Received ? "RX" : "TX";
    QByteArray bytes;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().trimmed().split(' ');
        if (fields.size() < 3 || fields.at(1) != tag)
            continue;
        for (qsizetype i = 2; i < fields.size(); ++i)
            bytes += QByteArray::fromHex(fields.at(i));
    }
    return bytes;
}

int EmulatorProcess::stop(int timeoutMs)
{
    if (m_process.state() == QProcess::NotRunning)
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(timeoutMs)) {
        m_process.kill();
        m_process.waitForFinished(timeoutMs);
        return -1;
    }
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

void EmulatorProcess::collectOutput()
{
    m_partialLine += m_process.readAllStandardOutput();
    qsizetype end;
    while ((end = m_partialLine.indexOf('\n')) >= 0) {
        m_lines << QString::fromLocal8Bit(m_partialLine.left(end)).trimmed();
        m_partialLine.remove(0, end + 1);
    }
}

QString EmulatorProcess::takeLine(const QString &prefix)
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines.at(i).startsWith(prefix) && !m_lines.at(i).isEmpty())
            return m_lines.takeAt(i);
    }
    return {};
}
