#pragma once

// Colours handed around as 0x00BBGGRR values, as the program has always
// stored them, and the one conversion to a QRgb for drawing.

#include <QtGlobal>

namespace vq {

inline constexpr quint32 kColourBlack = 0x000000; // progress and success
inline constexpr quint32 kColourRed = 0x0000FF;   // faults, out-of-range fields
inline constexpr quint32 kLampIdle = 0x004000;    // dark green
inline constexpr quint32 kLampBusy = 0x00FF00;    // bright green

// Red, green and blue of a 0x00BBGGRR value.
[[nodiscard]] constexpr int bgrRed(quint32 bgr) { return int(bgr & 0xFF); }
[[nodiscard]] constexpr int bgrGreen(quint32 bgr) { return int((bgr >> 8) & 0xFF); }
[[nodiscard]] constexpr int bgrBlue(quint32 bgr) { return int((bgr >> 16) & 0xFF); }

} // namespace vq
