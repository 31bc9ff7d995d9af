#include "shell/application.h"

#include "files/backups.h"
#include "files/filecommands.h"
#include "link/commandexchange.h"
#include "link/deviceoperations.h"
#include "link/portcontrol.h"
#include "link/portselection.h"
#include "link/statusmodel.h"
#include "logwindow/logwindowhost.h"
#include "platform/instanceguard.h"
#include "platform/serialport.h"
#include "settings/controllerblock.h"
#include "shell/frmconfig.h"
#include "shell/frmmain.h"
#include "shell/programicon.h"
#include "shell/qtprompter.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QPushButton>

namespace vq {

QString makeVersionText(int major, int minor, int revision)
{
    return QStringLiteral("Version%1.%2%3").arg(major).arg(minor).arg(revision);
}

Application::Application(Options options)
    : m_options(std::move(options))
{
    // Where the program lives and what it is called: the profile file is
    // named after the title and kept beside the program, or in the user's
    // configuration folder when the program's folder can't be written.
    AppTitle = kAppTitle;
    AppPath = QFileInfo(m_options.programFile).absolutePath();
    VersionText = makeVersionText(kVersionMajor, kVersionMinor, kVersionRevision);
    m_config.AppPath = profileFolder(AppPath);
    m_config.AppTitle = AppTitle;

    if (m_options.prompter) {
        m_prompter = m_options.prompter;
    } else {
        m_ownPrompter = std::make_unique<QtPrompter>(AppTitle);
        m_prompter = m_ownPrompter.get();
    }

    m_block = std::make_unique<ControllerBlock>(m_editor, *m_prompter);
    m_port = std::make_unique<SerialPort>();
    m_status = std::make_unique<StatusModel>();
    m_exchange = std::make_unique<CommandExchange>(*m_port);
    m_exchange->setTimeScale(m_options.timeScale);
    m_portControl = std::make_unique<PortControl>(*m_port, m_config, *m_status);
    m_portControl->setShowPortDialog([this] { return showPortDialog(); });
    m_operations = std::make_unique<DeviceOperations>(*m_exchange, *m_portControl, *m_block, m_editor,
                                                      m_log, *m_prompter, *m_status);
    // The controller's own block is kept before every write, silently; a
    // block that can't be kept isn't overwritten.
    m_backups = std::make_unique<BackupStore>(m_options.backupFolder);
    m_operations->setBeforeWrite(
        [this](const QString &readBlock) -> std::optional<DeviceOperations::BackupFailure> {
            const BackupResult saved = m_backups->save(readBlock);
            if (saved.path.isEmpty())
                return DeviceOperations::BackupFailure{m_backups->folder(), saved.reason};
            return std::nullopt;
        });
    m_portControl->setOverrideDevice(m_options.portDevice);

    setProgramIdentity();

    // The main window exists before start-up shows anything, so a message
    // written while the configuration is read is what the window shows first.
    m_frmMain = std::make_unique<FrmMain>(m_editor);
    if (m_ownPrompter)
        static_cast<QtPrompter *>(m_ownPrompter.get())->setParent(m_frmMain.get());
    m_logWindow = std::make_unique<LogWindowHost>(m_frmMain.get(), m_config, m_log);
    m_operations->setSetGraph([this](QStringView reply) { return m_logWindow->SetGraph(reply); });

    m_files = std::make_unique<FileCommands>(*m_prompter, m_log, *m_block,
                                             [this] { m_logWindow->SetGraphFile(); });
    // The graph's context menu compares with a log file and saves pictures
    // through the same dialogs and messages as the file menu.
    LogWindowFiles graphFiles;
    graphFiles.openComparison = [this] { return m_files->openComparisonLog(); };
    graphFiles.savePicture = [this](const std::function<QByteArray(bool)> &encode) {
        m_files->saveGraphPicture(encode);
    };
    m_logWindow->setFiles(std::move(graphFiles));
    // The message line's tool tip names the file of a file message and why.
    m_files->setFileProblem([this](const QString &detail) { m_status->setMessageDetail(detail); });

    wireMainWindow();
}

Application::~Application()
{
    // The log window refers to the main window; it goes first.
    m_logWindow.reset();
}

void Application::wireMainWindow()
{
    FrmMain *w = m_frmMain.get();
    StatusModel *s = m_status.get();
    connect(s, &StatusModel::messageChanged, w, &FrmMain::ShowMessage);
    connect(s, &StatusModel::messageDetailChanged, w, &FrmMain::setMessageDetail);
    connect(s, &StatusModel::buttonEnabledChanged, w, &FrmMain::setDeviceButtonEnabled);
    connect(s, &StatusModel::lampColourChanged, w, &FrmMain::setLampColour);
    connect(s, &StatusModel::busyChanged, w, &FrmMain::setBusy);
    connect(s, &StatusModel::focusRequested, w, [w](int index) {
        if (index >= 0 && index < kDeviceButtons)
            w->CmdVqCom(index)->setFocus();
    });
    w->ShowMessage(s->messageText(), s->messageColour());
    w->setMessageDetail(s->messageDetail());
    for (int i = 0; i < kDeviceButtons; ++i)
        w->setDeviceButtonEnabled(i, s->buttonEnabled(DeviceButton(i)));
    w->setLampColour(s->lampColour());

    connect(w, &FrmMain::deviceButtonClicked, m_operations.get(), &DeviceOperations::CmdVqCom_Click);
    connect(w->mnuCom, &QAction::triggered, this, [this] { m_portControl->mnuCom_Click(); });
    connect(w->mnuOpen, &QAction::triggered, this, [this] { m_files->mnuOpen_Click(); });
    connect(w->mnuSave, &QAction::triggered, this, [this] { m_files->mnuSave_Click(); });
    connect(w->munOpenLog, &QAction::triggered, this, [this] { m_files->munOpenLog_Click(); });
    connect(w->mnuSaveLog, &QAction::triggered, this, [this] { m_files->mnuSaveLog_Click(); });
    connect(w, &FrmMain::unloading, this, &Application::Form_Unload);
}

std::optional<PortChoice> Application::showPortDialog()
{
    PortSelection selection(m_config);
    if (m_options.portDialog) {
        m_options.portDialog(selection);
    } else {
        FrmConfig dialog(selection, m_frmMain && m_frmMain->isVisible() ? m_frmMain.get() : nullptr);
        dialog.exec();
    }
    return selection.choice();
}

bool Application::Main()
{
    // 1. One running copy per program file.
    m_guard = std::make_unique<InstanceGuard>(m_options.programFile);
    if (!m_guard->tryAcquire()) {
        m_prompter->message(kMsgAlreadyOpened, MessageIcon::None);
        return false;
    }
    // 2. and 3. (version text, title, folder) are set on construction.

    // 4. The configuration; asks for a port when none is stored.
    // A port named for this run needs no stored one.
    const bool openPort = m_config.LoadConfig([this] {
        return !m_options.portDevice.isEmpty() || showPortDialog().has_value();
    });

    // 5. Open the port unless the dialog was cancelled.
    if (openPort)
        m_portControl->OpenPort();
    else
        m_status->ShowMessage(kMsgPortCannotOpen, kColourRed);

    // 6. Prepare the window: captions, and the hidden frame stays hidden.
    m_frmMain->setVersionText(VersionText);
    m_frmMain->setProductName(AppTitle);
    m_frmMain->FraTmp()->hide();

    // 7. and 8.
    MainIni();
    m_frmMain->show();
    return true;
}

void Application::MainIni()
{
    m_portControl->EnableCommands();
    m_editor.reset();
    m_log.setVolt(1, kEmptySample); // the log holds nothing yet
    m_block->reset();               // no block read yet
}

void Application::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    // Closes the port; an operation waiting for a reply returns at once.
    m_operations->shutdown();
    if (FrmLog *log = m_logWindow->window())
        log->close();
    emit ended();
}

} // namespace vq
