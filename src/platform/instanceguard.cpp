#include "platform/instanceguard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

InstanceGuard::InstanceGuard(const QString &programFilePath)
    : InstanceGuard(programFilePath, QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
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
    return m_lock->tryLock(0);
}

} // namespace vq
