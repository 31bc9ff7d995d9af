#include "settings/settingblock.h"

#include "core/constants.h"
#include "core/conversions.h"
#include "core/hex.h"
#include "settings/paramtable.h"

#include <optional>

namespace vq {

namespace {

// Fixed bytes the controller expects in every block it is sent.
const QString kZeroBytes10to15 = QStringLiteral("000000000000");
const QString kFixedByte18 = QStringLiteral("55");
const QString kFixedByte27 = QStringLiteral("C8");
const QString kCurLimOffByte = QStringLiteral("FF");
constexpr float kFixedByte26Amps = 250.0f;

float fieldValue(const EditorModel &editor, int i)
{
    return float(Val(editor.text(i)));
}

// The field's value brought to the nearest whole number, an exact half to the
// even neighbour, as upper-case hexadecimal digits.
QString wholeHex(const EditorModel &editor, int i)
{
    return hexText(qint64(roundHalfEven(double(fieldValue(editor, i)))));
}

// "0" in front, the last two characters kept: 6 -> 06, 2A -> 2A.
QString bytePiece(const QString &hex)
{
    return (QLatin1Char('0') + hex).right(2);
}

// Two characters of the block at byte n (0-based).
QStringView byteChars(QStringView block, int n)
{
    return block.mid(2 * n, 2);
}

// Strict reading of a byte: both characters must be hexadecimal digits.
std::optional<int> strictByte(QStringView block, int n)
{
    const int byte = hexByteAt(block, 2 * n);
    if (byte < 0)
        return std::nullopt;
    return byte;
}

// Lenient reading for the converted bytes, as byte text for the unit helpers.
QString byteText(QStringView block, int n)
{
    return QStringLiteral("&H") + byteChars(block, n).toString();
}

} // namespace

WriteDataResult MakeWriteData(const EditorModel &editor, const QString &readBlock)
{
    WriteDataResult result;

    for (int i = 0; i < kParamCount; ++i) {
        if (i == CurrentLimiter && editor.curLimOff())
            continue; // written as FF whatever the field holds
        // Marks are only as good as the change handling that set them; a text
        // that isn't a plain number is refused here even when unmarked
        // ("5x" reads as 5, letters as 0).
        const QString text = editor.text(i);
        if (text.isEmpty() || editor.marked(i) || !isPlainNumber(text)) {
            result.message = kMsgDataAbnormal;
            result.icon = MessageIcon::Information;
            result.field = i;
            return result;
        }
    }

    if (readBlock.size() != kBlockLength) {
        result.message = kMsgNoReadBlock;
        result.icon = MessageIcon::Exclamation;
        return result;
    }

    QString block;
    block.reserve(kBlockLength);

    // Bytes 0-3: the two PWM frequencies, 16-bit, low byte first.
    for (int i : {PwmMinLoad, PwmMaxLoad}) {
        const QString h = (QStringLiteral("000") + wholeHex(editor, i)).right(4);
        block += h.right(2);
        block += h.left(2);
    }
    // Bytes 4-9: the controller's throttle calibration, as read.
    block += readBlock.mid(8, 12);
    block += kZeroBytes10to15;

    const auto copied = [&](int n) { return readBlock.mid(2 * n, 2); };
    block += bytePiece(wholeHex(editor, DeadBand));                                   // 16
    block += bytePiece(VoltToHex(fieldValue(editor, LowBattProtection)));             // 17
    block += kFixedByte18;                                                            // 18
    block += editor.curLimOff() ? kCurLimOffByte
                                : bytePiece(AmpToHex(fieldValue(editor, CurrentLimiter))); // 19
    block += bytePiece(wholeHex(editor, BrakeMaxDuty));                               // 20
    block += copied(21);                                                              // Reverse Max Duty
    block += bytePiece(PercentToHex(fieldValue(editor, NeutralBrake)));               // 22
    block += bytePiece(wholeHex(editor, CurrentLimitTimer));                          // 23
    block += bytePiece(AmpToHex(fieldValue(editor, CurrentLimiterTimeLimit)));        // 24
    block += bytePiece(wholeHex(editor, ForwardBoost));                               // 25
    block += bytePiece(AmpToHex(kFixedByte26Amps));                                   // 26
    block += kFixedByte27;                                                            // 27
    // Bytes 28-31: controller byte, model code, ROM version, mode flags.
    for (int n = 28; n <= 31; ++n)
        block += copied(n);

    Q_ASSERT(block.size() == kBlockLength);
    result.ok = true;
    result.block = block;
    return result;
}

DecodeResult ShowSettingData(QStringView block, EditorModel &editor)
{
    if (block.size() < kBlockLength)
        return {DecodeStatus::Malformed, kFieldBlockLength};
    block = block.left(kBlockLength);

    const auto malformed = [](int field) { return DecodeResult{DecodeStatus::Malformed, field}; };

    const int model = int(Val(byteText(block, 29)));
    if (model == kModelDeleted)
        return {DecodeStatus::Deleted};
    if (model != kModelVQ530T) {
        editor.setVqType(QString());
        return {DecodeStatus::OtherModel};
    }

    editor.setVqType(kVqTypeName);

    // Words 0-4: PWM frequencies, neutral and the two end points.
    for (int i = 0; i <= HighPointBrake; ++i) {
        const std::optional<int> low = strictByte(block, 2 * i);
        const std::optional<int> high = strictByte(block, 2 * i + 1);
        if (!low || !high)
            return malformed(i);
        editor.setText(i, QString::number(*high * 256 + *low));
    }

    const auto plainByte = [&](int field, int n) {
        const std::optional<int> value = strictByte(block, n);
        if (value)
            editor.setText(field, QString::number(*value));
        return value.has_value();
    };

    if (!plainByte(DeadBand, 16))
        return malformed(DeadBand);
    editor.setText(LowBattProtection, shortestText(ByteToVolt(byteText(block, 17))));
    editor.setText(CurrentLimiter, shortestText(ByteToAmp(byteText(block, 19))));
    // "Off" follows the field: ticking it empties the field and remembers 480.
    editor.setCurLimOff(float(Val(editor.text(CurrentLimiter))) == kCurLimOffAmps);
    if (!plainByte(BrakeMaxDuty, 20))
        return malformed(BrakeMaxDuty);
    if (!plainByte(ReverseMaxDuty, 21))
        return malformed(ReverseMaxDuty);
    editor.setText(NeutralBrake, ByteToPercent(byteText(block, 22)));
    if (!plainByte(CurrentLimitTimer, 23))
        return malformed(CurrentLimitTimer);
    editor.setText(CurrentLimiterTimeLimit, shortestText(ByteToAmp(byteText(block, 24))));
    if (!plainByte(ForwardBoost, 25))
        return malformed(ForwardBoost);

    const std::optional<int> rom = strictByte(block, 30);
    if (!rom)
        return malformed(kFieldRomVersion);
    editor.setRomVersion(QString::number(*rom));

    // Character 64 alone carries the four flags; character 63 is not read.
    const int flags = hexDigitValue(block[kBlockLength - 1]);
    if (flags < 0)
        return malformed(kFieldModeFlags);
    for (int k = 0; k < 4; ++k)
        editor.setMode(k, (flags >> k) & 1);

    return {DecodeStatus::Ok};
}

} // namespace vq
