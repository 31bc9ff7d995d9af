#include "platform/serialport.h"

#include "platform/serialline.h"

namespace vq {

QString lineSettingsText(qint32 baud, QChar parity, int dataBits, const QString &stopBits, QChar flow)
{
    QString text = QStringLiteral("%1,%2,%3,%4").arg(baud).arg(parity).arg(dataBits).arg(stopBits);
    if (flow == u'H' || flow == u'X')
        text += u',' + flow;
    return text;
}

SerialPort::SerialPort(QObject *parent)
    : Transport(parent), m_line(makeSerialLine())
{
    connect(m_line.get(), &SerialLine::received, this, &SerialPort::onReceived);
    connect(m_line.get(), &SerialLine::failed, this, &SerialPort::onFailed);
}

SerialPort::~SerialPort()
{
    // Closed here, while the line is still whole, so that none of its late
    // notifications reaches a half-destroyed object.
    m_state = State::Closed;
    m_line->disconnect(this);
    m_line->close();
}

bool SerialPort::open(const QString &devicePath)
{
    close();
    m_devicePath = devicePath;
    m_errorText.clear();
    m_error = Error::None;
    if (devicePath.isEmpty()) {
        m_error = Error::NotFound;
        m_errorText = QStringLiteral("no device");
        return false;
    }

    m_state = State::Opening;
    if (!m_line->open(devicePath)) {
        m_error = m_line->error();
        m_errorText = m_line->errorText();
        m_state = State::Closed;
        return false;
    }
    m_state = State::Open;
    return true;
}

void SerialPort::close()
{
    m_state = State::Closed;
    m_line->close();
}

QString SerialPort::settingsText() const
{
    return m_line->settingsText();
}

void SerialPort::clearInput()
{
    if (isOpen())
        m_line->clearInput();
}

bool SerialPort::write(const QByteArray &data)
{
    if (!isOpen())
        return false;
    if (!m_line->write(data))
        return false;
    emit dataSent(data);
    return isOpen();
}

void SerialPort::onReceived(const QByteArray &data)
{
    if (isOpen() && !data.isEmpty())
        emit dataReceived(data);
}

void SerialPort::onFailed()
{
    // While opening, failures are the caller's business (open() returns
    // false); once closed, late notifications of a gone device mean nothing.
    // The explicit state makes an unplugged adapter one event, however many
    // errors the driver raises while it goes away.
    if (m_state != State::Open)
        return;
    m_error = m_line->error();
    m_errorText = m_line->errorText();
    m_state = State::Closed;
    m_line->close();
    emit lost();
}

} // namespace vq
