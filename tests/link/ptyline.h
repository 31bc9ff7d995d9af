#pragma once

// A pseudo-terminal that plays the controller's end of the line inside a
// test: the program opens slavePath(); whatever it sends arrives here and is
// answered by `respond`, written back at once.

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <functional>
#include <memory>

class PtyLine : public QObject
{
    Q_OBJECT

public:
    PtyLine()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            return;
        m_slavePath = QString::fromLocal8Bit(ptsname(m_master));
        // Holding the slave end open ourselves keeps the master quiet while
        // the program has the port closed; raw mode keeps it from echoing.
        m_slave = ::open(ptsname(m_master), O_RDWR | O_NOCTTY);
        if (m_slave >= 0) {
            termios t{};
            tcgetattr(m_slave, &t);
            cfmakeraw(&t);
            tcsetattr(m_slave, TCSANOW, &t);
        }
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
        m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, &PtyLine::onReadable);
    }
    ~PtyLine() override { hangUp(); }

    [[nodiscard]] bool ok() const { return m_master >= 0 && !m_slavePath.isEmpty(); }
    [[nodiscard]] QString slavePath() const { return m_slavePath; }
    [[nodiscard]] int masterFd() const { return m_master; }
    // Our own descriptor of the program's end: same line, same settings.
    [[nodiscard]] int slaveFd() const { return m_slave; }

    // Sends characters to the program.
    void send(const QByteArray &bytes)
    {
        if (m_master >= 0)
            (void)::write(m_master, bytes.constData(), size_t(bytes.size()));
    }

    // Blocks until characters sent to the program are waiting in its driver
    // (at most `ms`): the pseudo-terminal hands them over asynchronously.
    bool waitUntilDelivered(int ms = 2000)
    {
        pollfd p{m_slave, POLLIN, 0};
        return m_slave >= 0 && ::poll(&p, 1, ms) == 1;
    }

    // The line goes away, as an unplugged adapter does.
    void hangUp()
    {
        m_notifier.reset();
        if (m_master >= 0)
            ::close(m_master);
        if (m_slave >= 0)
            ::close(m_slave);
        m_master = -1;
        m_slave = -1;
    }

    // Everything the program sent so far.
    QByteArray received;
    // Answers what just arrived; the whole reception so far is in `received`.
    std::function<QByteArray(const QByteArray &chunk)> respond;

signals:
    void arrived(const QByteArray &chunk);

private:
    void onReadable()
    {
        char buf[4096];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0) {
            return;
        }
        const QByteArray chunk(buf, n);
        received += chunk;
        emit arrived(chunk);
        if (respond)
            send(respond(chunk));
    }

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
