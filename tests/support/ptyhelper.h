#pragma once

// One end of a pseudo-terminal for tests. openFarEnd() makes a new line and
// plays the controller's end of it (the program opens slavePath()); open()
// takes the program's end of an existing line, raw at 9600 baud, the way a
// plain termios program would. Reads block on poll() against a deadline.

#include <QObject>

#include <functional>

class PtyEnd : public QObject
{
    Q_OBJECT

public:
    ~PtyEnd() override { hangUp(); }

    [[nodiscard]] bool openFarEnd();
    [[nodiscard]] bool open(const QString &path);
    [[nodiscard]] QString slavePath() const { return m_slavePath; }
    // The program's end as seen from here (after openFarEnd): same line, same settings.
    [[nodiscard]] int slaveFd() const { return m_slave; }

    bool send(const QByteArray &bytes);
    // The line goes away, as an unplugged adapter does.
    void hangUp();

    [[nodiscard]] QByteArray readUntil(const std::function<bool(const QByteArray &)> &done, int ms);
    [[nodiscard]] QByteArray readUntilCr(int ms = 3000) { return readUntil([](auto &b) { return b.endsWith('\r'); }, ms); }
    [[nodiscard]] QByteArray readCount(qsizetype n, int ms = 3000) { return readUntil([n](auto &b) { return b.size() >= n; }, ms); }
    [[nodiscard]] QByteArray readFor(int ms) { return readUntil([](auto &) { return false; }, ms); }
    [[nodiscard]] QByteArray exchange(const QByteArray &command, int ms = 3000) { return send(command) ? readUntilCr(ms) : QByteArray(); }
    // A read saw the line go away (end of file, EIO, hang-up).
    [[nodiscard]] bool lineLost() const { return m_lineLost; }


private:
    int m_fd = -1;
    int m_slave = -1;
    bool m_lineLost = false;
    QString m_slavePath;
};
