#include "files/settingsfile.h"

namespace vq {

QString settingFileText(const QByteArray &content)
{
    return QString::fromLatin1(content);
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
