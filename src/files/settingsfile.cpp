#include "files/settingsfile.h"

#include <algorithm>

namespace vq {

QString settingFileText(const QByteArray &content)
{
    // A text editor ends the last line: one LF or CR LF after a whole block
    // is the editor's, not part of the block.
    QByteArrayView text(content);
    const QByteArrayView block = text.first(std::min<qsizetype>(text.size(), kBlockLength));
    const QByteArrayView rest = text.sliced(block.size());
    if (block.size() == kBlockLength && (rest == "\n" || rest == "\r\n") && !block.contains('\n')
        && !block.contains('\r'))
        text = block;
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
