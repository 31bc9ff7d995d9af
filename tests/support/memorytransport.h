#pragma once

// A line to the emulator's controller logic inside the test process: what the
// program writes goes to the controller, and its answer comes back through
// the event loop (never inside write), whole or in pieces. The faults that
// belong to the line rather than to the controller are played here as the
// emulator's pseudo-terminal front plays them: a late answer, characters
// nobody asked for, and a line that goes away in the middle of an answer.
// No pseudo-terminal and no pacing: an exchange costs next to no time.

#include "controllerdevice.h"
#include "platform/transport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTimer>

namespace vq {

class MemoryTransport : public Transport
{
    Q_OBJECT

public:
    explicit MemoryTransport(QObject *parent = nullptr);
    ~MemoryTransport() override;

    // Any of the emulator's faults; late, unasked and vanish are the line's.
    void setFault(emu::FaultMode mode);
    // How late the late fault answers, and how often the unasked fault chatters.
    void setLateMs(int ms) { m_lateMs = ms; }
    void setUnaskedMs(int ms);
    // Answers arrive in pieces of this many characters, one per turn of the
    // event loop; 0 (the start) hands each answer on whole.
    void setChunkSize(int characters) { m_chunkSize = characters; }
    // Every open fails with `error` until it is set back to Error::None.
    void setOpenFailure(Error error, const QString &text = QStringLiteral("refused by the test"));

    // Characters on the line that nobody asked for, arriving like an answer.
    void inject(const QByteArray &bytes) { queue(bytes); }

    // Everything the controller has heard since the transport was made.
    [[nodiscard]] QByteArray heard() const { return m_heard; }

    [[nodiscard]] bool open(const QString &devicePath) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_open; }
    [[nodiscard]] QString devicePath() const override { return m_devicePath; }
    [[nodiscard]] QString settingsText() const override { return QStringLiteral("9600,O,8,1"); }
    [[nodiscard]] QString errorText() const override { return m_errorText; }
    [[nodiscard]] Error error() const override { return m_error; }
    void clearInput() override { m_arrived.clear(); }
    bool write(const QByteArray &data) override;

private:
    void reply(QByteArray bytes);
    // Puts characters on the line; they are handed on from the event loop.
    void queue(const QByteArray &bytes);
    void deliverNext();
    void goAway();
    void chatter();

    emu::ControllerDevice m_device;
    QElapsedTimer m_clock;
    QTimer m_unaskedTimer;
    QList<QByteArray> m_arrived; // on the line, not yet handed on
    QByteArray m_heard;
    QString m_devicePath;
    QString m_errorText;
    Error m_error = Error::None;
    Error m_openFailure = Error::None;
    QString m_openFailureText;
    quint64 m_generation = 0; // deliveries meant for an earlier open are dropped
    int m_lateMs = 4000;
    int m_chunkSize = 0;
    int m_lateReplies = 0;
    bool m_open = false;
    bool m_deliveryPosted = false;
    bool m_vanishWhenDrained = false;
};

} // namespace vq
