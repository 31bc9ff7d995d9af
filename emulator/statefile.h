#pragma once

// The emulator's memory across restarts: the setting-data block and the
// run-data log in a small text file,
//   block=<the 64 characters, percent-encoded where not alphanumeric>
//   log=<1024 bytes as 2048 hexadecimal digits>
// written to a temporary file and renamed, so a crash never leaves half a file.

#include "controllerdevice.h"

#include <QString>

namespace vq::emu {

enum class StateLoad {
    Loaded,
    Absent,  // no file yet: the caller starts from factory data
    Invalid, // a file that isn't an emulator state file: left alone
};

[[nodiscard]] StateLoad loadState(const QString &path, ControllerState &state, QString *error);
[[nodiscard]] bool saveState(const QString &path, const ControllerState &state, QString *error);

} // namespace vq::emu
