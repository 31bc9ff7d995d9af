#include "platform/safewrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace vq {

namespace {

bool writeInPlace(const QString &filePath, const QByteArray &content)
{
    QFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(content) == content.size() && file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace

bool writeFileAtomically(const QString &filePath, const QByteArray &content)
{
    return writeFileAtomically(filePath, content,
                               [](QSaveFile &file) { return file.open(QIODevice::WriteOnly); });
}

bool writeFileAtomically(const QString &filePath, const QByteArray &content,
                         const std::function<bool(QSaveFile &)> &openTemporary)
{
    QSaveFile file(filePath);
    if (!openTemporary(file)) {
        // No temporary file beside the target: an existing file the user may
        // write is overwritten where it is; anything else stays refused.
        if (!QFileInfo(filePath).isFile())
            return false;
        return writeInPlace(filePath, content);
    }
    // QSaveFile buffers what it is given: a disk that refuses the rest only
    // shows when the buffer goes out, and commit() would then put the
    // truncated file in place of the old one. Flush first and look.
    if (file.write(content) != content.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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

} // namespace vq
