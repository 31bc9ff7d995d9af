#pragma once

// The settings file "*.set": nothing but the 64-character setting-data block,
// 8-bit text, no header and no line ending. The program writes exactly that;
// it also reads the block followed by one LF or CR LF, as a text editor saves
// it. A file of any other length is not a block and is ignored without a
// message.

#include "core/constants.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace vq {

// The block a settings file's bytes hold: exactly 64 characters, one line
// end after them dropped. Nothing for any other content, which is not
// turned into text at all (a 30 MB file chosen by mistake stays 30 MB).
[[nodiscard]] std::optional<QString> settingFileBlock(const QByteArray &content);

// SetFileData's test: only a text of exactly 64 characters is decoded.
[[nodiscard]] bool isSettingFileBlock(QStringView text);

// The bytes to write for a block, or nothing when the text can't be a
// settings file (not 64 characters, or characters beyond 8 bits): a file
// shorter or longer than the block must never be written.
[[nodiscard]] std::optional<QByteArray> settingFileContent(QStringView block);

} // namespace vq
