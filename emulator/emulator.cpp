#include "emulator.h"

#include "statefile.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace vq::emu {

namespace {

// What the unasked fault sends: no carriage return and no command letters, so
// it can only disturb a program that fails to discard stale input.
constexpr char kUnaskedText[] = "~#~";
// The unasked fault only speaks on a line that has been quiet this long, so it
// lands between answers rather than inside one.
constexpr qint64 kQuietBeforeUnaskedNs = 50'000'000;

} // namespace

Emulator::Emulator(EmulatorOptions options, QObject *parent)
    : QObject(parent), m_options(std::move(options))
{
    m_clock.start();
    m_paceTimer.setSingleShot(true);
    m_paceTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_paceTimer, &QTimer::timeout, this, &Emulator::sendDue);
    m_unaskedTimer.setInterval(std::max(1, m_options.unaskedMs));
    connect(&m_unaskedTimer, &QTimer::timeout, this, &Emulator::chatter);
    m_retryReadTimer.setSingleShot(true);
    m_retryReadTimer.setInterval(100);
    connect(&m_retryReadTimer, &QTimer::timeout, this, [this] {
        if (m_readNotifier)
            m_readNotifier->setEnabled(true);
    });
}

Emulator::~Emulator()
{
    removeLink();
    m_readNotifier.reset(); // no event loop is left to delete it later
    closeLine();
}

bool Emulator::start(QString *error)
{
    if (!m_options.statePath.isEmpty()) {
        ControllerState state;
        switch (loadState(m_options.statePath, state, error)) {
        case StateLoad::Loaded:
            m_device = ControllerDevice(state);
            break;
        case StateLoad::Absent:
            if (!saveState(m_options.statePath, m_device.state(), error))
                return false;
            break;
        case StateLoad::Invalid:
            return false;
        }
    }
    if (!m_options.tracePath.isEmpty()) {
        m_trace.setFileName(m_options.tracePath);
        if (!m_trace.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            if (error)
                *error = QStringLiteral("cannot write %1: %2").arg(m_options.tracePath, m_trace.errorString());
            return false;
        }
    }
    if (!openLine(error) || !pointLink(error))
        return false;
    setFault(m_options.fault);
    emit operatorLine(m_line.slavePath());
    return true;
}

QString Emulator::controlLine(const QString &line)
{
    const QStringList words = line.simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.size() == 2 && words[0] == u"fault") {
        if (const auto mode = faultModeFromName(words[1])) {
            setFault(*mode);
            return QStringLiteral("ok ") + faultModeName(*mode);
        }
        return QStringLiteral("error unknown fault mode %1 (one of: %2)")
            .arg(words[1], faultModeNames().join(u", "));
    }
    return QStringLiteral("error unknown command (use: fault MODE)");
}

void Emulator::setFault(FaultMode mode)
{
    m_device.setFault(mode);
    if (mode == FaultMode::Unasked)
        m_unaskedTimer.start();
    else
        m_unaskedTimer.stop();
    if (mode != FaultMode::Vanish)
        m_vanishWhenDrained = false;
}

bool Emulator::openLine(QString *error)
{
    if (!m_line.open(error))
        return false;
    m_readNotifier = std::make_unique<QSocketNotifier>(m_line.masterFd(), QSocketNotifier::Read);
    connect(m_readNotifier.get(), &QSocketNotifier::activated, this, &Emulator::readLine);
    return true;
}

void Emulator::closeLine()
{
    if (m_readNotifier) {
        // This may run inside the notifier's own signal: let the event loop delete it.
        m_readNotifier->setEnabled(false);
        m_readNotifier.release()->deleteLater();
    }
    m_paceTimer.stop();
    m_retryReadTimer.stop();
    m_outgoing.clear();
    m_lineFreeNs = 0;
    m_line.close();
    ++m_lineGeneration;
}

bool Emulator::pointLink(QString *error)
{
    if (m_options.linkPath.isEmpty())
        return true;
    const QByteArray link = QFile::encodeName(m_options.linkPath);
    struct stat st {};
    if (::lstat(link.constData(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        if (error)
            *error = QStringLiteral("%1 exists and is not a symbolic link; not replacing it").arg(m_options.linkPath);
        return false;
    }
    // Make the new link beside the old one and rename it over it, so the path
    // never points nowhere while the program may be looking.
    const QByteArray temporary = link + ".new-" + QByteArray::number(qint64(::getpid()));
    ::unlink(temporary.constData());
    if (::symlink(QFile::encodeName(m_line.slavePath()).constData(), temporary.constData()) != 0
        || ::rename(temporary.constData(), link.constData()) != 0) {
        if (error)
            *error = QStringLiteral("cannot link %1 to %2: %3")
                         .arg(m_options.linkPath, m_line.slavePath(), QString::fromLocal8Bit(std::strerror(errno)));
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

void Emulator::removeLink()
{
    if (m_options.linkPath.isEmpty() || !m_line.isOpen())
        return;
    // Only a link that still points at this emulator's line is ours to remove.
    if (QFile::symLinkTarget(m_options.linkPath) == m_line.slavePath())
        QFile::remove(m_options.linkPath);
}

void Emulator::readLine()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_line.masterFd(), buffer, sizeof buffer);
        if (n > 0) {
            const QByteArrayView chunk(buffer, n);
            trace("RX", chunk);
            m_lastActivityNs = nowNs();
            const QByteArray answer = m_device.receive(chunk, nowNs() / 1'000'000);
            saveIfChanged();
            if (!answer.isEmpty())
                reply(answer);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && m_readNotifier) {
            // EIO: no slave side open. We hold it open, but should that ever
            // fail, look again later instead of spinning on the notifier.
            m_readNotifier->setEnabled(false);
            m_retryReadTimer.start();
        }
        return;
    }
}

void Emulator::reply(QByteArray bytes)
{
    if (m_device.fault() == FaultMode::Vanish) {
        if (m_vanishWhenDrained)
            return; // the line is already on its way out
        bytes.truncate(std::max<qsizetype>(1, bytes.size() / 2));
        m_vanishWhenDrained = true;
    }
    if (m_device.fault() == FaultMode::Late) {
        ++m_lateReplies;
        const quint64 generation = m_lineGeneration;
        QTimer::singleShot(m_options.delayMs, this, [this, bytes, generation] {
            --m_lateReplies;
            if (generation == m_lineGeneration)
                queueOutput(bytes);
        });
        return;
    }
    queueOutput(bytes);
}

void Emulator::queueOutput(const QByteArray &bytes)
{
    if (!m_line.isOpen() || bytes.isEmpty())
        return;
    if (m_outgoing.isEmpty()) {
        m_burstStartNs = std::max(nowNs(), m_lineFreeNs);
        m_burstSent = 0;
    }
    m_outgoing += bytes;
    if (!m_paceTimer.isActive())
        sendDue();
}

void Emulator::sendDue()
{
    if (m_outgoing.isEmpty())
        return;
    if (!m_options.pacing) {
        writeToLine(m_outgoing);
        m_outgoing.clear();
        lineDrained();
        return;
    }
    // A character counts as sent when its stop bit has left the wire, so the
    // k-th character of a burst goes out k character times after it began.
    // Counting from the burst's start on the monotonic clock keeps the average
    // right however late the timer wakes: a late tick sends all that is due.
    const qint64 now = nowNs();
    const qint64 elapsed = now - m_burstStartNs;
    const qint64 due = elapsed > 0 ? elapsed * 9600 / (11LL * 1'000'000'000) : 0;
    const qsizetype count = qsizetype(std::min<qint64>(due - m_burstSent, m_outgoing.size()));
    if (count > 0) {
        writeToLine(QByteArrayView(m_outgoing).first(count));
        m_outgoing.remove(0, count);
        m_burstSent += count;
    }
    if (m_outgoing.isEmpty()) {
        m_lineFreeNs = m_burstStartNs + characterTimeNs(m_burstSent);
        lineDrained();
        return;
    }
    const qint64 waitNs = m_burstStartNs + characterTimeNs(m_burstSent + 1) - now;
    m_paceTimer.start(int(std::max<qint64>(1, (waitNs + 999'999) / 1'000'000)));
}

void Emulator::lineDrained()
{
    if (m_vanishWhenDrained) {
        m_vanishWhenDrained = false;
        QTimer::singleShot(0, this, &Emulator::vanish);
    }
}

void Emulator::vanish()
{
    // The line goes away as if the adapter were pulled: the program's port
    // sees a hang-up. A new line takes its place, under the same link.
    closeLine();
    m_device.resetLine();
    setFault(FaultMode::None);
    QString error;
    if (!openLine(&error) || !pointLink(&error)) {
        emit operatorLine(QStringLiteral("error ") + error);
        return;
    }
    emit operatorLine(QStringLiteral("reopened ") + m_line.slavePath());
}

void Emulator::chatter()
{
    if (m_device.fault() != FaultMode::Unasked || !m_outgoing.isEmpty() || m_lateReplies > 0)
        return;
    const qint64 now = nowNs();
    if (now - m_lastActivityNs < kQuietBeforeUnaskedNs || now < m_lineFreeNs)
        return;
    queueOutput(QByteArray(kUnaskedText));
}

void Emulator::writeToLine(QByteArrayView bytes)
{
    bool discarded = false;
    while (!bytes.isEmpty() && m_line.isOpen()) {
        const ssize_t n = ::write(m_line.masterFd(), bytes.data(), size_t(bytes.size()));
        if (n > 0) {
            trace("TX", bytes.first(n));
            bytes = bytes.sliced(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && !discarded) {
            // The slave's input is full: nobody is reading the port. A real
            // line would lose these characters; drop the oldest instead.
            m_line.discardUnread();
            discarded = true;
            continue;
        }
        break; // still full, or the line failed: the rest is lost
    }
    m_lastActivityNs = nowNs();
}

void Emulator::trace(const char *direction, QByteArrayView bytes)
{
    if (!m_trace.isOpen())
        return;
    QByteArray line = QByteArray::number(double(nowNs()) / 1e9, 'f', 6);
    line += ' ';
    line += direction;
    line += ' ';
    line += bytes.toByteArray().toHex(' ').toUpper();
    line += '\n';
    m_trace.write(line);
    m_trace.flush();
}

void Emulator::saveIfChanged()
{
    if (!m_device.takeStateChanged() || m_options.statePath.isEmpty())
        return;
    QString error;
    if (!saveState(m_options.statePath, m_device.state(), &error))
        qWarning("vq530t-emulator: %s", qPrintable(error));
}

} // namespace vq::emu
