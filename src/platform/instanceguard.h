#pragma once

// Tells whether this user already runs another copy of this same program
// file. The key is the program file's absolute path, so two copies installed
// in two folders (each with its own profile file) can run side by side. The
// lock is a lock file in the user's own runtime folder, so other users of the
// same machine run their own copies and never meet this user's lock. A copy
// that crashed leaves a stale lock that QLockFile recognises by its process
// id and takes over; so is a lock that names this process itself, left by a
// run whose id the system gave out again.

#include <QLockFile>
#include <QString>

#include <memory>

namespace vq {

class InstanceGuard
{
public:
    // The lock lies in the user's runtime folder (QStandardPaths::RuntimeLocation;
    // on Windows the user's local application data).
    explicit InstanceGuard(const QString &programFilePath);
    // The lock lies in runtimeFolder; an empty one means the user has none.
    InstanceGuard(const QString &programFilePath, const QString &runtimeFolder);

    // True when this process now holds the lock, false when another running
    // copy of the same program file holds it.
    [[nodiscard]] bool tryAcquire();

    [[nodiscard]] QString lockFilePath() const { return m_path; }

    // The lock file of programFilePath inside runtimeFolder, or, when there is
    // no runtime folder, in the temporary folder under a name that carries the
    // user's id.
    [[nodiscard]] static QString lockFilePathFor(const QString &programFilePath, const QString &runtimeFolder);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace vq
