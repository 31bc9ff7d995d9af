#pragma once

// The line to the controller as the link code sees it: opened on a device,
// written to, and heard from through dataReceived. The program's own line is
// the serial port (serialport.h); the tests put a controller in memory behind
// the same interface.
//
// The rules every line keeps: an open line that goes away reports lost()
// exactly once and counts as closed from then on; a closed line takes no
// writes; characters arrive through the event loop, never inside write().

#include <QByteArray>
#include <QObject>
#include <QString>

namespace vq {

class Transport : public QObject
{
    Q_OBJECT

public:
    // Why an open failed or the line was lost, for deciding; the text beside
    // it is the system's, in the user's language, for showing only.
    enum class Error {
        None,
        NotFound,      // no such device
        NoPermission,  // no right to it, or another program holds it
        Unsupported,   // the device refuses the line settings
        NoAnswer,      // the device did not answer the open in time
        Failed,        // anything else, a lost line among it
    };

    using QObject::QObject;
    ~Transport() override = default;

    // Opens `devicePath`; a line that is already open is closed first. False
    // when it can't be opened: the line is then closed and error() says why.
    [[nodiscard]] virtual bool open(const QString &devicePath) = 0;
    // Closes the line; a closed line is left alone.
    virtual void close() = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;
    // The device of the last open attempt.
    [[nodiscard]] virtual QString devicePath() const = 0;
    // The line settings in force as the classic settings text ("9600,O,8,1").
    [[nodiscard]] virtual QString settingsText() const = 0;
    // Why the last open failed or the line was lost.
    [[nodiscard]] virtual QString errorText() const = 0;
    [[nodiscard]] virtual Error error() const = 0;

    // Discards everything received and not yet handed on.
    virtual void clearInput() = 0;
    // Sends the bytes. False when the line isn't open or refuses.
    virtual bool write(const QByteArray &data) = 0;

signals:
    // Characters arrived; everything that was waiting is in `data`.
    void dataReceived(const QByteArray &data);
    // Bytes the line took for sending (for traces).
    void dataSent(const QByteArray &data);
    // The device is gone (or the line failed). The line is closed already;
    // sent once per open.
    void lost();
};

} // namespace vq
