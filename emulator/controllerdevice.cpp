#include "controllerdevice.h"

#include <array>
#include <utility>

namespace vq::emu {

namespace {

constexpr std::array<std::pair<FaultMode, const char *>, 14> kFaultNames{{
    {FaultMode::None, "none"},
    {FaultMode::Silent, "silent"},
    {FaultMode::Garbage, "garbage"},
    {FaultMode::Late, "late"},
    {FaultMode::Unasked, "unasked"},
    {FaultMode::BadVerify, "bad-verify"},
    {FaultMode::ModelFF, "model-ff"},
    {FaultMode::Model02, "model-02"},
    {FaultMode::PartialEcho, "partial-echo"},
    {FaultMode::ShortLog, "short-log"},
    {FaultMode::BadHexLog, "bad-hex-log"},
    {FaultMode::Sr67, "sr-67"},
    {FaultMode::Sr69, "sr-69"},
    {FaultMode::Vanish, "vanish"},
}};

} // namespace

std::optional<FaultMode> faultModeFromName(QStringView name)
{
    for (const auto &[mode, text] : kFaultNames) {
        if (name == QLatin1StringView(text))
            return mode;
    }
    return std::nullopt;
}

QString faultModeName(FaultMode mode)
{
    for (const auto &[m, text] : kFaultNames) {
        if (m == mode)
            return QString::fromLatin1(text);
    }
    return {};
}

QStringList faultModeNames()
{
    QStringList names;
    for (const auto &entry : kFaultNames)
        names << QString::fromLatin1(entry.second);
    return names;
}

bool ControllerDevice::takeStateChanged()
{
    return std::exchange(m_changed, false);
}

void ControllerDevice::resetLine()
{
    m_pending.clear();
    m_awaitingBlock = false;
}

QByteArray ControllerDevice::receive(QByteArrayView bytes, qint64 nowMs)
{
    if (m_fault == FaultMode::Silent || bytes.isEmpty())
        return {};
    if (m_awaitingBlock && !m_pending.isEmpty() && nowMs - m_lastReceiveMs > kBlockGapMs)
        resetLine();
    m_lastReceiveMs = nowMs;

    QByteArray out;
    for (char c : bytes) {
        m_pending.append(c);
        if (m_awaitingBlock) {
            if (m_pending.size() == kBlockLength)
                out += blockComplete();
            continue;
        }
        if (m_pending.size() < 2)
            continue;
        const QByteArray reply = command(m_pending);
        if (reply.isNull()) {
            // Not a command: the second character may start the next one.
            m_pending.remove(0, 1);
            continue;
        }
        m_pending.clear();
        out += reply;
    }
    return out;
}

QByteArray ControllerDevice::command(QByteArrayView name)
{
    const bool garbage = m_fault == FaultMode::Garbage;
    if (name == "sr")
        return garbage ? QByteArray(kGarbage) : settingReply();
    if (name == "sw") {
        m_awaitingBlock = true;
        return garbage ? QByteArray(kGarbage) : QByteArray("sw");
    }
    if (name == "ae") {
        if (garbage)
            return QByteArray(kGarbage);
        if (m_state.block != factoryBlock()) {
            m_state.block = factoryBlock();
            m_changed = true;
        }
        return QByteArray("ae OK\r");
    }
    if (name == "rt")
        return garbage ? QByteArray(kGarbage) : QByteArray("rt");
    if (name == "br")
        return garbage ? QByteArray(kGarbage) : logReply();
    if (name == "be") {
        if (garbage)
            return QByteArray(kGarbage);
        if (m_state.log != emptyLog()) {
            m_state.log = emptyLog();
            m_changed = true;
        }
        return QByteArray("be OK\r");
    }
    return {};
}

QByteArray ControllerDevice::blockComplete()
{
    const QByteArray written = std::exchange(m_pending, {});
    m_awaitingBlock = false;
    if (m_fault == FaultMode::Garbage)
        return QByteArray(kGarbage);

    QByteArray stored = written;
    if (m_fault == FaultMode::BadVerify)
        stored[kBadVerifyPos] = stored[kBadVerifyPos] == '1' ? '2' : '1';
    if (stored != m_state.block) {
        m_state.block = stored;
        m_changed = true;
    }
    if (m_fault == FaultMode::PartialEcho)
        return written.left(kPartialEchoLength);
    return written;
}

QByteArray ControllerDevice::settingReply() const
{
    QByteArray block = m_state.block;
    if (m_fault == FaultMode::ModelFF)
        block.replace(kModelCodePos, 2, "FF");
    else if (m_fault == FaultMode::Model02)
        block.replace(kModelCodePos, 2, "02");

    // The two closing characters: a status digit, then the carriage return.
    QByteArray reply = "sr" + block;
    if (m_fault == FaultMode::Sr67)
        return reply + '\r';
    if (m_fault == FaultMode::Sr69)
        return reply + "00\r";
    return reply + "0\r";
}

QByteArray ControllerDevice::logReply() const
{
    QByteArray reply = "br" + m_state.log.toHex().toUpper();
    if (m_fault == FaultMode::ShortLog)
        reply.truncate(kShortLogLength);
    else if (m_fault == FaultMode::BadHexLog)
        reply[kBadHexPos] = 'G';
    return reply + '\r';
}

} // namespace vq::emu
