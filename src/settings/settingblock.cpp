#include "settings/settingblock.h"

#include "core/conversions.h"
#include "core/hex.h"

namespace vq {

namespace {

// Bytes (0-based) that only the codec knows.
constexpr int kModelByte = 29;
constexpr int kRomVersionByte = 30;
constexpr int kFlagsChar = kBlockLength - 1; // character 64 alone; 63 is not read

// Fixed bytes the controller expects in every block it is sent.
struct FixedBytes {
    int first;
    int count;
    int value;
};
constexpr FixedBytes kFixedBytes[] = {{10, 6, 0x00}, {18, 1, 0x55}, {27, 1, 0xC8}};
constexpr int kAmpsByte = 26;
constexpr float kFixedAmps = 250.0f;
constexpr int kCurLimOffByte = 0xFF;

// Strict reading of a plain value: every character a hexadecimal digit,
// bytes low first.
std::optional<int> plainValue(QStringView block, int firstByte, int byteCount)
{
    int value = 0;
    for (int k = byteCount - 1; k >= 0; --k) {
        const int byte = hexByteAt(block, 2 * (firstByte + k));
        if (byte < 0)
            return std::nullopt;
        value = value * 256 + byte;
    }
    return value;
}

// Lenient reading of a converted byte, as the number scanner reads
// hexadecimal digits: blanks skipped, stopping at the first other character.
int lenientByte(QStringView block, int n)
{
    return int(scanNumber(block.mid(2 * n, 2), NumberBase::Hex).value);
}

double unitValue(Conversion conversion, int byte)
{
    switch (conversion) {
    case Conversion::Volt: return byteToVolt(byte);
    case Conversion::Amp: return byteToAmp(byte);
    case Conversion::Percent: return byteToPercent(byte);
    case Conversion::Word:
    case Conversion::Byte: break;
    }
    return byte;
}

// The number the block carries for a value, before its low bits are kept.
qint64 blockNumber(Conversion conversion, float value)
{
    switch (conversion) {
    case Conversion::Volt: return voltToByte(value);
    case Conversion::Amp: return ampToByte(value);
    case Conversion::Percent: return percentToByte(value);
    case Conversion::Word:
    case Conversion::Byte: break;
    }
    return qint64(roundHalfEven(double(value)));
}

void putByte(QString &block, int n, qint64 byte)
{
    const QString digits = QStringLiteral("%1").arg(byte & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
    block.replace(2 * n, 2, digits);
}

} // namespace

QString valueText(double value)
{
    return shortestText(float(value));
}

bool inRange(int index, double value)
{
    const ParamInfo &p = paramInfo(index);
    const float v = float(value);
    return p.min <= v && v <= p.max;
}

DecodedBlock decodeBlock(QStringView block)
{
    DecodedBlock d;
    if (block.size() < kBlockLength) {
        d.status = DecodeStatus::Malformed;
        d.field = kFieldBlockLength;
        return d;
    }
    block = block.left(kBlockLength);
    ControllerSettings &s = d.settings;
    s.romVersion = plainValue(block, kRomVersionByte, 1).value_or(-1);
    s.model = lenientByte(block, kModelByte);
    if (s.model == kModelDeleted) {
        d.status = DecodeStatus::Deleted;
        return d;
    }
    if (s.model != kModelVQ530T) {
        d.status = DecodeStatus::OtherModel;
        return d;
    }

    const auto stop = [&d](int field) {
        d.status = DecodeStatus::Malformed;
        d.field = field;
        return d;
    };
    for (const ParamInfo &p : paramTable()) {
        double value = 0;
        if (p.conversion == Conversion::Word || p.conversion == Conversion::Byte) {
            const std::optional<int> plain = plainValue(block, p.firstByte, p.byteCount);
            if (!plain)
                return stop(p.index);
            value = *plain;
        } else {
            value = unitValue(p.conversion, lenientByte(block, p.firstByte));
        }
        s.values[size_t(p.index)] = value;
        if (p.index == CurrentLimiter)
            s.curLimOff = float(value) == kCurLimOffAmps;
    }
    if (s.romVersion < 0)
        return stop(kFieldRomVersion);
    const int flags = hexDigitValue(block[kFlagsChar]);
    if (flags < 0)
        return stop(kFieldModeFlags);
    for (int k = 0; k < int(s.modes.size()); ++k)
        s.modes[size_t(k)] = (flags >> k) & 1;
    return d;
}

std::optional<QString> encodeBlock(const ControllerSettings &settings, QStringView readBlock)
{
    if (readBlock.size() != kBlockLength)
        return std::nullopt;
    // What the controller keeps (its calibration, Reverse Max Duty, the
    // identity bytes and the flags) stays as read.
    QString block = readBlock.toString();
    for (const FixedBytes &f : kFixedBytes) {
        for (int n = f.first; n < f.first + f.count; ++n)
            putByte(block, n, f.value);
    }
    putByte(block, kAmpsByte, ampToByte(kFixedAmps));
    for (const ParamInfo &p : paramTable()) {
        if (!p.written)
            continue;
        const qint64 number = p.index == CurrentLimiter && settings.curLimOff
                                  ? kCurLimOffByte
                                  : blockNumber(p.conversion, float(settings.values[size_t(p.index)]));
        for (int k = 0; k < p.byteCount; ++k)
            putByte(block, p.firstByte + k, number >> (8 * k));
    }
    return block;
}

} // namespace vq
