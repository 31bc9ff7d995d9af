#pragma once

// Hexadecimal digits as the controller writes them: every byte of the
// setting-data block and of the run-data reply is two digits, high nibble
// first. Either case is read.

#include <QChar>
#include <QStringView>

namespace vq {

// 0..15 for a hexadecimal digit (either case), -1 for anything else.
[[nodiscard]] constexpr int hexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}
[[nodiscard]] constexpr int hexDigitValue(QChar c) { return hexDigitValue(c.unicode()); }

// The byte written as the two digits at `pos` of `text`, or -1 when either
// isn't a hexadecimal digit. The caller makes sure both characters exist.
[[nodiscard]] inline int hexByteAt(QStringView text, qsizetype pos)
{
    const int high = hexDigitValue(text[pos]);
    const int low = hexDigitValue(text[pos + 1]);
    return (high < 0 || low < 0) ? -1 : high * 16 + low;
}

// True when every character of `text` is a hexadecimal digit.
[[nodiscard]] inline bool isHexText(QStringView text)
{
    for (const QChar c : text) {
        if (hexDigitValue(c) < 0)
            return false;
    }
    return true;
}

} // namespace vq
