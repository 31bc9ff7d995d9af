#pragma once

// The program's one serial line to the controller: 9600 baud, odd parity,
// 8 data bits, 1 stop bit, no flow control, DTR held inactive. The object owns
// the system's line and nothing else; it neither shows messages nor knows the
// protocol. Received characters are handed on as soon as any are waiting, and
// a device that goes away (an unplugged USB adapter, a closed pseudo-terminal)
// is reported exactly once, after which the port counts as closed.
//
// The line itself is the platform's: QSerialPort on Linux, the program's own
// Win32 driver on Windows (serialline.h). The link code knows the port only as
// a Transport (transport.h).

#include "platform/transport.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace vq {

class SerialLine;

class SerialPort : public Transport
{
    Q_OBJECT

public:
    explicit SerialPort(QObject *parent = nullptr);
    ~SerialPort() override;

    // Opens `devicePath` with the fixed line settings. False when the device
    // doesn't exist, is held by another program or refuses the settings; the
    // port is then closed. A port that is already open is closed first.
    [[nodiscard]] bool open(const QString &devicePath) override;
    // Closes the port; a closed port is left alone.
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_state == State::Open; }
    // The device of the last open attempt.
    [[nodiscard]] QString devicePath() const override { return m_devicePath; }
    // The line settings in force, read back from the port as the classic
    // settings text ("9600,O,8,1"), with ",X"/",H" appended for flow control.
    [[nodiscard]] QString settingsText() const override;
    // Why the last open failed or the device was lost.
    [[nodiscard]] QString errorText() const override { return m_errorText; }
    [[nodiscard]] Error error() const override { return m_error; }

    // Discards everything received and not yet handed on: what the driver
    // holds and what has been read from it already.
    void clearInput() override;

    // Sends the bytes at once as far as the driver takes them. False when the
    // port isn't open or refuses.
    bool write(const QByteArray &data) override;

private:
    enum class State { Closed, Opening, Open };

    void onReceived(const QByteArray &data);
    void onFailed();

    std::unique_ptr<SerialLine> m_line;
    State m_state = State::Closed;
    QString m_devicePath;
    QString m_errorText;
    Error m_error = Error::None;
};

// The device behind "Com n" when the profile pins none: /dev/ttyS0-3,
// /dev/ttyUSB0-7 and /dev/ttyACM0-3 on Linux, COMn on Windows. Empty outside
// 1-16.
[[nodiscard]] QString systemPortDevice(int port);

// What the system knows of the adapter behind a device, for the port list's
// tool tips; empty fields where it knows nothing.
struct PortDescription {
    QString description;
    QString manufacturer;
    QString serialNumber;
};
[[nodiscard]] PortDescription describePortDevice(const QString &device);

} // namespace vq
