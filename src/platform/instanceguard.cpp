#include "platform/instanceguard.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace vq {

namespace {

QString userId()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

} // namespace

namespace {

QString userLockFolder()
{
#ifdef Q_OS_WIN
    // Windows has no runtime folder (Qt names the root of the user's
    // profile); the user's local application data is just as private.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return !folder.isEmpty() && QDir().mkpath(folder) ? folder : QString();
#else
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
#endif
}

} // namespace

InstanceGuard::InstanceGuard(const QString &programFilePath)
    : InstanceGuard(programFilePath, userLockFolder())
{
}

InstanceGuard::InstanceGuard(const QString &programFilePath, const QString &runtimeFolder)
    : m_path(lockFilePathFor(programFilePath, runtimeFolder))
{
}

QString InstanceGuard::lockFilePathFor(const QString &programFilePath, const QString &runtimeFolder)
{
    const QString absolute = QFileInfo(programFilePath).absoluteFilePath();
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    if (!runtimeFolder.isEmpty())
        return QDir(runtimeFolder).filePath(QStringLiteral("vq530t-link-%1.lock").arg(hash));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("vq530t-link-%1-%2.lock").arg(userId(), hash));
}

bool InstanceGuard::tryAcquire()
{
    if (m_lock && m_lock->isLocked())
        return true;
    m_lock = std::make_unique<QLockFile>(m_path);
    m_lock->setStaleLockTime(0); // only a dead owner makes the lock stale, never its age
    if (m_lock->tryLock(0))
        return true;
    // A lock that names this very process was left by an earlier run whose
    // process id the system has handed out again (Wine does so after a
    // killed run): this process takes one lock only, here, so it is stale.
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock->error() == QLockFile::LockFailedError && m_lock->getLockInfo(&pid, &host, &application)
        && pid == QCoreApplication::applicationPid() && (host.isEmpty() || host == QSysInfo::machineHostName())
        && m_lock->removeStaleLockFile())
        return m_lock->tryLock(0);
    return false;
}

} // namespace vq
