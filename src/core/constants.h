#pragma once

// Facts about the program and the controller that several subsystems share.

#include <QString>

namespace vq {

// The program's title: every message box's caption and the profile file's name.
inline const QString kAppTitle = QStringLiteral("VQ530T Link");

// The program's version: major, minor, revision. Shown as "Version1.00" in
// the main window and "VQ530T Link 1.00" by --version: no "." before the
// revision. It comes from the one version in CMakeLists.txt (project()), which
// the Debian package carries too; builds outside that project (the fuzz
// targets) have none.
#if defined(VQ_VERSION_MAJOR) && defined(VQ_VERSION_MINOR) && defined(VQ_VERSION_REVISION)
inline constexpr int kVersionMajor = VQ_VERSION_MAJOR;
inline constexpr int kVersionMinor = VQ_VERSION_MINOR;
inline constexpr int kVersionRevision = VQ_VERSION_REVISION;
#endif

// The ports the program knows: "Com1" to "Com16".
inline constexpr int kFirstPort = 1;
inline constexpr int kLastPort = 16;

// The setting-data block: 64 hexadecimal digits, 32 bytes. It is the payload
// of the "sr" reply, what follows "sw", and the whole of a settings file.
inline constexpr int kBlockLength = 64;

// The controller's Current Limiter byte for "off" reads back as this many
// amperes; the editor shows it as the "Off" box.
inline constexpr float kCurLimOffAmps = 480.0f;

} // namespace vq
