#pragma once

// A plain termios serial client for the emulator tests: it opens the
// pseudo-terminal the way a program opens a serial port (raw, 9600 baud, odd
// parity, 8 data bits, 1 stop bit) and reads with poll() against a deadline.

#include <QByteArray>
#include <QString>

class TtyClient
{
public:
    TtyClient() = default;
    ~TtyClient() { close(); }
    TtyClient(const TtyClient &) = delete;
    TtyClient &operator=(const TtyClient &) = delete;

    [[nodiscard]] bool open(const QString &path);
    void close();
    [[nodiscard]] bool isOpen() const { return m_fd >= 0; }

    [[nodiscard]] bool write(const QByteArray &bytes);

    // Reads until the text ends with a carriage return or the time is up.
    [[nodiscard]] QByteArray readUntilCr(int timeoutMs);
    // Reads until at least count bytes have arrived or the time is up.
    [[nodiscard]] QByteArray readCount(qsizetype count, int timeoutMs);
    // Reads whatever arrives for the whole of durationMs.
    [[nodiscard]] QByteArray readFor(int durationMs);

    // Set when a read saw the line go away: end of file, EIO or a hang-up.
    [[nodiscard]] bool lineLost() const { return m_lineLost; }

    // Sends command and returns the answer up to its carriage return.
    [[nodiscard]] QByteArray exchange(const QByteArray &command, int timeoutMs = 3000);

private:
    template<typename Done>
    QByteArray readWhile(int timeoutMs, Done done);

    int m_fd = -1;
    bool m_lineLost = false;
};
