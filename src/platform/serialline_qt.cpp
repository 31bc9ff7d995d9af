// The serial line on Linux (and any system with Qt Serial Port): QSerialPort.

#include "platform/serialline.h"

#include "core/constants.h"

#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>

namespace vq {

namespace {

SerialPort::Error errorClass(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::NoError: return SerialPort::Error::None;
    case QSerialPort::DeviceNotFoundError:
    // A line that fails under the program is gone: the adapter was pulled
    // out or the other end of a pseudo-terminal closed.
    case QSerialPort::ResourceError: return SerialPort::Error::NotFound;
    case QSerialPort::PermissionError: return SerialPort::Error::NoPermission;
    case QSerialPort::UnsupportedOperationError: return SerialPort::Error::Unsupported;
    default: return SerialPort::Error::Failed;
    }
}

class QtSerialLine final : public SerialLine
{
public:
    QtSerialLine() : m_port(new QSerialPort(this))
    {
        connect(m_port, &QSerialPort::readyRead, this, [this] {
            const QByteArray data = m_port->readAll();
            if (!data.isEmpty())
                emit received(data);
        });
        connect(m_port, &QSerialPort::errorOccurred, this, &QtSerialLine::onError);
    }

    ~QtSerialLine() override
    {
        m_port->disconnect(this);
        if (m_port->isOpen())
            m_port->close();
    }

    bool open(const QString &device) override
    {
        close();
        setError(SerialPort::Error::None, {});
        m_opening = true;
        m_port->setPortName(device);
        // Applied by open(); set again on every open because a probe or
        // another device may have been used in between.
        bool ok = m_port->setBaudRate(QSerialPort::Baud9600) && m_port->setParity(QSerialPort::OddParity)
                  && m_port->setDataBits(QSerialPort::Data8) && m_port->setStopBits(QSerialPort::OneStop)
                  && m_port->setFlowControl(QSerialPort::NoFlowControl);
        ok = ok && m_port->open(QIODevice::ReadWrite);
        // A pseudo-terminal (the emulator's line, a test's line) and some
        // adapters have no modem lines: clearing DTR on them fails with
        // ENOTTY or EINVAL, which QSerialPort classes as an unsupported
        // operation. That failure is harmless, whereas any other failure of
        // the settings means the port can't be used. The class decides, never
        // the system's message text, which follows the language.
        if (ok && !m_port->setDataTerminalReady(false)) {
            if (m_port->error() == QSerialPort::UnsupportedOperationError)
                m_port->clearError();
            else
                ok = false;
        }
        m_opening = false;
        if (!ok) {
            setError(errorClass(m_port->error()), m_port->errorString());
            if (m_port->isOpen())
                m_port->close();
            m_port->clearError();
            return false;
        }
        m_port->clearError();
        return true;
    }

    void close() override
    {
        if (m_port->isOpen())
            m_port->close();
        m_port->clearError();
    }

    void clearInput() override
    {
        // First the driver's queue, then whatever QSerialPort already read
        // into its own buffer: both were sent before the command that follows.
        m_port->clear(QSerialPort::Input);
        m_port->readAll();
    }

    bool write(const QByteArray &data) override
    {
        if (m_port->write(data) != data.size())
            return false;
        // Hand the bytes to the driver now rather than at the next event-loop
        // pass; the reply can only start once the command has gone out.
        m_port->flush();
        return m_port->isOpen();
    }

    QString settingsText() const override
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
        const QChar flow = m_port->flowControl() == QSerialPort::HardwareControl   ? u'H'
                           : m_port->flowControl() == QSerialPort::SoftwareControl ? u'X'
                                                                                   : u' ';
        return lineSettingsText(m_port->baudRate(), parity, int(m_port->dataBits()), stop, flow);
    }

private:
    void onError(QSerialPort::SerialPortError error)
    {
        if (m_opening || !m_port->isOpen())
            return;
        switch (error) {
        case QSerialPort::ResourceError:
        case QSerialPort::DeviceNotFoundError:
        case QSerialPort::PermissionError:
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
            setError(errorClass(error), m_port->errorString());
            m_port->clearError();
            emit failed();
            break;
        default:
            // Time-outs and unsupported options don't make the line unusable.
            break;
        }
    }

    QSerialPort *m_port = nullptr;
    bool m_opening = false;
};

} // namespace

std::unique_ptr<SerialLine> makeSerialLine()
{
    return std::make_unique<QtSerialLine>();
}

QString systemPortDevice(int port)
{
    if (port < kFirstPort || port > kLastPort)
        return {};
    if (port <= 4)
        return QStringLiteral("/dev/ttyS%1").arg(port - 1);
    if (port <= 12)
        return QStringLiteral("/dev/ttyUSB%1").arg(port - 5);
    return QStringLiteral("/dev/ttyACM%1").arg(port - 13);
}

PortDescription describePortDevice(const QString &device)
{
    // A pinned device may be a link (/dev/serial/by-id/...): the system lists
    // the device it points to.
    const QString target = QFileInfo(device).canonicalFilePath();
    const QSerialPortInfo info(target.isEmpty() ? device : target);
    return {info.description(), info.manufacturer(), info.serialNumber()};
}

} // namespace vq
