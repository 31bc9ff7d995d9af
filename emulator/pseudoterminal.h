#pragma once

// A pseudo-terminal pair set up as the controller's serial line: 9600 baud,
// odd parity, 8 data bits, 1 stop bit, raw. The program opens the slave side
// as its serial port; the emulator talks through the master.
//
// The emulator keeps the slave open itself as well, so the master never sees
// a hang-up while no program has the port open and a program can open, close
// and reopen the port as often as it likes.

#include <QString>

namespace vq::emu {

class PseudoTerminal
{
public:
    PseudoTerminal() = default;
    ~PseudoTerminal() { close(); }
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // Opens a new pair (closing any open one first).
    [[nodiscard]] bool open(QString *error);
    void close();

    [[nodiscard]] bool isOpen() const { return m_master >= 0; }
    [[nodiscard]] int masterFd() const { return m_master; }
    [[nodiscard]] QString slavePath() const { return m_slavePath; }

    // Drops whatever is waiting, unread, on the slave side: what a line with
    // nobody listening does with the characters sent to it.
    void discardUnread();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};

} // namespace vq::emu
