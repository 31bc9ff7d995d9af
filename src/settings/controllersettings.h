#pragma once

// The controller's settings as values: what a setting-data block carries and
// what the editor shows, without the block's bytes or the editor's texts.

#include "settings/paramtable.h"

#include <QString>

#include <array>

namespace vq {

struct ControllerSettings {
    // The fourteen parameters in their units (Hz, uS, V, A, %, Sec), by
    // ParamIndex. Read from a block they are exactly what their texts say
    // (2.7 V is the double nearest 2.7); the conversions take them in single
    // precision, as the editor's fields always have.
    std::array<double, kParamCount> values{};
    bool curLimOff = false;     // Current Limiter switched off ("Off")
    std::array<bool, kModeFlags> modes{}; // by kModeCaptions
    int model = -1;             // model code, byte 29 (-1: none)
    int romVersion = -1;        // -1: none
};

// A parameter's value as its field shows it: 2.5, 12, 150.
[[nodiscard]] QString valueText(double value);

// Whether a value lies inside the parameter's range; the editor marks the
// field red when it doesn't.
[[nodiscard]] bool inRange(int index, double value);

} // namespace vq
