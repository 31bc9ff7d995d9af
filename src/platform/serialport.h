#pragma once

// The program's one serial line to the controller: 9600 baud, odd parity,
// 8 data bits, 1 stop bit, no flow control, DTR held inactive. The object owns
// its QSerialPort and nothing else; it neither shows messages nor knows the
// protocol. Received characters are handed on as soon as any are waiting, and
// a device that goes away (an unplugged USB adapter, a closed pseudo-terminal)
// is reported exactly once, after which the port counts as closed.

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

namespace vq {

class SerialPort : public QObject
{
    Q_OBJECT

public:
    explicit SerialPort(QObject *parent = nullptr);
    ~SerialPort() override;

    // Opens `devicePath` with the fixed line settings. False when the device
    // doesn't exist, is held by another program or refuses the settings; the
    // port is then closed. A port that is already open is closed first.
    [[nodiscard]] bool open(const QString &devicePath);
    // Closes the port; a closed port is left alone.
    void close();
    [[nodiscard]] bool isOpen() const { return m_state == State::Open; }
    // The device of the last open attempt.
    [[nodiscard]] QString devicePath() const { return m_devicePath; }
    // The line settings in force, read back from the port as the classic
    // settings text ("9600,O,8,1"), with ",X"/",H" appended for flow control.
    [[nodiscard]] QString settingsText() const;
    // Why the last open failed or the device was lost: the system's text (in
    // the user's language, for showing only) and its class (for deciding).
    [[nodiscard]] QString errorText() const { return m_errorText; }
    [[nodiscard]] QSerialPort::SerialPortError error() const { return m_error; }

    // Discards everything received and not yet handed on: what the driver
    // holds and what QSerialPort has buffered already.
    void clearInput();

    // Sends the bytes at once as far as the driver takes them; the rest goes
    // out from the event loop. False when the port isn't open or refuses.
    bool write(const QByteArray &data);

signals:
    // Characters arrived; everything that was waiting is in `data`.
    void dataReceived(const QByteArray &data);
    // The device is gone (or the line failed). The port is closed already;
    // sent once per open.
    void lost();

private:
    enum class State { Closed, Opening, Open };

    void onReadyRead();
    void onError(QSerialPort::SerialPortError error);
    void markLost();

    QSerialPort *m_port = nullptr;
    State m_state = State::Closed;
    QString m_devicePath;
    QString m_errorText;
    QSerialPort::SerialPortError m_error = QSerialPort::NoError;
};

} // namespace vq
