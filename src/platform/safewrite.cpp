#include "platform/safewrite.h"

#include <QSaveFile>

namespace vq {

bool writeFileAtomically(const QString &filePath, const QByteArray &content)
{
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // QSaveFile buffers what it is given: a disk that refuses the rest only
    // shows when the buffer goes out, and commit() would then put the
    // truncated file in place of the old one. Flush first and look.
    if (file.write(content) != content.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace vq
