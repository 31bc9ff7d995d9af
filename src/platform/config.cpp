#include "platform/config.h"

#include "platform/profilefile.h"
#include "core/conversions.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace vq {

bool canCreateFileIn(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("probe-XXXXXX")));
    return probe.open(); // removed when `probe` goes
}

QString profileFolder(const QString &programFolder, bool programFolderWritable, const QString &userFolder)
{
    if (programFolderWritable || userFolder.isEmpty() || !QDir().mkpath(userFolder))
        return programFolder;
    const QString name = kAppTitle + QStringLiteral(".ini");
    const QString beside = QDir(programFolder).filePath(name);
    const QString own = QDir(userFolder).filePath(name);
    if (!QFile::exists(own) && QFile::exists(beside) && QFile::copy(beside, own)) {
        // The copy takes over the original's permissions: a read-only profile
        // handed out with the program must not make the user's read-only too.
        QFile::setPermissions(own, QFile::permissions(own) | QFile::ReadOwner | QFile::WriteOwner);
    }
    return userFolder;
}

QString profileFolder(const QString &programFolder)
{
#ifdef Q_OS_WIN
    // %APPDATA%\VQ530T Link: the roaming profile, where Windows programs keep
    // their settings (Qt's configuration location there is the local one).
    const auto userLocation = QStandardPaths::AppDataLocation;
#else
    const auto userLocation = QStandardPaths::AppConfigLocation;
#endif
    return profileFolder(programFolder, canCreateFileIn(programFolder), QStandardPaths::writableLocation(userLocation));
}

Config::Config(QString appPath, QString appTitle)
    : AppPath(std::move(appPath)), AppTitle(std::move(appTitle))
{
}

QString Config::iniPath() const
{
    return QDir(AppPath).filePath(AppTitle + QStringLiteral(".ini"));
}

QString Config::ReadIniString(const QString &section, const QString &key)
{
    IniValue = readProfileString(iniPath(), section, key, kIniMissing, 255);
    return IniValue;
}

void Config::WriteIniString(const QString &section, const QString &key, const QString &value)
{
    // Like the platform's profile writer, the outcome is not looked at: a
    // read-only folder or a full disk must not disturb the user.
    (void)writeProfileString(iniPath(), section, key, value);
}

std::optional<qint16> Config::readCommPort()
{
    const QString port = ReadIniString(QStringLiteral("RS232C"), QStringLiteral("CommPort"));
    if (port == kIniMissing)
        return std::nullopt;
    // A number that doesn't fit a 16-bit integer means no usable port.
    return toInt16(Val(port)).value_or(0);
}

bool Config::LoadConfig(const std::function<bool()> &showPortDialog)
{
    bool needDialog = false;
    if (const std::optional<qint16> port = readCommPort())
        CommPortNo = *port;
    else
        needDialog = true;

    for (int i = 0; i < 2; ++i) {
        const QString state = ReadIniString(QStringLiteral("Chart"), QStringLiteral("ScaleLine%1").arg(i));
        if (state != kIniMissing) {
            const double v = Val(state);
            // Any value other than 0 means ticked, also one too large to store.
            ScaleLineState[size_t(i)] = toInt16(v).value_or(1);
        }
    }

    if (needDialog && showPortDialog)
        return showPortDialog();
    return true;
}

void Config::storeCommPort(qint16 port)
{
    CommPortNo = port;
    WriteIniString(QStringLiteral("RS232C"), QStringLiteral("CommPort"), u' ' + QString::number(port));
}

void Config::storeScaleLine(int index, bool ticked)
{
    if (index < 0 || index > 1)
        return;
    ScaleLineState[size_t(index)] = ticked ? 1 : 0;
    WriteIniString(QStringLiteral("Chart"), QStringLiteral("ScaleLine%1").arg(index),
                   ticked ? QStringLiteral("1") : QStringLiteral("0"));
}

QString Config::readLanguage()
{
    const QString code = ReadIniString(QStringLiteral("Display"), QStringLiteral("Language"));
    return code == kIniMissing ? QString() : code.trimmed();
}

void Config::storeLanguage(const QString &code)
{
    WriteIniString(QStringLiteral("Display"), QStringLiteral("Language"), code);
}

} // namespace vq
