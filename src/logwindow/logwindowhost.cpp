#include "logwindow/logwindowhost.h"

namespace vq {

LogWindowHost::LogWindowHost(QWidget *mainWindow, Config &config, RunLog &log)
    : m_mainWindow(mainWindow), m_config(config), m_log(log)
{
}

LogWindowHost::~LogWindowHost()
{
    delete m_window.data();
}

FrmLog &LogWindowHost::showWindow()
{
    if (!m_window) {
        auto *window = new FrmLog(m_mainWindow, m_config, m_log, m_files);
        // A closed window is gone for the program at once, even though Qt
        // deletes it a little later: the next show makes a new one.
        QObject::connect(window, &FrmLog::unloaded, window, [this] { m_window = nullptr; });
        m_window = window;
    }
    // Shown again while open: brought to the front, its size and place kept.
    if (m_window->isVisible())
        m_window->raise();
    else
        m_window->show();
    return *m_window;
}

RunReplyStatus LogWindowHost::SetGraph(QStringView reply)
{
    const RunReplyStatus status = decodeRunReply(reply, m_log);
    if (status != RunReplyStatus::Ok)
        return status;
    showWindow().logChanged();
    return status;
}

void LogWindowHost::SetGraphFile()
{
    showWindow().logChanged();
}

} // namespace vq
