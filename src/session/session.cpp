#include "session/session.h"

#include "files/backups.h"
#include "files/filecommands.h"
#include "link/commandexchange.h"
#include "link/deviceoperations.h"
#include "link/portcontrol.h"
#include "link/statusmodel.h"
#include "core/messages.h"
#include "platform/config.h"
#include "platform/linetrace.h"
#include "platform/safewrite.h"
#include "platform/serialport.h"
#include "runlog/runlog.h"
#include "settings/controllerblock.h"
#include "settings/editormodel.h"

namespace vq {

Session::Session(Prompter &prompter, Options options)
    : m_options(std::move(options)), m_prompter(prompter)
{
    m_config = std::make_unique<Config>(m_options.profileFolder);
    m_editor = std::make_unique<EditorModel>();
    m_log = std::make_unique<RunLog>();
    m_block = std::make_unique<ControllerBlock>(*m_editor, m_prompter);
    m_port = std::make_unique<SerialPort>();
    m_line = m_options.line ? m_options.line : m_port.get();
    m_trace = std::make_unique<LineTrace>(*m_line);
    m_trace->setKeepAll(m_options.traceAll);
    m_status = std::make_unique<StatusModel>();
    m_exchange = std::make_unique<CommandExchange>(*m_line);
    m_exchange->setTimeScale(m_options.timeScale);
    m_portControl = std::make_unique<PortControl>(*m_line, *m_config, *m_status);
    m_portControl->setOverrideDevice(m_options.portDevice);
    m_operations = std::make_unique<DeviceOperations>(*m_exchange, *m_portControl, *m_block, *m_editor, *m_log,
                                                      m_prompter, *m_status);
    m_operations->setRestoreOnlyAfterRead(m_options.restoreOnlyAfterRead);
    m_operations->setEndAtFirstFault(m_options.endAtFirstFault);

    // Nothing is written, not even the factory settings, without a backup
    // of what the controller held; it is kept silently, and a block that
    // can't be kept isn't overwritten.
    m_backups = std::make_unique<BackupStore>(m_options.backupFolder);
    m_operations->setBeforeWrite([this](const QString &readBlock) -> std::optional<DeviceOperations::BackupFailure> {
        const BackupResult saved = m_backups->save(readBlock);
        if (saved.path.isEmpty())
            return DeviceOperations::BackupFailure{m_backups->folder(), saved.reason};
        return std::nullopt;
    });

    m_files = std::make_unique<FileCommands>(m_prompter, *m_log, *m_block);
    // The message line's tool tip names the file of a file message and why.
    m_files->setFileProblem([this](const QString &detail) { m_status->setMessageDetail(detail); });
}

Session::~Session() = default;

QString Session::report()
{
    const QString ini = m_config->iniPath();
    const QString port = m_options.portDevice.isEmpty() && m_config->CommPortNo > 0
                             ? QStringLiteral("Com%1").arg(m_config->CommPortNo)
                             : m_options.portDevice;
    QString text = traceHeader(port, *m_port) + u'\n' + kReportProfile.arg(ini) + u'\n';
    // The port's sections as the file holds them, line for line.
    if (const std::optional<QByteArray> file = readWholeFile(ini)) {
        bool portSection = false;
        for (QByteArray line : file->split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            const QByteArray trimmed = line.trimmed();
            if (trimmed.startsWith('['))
                portSection = trimmed.compare("[RS232C]", Qt::CaseInsensitive) == 0
                              || trimmed.compare("[Ports]", Qt::CaseInsensitive) == 0;
            if (portSection && !trimmed.isEmpty())
                text += QString::fromLocal8Bit(line) + u'\n';
        }
    }
    text += u'\n' + kReportTrace.arg(LineTrace::kKeptLines) + u'\n';
    for (const QString &line : m_trace->lines())
        text += line + u'\n';
    return text;
}

} // namespace vq
