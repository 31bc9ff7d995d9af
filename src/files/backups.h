#pragma once

// Backups of the controller's own settings: before every "Setting Data Write"
// and "Default Data Write", from the window or the command line, the block the
// controller held (the ReadBlock of the read before) is kept as a settings
// file in the user's data folder, named by date and time. The newest 100 are
// kept. A backup is restored by writing it like any settings file.

#include <QString>
#include <QStringList>

namespace vq {

inline constexpr int kBackupsKept = 100;

class BackupStore
{
public:
    // `folder` empty: <user's local data folder>/backups (~/.local/share/VQ530T
    // Link/backups on Linux, %LOCALAPPDATA%\VQ530T Link\backups on Windows).
    explicit BackupStore(QString folder = {});

    [[nodiscard]] QString folder() const { return m_folder; }

    // Saves `block` (64 characters) as a new backup and drops the oldest
    // beyond the newest 100. Returns the file written, or nothing when it
    // couldn't be written; a failed backup never stops the write it precedes.
    QString save(const QString &block);

    // The backups, newest first, as full paths.
    [[nodiscard]] QStringList list() const;

private:
    QString m_folder;
};

} // namespace vq
