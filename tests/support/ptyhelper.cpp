#include "ptyhelper.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

// Raw at 9600 baud: nothing echoed, nothing translated.
static void makeRaw(int fd)
{
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, B9600);
    tcsetattr(fd, TCSANOW, &t);
}

bool PtyEnd::openFarEnd()
{
    m_fd = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_fd < 0 || grantpt(m_fd) != 0 || unlockpt(m_fd) != 0)
        return false;
    m_slavePath = QString::fromLocal8Bit(ptsname(m_fd));
    // Holding the program's end open ourselves keeps the line up while the
    // program has it closed.
    m_slave = ::open(ptsname(m_fd), O_RDWR | O_NOCTTY);
    if (m_slave >= 0)
        makeRaw(m_slave);
    return m_slave >= 0;
}

bool PtyEnd::open(const QString &path)
{
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd >= 0) {
        makeRaw(m_fd);
        tcflush(m_fd, TCIOFLUSH);
    }
    return m_fd >= 0;
}

bool PtyEnd::send(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (m_fd >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno != EINTR && errno != EAGAIN)
            return false;
        done += n > 0 ? n : 0;
    }
    return done == bytes.size();
}

void PtyEnd::hangUp()
{
    ::close(m_fd); // -1 when never opened: refused harmlessly
    ::close(m_slave);
    m_fd = m_slave = -1;
}

QByteArray PtyEnd::readUntil(const std::function<bool(const QByteArray &)> &done, int ms)
{
    QByteArray bytes;
    const QDeadlineTimer deadline(ms);
    while (m_fd >= 0 && !m_lineLost && !done(bytes) && deadline.remainingTime() > 0) {
        pollfd p{m_fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, int(deadline.remainingTime()));
        if (ready == 0 || (ready < 0 && errno != EINTR))
            break;
        char buffer[4096];
        const ssize_t n = ready > 0 ? ::read(m_fd, buffer, sizeof buffer) : 0;
        if (n > 0)
            bytes.append(buffer, n);
        else if (ready > 0 && (n == 0 || (errno != EAGAIN && errno != EINTR)))
            m_lineLost = true;
    }
    return bytes;
}
