#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QSaveFile;

namespace vq {

// Writes `content` to `filePath` through a temporary file beside it that
// replaces the target only once the whole content is on disk, so a failed
// write (full disk, a target that is a folder) leaves an existing file exactly
// as it was. Only where no temporary file can be made beside an existing
// file (a writable file in a folder that isn't, a name too long for the
// temporary one) is the file written in place, as a plain overwrite would.
// Only an ordinary file is ever replaced: an existing target that is a
// folder, a device, a pipe or a socket is refused and left as it is (a
// symbolic link to an ordinary file writes that file).
// Returns false when nothing was written; `reason` then gets why, in the
// system's words where the system refused.
[[nodiscard]] bool writeFileAtomically(const QString &filePath, const QByteArray &content,
                                       QString *reason = nullptr);

// The same with the step that makes the temporary file given: it opens the
// QSaveFile for writing and says whether it could. Tests refuse it here.
[[nodiscard]] bool writeFileAtomically(const QString &filePath, const QByteArray &content,
                                       const std::function<bool(QSaveFile &)> &openTemporary,
                                       QString *reason = nullptr);

// Reads the whole file, or nothing when it can't be read. Only regular files
// are read: a folder, a device or a pipe chosen by name is a file error, not
// something to wait on or to load without end.
[[nodiscard]] std::optional<QByteArray> readWholeFile(const QString &filePath);

// Why readWholeFile refused `filePath`, in the system's own words where the
// system refused: text to show the user, in the user's language, never to
// decide by.
[[nodiscard]] QString readFailureReason(const QString &filePath);

} // namespace vq
