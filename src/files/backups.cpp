#include "files/backups.h"

#include "files/settingsfile.h"
#include "platform/safewrite.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimeZone>

#include <algorithm>

namespace vq {

namespace {

// 20261207T061530.123Z.set: ISO 8601 basic format, UTC. The local-time names
// of before are 20261207-014501-123.set.
const QString kUtcFormat = QStringLiteral("yyyyMMdd'T'HHmmss.zzz");

struct Backup
{
    QDateTime when;
    QString name;
};

} // namespace

BackupStore::BackupStore(QString folder)
    : m_folder(std::move(folder))
{
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/backups");
}

QDateTime BackupStore::timeOfName(const QString &fileName)
{
    static const QRegularExpression form(
        QStringLiteral("^([0-9]{8})(?:T([0-9]{6}\\.[0-9]{3})Z|-([0-9]{6}-[0-9]{3}))\\.set$"));
    const QRegularExpressionMatch m = form.match(fileName);
    if (!m.hasMatch())
        return {};
    const QDate date = QDate::fromString(m.captured(1), QStringLiteral("yyyyMMdd"));
    const bool utc = m.hasCaptured(2);
    const QTime time = utc ? QTime::fromString(m.captured(2), QStringLiteral("HHmmss.zzz"))
                           : QTime::fromString(m.captured(3), QStringLiteral("HHmmss-zzz"));
    if (!date.isValid() || !time.isValid())
        return {};
    if (!utc) {
        // An hour the clock skipped can't be a local time; read it as UTC
        // rather than lose the backup from the list.
        const QDateTime local(date, time);
        if (local.isValid())
            return local;
    }
    return QDateTime(date, time, QTimeZone::utc());
}

QString BackupStore::nameForTime(const QDateTime &when)
{
    return when.toUTC().toString(kUtcFormat) + QStringLiteral("Z.set");
}

BackupResult BackupStore::save(const QString &block)
{
    const std::optional<QByteArray> content = settingFileContent(block);
    if (!content)
        return {{}, QStringLiteral("not a setting-data block")};
    // A folder that can't be made shows its reason when the file is written.
    (void)QDir().mkpath(m_folder);
    QDateTime when = QDateTime::currentDateTimeUtc();
    QString path;
    // Two backups within a millisecond get the next free name.
    do {
        path = QDir(m_folder).filePath(nameForTime(when));
        when = when.addMSecs(1);
    } while (QFileInfo::exists(path));
    QString reason;
    if (!writeFileAtomically(path, *content, &reason))
        return {{}, reason};
    QStringList others = list();
    others.removeOne(path);
    for (qsizetype i = kBackupsKept - 1; i < others.size(); ++i)
        QFile::remove(others[i]);
    return {path, {}};
}

QStringList BackupStore::list() const
{
    const QDir dir(m_folder);
    QList<Backup> backups;
    for (const QString &name : dir.entryList({QStringLiteral("*.set")}, QDir::Files)) {
        const QDateTime when = timeOfName(name);
        if (when.isValid())
            backups.append({when, name});
    }
    // Newest first; a tie (an old name and a new one for the same moment)
    // by name, so the order is the same every time.
    std::sort(backups.begin(), backups.end(), [](const Backup &a, const Backup &b) {
        return a.when != b.when ? a.when > b.when : a.name > b.name;
    });
    QStringList paths;
    for (const Backup &b : std::as_const(backups))
        paths.append(dir.filePath(b.name));
    return paths;
}

} // namespace vq
