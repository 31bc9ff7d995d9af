#include "controllerdata.h"

#include <algorithm>
#include <cmath>

namespace vq::emu {

QByteArray factoryBlock()
{
    // Every parameter lies inside the editor's ranges; bytes 10-15, 18, 26 and
    // 27 hold what every block carries there.
    return QByteArrayLiteral(
        "D007"          // PWM frequency (min. load) 2000 Hz, low byte first
        "7017"          // PWM frequency (max. load) 6000 Hz
        "DC05"          // Neutral 1500 us
        "6C07"          // High point (forward) 1900 us
        "4C04"          // High point (brake) 1100 us
        "000000000000"  // bytes 10-15
        "04"            // Dead Band 4 us
        "27"            // Low Batt. Protection 3.0 V
        "55"            // fixed
        "6A"            // Current Limiter 200 A
        "50"            // Brake Max. Duty 80 %
        "32"            // Reverse Max Duty 50 %
        "1A"            // Neutral Brake 10 %
        "05"            // Current Limit timer 5 s
        "50"            // Current Limiter (Time Limit) 150 A
        "0A"            // Forward Boost 10
        "85" "C8"       // fixed
        "00"            // controller byte
        "01"            // model code: VQ530T
        "12"            // ROM version 18
        "09");          // mode flags: Virgin Bit, Lipo Mode
}

QByteArray emptyLog()
{
    return QByteArray(kLogBytes, kNoValue);
}

QByteArray factoryLog()
{
    // Five minutes of a run: throttle bursts every 17 s on top of a slower
    // swell, current 0 to about 250 A; the pack sags from 8.4 V as it empties
    // and drops further under load (about 4 milliohm of internal resistance).
    constexpr int kRunSeconds = 300;
    constexpr double kPi = 3.14159265358979323846;
    QByteArray log = emptyLog();
    for (int n = 0; n < kRunSeconds; ++n) {
        const double t = n;
        const double burst = std::sin(2.0 * kPi * t / 17.0);
        const double swell = 0.75 + 0.25 * std::sin(2.0 * kPi * t / 97.0);
        const double amps = std::clamp(250.0 * swell * burst, 0.0, 250.0);
        const double used = t / kRunSeconds;
        const double rest = 8.4 - 0.9 * used - 0.5 * used * used * used;
        const double volts = rest - 0.004 * amps;
        // The controller's scales: 3 * 66 / 2550 V and 3 / 0.00625 / 255 A per count.
        const int voltByte = int(std::lround(volts * 2550.0 / (3.0 * 66.0)));
        const int ampByte = int(std::lround(amps * 0.00625 * 255.0 / 3.0));
        log[2 * n] = char(std::clamp(voltByte, 0, 254));
        log[2 * n + 1] = char(std::clamp(ampByte, 0, 254));
    }
    // A few seconds in which the recorder missed its samples, and one in which
    // only the current reading was lost.
    for (int n = 150; n < 153; ++n) {
        log[2 * n] = kNoValue;
        log[2 * n + 1] = kNoValue;
    }
    log[2 * 200 + 1] = kNoValue;
    return log;
}

} // namespace vq::emu
