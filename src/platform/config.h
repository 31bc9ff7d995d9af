#pragma once

// The program's profile file "VQ530T Link.ini" and the values kept in it
// between runs:
//
//   [RS232C]  CommPort= 3          the port number, written with one leading blank
//   [Chart]   ScaleLine0=1         the log window's two "Scale Line" boxes
//             ScaleLine1=0
//   [Ports]   Com3=/dev/ttyUSB0    optional: which device "Com n" means here
//   [Display] Language=de          the windows' language; missing: English
//
// Keys are written the moment their value changes, never at start-up or exit,
// and no key is ever deleted. A failed write is ignored: the value still holds
// for the rest of the run.
//
// The file sits beside the program, unless the program's folder can't be
// written (an installed program in /usr/bin): then it sits in the user's
// configuration folder, see profileFolder().

#include "core/constants.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace vq {

// What ReadIniString answers for a missing file, section or key.
inline const QString kIniMissing = QStringLiteral("Error");

class Config
{
public:
    explicit Config(QString appPath = {}, QString appTitle = kAppTitle);

    // <AppPath>/<AppTitle>.ini, built afresh from the two on every call.
    [[nodiscard]] QString iniPath() const;

    // The stored value (at most 255 characters) or "Error". Also kept in IniValue.
    QString ReadIniString(const QString &section, const QString &key);
    void WriteIniString(const QString &section, const QString &key, const QString &value);

    // The port stored under [RS232C] CommPort, as the window's start-up and
    // the command line both take it: nothing when the profile holds none, 0
    // when what it holds is no port number that fits (then no port opens).
    [[nodiscard]] std::optional<qint16> readCommPort();

    // Reads CommPort and the two ScaleLine keys once at start-up. When the file
    // holds no CommPort, runs `showPortDialog` (the port-selection dialog, which
    // stores the port itself) before returning. False when that dialog was
    // cancelled: then no port is to be opened.
    [[nodiscard]] bool LoadConfig(const std::function<bool()> &showPortDialog);

    // Sets CommPortNo and writes it as "CommPort= n" under [RS232C].
    void storeCommPort(qint16 port);
    // Sets ScaleLineState(index) and writes "ScaleLine<index>=0|1" under [Chart].
    void storeScaleLine(int index, bool ticked);
    // The windows' language as stored under [Display] Language, empty when
    // the profile holds none; which codes mean a language is the window's
    // business (anything it doesn't know is English).
    [[nodiscard]] QString readLanguage();
    // Writes "Language=<code>" under [Display].
    void storeLanguage(const QString &code);

    QString AppPath;
    QString AppTitle;
    qint16 CommPortNo = 0;
    std::array<qint16, 2> ScaleLineState{0, 0};
    QString IniValue;
};

// Whether a file can be created in `folder`. Tried with a temporary file,
// removed at once: the only answer that holds on every platform and file
// system, whatever the permission bits say.
[[nodiscard]] bool canCreateFileIn(const QString &folder);

// The folder that holds the profile of a program in `programFolder`: that
// folder itself when it is writable, as for a copy run from its build folder
// or a portable folder. Otherwise `userFolder`, made when missing; a profile
// found beside the program is copied there when the user has none yet, so
// that a profile handed out with the program is where the user starts. The
// profile beside an unwritable program is never written. An empty
// `userFolder` leaves the profile beside the program.
[[nodiscard]] QString profileFolder(const QString &programFolder, bool programFolderWritable,
                                    const QString &userFolder);

// The same for this run: the user's folder is the application's configuration
// folder (~/.config/VQ530T Link on Linux, %APPDATA%\VQ530T Link on Windows),
// so the application name must be set first.
[[nodiscard]] QString profileFolder(const QString &programFolder);

} // namespace vq
