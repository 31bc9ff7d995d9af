#include "cli/commandline.h"

#include "core/constants.h"
#include "core/conversions.h"
#include "core/messages.h"
#include "files/backups.h"
#include "files/logfile.h"
#include "files/settingsfile.h"
#include "link/commandexchange.h"
#include "link/deviceoperations.h"
#include "link/portcontrol.h"
#include "link/portmap.h"
#include "link/portpins.h"
#include "link/statusmodel.h"
#include "platform/config.h"
#include "platform/console.h"
#include "platform/linetrace.h"
#include "platform/prompter.h"
#include "platform/safewrite.h"
#include "platform/serialport.h"
#include "runlog/logstats.h"
#include "runlog/runlog.h"
#include "session/session.h"
#include "settings/controllerblock.h"
#include "settings/editormodel.h"
#include "settings/paramtable.h"
#include "settings/settingblock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTimer>

#include <array>
#include <span>
#include <cstdio>

namespace vq::cli {

namespace {

// The names of the fourteen parameters on the command line, by index.
constexpr std::array<const char *, kParamCount> kKeys{
    "pwm-min", "pwm-max", "neutral", "high-forward", "high-brake", "dead-band", "low-batt",
    "cur-limit", "brake-max", "reverse-max", "neutral-brake", "cur-limit-timer", "cur-limit-time",
    "forward-boost"};
constexpr std::array<const char *, kModeFlags> kFlagKeys{"virgin", "reverse", "rev-cancel", "lipo"};


void writeOut(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

void writeErr(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

// A message box's text as lines on standard error.
void printMessage(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    writeErr(text + u'\n');
}

int keyIndex(const QString &key)
{
    for (int i = 0; i < kParamCount; ++i) {
        if (key == QLatin1String(kKeys[size_t(i)]))
            return i;
    }
    return -1;
}

// Message boxes are kept for the command to tell; nothing is ever asked.
class ConsolePrompter : public Prompter
{
public:
    std::function<void(const QString &)> told;
    void message(const QString &text, MessageIcon) override
    {
        if (told)
            told(text);
    }
    bool askYesNo(const QString &) override { return false; }
    QString openFileName(const QString &) override { return {}; }
    QString saveFileName(const QString &) override { return {}; }
};

// A message with its detail (lines of where and why) as one line.
// (a folder and the system's reason: "folder: reason").
QString oneLine(QString text, QString detail = {})
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    detail.replace(QStringLiteral("\r\n"), QStringLiteral(": "));
    return detail.isEmpty() ? text : text + u' ' + detail;
}

// A file's name and the system's reason, for a message about the file.
QString fileAndReason(const QString &path, const QString &reason)
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason);
}

int usageError(const QString &text)
{
    writeErr(text + QStringLiteral("\nTry 'vq530t-link --help'.\n"));
    return ExitUsage;
}

// A file the command will write, checked before anything is sent: ExitDone,
// or ExitNotWritten for an existing thing that is not an ordinary file (a
// folder, a device, a pipe), which is never replaced, and for a folder that
// can't take a file (missing, not a folder, no permission, read only).
int checkOutputFile(const QString &path)
{
    if (path.isEmpty())
        return usageError(QStringLiteral("\"\" is not a file name"));
    const QFileInfo info(path);
    QString reason;
    if (info.exists() && !info.isFile()) {
        reason = info.isDir() ? kReasonIsFolder : kReasonNotOrdinary;
    } else {
        // The folder is tried with a file of its own, as the save will.
        QTemporaryFile probe(info.absolutePath() + QStringLiteral("/.vq530t-link-XXXXXX"));
        if (!probe.open())
            reason = probe.errorString();
    }
    if (reason.isEmpty())
        return ExitDone;
    printMessage(oneLine(kMsgCannotSave, fileAndReason(path, reason)));
    return ExitNotWritten;
}

// The keys of the fields the editor marks out of range.
QString markedKeys(const EditorModel &editor)
{
    QStringList keys;
    for (int i = 0; i < kParamCount; ++i) {
        if (editor.marked(i) && !(i == CurrentLimiter && editor.curLimOff()))
            keys.append(QLatin1String(kKeys[size_t(i)]));
    }
    return QStringLiteral("Out of range: %1").arg(keys.join(QStringLiteral(", ")));
}

struct SetValue {
    int index;
    QString text; // empty with off
    bool off = false;
};

int saveFile(const QString &path, const QByteArray &content);

// A device command's run: the same session as the window's, with the
// console's prompter, its messages on standard error and, on a terminal, the
// progress line.
class DeviceRun
{
public:
    DeviceRun(const Environment &env, const QString &port)
        : session(prompter, sessionOptions(env, port))
    {
        editor.reset();
        // The operations' captions go to standard error as they start; a
        // fault, told by a box and the red line alike, is kept and told once
        // when the operation ends, and Completion only when the whole
        // command has succeeded.
        prompter.told = [this](const QString &text) {
            if (m_box.isEmpty())
                m_box = text;
        };
        QObject::connect(&status, &StatusModel::messageChanged, [this](const QString &text, quint32 colour) {
            if (colour == kColourRed) {
                if (m_red.isEmpty())
                    m_red = oneLine(text, status.messageDetail());
            } else if (text != kMsgCompletion) {
                endProgress();
                printMessage(text);
            }
        });
        if (stderrIsTerminal()) {
            m_progress.setInterval(250);
            QObject::connect(&exchange, &CommandExchange::exchangeStarted, [this] {
                m_waiting.start();
                m_progress.start();
            });
            QObject::connect(&exchange, &CommandExchange::exchangeEnded, [this] { endProgress(); });
            QObject::connect(&m_progress, &QTimer::timeout, [this] {
                if (m_waiting.elapsed() < 1000)
                    return;
                writeErr(QStringLiteral("\rwaiting for the controller ... %1 s ")
                             .arg(double(m_waiting.elapsed()) / 1000.0, 0, 'f', 1));
                m_progressShown = true;
            });
        }
    }

    // Opens --port, or the profile's port. ExitDone or ExitNoPort.
    int openPort()
    {
        QString name = session.options().portDevice;
        if (name.isEmpty()) {
            const int n = config.readCommPort().value_or(0);
            if (n == 0) {
                printMessage(oneLine(kMsgPortCannotOpen,
                                     QStringLiteral("No port is stored in %1; name one with --port.").arg(config.iniPath())));
                return ExitNoPort;
            }
            name = QStringLiteral("Com%1").arg(n);
        }
        portName = name;
        const QString device = namedPortDevice(config, name);
        if (device.isEmpty()) {
            printMessage(oneLine(kMsgPortCannotOpen, QStringLiteral("%1: no such port; Com%2 to Com%3 are known").arg(name).arg(kFirstPort).arg(kLastPort)));
            return ExitNoPort;
        }
        session.trace().note(kTraceOpening.arg(device));
        if (!port.open(device)) {
            session.trace().note(kTraceOpenFailed);
            printMessage(oneLine(kMsgPortCannotOpen, openFailureDetail(name, port)));
            return ExitNoPort;
        }
        session.trace().note(kTraceOpened);
        return ExitDone;
    }

    int operate(DeviceButton button)
    {
        m_box.clear();
        m_red.clear();
        ops.CmdVqCom_Click(int(button));
        endProgress();
        const int code = exitCodeOf(ops.lastResult());
        if (code != ExitDone)
            tellFault();
        return code;
    }

    static int exitCodeOf(OperationResult result)
    {
        switch (result) {
        case OperationResult::Completed: return ExitDone;
        case OperationResult::Refused: return ExitUsage;
        case OperationResult::NoAnswer: return ExitNoAnswer;
        case OperationResult::NotBackedUp: return ExitNotWritten;
        case OperationResult::PortLost: return ExitNoPort;
        case OperationResult::Failed:
        case OperationResult::Aborted: return ExitFailed;
        }
        return ExitFailed;
    }

    // The fault as the message line shows it, with its detail; a fault told
    // only by a box (another model, abnormal data) as the box says it.
    void tellFault()
    {
        QString text = m_red.isEmpty() ? oneLine(m_box) : m_red;
        if (m_box == kMsgDataAbnormal)
            text += u' ' + markedKeys(editor);
        if (!text.isEmpty())
            printMessage(text);
    }

    void endProgress()
    {
        m_progress.stop();
        if (m_progressShown)
            writeErr(QStringLiteral("\r%1\r").arg(QString(40, u' ')));
        m_progressShown = false;
    }

    // The trace's header and every line, through the safe writer.
    int saveTrace(const QString &path)
    {
        session.trace().note(kTraceEnd);
        QString text = traceHeader(portName, port) + u'\n';
        for (const QString &line : session.trace().lines())
            text += line + u'\n';
        return saveFile(path, text.toUtf8());
    }

    QString portName; // as the user named it, or "ComN" from the profile
    ConsolePrompter prompter; // made before the session, which uses it
    Session session;
    // The session's objects a command works with.
    Config &config = session.config();
    Transport &port = session.line();
    StatusModel &status = session.status();
    CommandExchange &exchange = session.exchange();
    EditorModel &editor = session.editor();
    ControllerBlock &block = session.block();
    RunLog &log = session.log();
    DeviceOperations &ops = session.operations();

private:
    static Session::Options sessionOptions(const Environment &env, const QString &port)
    {
        Session::Options options;
        options.profileFolder = env.profileFolder;
        options.timeScale = env.timeScale;
        options.backupFolder = env.backupFolder;
        options.portDevice = port;
        options.line = env.line;
        // Without a window to look at, a fault ends the command at once, and
        // the factory settings go in only over a block just read and kept.
        options.restoreOnlyAfterRead = true;
        options.endAtFirstFault = true;
        options.traceAll = true;
        return options;
    }

    QString m_box; // the operation's first box
    QString m_red; // the operation's first red line, with its detail
    QTimer m_progress;
    QElapsedTimer m_waiting;
    bool m_progressShown = false;
};

QString showText(const ControllerSettings &settings, bool json)
{
    const auto off = [&settings](int i) { return i == CurrentLimiter && settings.curLimOff; };
    const QString vqType = settings.model == kModelVQ530T ? kVqTypeName : QString();
    if (json) {
        QJsonObject o;
        for (int i = 0; i < kParamCount; ++i) {
            const QString key = QLatin1String(kKeys[size_t(i)]);
            if (off(i))
                o.insert(key, QStringLiteral("off"));
            else
                o.insert(key, settings.values[size_t(i)]);
        }
        o.insert(QStringLiteral("vq-type"), vqType);
        o.insert(QStringLiteral("rom-version"), settings.romVersion);
        QJsonObject flags;
        for (int k = 0; k < kModeFlags; ++k)
            flags.insert(QLatin1String(kFlagKeys[size_t(k)]), settings.modes[size_t(k)]);
        o.insert(QStringLiteral("flags"), flags);
        return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented));
    }
    QString text;
    const auto line = [&text](const QString &caption, const QString &value) {
        text += caption.leftJustified(30) + value + u'\n';
    };
    for (const ParamInfo &p : paramTable()) {
        const double v = settings.values[size_t(p.index)];
        QString value = valueText(v);
        if (off(p.index))
            value = QStringLiteral("Off");
        else if (*p.unit)
            value += u' ' + QLatin1String(p.unit);
        if (!inRange(p.index, v) && !off(p.index))
            value += QStringLiteral(" (out of range)");
        line(QLatin1String(p.caption), value);
    }
    for (int k = 0; k < kModeFlags; ++k)
        line(QLatin1String(kModeCaptions[size_t(k)]), settings.modes[size_t(k)] ? QStringLiteral("yes") : QStringLiteral("no"));
    line(QStringLiteral("VQ Type"), vqType);
    line(QStringLiteral("ROM Version"), QString::number(settings.romVersion));
    return text;
}

// KEY=VALUE arguments, checked against the editor's rules before anything is sent.
std::optional<QList<SetValue>> parseSetValues(const QStringList &arguments, QString &error)
{
    QList<SetValue> values;
    if (arguments.isEmpty()) {
        error = QStringLiteral("set: name at least one KEY=VALUE");
        return std::nullopt;
    }
    for (const QString &arg : arguments) {
        const qsizetype eq = arg.indexOf(u'=');
        const int index = eq > 0 ? keyIndex(arg.left(eq)) : -1;
        if (index < 0) {
            error = QStringLiteral("set: unknown setting \"%1\"").arg(arg);
            return std::nullopt;
        }
        if (!paramInfo(index).written) {
            error = QStringLiteral("set: %1 is the controller's own and can't be written").arg(arg.left(eq));
            return std::nullopt;
        }
        const QString value = arg.mid(eq + 1).trimmed();
        if (index == CurrentLimiter && value.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0) {
            values.append({index, QString(), true});
            continue;
        }
        if (!isPlainNumber(value) || !inRange(index, EditorModel::typedValue(index, value))) {
            error = QStringLiteral("set: %1 must be a number from %2 to %3")
                        .arg(arg.left(eq), shortestText(paramInfo(index).min), shortestText(paramInfo(index).max));
            return std::nullopt;
        }
        values.append({index, value, false});
    }
    return values;
}

// A settings file to write: read and decoded first.
std::optional<ControllerSettings> loadSettingsFile(const QString &path, QString &error)
{
    const std::optional<QByteArray> content = readWholeFile(path);
    if (!content) {
        error = oneLine(kMsgTrouble, fileAndReason(path, readFailureReason(path)));
        return std::nullopt;
    }
    const std::optional<QString> text = settingFileBlock(*content);
    const DecodedBlock decoded = text ? decodeBlock(*text) : DecodedBlock{DecodeStatus::Malformed, kFieldBlockLength, {}};
    switch (decoded.status) {
    case DecodeStatus::Ok: break;
    case DecodeStatus::Malformed: error = kMsgTrouble; return std::nullopt;
    case DecodeStatus::Deleted: error = kMsgSettingDeleted; return std::nullopt;
    case DecodeStatus::OtherModel: error = kMsgOtherModel; return std::nullopt;
    }
    const ControllerSettings &file = decoded.settings;
    for (int i = 0; i < kParamCount; ++i) {
        if (paramInfo(i).written && !inRange(i, file.values[size_t(i)]) && !(i == CurrentLimiter && file.curLimOff)) {
            error = QStringLiteral("%1: %2 is out of range").arg(path, QLatin1String(kKeys[size_t(i)]));
            return std::nullopt;
        }
    }
    return file;
}

int saveFile(const QString &path, const QByteArray &content)
{
    QString reason;
    if (writeFileAtomically(path, content, &reason))
        return ExitDone;
    printMessage(oneLine(kMsgCannotSave, fileAndReason(path, reason)));
    return ExitNotWritten;
}

// A log file for `stats` and `plot`, read by the log reader into a log whose
// slots all start empty: seconds a short file doesn't reach have no values.
std::optional<RunLog> loadLogFile(const QString &path)
{
    const std::optional<QByteArray> content = readWholeFile(path);
    if (!content) {
        printMessage(oneLine(kMsgTrouble, fileAndReason(path, readFailureReason(path))));
        return std::nullopt;
    }
    std::optional<RunLog> log = runLogFromFile(*content);
    if (!log)
        printMessage(oneLine(kMsgTrouble, QDir::toNativeSeparators(path)));
    return log;
}

// Minimum, maximum and the voltage at peak current are samples of the log and
// are printed as the log file writes them (7.4); averages, energy and charge
// are worked out and printed in full. A figure the log can't give is null.
QString statsText(const LogStatistics &s, bool json)
{
    if (!json) {
        QString text;
        for (const StatisticsLine &line : statisticsLines(s))
            text += line.caption.leftJustified(30) + line.value + u'\n';
        return text;
    }
    const auto sample = [](std::optional<double> v) {
        return v ? QJsonValue(shortestText(float(*v)).toDouble()) : QJsonValue();
    };
    const auto figures = [&sample](const std::optional<LogFigures> &f) {
        QJsonObject o;
        o.insert(QStringLiteral("min"), sample(f ? std::optional(f->min) : std::nullopt));
        o.insert(QStringLiteral("avg"), f ? QJsonValue(f->avg) : QJsonValue());
        o.insert(QStringLiteral("max"), sample(f ? std::optional(f->max) : std::nullopt));
        return o;
    };
    QJsonObject o;
    o.insert(QStringLiteral("samples"), s.samples);
    o.insert(QStringLiteral("voltage"), figures(s.voltage));
    o.insert(QStringLiteral("current"), figures(s.current));
    o.insert(QStringLiteral("energy_wh"), s.energyWh);
    o.insert(QStringLiteral("charge_mah"), s.chargeMah);
    o.insert(QStringLiteral("voltage_at_peak_current"), sample(s.voltageAtPeakCurrent));
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented));
}

// plot FILE.csv OUT.png [--size WxH]
int plot(QStringList args, const Environment &env)
{
    constexpr int kMaxSide = 10000;
    QSize size; // empty: the log window's
    if (const qsizetype at = args.indexOf(QStringLiteral("--size")); at >= 0) {
        static const QRegularExpression form(QStringLiteral("^([0-9]{1,5})x([0-9]{1,5})$"));
        const QRegularExpressionMatch m = form.match(args.value(at + 1));
        if (m.hasMatch())
            size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        if (size.width() < 1 || size.height() < 1 || size.width() > kMaxSide || size.height() > kMaxSide)
            return usageError(QStringLiteral("plot: --size must be WIDTHxHEIGHT, each 1 to %1 pixels").arg(kMaxSide));
        args.remove(at, 2);
    }
    if (args.size() != 2)
        return usageError(QStringLiteral("plot needs FILE.csv OUT.png [--size WxH]"));
    const QString suffix = QFileInfo(args[1]).suffix().toLower();
    if (suffix != u"png" && suffix != u"svg")
        return usageError(QStringLiteral("plot: %1 must end in .png or .svg").arg(args[1]));
    if (const int checked = checkOutputFile(args[1]); checked != ExitDone)
        return checked;
    if (!env.savePlot)
        return usageError(QStringLiteral("plot: this program cannot draw"));
    const std::optional<RunLog> log = loadLogFile(args[0]);
    if (!log)
        return ExitUsage;
    // The scale lines as the log window restores them from the profile.
    Config config(env.profileFolder);
    (void)config.LoadConfig({});
    QString reason;
    if (!env.savePlot(*log, size, config.ScaleLineState[0] != 0, config.ScaleLineState[1] != 0, args[1], &reason)) {
        printMessage(oneLine(kMsgCannotSave, fileAndReason(args[1], reason)));
        return ExitNotWritten;
    }
    return ExitDone;
}

QString stateText(PortState state)
{
    switch (state) {
    case PortState::Free: return kStateFree;
    case PortState::InUse: return kStateInUse;
    case PortState::NoPermission: return kStateNoPermission;
    case PortState::NoAnswer: return kStateNoAnswer;
    }
    return kStateNoAnswer;
}

// The state's name in --json.
QString stateKey(PortState state)
{
    switch (state) {
    case PortState::Free: return kStateFree; // the same word
    case PortState::InUse: return QStringLiteral("in-use");
    case PortState::NoPermission: return QStringLiteral("no-permission");
    case PortState::NoAnswer: return QStringLiteral("no-answer");
    }
    return QStringLiteral("no-answer");
}

// ports: every port the system has, probed, with the Com number pinned to it.
int ports(const Invocation &inv, const Environment &env)
{
    if (!inv.arguments.isEmpty())
        return usageError(QStringLiteral("ports takes no arguments"));
    const Config config(env.profileFolder);
    QList<KnownPort> known = knownPorts(config, env.systemPorts ? env.systemPorts() : systemPorts());
    for (KnownPort &k : known)
        probeSystemPort(k.port);
    const auto adapter = [](const SystemPort &p) {
        QStringList parts;
        for (const QString &part : {p.description, p.manufacturer})
            if (!part.isEmpty())
                parts << part;
        return parts.join(QStringLiteral(", "));
    };
    if (inv.json) {
        QJsonArray list;
        for (const KnownPort &k : known) {
            QJsonObject o;
            o.insert(QStringLiteral("name"), k.port.systemName);
            o.insert(QStringLiteral("description"), k.port.description);
            o.insert(QStringLiteral("manufacturer"), k.port.manufacturer);
            o.insert(QStringLiteral("by_id"), k.port.byIdLink.isEmpty() ? QJsonValue() : QJsonValue(k.port.byIdLink));
            o.insert(QStringLiteral("state"), stateKey(k.port.state));
            o.insert(QStringLiteral("pinned"), k.pinnedTo ? QJsonValue(QStringLiteral("Com%1").arg(k.pinnedTo)) : QJsonValue());
            list.append(o);
        }
        QJsonObject o;
        o.insert(QStringLiteral("ports"), list);
        writeOut(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented)));
    } else {
        qsizetype nameWidth = 0, stateWidth = 0;
        for (const KnownPort &k : known) {
            nameWidth = std::max(nameWidth, k.port.systemName.size());
            stateWidth = std::max(stateWidth, stateText(k.port.state).size());
        }
        for (const KnownPort &k : known) {
            const QString pinned = k.pinnedTo ? QStringLiteral("Com%1").arg(k.pinnedTo) : QStringLiteral("-");
            QString line = k.port.systemName.leftJustified(nameWidth) + QStringLiteral("  ") + pinned.leftJustified(5)
                           + u' ' + stateText(k.port.state).leftJustified(stateWidth) + QStringLiteral("  ")
                           + adapter(k.port);
            writeOut(line.trimmed() + u'\n');
            if (!k.port.byIdLink.isEmpty())
                writeOut(QString(nameWidth + 2, u' ') + k.port.byIdLink + u'\n');
        }
    }
    if (known.isEmpty())
        printMessage(kNoSystemPort);
    if (std::any_of(known.cbegin(), known.cend(), [](const KnownPort &k) { return k.port.state == PortState::NoPermission; }))
        printMessage(kHintDialout);
    return ExitDone;
}

} // namespace

namespace {

// --help and the manual page are both made from these tables (the page by
// the build's vq530t-manpage), so they can't disagree.
constexpr HelpEntry kOptionsHelp[] = {
    {"--port PORT", "use this port for this run only instead of the profile's: a device (/dev/ttyUSB0, "
                    "/dev/serial/by-id/..., COM4) or ComN as the profile maps it; without a command the window "
                    "starts with it"},
    {"--json", "show, set, defaults, stats and ports print one JSON object"},
    {"--trace FILE", "with a device command: write a trace of the line into FILE, a header (program, system, "
                     "Qt, port and adapter) and then one line per chunk: the milliseconds since the start, TX "
                     "(sent) or RX (received), and the bytes, printable ones as they are, the rest escaped (\\r, "
                     "\\xHH)"},
    {"-h, --help", "print every command and key"},
    {"--version", "print the program's name and version"},
};

constexpr HelpEntry kCommandsHelp[] = {
    {"read FILE.set", "read the controller's settings into a settings file"},
    {"show", "read and print the fourteen parameters with their units, the four flags, the VQ type and the "
             "ROM version; a value outside its range is marked (out of range)"},
    {"set KEY=VALUE ...", "read, apply the values with the editor's rules (cur-limit=off switches the current "
                          "limiter off), write, verify and print the parameters as written; a value the rules "
                          "changed is named on standard error"},
    {"write FILE.set", "read, take the ten written parameters and Off from a settings file, write and verify"},
    {"defaults", "restore the factory settings and print them"},
    {"get-log FILE.csv", "download the run-data log into a log file"},
    {"clear-log", "erase the controller's run-data log"},
    {"backups", "list the backups kept before every write, newest first"},
    {"ports", "list every serial port the system has, with the Com number pinned to it under [Ports], its "
              "state (free, in use by another program, no permission, does not answer) and its adapter"},
    {"stats FILE.csv", "print a log file's statistics with their units; a figure no second of the log gives is "
                       "\"none\" (null), energy and charge are then 0; rows the file lacks are empty seconds"},
    {"plot FILE.csv OUT.png [--size WxH]",
     "draw a log file's graph with its scales as the log window shows it, with the profile's scale lines, into "
     "a PNG file (OUT.svg: an SVG file); WxH is 1 to 10000 pixels each, by default 467x347, the log window "
     "when it opens"},
};

constexpr HelpEntry kExitHelp[] = {
    {"0", "done"},
    {"1", "the controller answered wrongly, the verify was NG, or it is another model or its data is deleted"},
    {"2", "a usage error, a bad or out-of-range value, or a bad input file (nothing is sent)"},
    {"3", "the port cannot be opened"},
    {"4", "no answer within the time-out"},
    {"5", "a local file could not be written: the output file (its folder is checked before anything is "
          "sent) or the backup every write needs"},
};

// `text` folded at 79 columns, each line indented by `indent`.
QString folded(const QString &text, int indent)
{
    QString out, line;
    for (const QString &word : text.split(u' ')) {
        if (!line.isEmpty() && indent + line.size() + 1 + word.size() > 79) {
            out += QString(indent, u' ') + line + u'\n';
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return out + QString(indent, u' ') + line + u'\n';
}

QString helpSection(std::span<const HelpEntry> entries)
{
    constexpr int kTextColumn = 21;
    QString out;
    for (const HelpEntry &e : entries) {
        const QString head = QStringLiteral("  ") + QLatin1String(e.synopsis);
        const QString body = folded(QLatin1String(e.text), kTextColumn);
        out += head.size() < kTextColumn - 1 ? head.leftJustified(kTextColumn) + body.mid(kTextColumn)
                                             : head + u'\n' + body;
    }
    return out;
}

} // namespace

std::span<const HelpEntry> optionsHelp() { return kOptionsHelp; }
std::span<const HelpEntry> commandsHelp() { return kCommandsHelp; }
std::span<const HelpEntry> exitCodesHelp() { return kExitHelp; }

QString keyName(int index)
{
    return QLatin1String(kKeys[size_t(index)]);
}

QString usageText()
{
    QString keys;
    for (int i = 0; i < kParamCount; ++i) {
        const ParamInfo &p = paramInfo(i);
        keys += QStringLiteral("  %1%2 %3..%4 %5%6\n")
                    .arg(keyName(i).leftJustified(17), QString::fromLatin1(p.caption).leftJustified(29),
                         shortestText(p.min), shortestText(p.max), QLatin1String(p.unit),
                         p.written ? QString() : QStringLiteral(" (read only)"));
    }
    QString exits;
    for (const HelpEntry &e : kExitHelp)
        exits += QStringLiteral("  %1  ").arg(QLatin1String(e.synopsis)) + folded(QLatin1String(e.text), 5).mid(5);
    return QStringLiteral("Usage: vq530t-link [--port PORT] [--json] [--trace FILE] COMMAND [ARGUMENTS]\n"
                          "Options may also follow the command. Without a COMMAND the window starts.\n"
                          "\nOptions:\n")
        + helpSection(kOptionsHelp) + QStringLiteral("\nCommands:\n") + helpSection(kCommandsHelp)
        + QStringLiteral("\nKeys:\n") + keys + QStringLiteral("\nExit codes:\n") + exits;
}

Parsed parseArguments(const QStringList &arguments)
{
    // --port, --json, --help and --version count before and after the command
    // and its arguments; other options after the command are the command's
    // own (plot's --size), the command checks them.
    Invocation inv;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == u"--port") {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty())
                return {std::nullopt, QStringLiteral("--port needs a port")};
            inv.port = arguments[++i];
        } else if (a.startsWith(QLatin1String("--port="))) {
            inv.port = a.mid(7);
            if (inv.port.isEmpty())
                return {std::nullopt, QStringLiteral("--port needs a port")};
        } else if (a == u"--trace") {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty())
                return {std::nullopt, QStringLiteral("--trace needs a file")};
            inv.trace = arguments[++i];
        } else if (a.startsWith(QLatin1String("--trace="))) {
            inv.trace = a.mid(8);
            if (inv.trace.isEmpty())
                return {std::nullopt, QStringLiteral("--trace needs a file")};
        } else if (a == u"--json") {
            inv.json = true;
        } else if (a == u"--help" || a == u"-h") {
            inv.help = true;
        } else if (a == u"--version") {
            inv.version = true;
        } else if (!inv.command.isEmpty()) {
            inv.arguments.append(a);
        } else if (a.startsWith(u'-')) {
            return {std::nullopt, QStringLiteral("unknown option %1").arg(a)};
        } else {
            inv.command = a;
        }
    }
    return {inv, {}};
}

bool wantsWindow(const Invocation &invocation)
{
    return invocation.command.isEmpty() && !invocation.help && !invocation.version;
}

namespace {
int runDevice(DeviceRun &s, const Invocation &inv, const std::optional<QList<SetValue>> &setValues,
              const std::optional<ControllerSettings> &fileBlock);
}

int run(const Invocation &inv, const Environment &env)
{
    if (inv.help) {
        writeOut(usageText());
        return ExitDone;
    }
    if (inv.version) {
        writeOut(QStringLiteral("%1 %2.%3%4\n").arg(kAppTitle).arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
        return ExitDone;
    }
    const QString &cmd = inv.command;
    const QStringList &args = inv.arguments;
    const auto wantArgs = [&](qsizetype n) { return args.size() == n; };
    static const QStringList kDeviceCommands{QStringLiteral("read"), QStringLiteral("show"), QStringLiteral("set"),
                                             QStringLiteral("write"), QStringLiteral("defaults"),
                                             QStringLiteral("get-log"), QStringLiteral("clear-log")};
    if (!inv.trace.isEmpty() && !kDeviceCommands.contains(cmd))
        return usageError(QStringLiteral("--trace goes with a device command"));

    if (cmd == u"ports")
        return ports(inv, env);

    if (cmd == u"backups") {
        if (!wantArgs(0))
            return usageError(QStringLiteral("backups takes no arguments"));
        for (const QString &path : BackupStore(env.backupFolder).list())
            writeOut(path + u'\n');
        return ExitDone;
    }
    if (cmd == u"stats") {
        if (!wantArgs(1))
            return usageError(QStringLiteral("stats needs one FILE.csv"));
        const std::optional<RunLog> log = loadLogFile(args[0]);
        if (!log)
            return ExitUsage;
        writeOut(statsText(logStatistics(*log), inv.json));
        return ExitDone;
    }
    if (cmd == u"plot")
        return plot(args, env);

    // Check everything before the port is opened: nothing is sent for a
    // command that would be refused.
    QString error;
    std::optional<QList<SetValue>> setValues;
    std::optional<ControllerSettings> fileBlock;
    if (cmd == u"read" || cmd == u"get-log") {
        if (!wantArgs(1))
            return usageError(QStringLiteral("%1 needs one FILE").arg(cmd));
        if (const int checked = checkOutputFile(args[0]); checked != ExitDone)
            return checked;
    } else if (cmd == u"show" || cmd == u"defaults" || cmd == u"clear-log") {
        if (!wantArgs(0))
            return usageError(QStringLiteral("%1 takes no arguments").arg(cmd));
    } else if (cmd == u"set") {
        setValues = parseSetValues(args, error);
        if (!setValues)
            return usageError(error);
    } else if (cmd == u"write") {
        if (!wantArgs(1))
            return usageError(QStringLiteral("write needs one FILE.set"));
        fileBlock = loadSettingsFile(args[0], error);
        if (!fileBlock) {
            printMessage(error);
            return ExitUsage;
        }
    } else {
        return usageError(QStringLiteral("unknown command \"%1\"").arg(cmd));
    }

    if (!inv.trace.isEmpty()) {
        if (const int checked = checkOutputFile(inv.trace); checked != ExitDone)
            return checked;
    }

    DeviceRun s(env, inv.port);
    int code = s.openPort();
    if (code == ExitDone)
        code = runDevice(s, inv, setValues, fileBlock);
    // The trace is written whatever the command's end, a failed open among them.
    if (!inv.trace.isEmpty()) {
        if (const int saved = s.saveTrace(inv.trace); saved != ExitDone && code == ExitDone)
            code = saved;
    }
    if (code == ExitDone)
        printMessage(kMsgCompletion);
    return code;
}

namespace {

int runDevice(DeviceRun &s, const Invocation &inv, const std::optional<QList<SetValue>> &setValues,
              const std::optional<ControllerSettings> &fileBlock)
{
    const QString &cmd = inv.command;
    const QStringList &args = inv.arguments;
    if (cmd == u"read" || cmd == u"show") {
        if (const int code = s.operate(DeviceButton::Read); code != ExitDone)
            return code;
        if (cmd == u"show") {
            writeOut(showText(s.block.readSettings().settings, inv.json));
            return ExitDone;
        }
        // As File > Setting Data > Save would write it.
        const std::optional<QString> block = s.block.buildWriteBlock();
        if (!block) {
            s.tellFault();
            return ExitFailed;
        }
        return saveFile(args[0], *settingFileContent(*block));
    }
    if (cmd == u"set" || cmd == u"write") {
        if (const int code = s.operate(DeviceButton::Read); code != ExitDone)
            return code;
        if (fileBlock) {
            // The ten written parameters and "Off" from the file; the rest
            // stays as the controller has it.
            for (int i = 0; i < kParamCount; ++i) {
                if (paramInfo(i).written)
                    s.editor.setText(i, i == CurrentLimiter && fileBlock->curLimOff
                                            ? QString()
                                            : valueText(fileBlock->values[size_t(i)]));
            }
            s.editor.setCurLimOff(fileBlock->curLimOff);
        } else {
            for (const SetValue &v : *setValues) {
                if (v.off) {
                    s.editor.setCurLimOff(true);
                    continue;
                }
                if (v.index == CurrentLimiter)
                    s.editor.setCurLimOff(false);
                s.editor.setText(v.index, v.text);
            }
        }
        if (const int code = s.operate(DeviceButton::Write); code != ExitDone)
            return code;
        // What was written, and every value the editor's rules changed.
        const ControllerSettings written = decodeBlock(s.block.writeBlock()).settings;
        for (const SetValue &v : setValues.value_or(QList<SetValue>())) {
            const double taken = written.values[size_t(v.index)];
            if (v.off || Val(v.text) == taken)
                continue;
            const QString unit = *paramInfo(v.index).unit ? u' ' + QLatin1String(paramInfo(v.index).unit) : QString();
            writeErr(QStringLiteral("%1: %2%4 taken as %3%4\n")
                         .arg(QLatin1String(kKeys[size_t(v.index)]), v.text, valueText(taken), unit));
        }
        if (cmd == u"set")
            writeOut(showText(written, inv.json));
        return ExitDone;
    }
    if (cmd == u"defaults") {
        if (const int code = s.operate(DeviceButton::Defaults); code != ExitDone)
            return code;
        writeOut(showText(s.block.readSettings().settings, inv.json));
        return ExitDone;
    }
    if (cmd == u"get-log") {
        if (const int code = s.operate(DeviceButton::DataGet); code != ExitDone)
            return code;
        return saveFile(args[0], MakeRunDat(s.log));
    }
    // clear-log
    return s.operate(DeviceButton::DataClear);
}

} // namespace

} // namespace vq::cli
