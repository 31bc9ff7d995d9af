#include "platform/linetrace.h"

#include "core/constants.h"
#include "core/messages.h"
#include "platform/serialport.h"
#include "platform/systemports.h"
#include "platform/transport.h"

#include <QElapsedTimer>
#include <QSysInfo>

namespace vq {

namespace {

// Started as the program is loaded, so a trace shows the start-up too.
const QElapsedTimer kProgramClock = [] {
    QElapsedTimer clock;
    clock.start();
    return clock;
}();

} // namespace

qint64 LineTrace::elapsedMs()
{
    return kProgramClock.elapsed();
}

void LineTrace::note(const QString &what)
{
    record(u"--", what.toUtf8());
}

LineTrace::LineTrace(Transport &line, QObject *parent)
    : QObject(parent), m_line(line)
{
    connect(&m_line, &Transport::dataSent, this, [this](const QByteArray &data) { record(u"TX", data); });
    connect(&m_line, &Transport::dataReceived, this, [this](const QByteArray &data) { record(u"RX", data); });
    connect(&m_line, &Transport::lost, this, [this] { record(u"--", kTraceLost.toLatin1()); });
}

QStringList LineTrace::lines() const
{
    return QStringList(m_lines.cbegin(), m_lines.cend());
}

QString LineTrace::escaped(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        switch (b) {
        case '\\': text += QStringLiteral("\\\\"); break;
        case '\r': text += QStringLiteral("\\r"); break;
        case '\n': text += QStringLiteral("\\n"); break;
        case '\t': text += QStringLiteral("\\t"); break;
        default:
            if (b >= 0x20 && b < 0x7f)
                text += QChar(b);
            else
                text += QStringLiteral("\\x%1").arg(b, 2, 16, QChar(u'0'));
        }
    }
    return text;
}

QString LineTrace::traceLine(qint64 ms, QStringView direction, const QByteArray &bytes)
{
    return QStringLiteral("%1 %2 %3").arg(ms).arg(direction).arg(escaped(bytes));
}

void LineTrace::record(QStringView direction, const QByteArray &bytes)
{
    m_lines.push_back(traceLine(elapsedMs(), direction, bytes));
    if (!m_keepAll && m_lines.size() > size_t(kKeptLines))
        m_lines.pop_front();
}

QString traceHeader(const QString &portName, const Transport &line)
{
    const QString device = line.devicePath();
    const PortDescription adapter = describePortDevice(device);
    QStringList known;
    for (const QString &part : {adapter.description, adapter.manufacturer, adapter.serialNumber}) {
        if (!part.isEmpty())
            known << part;
    }
    QString port = portName == device || portName.isEmpty() ? device : QStringLiteral("%1 (%2)").arg(portName, device);
    if (line.isOpen())
        port += u' ' + line.settingsText();
    return kTraceHeader.arg(kAppTitle)
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision)
        .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion(),
             QString::fromLatin1(qVersion()), port, known.isEmpty() ? kTraceUnknown : known.join(QStringLiteral(", ")));
}

} // namespace vq
