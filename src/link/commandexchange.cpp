#include "link/commandexchange.h"

#include "core/hex.h"
#include "platform/transport.h"

#include <QEventLoop>

#include <cmath>

namespace vq {

int commandTimeoutMs(QStringView command)
{
    const QStringView head = command.left(2);
    if (head == u"ae" || head == u"be")
        return 12000;
    if (head == u"br")
        return 10000;
    // "sr", "sw", "rt" and everything else, the setting block among them.
    return 3000;
}

bool isSettingBlock(QStringView text)
{
    return text.size() == kBlockLength && isHexText(text);
}

std::optional<ReadReply> takeReadReply(QStringView received)
{
    if (received.size() != kReadReplyLength)
        return std::nullopt;
    QString reply = received.toString();
    reply.remove(QStringLiteral("sr"));
    // Only 64 hexadecimal digits count as a block; anything else (a line
    // fault, a confused controller) must never reach ReadBlock, because it is
    // copied into every block written afterwards.
    const QStringView block = QStringView(reply).left(kBlockLength);
    if (!isSettingBlock(block))
        return std::nullopt;
    ReadReply taken;
    taken.block = block.toString();
    taken.recvBuffer = std::move(reply);
    return taken;
}

CommandExchange::CommandExchange(Transport &port, QObject *parent)
    : QObject(parent), m_port(port)
{
    m_tmrComm.setSingleShot(true);
    m_tmrComm.setTimerType(Qt::PreciseTimer);
    m_pauseTimer.setSingleShot(true);
    m_pauseTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_tmrComm, &QTimer::timeout, this, &CommandExchange::TmrComm_Timer);
    connect(&m_pauseTimer, &QTimer::timeout, this, [this] {
        if (m_pause)
            m_pause->quit();
    });
    connect(&m_port, &Transport::dataReceived, this, &CommandExchange::MSComm_OnComm);
    connect(&m_port, &Transport::lost, this, &CommandExchange::onPortLost);
}

CommandExchange::~CommandExchange()
{
    // A window torn down inside a wait must not leave a loop waiting on us.
    if (m_wait)
        m_wait->quit();
    if (m_pause)
        m_pause->quit();
}

int CommandExchange::effectiveTimeoutMs(QStringView command) const
{
    return int(std::lround(commandTimeoutMs(command) * m_timeScale));
}

ExchangeOutcome CommandExchange::SendCommand(const QString &command, const QString &expected)
{
    using End = ExchangeOutcome::End;
    if (m_aborted)
        return {End::Aborted, {}};

    emit exchangeStarted();
    const int timeoutMs = effectiveTimeoutMs(command);
    // Buffer first, then the port's waiting input, then the send: nothing
    // that arrived before the command can satisfy this wait.
    m_recvBuffer.clear();
    m_port.clearInput();
    const QByteArray bytes = command.toLatin1();
    const bool sent = m_port.write(bytes);
    if (sent)
        emit commandSent(bytes);

    m_expected = expected;
    m_deadline = QDeadlineTimer(timeoutMs, Qt::PreciseTimer);
    if (!sent || !m_port.isOpen()) {
        // A closed or vanished port can't answer: fail now rather than after
        // the time-out.
        m_end = End::PortLost;
    } else {
        m_end = End::Answered;
        m_tmrComm.start(timeoutMs);
        QEventLoop loop;
        m_wait = &loop;
        loop.exec();
        m_wait = nullptr;
    }
    m_tmrComm.stop();
    emit exchangeEnded();
    return {m_aborted ? End::Aborted : m_end, m_recvBuffer};
}

void CommandExchange::WaitTime(double seconds)
{
    if (m_aborted || !(seconds > 0))
        return;
    const int ms = int(std::lround(seconds * 1000.0 * m_timeScale));
    if (ms <= 0)
        return;
    QEventLoop loop;
    m_pause = &loop;
    m_pauseTimer.start(ms);
    loop.exec();
    m_pauseTimer.stop();
    m_pause = nullptr;
}

void CommandExchange::abort()
{
    m_aborted = true;
    m_tmrComm.stop();
    m_pauseTimer.stop();
    if (m_wait)
        m_wait->quit();
    if (m_pause)
        m_pause->quit();
}

void CommandExchange::MSComm_OnComm(const QByteArray &data)
{
    m_recvBuffer += QString::fromLatin1(data);
    if (!m_wait || !m_recvBuffer.contains(m_expected))
        return;
    // The expected text and the time-out in the same moment: the time-out
    // decides.
    finishWait(m_deadline.hasExpired() ? ExchangeOutcome::End::TimedOut : ExchangeOutcome::End::Answered);
}

void CommandExchange::TmrComm_Timer()
{
    m_tmrComm.stop();
    finishWait(ExchangeOutcome::End::TimedOut);
}

void CommandExchange::onPortLost()
{
    // The rest of the reply will never come.
    finishWait(ExchangeOutcome::End::PortLost);
    emit portGone();
}

void CommandExchange::finishWait(ExchangeOutcome::End end)
{
    if (!m_wait)
        return;
    m_end = end;
    m_wait->quit();
    m_wait = nullptr;
}

} // namespace vq
