#include "memorytransport.h"

#include <QMetaObject>

#include <algorithm>

namespace vq {

namespace {

// What the unasked fault sends, as the emulator sends it: no carriage return
// and no command letters.
constexpr char kUnaskedText[] = "~#~";

} // namespace

MemoryTransport::MemoryTransport(QObject *parent)
    : Transport(parent)
{
    m_clock.start();
    m_unaskedTimer.setInterval(500);
    connect(&m_unaskedTimer, &QTimer::timeout, this, &MemoryTransport::chatter);
}

MemoryTransport::~MemoryTransport() = default;

void MemoryTransport::setFault(emu::FaultMode mode)
{
    m_device.setFault(mode);
    if (mode == emu::FaultMode::Unasked)
        m_unaskedTimer.start();
    else
        m_unaskedTimer.stop();
    if (mode != emu::FaultMode::Vanish)
        m_vanishWhenDrained = false;
}

void MemoryTransport::setUnaskedMs(int ms)
{
    m_unaskedTimer.setInterval(std::max(1, ms));
}

void MemoryTransport::setOpenFailure(Error error, const QString &text)
{
    m_openFailure = error;
    m_openFailureText = text;
}

bool MemoryTransport::open(const QString &devicePath)
{
    close();
    m_devicePath = devicePath;
    m_error = m_openFailure;
    m_errorText = m_openFailure == Error::None ? QString() : m_openFailureText;
    m_open = m_openFailure == Error::None;
    return m_open;
}

void MemoryTransport::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_arrived.clear();
    m_vanishWhenDrained = false;
    ++m_generation;
}

bool MemoryTransport::write(const QByteArray &data)
{
    if (!m_open)
        return false;
    m_heard += data;
    emit dataSent(data);
    const QByteArray answer = m_device.receive(data, m_clock.elapsed());
    if (!answer.isEmpty())
        reply(answer);
    return true;
}

void MemoryTransport::reply(QByteArray bytes)
{
    if (m_device.fault() == emu::FaultMode::Vanish) {
        if (m_vanishWhenDrained)
            return; // the line is already on its way out
        bytes.truncate(std::max<qsizetype>(1, bytes.size() / 2));
        m_vanishWhenDrained = true;
    }
    if (m_device.fault() == emu::FaultMode::Late) {
        ++m_lateReplies;
        const quint64 generation = m_generation;
        QTimer::singleShot(m_lateMs, this, [this, bytes, generation] {
            --m_lateReplies;
            if (generation == m_generation)
                queue(bytes);
        });
        return;
    }
    queue(bytes);
}

void MemoryTransport::queue(const QByteArray &bytes)
{
    if (!m_open || bytes.isEmpty())
        return;
    const qsizetype step = m_chunkSize > 0 ? m_chunkSize : bytes.size();
    for (qsizetype at = 0; at < bytes.size(); at += step)
        m_arrived.append(bytes.mid(at, step));
    if (!m_deliveryPosted) {
        m_deliveryPosted = true;
        QMetaObject::invokeMethod(this, &MemoryTransport::deliverNext, Qt::QueuedConnection);
    }
}

void MemoryTransport::deliverNext()
{
    m_deliveryPosted = false;
    if (m_arrived.isEmpty()) {
        if (m_vanishWhenDrained)
            goAway();
        return;
    }
    const QByteArray chunk = m_arrived.takeFirst();
    // The next piece, or the line going away once the last one is out,
    // waits for another turn of the event loop.
    if (!m_arrived.isEmpty() || m_vanishWhenDrained) {
        m_deliveryPosted = true;
        QMetaObject::invokeMethod(this, &MemoryTransport::deliverNext, Qt::QueuedConnection);
    }
    emit dataReceived(chunk);
}

void MemoryTransport::goAway()
{
    // As a pulled adapter: closed, reported once. The controller forgets its
    // half-received input and the next open finds a sound line again.
    if (!m_open)
        return;
    close();
    m_error = Error::Failed;
    m_errorText = QStringLiteral("the line went away");
    m_device.resetLine();
    setFault(emu::FaultMode::None);
    emit lost();
}

void MemoryTransport::chatter()
{
    if (!m_open || m_device.fault() != emu::FaultMode::Unasked || !m_arrived.isEmpty() || m_lateReplies > 0)
        return;
    queue(QByteArray(kUnaskedText));
}

} // namespace vq
