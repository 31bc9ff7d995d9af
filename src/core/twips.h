#pragma once

// Window geometry is laid out in twips (1/1440 inch), 15 to a pixel at 96
// dots per inch, and turned into pixels only where a widget is placed or a
// line is drawn.

#include <cmath>

namespace vq {

inline constexpr double kTwipsPerPixel = 15.0;

// Pixels for a length or position in twips: the nearest pixel, a half going up.
[[nodiscard]] inline int pixelsFromTwips(double twips)
{
    return int(std::floor(twips / kTwipsPerPixel + 0.5));
}

// The smallest whole number of pixels that covers `twips`.
[[nodiscard]] inline int pixelsCovering(double twips)
{
    return int(std::ceil(twips / kTwipsPerPixel));
}

} // namespace vq
