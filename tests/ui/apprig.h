#pragma once

// A whole program for a window test: vq::Application with its program file in
// a temporary folder (the profile file lies beside it), a ScriptedPrompter for
// every box and file dialog, and a port dialog the test scripts. Every "Com n"
// is pinned in the profile file to a path that can't open unless the test pins
// it to the emulator's line, so no serial device of the machine takes part.

#include "fixtures.h"
#include "link/portselection.h"
#include "link/statusmodel.h"
#include "platform/config.h"
#include "scriptedprompter.h"
#include "shell/application.h"
#include "shell/frmmain.h"

#include <QLineEdit>
#include <QMap>
#include <QPalette>
#include <QPushButton>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class AppRig
{
    QTemporaryDir m_dir; // first: it outlives the program that uses it

public:
    [[nodiscard]] QString programFile() const { return program.isEmpty() ? m_dir.filePath("vq530t-link") : program; }
    [[nodiscard]] QString filePath(const QString &name) const { return m_dir.filePath(name); }
    [[nodiscard]] QByteArray iniBytes() const { return fixture::readFile(filePath("VQ530T Link.ini")); }

    // [Ports] Com1..Com16: the given devices, every other number a path that
    // doesn't exist. stored: [RS232C] CommPort as the file holds it (" 3"), or
    // none when null.
    void pin(const QMap<int, QString> &devices, const QString &stored = {})
    {
        vq::Config config(m_dir.path());
        for (int n = 1; n <= 16; ++n)
            config.WriteIniString("Ports", QStringLiteral("Com%1").arg(n), devices.value(n, "/nonexistent/vq"));
        if (!stored.isNull())
            config.WriteIniString("RS232C", "CommPort", stored);
    }

    // Builds and starts the program; false when it refused to start.
    [[nodiscard]] bool start(double timeScale = 0.01)
    {
        vq::Application::Options options;
        options.programFile = programFile();
        options.prompter = &prompter;
        options.timeScale = timeScale;
        options.backupFolder = filePath("backups");
        options.watcher = watcher;
        options.lineReturnCheckMs = 3600000; // a lost line returns at the watcher's word only
        options.portDialog = [this](vq::PortSelection &selection) {
            ++dialogRuns;
            messageAtDialog = window().TxtMsg()->text();
            windowVisibleAtDialog = window().isVisible();
            if (dialog)
                return dialog(selection);
            // The next answer: the entry picked (when listed) and OK, or Cancel.
            const QString answer = answers.isEmpty() ? "Cancel" : answers.takeFirst();
            selection.ListPorts();
            for (int i = 0; i < selection.entries().size(); ++i)
                if (selection.entries().at(i).text == answer)
                    selection.select(i);
            answer == "Cancel" ? selection.CmdCancel_Click() : selection.cmdOk_Click();
        };
        app = std::make_unique<vq::Application>(options);
        return app->Main();
    }

    [[nodiscard]] vq::FrmMain &window() const { return app->mainWindow(); }

    vq::DeviceWatcher *watcher = nullptr; // none: the system's
    QString program; // another copy of this program file; none: a program file of its own
    vq::ScriptedPrompter prompter;
    std::function<void(vq::PortSelection &)> dialog; // none: the answers below
    QStringList answers;
    int dialogRuns = 0;
    QString messageAtDialog;
    bool windowVisibleAtDialog = false;
    std::unique_ptr<vq::Application> app;
};

// "text|red", "text|black": what a line shows, and in which colour.
inline QString shown(const QLineEdit *field)
{
    const QColor c = field->palette().color(QPalette::Active, QPalette::Text);
    return field->text() + (c == Qt::red ? "|red" : c == Qt::black ? "|black" : "|" + c.name());
}

inline QString deviceButtons(const vq::FrmMain &w) // "10111": which are enabled
{
    QString enabled;
    for (int i = 0; i < vq::kDeviceButtons; ++i)
        enabled += w.CmdVqCom(i)->isEnabled() ? u'1' : u'0';
    return enabled;
}
