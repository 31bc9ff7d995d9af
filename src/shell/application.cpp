#include "shell/application.h"

#include "files/filecommands.h"
#include "link/deviceoperations.h"
#include "link/portcontrol.h"
#include "link/portreturn.h"
#include "link/portselection.h"
#include "link/statusmodel.h"
#include "logwindow/logwindowhost.h"
#include "platform/devicewatcher.h"
#include "platform/instanceguard.h"
#include "platform/serialport.h"
#include "settings/controllerblock.h"
#include "shell/frmconfig.h"
#include "shell/frmmain.h"
#include "shell/linehelp.h"
#include "shell/otherports.h"
#include "shell/programicon.h"
#include "shell/qtprompter.h"
#include "shell/uilanguage.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QPushButton>

namespace vq {

namespace {

// Glyphs drawn in one-bit pixels lose their thin strokes on a desktop with
// font smoothing off (a remote session turns it off): every text asks for
// smoothed glyphs, as desktops draw them by default anyway.
void smoothGlyphs()
{
    QFont font = QApplication::font();
    if (font.styleStrategy() & QFont::PreferAntialias)
        return;
    font.setStyleStrategy(QFont::PreferAntialias);
    QApplication::setFont(font);
}

} // namespace

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

    if (m_options.prompter) {
        m_prompter = m_options.prompter;
    } else {
        m_ownPrompter = std::make_unique<QtPrompter>(AppTitle);
        m_prompter = m_ownPrompter.get();
    }
    m_boxes = std::make_unique<BoxCountingPrompter>(*m_prompter);

    Session::Options session;
    session.profileFolder = profileFolder(AppPath);
    session.timeScale = m_options.timeScale;
    session.backupFolder = m_options.backupFolder;
    session.portDevice = m_options.portDevice;
    m_session = std::make_unique<Session>(*m_boxes, std::move(session));
    portControl().setShowPortDialog([this] { return showPortDialog(); });

    setProgramIdentity();
    smoothGlyphs();
    // The windows' language before the first window or box is made.
    setUiLanguage(config().readLanguage());

    // The main window exists before start-up shows anything, so a message
    // written while the configuration is read is what the window shows first.
    m_frmMain = std::make_unique<FrmMain>(editor());
    if (m_ownPrompter)
        static_cast<QtPrompter *>(m_ownPrompter.get())->setParent(m_frmMain.get());
    m_logWindow = std::make_unique<LogWindowHost>(m_frmMain.get(), config(), log());
    operations().setSetGraph([this](QStringView reply) { return m_logWindow->SetGraph(reply); });

    files().setLogLoaded([this] { m_logWindow->SetGraphFile(); });
    // The graph's context menu compares with a log file and saves pictures
    // through the same dialogs and messages as the file menu.
    LogWindowFiles graphFiles;
    graphFiles.openComparison = [this] { return files().openComparisonLog(); };
    graphFiles.savePicture = [this](const std::function<QByteArray(bool)> &encode) {
        files().saveGraphPicture(encode);
    };
    m_logWindow->setFiles(std::move(graphFiles));

    wireLineHelp();
    wireMainWindow();
}

DeviceWatcher *Application::deviceWatcher() const
{
    return m_options.watcher ? m_options.watcher : m_ownWatcher.get();
}

void Application::wireLineHelp()
{
    if (!m_options.watcher)
        m_ownWatcher = makeDeviceWatcher();
    m_portReturn = std::make_unique<PortReturn>(serialPort(), portControl(), status());
    m_portReturn->setWatcher(deviceWatcher());
    m_portReturn->setCheckInterval(m_options.lineReturnCheckMs);
    m_portReturn->setMayOpen([this] { return !m_boxes->boxUp() && !QApplication::activeModalWidget(); });
    // Connected before the menu's own handler: the user takes the port in hand.
    connect(m_frmMain->mnuCom, &QAction::triggered, m_portReturn.get(), &PortReturn::forget);
    addCopyReport(m_frmMain->TxtMsg(), [this] { return m_session->report(); });
}

Application::~Application()
{
    // The log window refers to the main window; it goes first.
    m_portReturn.reset();
    m_logWindow.reset();
}

void Application::wireMainWindow()
{
    FrmMain *w = m_frmMain.get();
    StatusModel *s = &status();
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

    connect(w, &FrmMain::deviceButtonClicked, &operations(), &DeviceOperations::CmdVqCom_Click);
    connect(w->mnuCom, &QAction::triggered, this, [this] { portControl().mnuCom_Click(); });
    connect(w->mnuOpen, &QAction::triggered, this, [this] { files().mnuOpen_Click(); });
    connect(w->mnuSave, &QAction::triggered, this, [this] { files().mnuSave_Click(); });
    connect(w->munOpenLog, &QAction::triggered, this, [this] { files().munOpenLog_Click(); });
    connect(w->mnuSaveLog, &QAction::triggered, this, [this] { files().mnuSaveLog_Click(); });
    connect(w, &FrmMain::unloading, this, &Application::Form_Unload);
    // Written the moment it is picked, and every open window follows at once.
    w->setLanguage(uiLanguage());
    connect(w, &FrmMain::languageChosen, this, [this, w](const QString &code) {
        config().storeLanguage(code);
        w->setLanguage(setUiLanguage(code));
    });
}

std::optional<PortChoice> Application::showPortDialog()
{
    PortSelection selection(config());
    if (m_options.portDialog) {
        m_options.portDialog(selection);
    } else {
        FrmConfig dialog(selection, m_frmMain && m_frmMain->isVisible() ? m_frmMain.get() : nullptr);
        addOtherPorts(dialog, selection, config(), deviceWatcher());
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
    const bool openPort = config().LoadConfig([this] {
        return !m_options.portDevice.isEmpty() || showPortDialog().has_value();
    });

    // 5. Open the port unless the dialog was cancelled.
    if (openPort)
        portControl().OpenPort();
    else
        status().ShowMessage(kMsgPortCannotOpen, kColourRed);

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
    portControl().EnableCommands();
    editor().reset();
    log().setVolt(1, kEmptySample); // the log holds nothing yet
    block().reset();                // no block read yet
}

void Application::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_portReturn->forget();
    // Closes the port; an operation waiting for a reply returns at once.
    operations().shutdown();
    if (FrmLog *log = m_logWindow->window())
        log->close();
    emit ended();
}

} // namespace vq
