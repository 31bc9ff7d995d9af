#pragma once

// One exchange with the controller at a time: send a short text, then wait
// until an expected text has turned up among the characters received since
// the send, or until the command's time-out runs out. The wait is a local
// event loop woken by the port's data signal and the one-shot timer TmrComm,
// so window events (clicks, repaints, the lamp's blink) go on meanwhile and a
// long wait costs next to no processor time.
//
// The exchange only exchanges: it reports how the wait ended and what was
// received, and leaves it to its caller what the user is shown.

#include "core/constants.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QStringView>
#include <QTimer>

#include <optional>

class QEventLoop;

namespace vq {

class Transport;

inline const QString kCarriageReturn = QStringLiteral("\r");

// An "sr" reply: the echo "sr", the 64-character block, two closing characters.
inline constexpr int kReadReplyLength = 68;

// Time-out of a command, chosen by its first two characters: "sr", "sw", "rt"
// 3000 ms; "ae", "be" 12000 ms; "br" 10000 ms; anything else (the setting
// block among them) 3000 ms.
[[nodiscard]] int commandTimeoutMs(QStringView command);

// True for 64 hexadecimal digits (either case): the only block the program
// takes from the controller.
[[nodiscard]] bool isSettingBlock(QStringView text);

// What a good "sr" reply gives the program.
struct ReadReply {
    QString recvBuffer; // the reply without its echo: the block first
    QString block;      // the 64 hexadecimal digits
};

// The reply-taking part of SetReadData, on what the exchange received:
// exactly 68 characters, which after removing every "sr" start with 64
// hexadecimal digits. Anything else gives nothing.
[[nodiscard]] std::optional<ReadReply> takeReadReply(QStringView received);

// How an exchange ended, and the characters received since its send.
struct ExchangeOutcome {
    enum class End {
        Answered, // the expected text arrived in time
        TimedOut, // the time-out ran out first (a tie counts as a time-out)
        PortLost, // the port was closed or went away: no answer can come
        Aborted,  // the program is closing: nothing more is to be shown
    };
    End end = End::Answered;
    QString received;

    [[nodiscard]] bool answered() const { return end == End::Answered; }
    // The exchange failed in the way the user is told about with a box.
    [[nodiscard]] bool failed() const { return end == End::TimedOut || end == End::PortLost; }
};

class CommandExchange : public QObject
{
    Q_OBJECT

public:
    explicit CommandExchange(Transport &port, QObject *parent = nullptr);
    ~CommandExchange() override;

    // Sends `command` and waits for `expected`. The receive buffer and the
    // port's waiting input are emptied first, so nothing that arrived before
    // the send can satisfy the wait. A closed or vanished port ends the
    // exchange at once.
    [[nodiscard]] ExchangeOutcome SendCommand(const QString &command, const QString &expected);

    // Pauses for `seconds` while window events go on; zero or less returns at once.
    void WaitTime(double seconds);

    // Shrinks (or stretches) every time-out and pause, for tests against a
    // fast stand-in controller. 1 (the real table) unless changed.
    void setTimeScale(double scale) { m_timeScale = scale; }
    [[nodiscard]] double timeScale() const { return m_timeScale; }
    // The time-out an exchange of `command` waits, with the scale applied.
    [[nodiscard]] int effectiveTimeoutMs(QStringView command) const;

    // The program is closing: the running wait (exchange or pause) returns at
    // once, and nothing is sent from now on.
    void abort();
    [[nodiscard]] bool aborted() const { return m_aborted; }

signals:
    // An exchange begins (the busy lamp starts blinking) and ends.
    void exchangeStarted();
    void exchangeEnded();
    // The bytes of a command as they go out (for traces and tests).
    void commandSent(const QByteArray &bytes);
    // The port went away, inside an exchange, in a pause or between them.
    void portGone();

private:
    void MSComm_OnComm(const QByteArray &data);
    void TmrComm_Timer();
    void onPortLost();
    void finishWait(ExchangeOutcome::End end);

    Transport &m_port;
    QTimer m_tmrComm;
    QTimer m_pauseTimer;
    QDeadlineTimer m_deadline;
    QEventLoop *m_wait = nullptr;
    QEventLoop *m_pause = nullptr;
    QString m_recvBuffer;
    QString m_expected;
    ExchangeOutcome::End m_end = ExchangeOutcome::End::Answered;
    double m_timeScale = 1.0;
    bool m_aborted = false;
};

} // namespace vq
