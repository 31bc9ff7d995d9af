#include "link/commandexchange.h"

#include "link/statusmodel.h"
#include "platform/prompter.h"
#include "platform/serialport.h"

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
    if (text.size() != kBlockLength)
        return false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool hex = (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F') || (u >= u'a' && u <= u'f');
        if (!hex)
            return false;
    }
    return true;
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
    taken.romVersion = qint16(taken.block.mid(60, 2).toInt(nullptr, 16));
    taken.recvBuffer = std::move(reply);
    return taken;
}

CommandExchange::CommandExchange(SerialPort &port, StatusModel &status, Prompter &prompter,
                                 QObject *parent)
    : QObject(parent), m_port(port), m_status(status), m_prompter(prompter)
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
    connect(&m_port, &SerialPort::dataReceived, this, &CommandExchange::MSComm_OnComm);
    connect(&m_port, &SerialPort::lost, this, &CommandExchange::onPortLost);
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

void CommandExchange::SendCommand(const QString &command, const QString &expected)
{
    if (m_aborted)
        return;

    m_status.lampOn();
    const int timeoutMs = effectiveTimeoutMs(command);
    // Buffer first, then the port's waiting input, then the send: nothing
    // that arrived before the command can satisfy this wait.
    RecvBuffer.clear();
    m_port.clearInput();
    const QByteArray bytes = command.toLatin1();
    const bool sent = m_port.write(bytes);
    if (sent)
        emit commandSent(bytes);

    m_expected = expected;
    m_deadline = QDeadlineTimer(timeoutMs, Qt::PreciseTimer);
    CommTimeOut = false;
    if (!sent || !m_port.isOpen()) {
        // A closed or vanished port can't answer: fail now rather than after
        // the time-out, in the same way.
        m_portLost = true;
        CommTimeOut = true;
    } else {
        m_tmrComm.start(timeoutMs);
        QEventLoop loop;
        m_wait = &loop;
        loop.exec();
        m_wait = nullptr;
    }
    m_tmrComm.stop();
    if (m_aborted)
        return;

    if (CommTimeOut) {
        CommError = true;
        const bool nothing = RecvBuffer.isEmpty();
        const QString &text = nothing ? kMsgCommFault : kMsgCannotSet;
        m_prompter.message(text, nothing ? MessageIcon::Exclamation : MessageIcon::Information);
        // The program may be closing while the box was up.
        if (m_aborted)
            return;
        m_status.ShowMessage(text, kColourRed);
    }
}

bool CommandExchange::SetReadData()
{
    SendCommand(QStringLiteral("sr"), kCarriageReturn);
    if (m_aborted)
        return false;
    std::optional<ReadReply> reply = takeReadReply(RecvBuffer);
    if (!reply)
        return false;
    RecvBuffer = std::move(reply->recvBuffer);
    ReadBlock = std::move(reply->block);
    RomVersion = reply->romVersion;
    return true;
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
    // RecvBuffer goes on collecting after the exchange, as the controller's
    // late characters belong to the last reply until the next send.
    RecvBuffer += QString::fromLatin1(data);
    if (!m_wait || CommTimeOut || !RecvBuffer.contains(m_expected))
        return;
    // The expected text and the time-out in the same moment: the time-out
    // decides.
    if (m_deadline.hasExpired())
        CommTimeOut = true;
    finishWait();
}

void CommandExchange::TmrComm_Timer()
{
    m_tmrComm.stop();
    CommTimeOut = true;
    finishWait();
}

void CommandExchange::onPortLost()
{
    m_portLost = true;
    if (m_wait) {
        // The rest of the reply will never come: end like a time-out.
        CommTimeOut = true;
        finishWait();
    }
    emit portGone();
}

void CommandExchange::finishWait()
{
    if (m_wait)
        m_wait->quit();
}

} // namespace vq
