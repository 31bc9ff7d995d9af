#include "files/backups.h"

#include "files/settingsfile.h"
#include "platform/safewrite.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vq {

namespace {

// Names sort by time: 20261207-014501-123.set.
const QString kNameFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");

} // namespace

BackupStore::BackupStore(QString folder)
    : m_folder(std::move(folder))
{
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/backups");
}

QString BackupStore::save(const QString &block)
{
    const std::optional<QByteArray> content = settingFileContent(block);
    if (!content || !QDir().mkpath(m_folder))
        return {};
    QDateTime when = QDateTime::currentDateTime();
    QString path;
    // Two backups within a millisecond get the next free name.
    do {
        path = QDir(m_folder).filePath(when.toString(kNameFormat) + QStringLiteral(".set"));
        when = when.addMSecs(1);
    } while (QFileInfo::exists(path));
    if (!writeFileAtomically(path, *content))
        return {};
    const QStringList all = list();
    for (qsizetype i = kBackupsKept; i < all.size(); ++i)
        QFile::remove(all[i]);
    return path;
}

QStringList BackupStore::list() const
{
    QDir dir(m_folder);
    QStringList paths;
    const QStringList names = dir.entryList({QStringLiteral("*.set")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString &name : names)
        paths.append(dir.filePath(name));
    return paths;
}

} // namespace vq
