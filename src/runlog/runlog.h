#pragma once

// The run-data log: the program's one in-memory copy of the controller's
// recording, 512 one-second samples of battery voltage and motor current.
// Slot n (1..512) of both arrays is sample n; -1 exactly marks an empty slot,
// and voltage and current carry their markers independently. Closing the log
// window leaves the log alone; only Data Get and opening a log file write it.

#include <QString>
#include <QStringView>

#include <array>

namespace vq {

inline constexpr int kLogSamples = 512;
inline constexpr float kEmptySample = -1.0f;

// Characters of a "br" reply that the decoder reads: two leading characters,
// then 512 samples of four hexadecimal digits (voltage byte, current byte).
inline constexpr int kRunReplyLength = 2 + 4 * kLogSamples; // 2050

class RunLog
{
public:
    RunLog() { reset(); }

    // Start state: RunVolt(1) = -1 (no data), every other slot 0.
    void reset();

    // Sample n, 1 to 512.
    [[nodiscard]] float RunVolt(int n) const { return m_volt.at(size_t(n - 1)); }
    [[nodiscard]] float RunCur(int n) const { return m_cur.at(size_t(n - 1)); }
    void setVolt(int n, float v) { m_volt.at(size_t(n - 1)) = v; }
    void setCur(int n, float a) { m_cur.at(size_t(n - 1)) = a; }

    // RunVolt(1) holding -1 is the program's sign that the log holds nothing.
    [[nodiscard]] bool hasData() const { return m_volt[0] != kEmptySample; }

    bool operator==(const RunLog &) const = default;

private:
    std::array<float, kLogSamples> m_volt{};
    std::array<float, kLogSamples> m_cur{};
};

// A second run, read from a log file, shown beside the log for comparison.
struct ComparedRun
{
    RunLog log;
    QString name; // the file's name without its folder
};

enum class RunReplyStatus {
    Ok,      // all 512 samples decoded into the log
    Short,   // fewer than 2050 characters: the log is left untouched
    BadHex,  // a non-hexadecimal character at a byte position: log untouched
};

// Decodes the reply to "br" (as left in the receive buffer, echo included)
// into all 512 slots. A reply that is too short or holds a character that
// isn't a hexadecimal digit at a byte position is refused as a whole, so the
// log is either fully the controller's new recording or exactly what it was.
[[nodiscard]] RunReplyStatus decodeRunReply(QStringView reply, RunLog &log);

} // namespace vq
