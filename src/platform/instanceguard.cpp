#include "platform/instanceguard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace vq {

InstanceGuard::InstanceGuard(const QString &programFilePath)
{
    const QString absolute = QFileInfo(programFilePath).absoluteFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(absolute.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_path = QDir(QDir::tempPath()).filePath(QStringLiteral("vq530t-link-%1.lock").arg(QString::fromLatin1(hash)));
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
