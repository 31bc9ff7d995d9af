#pragma once

// Facts about the program and the controller that several subsystems share.

#include <QString>

namespace vq {

// The program's title: every message box's caption and the profile file's name.
inline const QString kAppTitle = QStringLiteral("VQ530T Link");

// The setting-data block: 64 hexadecimal digits, 32 bytes. It is the payload
// of the "sr" reply, what follows "sw", and the whole of a settings file.
inline constexpr int kBlockLength = 64;

// The controller's Current Limiter byte for "off" reads back as this many
// amperes; the editor shows it as the "Off" box.
inline constexpr float kCurLimOffAmps = 480.0f;

} // namespace vq
