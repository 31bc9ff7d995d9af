#include "platform/serialport.h"

namespace vq {

namespace {

// A pseudo-terminal (the emulator's line, a test's line) and some adapters
// have no modem lines: clearing DTR on them fails with ENOTTY or EINVAL, which
// QSerialPort classes as an unsupported operation. That failure is harmless,
// whereas any other failure of the settings means the port can't be used. The
// class decides, never the system's message text, which follows the language.
bool isNoModemLines(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::UnsupportedOperationError;
}

} // namespace

SerialPort::SerialPort(QObject *parent)
    : QObject(parent), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, &SerialPort::onReadyRead);
    connect(m_port, &QSerialPort::errorOccurred, this, &SerialPort::onError);
}

SerialPort::~SerialPort()
{
    // Closing here, while the QSerialPort is still whole, keeps its error
    // signal from reaching a half-destroyed object.
    m_state = State::Closed;
    m_port->disconnect(this);
    if (m_port->isOpen())
        m_port->close();
}

bool SerialPort::open(const QString &devicePath)
{
    close();
    m_devicePath = devicePath;
    m_errorText.clear();
    m_error = QSerialPort::NoError;
    if (devicePath.isEmpty()) {
        m_error = QSerialPort::DeviceNotFoundError;
        m_errorText = QStringLiteral("no device");
        return false;
    }

    m_state = State::Opening;
    m_port->setPortName(devicePath);
    // Applied by open(); set again on every open because a probe or another
    // device may have been used in between.
    bool ok = m_port->setBaudRate(QSerialPort::Baud9600) && m_port->setParity(QSerialPort::OddParity)
              && m_port->setDataBits(QSerialPort::Data8) && m_port->setStopBits(QSerialPort::OneStop)
              && m_port->setFlowControl(QSerialPort::NoFlowControl);
    ok = ok && m_port->open(QIODevice::ReadWrite);
    if (ok && !m_port->setDataTerminalReady(false)) {
        if (isNoModemLines(m_port->error()))
            m_port->clearError();
        else
            ok = false;
    }
    if (!ok) {
        m_error = m_port->error();
        m_errorText = m_port->errorString();
        if (m_port->isOpen())
            m_port->close();
        m_port->clearError();
        m_state = State::Closed;
        return false;
    }
    m_port->clearError();
    m_state = State::Open;
    return true;
}

void SerialPort::close()
{
    if (m_state == State::Closed && !m_port->isOpen())
        return;
    m_state = State::Closed;
    if (m_port->isOpen())
        m_port->close();
    m_port->clearError();
}

QString SerialPort::settingsText() const
{
    QChar parity = u'?';
    switch (m_port->parity()) {
    case QSerialPort::NoParity: parity = u'N'; break;
    case QSerialPort::EvenParity: parity = u'E'; break;
    case QSerialPort::OddParity: parity = u'O'; break;
    case QSerialPort::SpaceParity: parity = u'S'; break;
    case QSerialPort::MarkParity: parity = u'M'; break;
    }
    const QString stop = m_port->stopBits() == QSerialPort::OneStop ? QStringLiteral("1")
                         : m_port->stopBits() == QSerialPort::TwoStop ? QStringLiteral("2")
                                                                      : QStringLiteral("1.5");
    QString text = QStringLiteral("%1,%2,%3,%4").arg(m_port->baudRate()).arg(parity).arg(int(m_port->dataBits())).arg(stop);
    if (m_port->flowControl() == QSerialPort::HardwareControl)
        text += QStringLiteral(",H");
    else if (m_port->flowControl() == QSerialPort::SoftwareControl)
        text += QStringLiteral(",X");
    return text;
}

void SerialPort::clearInput()
{
    if (!isOpen())
        return;
    // First the driver's queue, then whatever QSerialPort already read into
    // its own buffer: both were sent before the command that follows.
    m_port->clear(QSerialPort::Input);
    m_port->readAll();
}

bool SerialPort::write(const QByteArray &data)
{
    if (!isOpen())
        return false;
    if (m_port->write(data) != data.size())
        return false;
    // Hand the bytes to the driver now rather than at the next event-loop
    // pass; the reply can only start once the command has gone out.
    m_port->flush();
    return isOpen();
}

void SerialPort::onReadyRead()
{
    if (!isOpen())
        return;
    const QByteArray data = m_port->readAll();
    if (!data.isEmpty())
        emit dataReceived(data);
}

void SerialPort::onError(QSerialPort::SerialPortError error)
{
    // While opening, failures are the caller's business (open() returns
    // false); once closed, late notifications of a gone device mean nothing.
    if (m_state != State::Open)
        return;
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        markLost();
        break;
    default:
        // Time-outs and unsupported options don't make the line unusable.
        break;
    }
}

void SerialPort::markLost()
{
    // The explicit state makes an unplugged adapter one event, however many
    // errors the driver raises while it goes away.
    m_error = m_port->error();
    m_errorText = m_port->errorString();
    m_state = State::Closed;
    m_port->close();
    m_port->clearError();
    emit lost();
}

} // namespace vq
