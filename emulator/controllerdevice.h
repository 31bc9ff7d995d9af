#pragma once

// The controller's side of the serial protocol, without any I/O: characters
// from the line go in, the characters the controller answers come out.
//
// Commands arrive as two lower-case letters with nothing after them. Two
// characters that don't form a command are resynchronised by dropping the
// first one, so a stray character costs at most the command it spoils.
// After "sw" the next 64 characters are the new setting-data block; a block
// whose characters stop arriving for a second is abandoned, as the real
// controller gives up on a half-sent block.

#include "controllerdata.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace vq::emu {

// Faults the emulator can put on the line, for testing how the program copes.
enum class FaultMode {
    None,
    Silent,       // hears nothing, answers nothing
    Garbage,      // answers every command with a few characters and no carriage return
    Late,         // answers after a delay (applied by the line, not here)
    Unasked,      // sends characters nobody asked for (applied by the line)
    BadVerify,    // stores a block one character off the one written, echoes correctly
    ModelFF,      // "sr" reports model code FF
    Model02,      // "sr" reports model code 02
    PartialEcho,  // echoes only the first 40 characters of a written block
    ShortLog,     // "br" answer of 1000 characters before its carriage return
    BadHexLog,    // "br" answer with a non-hexadecimal character at one byte position
    Sr67,         // "sr" answer of 67 characters
    Sr69,         // "sr" answer of 69 characters
    Vanish,       // the line goes away in the middle of the next answer (applied by the line)
};

[[nodiscard]] std::optional<FaultMode> faultModeFromName(QStringView name);
[[nodiscard]] QString faultModeName(FaultMode mode);
[[nodiscard]] QStringList faultModeNames();

// What a garbage answer consists of: no carriage return, no command letters.
inline constexpr char kGarbage[] = "?~#";

// Characters of the "br" answer that a short-log fault keeps before its carriage return.
inline constexpr int kShortLogLength = 1000;
// Characters of a written block that a partial-echo fault echoes.
inline constexpr int kPartialEchoLength = 40;
// 0-based character of the "br" answer that a bad-hex-log fault spoils: the
// voltage byte of sample 100.
inline constexpr int kBadHexPos = 2 + 4 * 99;
// 0-based character of the block that a bad-verify fault changes (Dead Band).
inline constexpr int kBadVerifyPos = 33;
// A written block whose characters pause longer than this is abandoned.
inline constexpr qint64 kBlockGapMs = 1000;

struct ControllerState {
    QByteArray block = factoryBlock(); // kBlockLength characters
    QByteArray log = factoryLog();     // kLogBytes raw bytes
};

class ControllerDevice
{
public:
    ControllerDevice() = default;
    explicit ControllerDevice(ControllerState state) : m_state(std::move(state)) {}

    // Takes characters received at time nowMs (any monotonic milliseconds) and
    // returns everything the controller answers to them, in order.
    [[nodiscard]] QByteArray receive(QByteArrayView bytes, qint64 nowMs);

    // Forgets half-received input (a command letter, a partial block).
    void resetLine();

    void setFault(FaultMode mode) { m_fault = mode; }
    [[nodiscard]] FaultMode fault() const { return m_fault; }

    [[nodiscard]] const ControllerState &state() const { return m_state; }

    // True once after the block or the log has changed, so the caller saves it.
    [[nodiscard]] bool takeStateChanged();

    // The answers as they go out, faults applied.
    [[nodiscard]] QByteArray settingReply() const;
    [[nodiscard]] QByteArray logReply() const;

private:
    QByteArray command(QByteArrayView name);
    QByteArray blockComplete();

    ControllerState m_state;
    FaultMode m_fault = FaultMode::None;
    QByteArray m_pending;        // a command letter, or the block so far
    bool m_awaitingBlock = false;
    qint64 m_lastReceiveMs = 0;
    bool m_changed = false;
};

} // namespace vq::emu
