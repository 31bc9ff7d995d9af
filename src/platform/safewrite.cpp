#include "platform/safewrite.h"

#include "core/messages.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vq {

namespace {

bool failed(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

bool writeInPlace(const QString &filePath, const QByteArray &content, QString *reason)
{
    QFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return failed(reason, file.errorString());
    const bool written = file.write(content) == content.size() && file.flush();
    file.close();
    if (!written || file.error() != QFileDevice::NoError)
        return failed(reason, file.errorString());
    return true;
}

} // namespace

bool writeFileAtomically(const QString &filePath, const QByteArray &content, QString *reason)
{
    return writeFileAtomically(
        filePath, content, [](QSaveFile &file) { return file.open(QIODevice::WriteOnly); }, reason);
}

bool writeFileAtomically(const QString &filePath, const QByteArray &content,
                         const std::function<bool(QSaveFile &)> &openTemporary, QString *reason)
{
    // QSaveFile would rename its temporary file over whatever bears the name:
    // a device node chosen in the save dialog (by root, /dev/ttyUSB0 itself)
    // or a pipe another program reads from would be gone for good.
    const QFileInfo target(filePath);
    if (target.exists() && !target.isFile())
        return failed(reason, kReasonNotOrdinary);
    // A file marked read-only (Windows' attribute, or no write permission for
    // its owner) is the user's own protection: renaming over it would get
    // past it, also for root or where the folder may be written.
    if (target.isFile() && !(target.permissions() & QFileDevice::WriteOwner))
        return failed(reason, kReasonReadOnly);

    QSaveFile file(filePath);
    if (!openTemporary(file)) {
        // No temporary file beside the target: an existing file the user may
        // write is overwritten where it is; anything else stays refused.
        if (!target.isFile())
            return failed(reason, file.errorString());
        return writeInPlace(filePath, content, reason);
    }
    // QSaveFile buffers what it is given: a disk that refuses the rest only
    // shows when the buffer goes out, and commit() would then put the
    // truncated file in place of the old one. Flush first and look.
    if (file.write(content) != content.size() || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return failed(reason, why);
    }
    if (!file.commit())
        return failed(reason, file.errorString());
    return true;
}

std::optional<QByteArray> readWholeFile(const QString &filePath)
{
    if (!QFileInfo(filePath).isFile())
        return std::nullopt;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return content;
}

QString readFailureReason(const QString &filePath)
{
    const QFileInfo info(filePath);
    if (info.isDir())
        return kReasonIsFolder;
    if (info.exists() && !info.isFile())
        return kReasonNotOrdinary;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return kReasonUnreadable;
}

} // namespace vq
