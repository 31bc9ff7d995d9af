#pragma once

// Number scanning, rounding, number texts and the unit conversions between the
// controller's 8-bit values and amperes, volts and percent.
//
// The controller stores every setting and every run-data sample as one byte.
// The constants below are the controller's: changing any of them (or the order
// of the arithmetic, which matters at the rounding steps) makes the program
// write different bytes than the controller expects.

#include <QString>
#include <QStringView>

#include <optional>

namespace vq {

// Lenient number scan of a text, as the program has always read numbers typed
// into fields, stored in the profile file or handed over as "byte text":
//  - blanks, tabs and line feeds are ignored wherever they stand;
//  - "&H" (any case) introduces hexadecimal digits (any case);
//  - otherwise an optional sign, digits, an optional "." fraction and an
//    optional exponent (E or D) are read up to the first character that
//    doesn't fit;
//  - a text with no number at its start reads as 0.
// The decimal point is always ".", whatever the locale. Never throws; a
// number too large for a double reads as +/- infinity.
[[nodiscard]] double Val(QStringView text);

// Nearest integer, an exact half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
[[nodiscard]] double roundHalfEven(double x);

// The "0" and "0.0" number formats: nearest value with the given number of
// decimals, an exact half going away from zero (0.25 -> 0.3, -2.5 -> -3).
[[nodiscard]] double roundHalfAway(double x, int decimals = 0);

// Text of a whole number in the "0" number format (halves away from zero).
[[nodiscard]] QString formatWhole(double x);

// Shortest decimal text of a single-precision value: at most seven significant
// digits, "." as decimal point, no trailing zeros and no "." for whole numbers
// (7.8, 12, 2.5, 0). Exponent notation only outside what the program meets
// (below 1E-05 or from 1E+07 on), written like 1.234568E+07.
[[nodiscard]] QString shortestText(float value);

// Upper-case hexadecimal digits of n without leading zeros (5, 2A, FF).
[[nodiscard]] QString hexText(qint64 n);

// Rounded (half to even) value as a 16-bit signed integer, or nothing when it
// lies outside -32768..32767 or is not a number.
[[nodiscard]] std::optional<qint16> toInt16(double x);

// Unit to device byte (hex text, not clamped: callers pass range-checked values).
[[nodiscard]] QString AmpToHex(float amperes);
[[nodiscard]] QString VoltToHex(float volts);
[[nodiscard]] QString PercentToHex(float percent);

// Device byte given as "byte text" (decimal digits, or "&H" and hex digits) to unit.
[[nodiscard]] float ByteToAmp(QStringView byteText);      // a multiple of 10 A
[[nodiscard]] float ByteToVolt(QStringView byteText);     // rounded to 0.1 V
[[nodiscard]] QString ByteToPercent(QStringView byteText); // whole-number text

// The same conversions for a byte already read as a number.
[[nodiscard]] float byteToAmp(double byte);
[[nodiscard]] float byteToVolt(double byte);

} // namespace vq
