#pragma once

#include <QByteArray>
#include <QString>

namespace vq {

// Writes `content` to `filePath` through a temporary file beside it that
// replaces the target only once the whole content is on disk, so a failed
// write (read-only folder, full disk, a target that is a folder) leaves an
// existing file exactly as it was. Returns false when nothing was replaced.
[[nodiscard]] bool writeFileAtomically(const QString &filePath, const QByteArray &content);

} // namespace vq
