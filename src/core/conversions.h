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

// The one number scanner. Its lenient reading is the way the program has
// always read numbers typed into fields or stored in the profile file:
//  - blanks, tabs and line feeds are ignored wherever they stand;
//  - "&H" (any case) introduces hexadecimal digits (any case);
//  - otherwise an optional sign, digits, an optional "." fraction and an
//    optional exponent (E or D) are read up to the first character that
//    doesn't fit;
//  - a text with no number at its start reads as 0.
// The decimal point is always ".", whatever the locale. Never throws; a
// number too large for a double reads as +/- infinity.
//
// The same scan tells whether the text is a plain number as a whole, the only
// kind of text that is encoded into a block: optional blanks, tabs or line
// feeds around it, an optional sign, then decimal digits 0-9 with at most one
// "." that has digits on both sides ("6", "2.5", " 10 ", "-0"). Not plain:
// empty text, "5x", letters, "1 0", exponents ("1e3"), "&H" hexadecimal,
// ".5", and "3." (the editor skips a text that ends in "." so that 3.3 can
// be typed; its out-of-range mark may still belong to the text before, so
// such a value has never been checked against the bounds).
struct NumberScan {
    double value = 0; // the lenient reading
    bool plain = false;
};
// NumberBase::Hex reads the text as the digits that follow "&H".
enum class NumberBase { Any, Hex };
[[nodiscard]] NumberScan scanNumber(QStringView text, NumberBase base = NumberBase::Any);
[[nodiscard]] inline double Val(QStringView text) { return scanNumber(text).value; }
[[nodiscard]] inline bool isPlainNumber(QStringView text) { return scanNumber(text).plain; }

// Currents travel in steps of 10 A up to 300 A (the limiter's upper bound).
inline constexpr float kAmpStep = 10.0f;
inline constexpr float kMaxAmps = 300.0f;

// A current brought to the nearest step, an exact half upwards.
[[nodiscard]] float roundToAmpStep(double amperes);

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

// Unit to device byte (not clamped: callers pass range-checked values; the
// block keeps the low eight bits).
[[nodiscard]] qint64 ampToByte(float amperes);
[[nodiscard]] qint64 voltToByte(float volts);
[[nodiscard]] qint64 percentToByte(float percent);

// Device byte to unit.
[[nodiscard]] float byteToAmp(double byte);      // a multiple of 10 A
[[nodiscard]] double byteToVolt(double byte);    // rounded to 0.1 V (the double nearest the tenth)
[[nodiscard]] double byteToPercent(double byte); // whole percent, halves away from zero

} // namespace vq
