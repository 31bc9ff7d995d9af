#pragma once

// The program's terminal and display, as far as a command of the command line
// meets them.

namespace vq {

// On Windows the program is a windowed program, which the system starts
// without a console: a command typed in cmd or PowerShell writes to the
// console it was started from. Standard output and error that were redirected
// (to a file, a pipe) stay where they are. Does nothing elsewhere.
void attachParentConsole();

// Whether standard error is a terminal (where colour may be used).
[[nodiscard]] bool stderrIsTerminal();

// Drawing needs a platform plugin even without a window. Called before the
// QGuiApplication is made: where no platform is chosen (QT_QPA_PLATFORM) and
// no display exists, the offscreen platform draws.
void chooseOffscreenWithoutDisplay();

} // namespace vq
