#include "files/settingsfile.h"

namespace vq {

std::optional<QString> settingFileBlock(const QByteArray &content)
{
    // A text editor ends the last line: one LF or CR LF after a whole block
    // is the editor's, not part of the block.
    QByteArrayView text(content);
    if (text.size() > kBlockLength) {
        const QByteArrayView rest = text.sliced(kBlockLength);
        if (rest != "\n" && rest != "\r\n")
            return std::nullopt;
        text = text.first(kBlockLength);
        if (text.contains('\n') || text.contains('\r'))
            return std::nullopt;
    }
    if (text.size() != kBlockLength)
        return std::nullopt;
    return QString::fromLatin1(text);
}

bool isSettingFileBlock(QStringView text)
{
    return text.size() == kBlockLength;
}

std::optional<QByteArray> settingFileContent(QStringView block)
{
    if (!isSettingFileBlock(block))
        return std::nullopt;
    for (const QChar c : block) {
        if (c.unicode() > 0xFF)
            return std::nullopt;
    }
    return block.toLatin1();
}

} // namespace vq
