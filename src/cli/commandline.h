#pragma once

// The command line: every device operation without a window, for scripts,
// many controllers and remote benches.
//
//   vq530t-link [--port PORT] [--json] COMMAND [ARGUMENTS]
//
// It drives the same objects as the window (the device operations, the
// controller's block, the exchange, the file formats), so the two can never
// disagree. Data goes to standard output, the program's messages to standard
// error. Without a COMMAND the window starts.

#include "platform/systemports.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <span>

namespace vq {
class RunLog;
class Transport;
}

namespace vq::cli {

// Exit codes.
enum Exit : int {
    ExitDone = 0,
    ExitFailed = 1,    // answered wrongly, verify NG, another model, deleted data
    ExitUsage = 2,     // usage error, bad or out-of-range value, bad file
    ExitNoPort = 3,    // the port cannot be opened
    ExitNoAnswer = 4,  // no answer within the time-out
    ExitNotWritten = 5, // a local file could not be written (output file or backup)
};

struct Invocation {
    QString port;        // --port: a device or "ComN"; empty: the profile's port
    bool json = false;   // --json
    bool help = false;   // --help
    bool version = false; // --version
    QString trace;       // --trace FILE: the line's trace of a device command
    QString command;     // empty: the window
    QStringList arguments;
};

struct Parsed {
    std::optional<Invocation> invocation;
    QString error; // when there is no invocation
};

// Parses the arguments after the program's name. Only the syntax is checked
// here; values and files are checked when the command runs, before anything
// is sent.
[[nodiscard]] Parsed parseArguments(const QStringList &arguments);

// True when the invocation asks for the window.
[[nodiscard]] bool wantsWindow(const Invocation &invocation);

struct Environment {
    QString profileFolder;   // where the profile file lives (beside the program, or the user's configuration folder)
    QString backupFolder;    // empty: the user's data folder
    double timeScale = 1.0;  // shrinks the waits in tests
    Transport *line = nullptr; // the line in place of the serial port (tests); none: the serial port
    // `plot` draws through this, as the drawing belongs to the window's
    // library: the log, the picture's size (empty: the log window's plot at
    // its loading size), the voltage and current scale lines, the file (a
    // PNG, or the SVG for a name ending in .svg). False when the file can't
    // be saved, with why in `reason`. Unset: `plot` is refused.
    std::function<bool(const RunLog &log, QSize size, bool voltScaleLine, bool curScaleLine, const QString &path,
                       QString *reason)>
        savePlot;
    // `ports` lists these; unset: the system's ports.
    std::function<QList<SystemPort>()> systemPorts;
};

// Runs a command; returns the exit code. Needs a QCoreApplication.
[[nodiscard]] int run(const Invocation &invocation, const Environment &environment);

// The usage text of --help.
[[nodiscard]] QString usageText();

// What --help and the manual page say: an option, a command or an exit code,
// and its description.
struct HelpEntry {
    const char *synopsis;
    const char *text;
};
[[nodiscard]] std::span<const HelpEntry> optionsHelp();
[[nodiscard]] std::span<const HelpEntry> commandsHelp();
[[nodiscard]] std::span<const HelpEntry> exitCodesHelp();
// The command line's name of parameter `index` (pwm-min, ...).
[[nodiscard]] QString keyName(int index);

} // namespace vq::cli
