#include "ttyclient.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

bool TtyClient::open(const QString &path)
{
    close();
    m_lineLost = false;
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    termios tio{};
    if (::tcgetattr(m_fd, &tio) != 0) {
        close();
        return false;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | PARENB | PARODD | CLOCAL | CREAD;
    ::cfsetispeed(&tio, B9600);
    ::cfsetospeed(&tio, B9600);
    // A pseudo-terminal can't hold PARENB and the C library calls that
    // EINVAL; the line is usable when it is raw at 9600 baud.
    ::tcsetattr(m_fd, TCSANOW, &tio);
    termios applied{};
    if (::tcgetattr(m_fd, &applied) != 0 || (applied.c_lflag & (ICANON | ECHO)) != 0
        || ::cfgetospeed(&applied) != B9600) {
        close();
        return false;
    }
    ::tcflush(m_fd, TCIOFLUSH);
    return true;
}

void TtyClient::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool TtyClient::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (m_fd >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno != EINTR && errno != EAGAIN)
            return false;
    }
    return done == bytes.size();
}

template<typename Done>
QByteArray TtyClient::readWhile(int timeoutMs, Done done)
{
    QByteArray bytes;
    const QDeadlineTimer deadline(timeoutMs);
    while (m_fd >= 0 && !done(bytes) && !m_lineLost) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            break;
        pollfd p{m_fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[4096];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0)
            bytes.append(buffer, n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            m_lineLost = true;
    }
    return bytes;
}

QByteArray TtyClient::readUntilCr(int timeoutMs)
{
    return readWhile(timeoutMs, [](const QByteArray &b) { return b.endsWith('\r'); });
}

QByteArray TtyClient::readCount(qsizetype count, int timeoutMs)
{
    return readWhile(timeoutMs, [count](const QByteArray &b) { return b.size() >= count; });
}

QByteArray TtyClient::readFor(int durationMs)
{
    return readWhile(durationMs, [](const QByteArray &) { return false; });
}

QByteArray TtyClient::exchange(const QByteArray &command, int timeoutMs)
{
    if (!write(command))
        return {};
    return readUntilCr(timeoutMs);
}
