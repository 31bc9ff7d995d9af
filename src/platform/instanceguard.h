#pragma once

// Tells whether another copy of this same program file is already running.
// The key is the program file's absolute path, so two copies installed in two
// folders (each with its own profile file) can run side by side. The lock is
// a lock file in the temporary folder; a copy that crashed leaves a stale
// lock that QLockFile recognises by its process id and takes over.

#include <QLockFile>
#include <QString>

#include <memory>

namespace vq {

class InstanceGuard
{
public:
    explicit InstanceGuard(const QString &programFilePath);

    // True when this process now holds the lock, false when another running
    // copy of the same program file holds it.
    [[nodiscard]] bool tryAcquire();

    [[nodiscard]] QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace vq
