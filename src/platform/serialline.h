#pragma once

// The system's serial line behind SerialPort: one implementation a platform
// (serialline_qt.cpp over QSerialPort, serialline_win.cpp over Win32). It
// opens a device with the program's fixed line settings, hands on what
// arrives, and says once when the device fails; the rules of when a line
// counts as open or lost stay in SerialPort.

#include "platform/serialport.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

namespace vq {

class SerialLine : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    ~SerialLine() override = default;

    // 9600 baud, odd parity, 8 data bits, 1 stop bit, no flow control, DTR
    // inactive where the line has one. On failure the line is closed and
    // error()/errorText() say why.
    [[nodiscard]] virtual bool open(const QString &device) = 0;
    virtual void close() = 0;
    virtual void clearInput() = 0;
    [[nodiscard]] virtual bool write(const QByteArray &data) = 0;
    [[nodiscard]] virtual QString settingsText() const = 0;

    [[nodiscard]] SerialPort::Error error() const { return m_error; }
    [[nodiscard]] QString errorText() const { return m_errorText; }

signals:
    void received(const QByteArray &data);
    // The device failed while open (gone, or the line broke).
    void failed();

protected:
    void setError(SerialPort::Error error, const QString &text)
    {
        m_error = error;
        m_errorText = text;
    }

private:
    SerialPort::Error m_error = SerialPort::Error::None;
    QString m_errorText;
};

[[nodiscard]] std::unique_ptr<SerialLine> makeSerialLine();

// "9600,O,8,1" from the parts of a line's settings; flow 'H' or 'X' appends
// ",H"/",X".
[[nodiscard]] QString lineSettingsText(qint32 baud, QChar parity, int dataBits, const QString &stopBits, QChar flow);

} // namespace vq
