#pragma once

#include "logwindow/logwindow.h"
#include "runlog/runlog.h"

#include <QPointer>
#include <QStringView>

class QWidget;

namespace vq {

class Config;

// Owns the log window on behalf of the program: makes it when run data is to
// be shown, forgets it when the user closes it, and destroys it with itself.
class LogWindowHost
{
public:
    LogWindowHost(QWidget *mainWindow, Config &config, RunLog &log);
    ~LogWindowHost();
    LogWindowHost(const LogWindowHost &) = delete;
    LogWindowHost &operator=(const LogWindowHost &) = delete;

    // Decodes the controller's "br" reply into the log. Only a reply that
    // decodes in full shows the window (making it if needed) and redraws it;
    // a short or damaged reply leaves the log and the window as they were and
    // the caller reports it.
    [[nodiscard]] RunReplyStatus SetGraph(QStringView reply);

    // After the log was filled from a file: shows the window and redraws it.
    void SetGraphFile();

    // The file commands behind the graph's context menu, for windows made
    // from now on.
    void setFiles(LogWindowFiles files) { m_files = std::move(files); }

    // The window while it is loaded, else null.
    [[nodiscard]] FrmLog *window() const { return m_window; }
    void setMainWindow(QWidget *mainWindow) { m_mainWindow = mainWindow; }

private:
    FrmLog &showWindow();

    QPointer<QWidget> m_mainWindow;
    Config &m_config;
    RunLog &m_log;
    LogWindowFiles m_files;
    QPointer<FrmLog> m_window;
};

} // namespace vq
