#pragma once

// Backups of the controller's own settings: before every Setting Data Write
// and Default Data Write, from the window or the command line, the block the
// controller held (the ReadBlock of the read before) is kept as a settings
// file in the user's data folder, named by the time it was made. The newest
// 100 are kept. A backup is restored by writing it like any settings file.
//
// Names give the time in UTC (20261207T061530.123Z.set), so a change of time
// zone or of summer time never makes a new backup look old. Backups made
// before were named by local time (20261207-014501-123.set); they are read
// as local time and kept, listed and pruned with the others.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace vq {

inline constexpr int kBackupsKept = 100;

struct BackupResult
{
    QString path;   // the backup written; empty when none was
    QString reason; // why not, in the system's words where it refused
};

class BackupStore
{
public:
    // `folder` empty: <user's local data folder>/backups (~/.local/share/VQ530T
    // Link/backups on Linux, %LOCALAPPDATA%\VQ530T Link\backups on Windows).
    explicit BackupStore(QString folder = {});

    [[nodiscard]] QString folder() const { return m_folder; }

    // Saves `block` (64 characters) as a new backup and drops the oldest
    // beyond the newest 100; the backup just made is never one of them, even
    // when the clock has gone back behind older ones.
    BackupResult save(const QString &block);

    // The backups, newest first, as full paths. Files of the folder whose
    // names give no time are not backups and are left alone.
    [[nodiscard]] QStringList list() const;

    // The time a backup's file name gives, or an invalid time.
    [[nodiscard]] static QDateTime timeOfName(const QString &fileName);
    // The name a backup made at `when` gets.
    [[nodiscard]] static QString nameForTime(const QDateTime &when);

private:
    QString m_folder;
};

} // namespace vq
