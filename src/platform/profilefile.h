#pragma once

// Reader and writer of the program's profile (INI) file.
//
// The format is the classic Windows profile file: "[Section]" lines open a
// section, "key=value" lines inside it give a key its value, anything else
// (comments, blank lines, stray text) is kept exactly as it stands. Section
// and key names compare without regard to case; blanks around names and values
// are not part of them, and a value in matching double quotes loses them.
// Bytes are read and written as Latin-1 so that no byte of a hand-edited file
// is ever changed, and the file keeps the line ends it already uses (CR LF for
// a new file).

#include <QString>

namespace vq {

// The value stored for section/key in the file, or `fallback` when the file,
// the section or the key doesn't exist. The value is cut to `maxLength`
// characters.
[[nodiscard]] QString readProfileString(const QString &filePath, const QString &section,
                                        const QString &key, const QString &fallback,
                                        int maxLength = 255);

// Creates or replaces the line "key=value" of the section, creating the file
// and the section as needed and leaving every other line untouched. The file
// is replaced atomically, so a failed write leaves the old file as it was.
// Returns false when the file could not be written.
bool writeProfileString(const QString &filePath, const QString &section, const QString &key,
                        const QString &value);

} // namespace vq
