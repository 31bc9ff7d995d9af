#pragma once

// A whole program for a GUI test: vq::Application with its program file in a
// temporary folder (the profile file lies beside it), a ScriptedPrompter for
// every box and file dialog, and a port dialog the test scripts. Every "Com n"
// is pinned in the profile file to a path that can't open unless the test
// pins it to a pseudo-terminal, so no serial device of the machine takes part.

#include "link/portselection.h"
#include "link/statusmodel.h"
#include "platform/prompter.h"
#include "shell/application.h"
#include "platform/config.h"
#include "shell/frmmain.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
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
    AppRig() = default;
    AppRig(const AppRig &) = delete;
    AppRig &operator=(const AppRig &) = delete;

    [[nodiscard]] QString programFile() const { return m_dir.filePath(QStringLiteral("vq530t-link")); }
    [[nodiscard]] QString folder() const { return m_dir.path(); }
    [[nodiscard]] QString iniPath() const { return m_dir.filePath(QStringLiteral("VQ530T Link.ini")); }
    [[nodiscard]] QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Writes [Ports] Com1..Com16: the given devices, every other number a path
    // that doesn't exist. Leaves [RS232C] alone.
    void pinPorts(const QMap<int, QString> &devices)
    {
        vq::Config config(m_dir.path());
        for (int n = 1; n <= 16; ++n)
            config.WriteIniString(QStringLiteral("Ports"), QStringLiteral("Com%1").arg(n),
                                  devices.value(n, QStringLiteral("/nonexistent/vq-com%1").arg(n)));
    }

    // The stored port, written as the profile file holds it ("CommPort= 3").
    void storePort(const QString &value)
    {
        vq::Config(m_dir.path()).WriteIniString(QStringLiteral("RS232C"), QStringLiteral("CommPort"), value);
    }

    [[nodiscard]] QByteArray iniBytes() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Builds the program (not yet started). The port dialog runs `dialog`
    // when set; dialogRuns counts how often the program asked for it.
    vq::Application &make(double timeScale = 0.01)
    {
        vq::Application::Options options;
        options.programFile = programFile();
        options.prompter = &prompter;
        options.timeScale = timeScale;
        options.portDialog = [this](vq::PortSelection &selection) {
            ++dialogRuns;
            windowVisibleAtDialog = app->mainWindow().isVisible();
            if (dialog)
                dialog(selection);
        };
        app = std::make_unique<vq::Application>(options);
        return *app;
    }

    // make() and Main().
    [[nodiscard]] bool start(double timeScale = 0.01)
    {
        make(timeScale);
        return app->Main();
    }

    [[nodiscard]] vq::FrmMain &window() const { return app->mainWindow(); }

    vq::ScriptedPrompter prompter;
    std::function<void(vq::PortSelection &)> dialog;
    int dialogRuns = 0;
    bool windowVisibleAtDialog = false;
    std::unique_ptr<vq::Application> app;
};

// A scripted dialog that picks the entry with this text (if listed) and
// leaves with OK, or with Cancel.
inline std::function<void(vq::PortSelection &)> pickAndOk(const QString &entry)
{
    return [entry](vq::PortSelection &selection) {
        selection.ListPorts();
        for (int i = 0; i < selection.entries().size(); ++i)
            if (selection.entries().at(i).text == entry)
                selection.select(i);
        selection.cmdOk_Click();
    };
}

inline std::function<void(vq::PortSelection &)> cancelDialog()
{
    return [](vq::PortSelection &selection) {
        selection.ListPorts();
        selection.CmdCancel_Click();
    };
}

// What the message line shows: its text and its text colour.
inline QString messageText(const vq::FrmMain &w)
{
    return w.TxtMsg()->text();
}

inline QColor textColour(const QLineEdit *field)
{
    return field->palette().color(QPalette::Active, QPalette::Text);
}

inline const QColor kRedText(255, 0, 0);
inline const QColor kBlackText(0, 0, 0);

inline QList<bool> deviceButtons(const vq::FrmMain &w)
{
    QList<bool> enabled;
    for (int i = 0; i < vq::kDeviceButtons; ++i)
        enabled << w.CmdVqCom(i)->isEnabled();
    return enabled;
}

inline const QList<bool> kAllButtonsOff{false, false, false, false, false};
inline const QList<bool> kPortOpenButtons{true, false, true, true, true};
inline const QList<bool> kAllButtonsOn{true, true, true, true, true};
