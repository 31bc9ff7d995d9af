#pragma once

// One exchange with the controller at a time: send a short text, then wait
// until an expected text has turned up among the characters received since
// the send, or until the command's time-out runs out. The wait is a local
// event loop woken by the port's data signal and the one-shot timer TmrComm,
// so window events (clicks, repaints, the lamp's blink) go on meanwhile and a
// long wait costs next to no processor time.
//
// The exchange also keeps what its callers read afterwards: RecvBuffer (the
// characters of the current exchange), ReadBlock and RomVersion (from the last
// good "sr" reply), WriteBlock (the block last built for writing) and
// CommError (the failure flag of the current device operation).

#include "settings/settingblock.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QStringView>
#include <QTimer>

#include <optional>

class QEventLoop;

namespace vq {

class SerialPort;
class StatusModel;

inline const QString kMsgCommFault = QStringLiteral("RS232 communication fault.");
inline const QString kMsgCannotSet = QStringLiteral("VQ cannot be set.");

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
    qint16 romVersion = -1; // characters 61-62 of the block, 0..255
};

// The reply-taking part of SetReadData, on what the exchange received:
// exactly 68 characters, which after removing every "sr" start with 64
// hexadecimal digits. Anything else gives nothing.
[[nodiscard]] std::optional<ReadReply> takeReadReply(QStringView received);

class CommandExchange : public QObject
{
    Q_OBJECT

public:
    CommandExchange(SerialPort &port, StatusModel &status, Prompter &prompter,
                    QObject *parent = nullptr);
    ~CommandExchange() override;

    // Sends `command` and waits for `expected`. The outcome is in CommError
    // (set on a time-out, never cleared here) and RecvBuffer. A time-out shows
    // "RS232 communication fault." (nothing received) or "VQ cannot be set."
    // (something received) in a box and then in red. A port that is closed or
    // goes away ends the exchange the same way, at once.
    void SendCommand(const QString &command, const QString &expected);

    // One "sr" exchange. True when the reply was exactly 68 characters holding
    // a 64-digit hexadecimal block; then ReadBlock and RomVersion are taken
    // from it and RecvBuffer holds the reply without its echo. Otherwise
    // ReadBlock, RomVersion and RecvBuffer stay as they are. Shows nothing of
    // its own beyond the exchange's time-out messages.
    [[nodiscard]] bool SetReadData();

    // Pauses for `seconds` while window events go on; zero or less returns at once.
    void WaitTime(double seconds);

    // Shrinks (or stretches) every time-out and pause, for tests against a
    // fast stand-in controller. 1 (the real table) unless changed.
    void setTimeScale(double scale) { m_timeScale = scale; }
    [[nodiscard]] double timeScale() const { return m_timeScale; }
    // The time-out an exchange of `command` waits, with the scale applied.
    [[nodiscard]] int effectiveTimeoutMs(QStringView command) const;

    // The program is closing: the running wait (exchange or pause) returns at
    // once without messages, and nothing is sent from now on.
    void abort();
    [[nodiscard]] bool aborted() const { return m_aborted; }

    // The port went away (or was closed) during an exchange since the flag
    // was last cleared.
    [[nodiscard]] bool portLost() const { return m_portLost; }
    void clearPortLost() { m_portLost = false; }

    // Shared state, named as the rest of the program knows it.
    QString RecvBuffer;
    QString ReadBlock;
    QString WriteBlock;
    qint16 RomVersion = -1;
    bool CommError = false;
    bool CommTimeOut = false;

signals:
    // The bytes of a command as they go out (for traces and tests).
    void commandSent(const QByteArray &bytes);
    // The port went away, inside an exchange or between exchanges.
    void portGone();

private:
    void MSComm_OnComm(const QByteArray &data);
    void TmrComm_Timer();
    void onPortLost();
    void finishWait();

    SerialPort &m_port;
    StatusModel &m_status;
    Prompter &m_prompter;
    QTimer m_tmrComm;
    QTimer m_pauseTimer;
    QDeadlineTimer m_deadline;
    QEventLoop *m_wait = nullptr;
    QEventLoop *m_pause = nullptr;
    QString m_expected;
    double m_timeScale = 1.0;
    bool m_aborted = false;
    bool m_portLost = false;
};

} // namespace vq
