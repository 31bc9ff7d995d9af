#pragma once

// What a VQ530T holds when it leaves the factory: its setting-data block and a
// run-data recording, so that a fresh emulator has something to show.

#include <QByteArray>

namespace vq::emu {

inline constexpr int kBlockLength = 64;       // characters of the setting-data block
inline constexpr int kLogSamples = 512;       // one-second samples in the run-data log
inline constexpr int kLogBytes = 2 * kLogSamples; // voltage byte, current byte per sample
inline constexpr char kNoValue = char(0xFF);  // a log byte that holds no value

// Character positions (0-based) of the block that the emulator reads or alters.
inline constexpr int kModelCodePos = 58;      // byte 29: 01 = VQ530T, FF = deleted
inline constexpr int kRomVersionPos = 60;     // byte 30

// The factory setting-data block, 64 upper-case hexadecimal characters.
[[nodiscard]] QByteArray factoryBlock();

// The factory run-data log: kLogBytes raw bytes, sample n (0-based) at 2n
// (voltage) and 2n + 1 (current). A deterministic five-minute run of a six-cell
// pack with a few dropped samples and an empty (0xFF) tail.
[[nodiscard]] QByteArray factoryLog();

// An erased log: every byte 0xFF.
[[nodiscard]] QByteArray emptyLog();

} // namespace vq::emu
