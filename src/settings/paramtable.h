#pragma once

// The controller's fourteen adjustable parameters: caption, unit, permitted
// range, spin bounds and step, field length, tool tip and where each travels
// in the 64-character setting-data block. The table never changes at run time.

#include <QString>

#include <array>

namespace vq {

inline constexpr int kParamCount = 14;

// Parameter indices, as the editor fields TxtData(0..13) are numbered.
enum ParamIndex : int {
    PwmMinLoad = 0,
    PwmMaxLoad = 1,
    Neutral = 2,
    HighPointForward = 3,
    HighPointBrake = 4,
    DeadBand = 5,
    LowBattProtection = 6,
    CurrentLimiter = 7,
    BrakeMaxDuty = 8,
    ReverseMaxDuty = 9,
    NeutralBrake = 10,
    CurrentLimitTimer = 11,
    CurrentLimiterTimeLimit = 12,
    ForwardBoost = 13,
};

// How a parameter's value travels in the block.
enum class Conversion {
    Word,    // whole number, 16 bits, low byte first; read strictly
    Byte,    // whole number, 8 bits; read strictly
    Volt,    // volts <-> byte; the converted bytes are read leniently
    Amp,     // amperes in steps of 10 A <-> byte
    Percent, // whole percent <-> byte (0..255)
};

struct ParamInfo {
    int index;
    const char *caption;
    const char *unit;   // empty for Forward Boost
    float min;          // MinData(i)
    float max;          // MaxData(i)
    int spinMin;        // UpDownData(i) bounds; tenths of a volt for index 6
    int spinMax;
    int spinStep;
    int maxLength;      // characters the field takes
    int firstByte;      // byte of the block that carries the value (0-based)
    int byteCount;      // 2 for the 16-bit words (low byte first), else 1
    Conversion conversion;
    bool written;       // false: shown only, the block carries the controller's own bytes
};

// The four mode flags, the bits of the block's flag digit, by index.
inline constexpr int kModeFlags = 4;
// The captions and the unit "Sec" are marked for the windows' translation
// (context "Parameters"); the table itself holds the English texts.
inline constexpr std::array<const char *, kModeFlags> kModeCaptions{
    QT_TRANSLATE_NOOP("Parameters", "Virgin Bit"), QT_TRANSLATE_NOOP("Parameters", "Reverse Mode"),
    QT_TRANSLATE_NOOP("Parameters", "Rev Cancel"), QT_TRANSLATE_NOOP("Parameters", "Lipo Mode")};

[[nodiscard]] const std::array<ParamInfo, kParamCount> &paramTable();
[[nodiscard]] const ParamInfo &paramInfo(int index);

// "min～max" with the full-width tilde (U+FF5E) and the shortest number texts:
// 2.5～6, 100～10000.
[[nodiscard]] QString paramToolTip(int index);

// Rows of the visible editor, top to bottom, and of the hidden frame.
inline constexpr std::array<int, 10> kVisibleRows{0, 1, 5, 6, 7, 12, 11, 8, 10, 13};
inline constexpr std::array<int, 4> kHiddenRows{2, 3, 4, 9};

} // namespace vq
