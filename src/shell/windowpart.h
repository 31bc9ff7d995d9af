#pragma once

// What takes the GUI libraries: the window, and the commands that draw
// (`plot`). A command that needs neither never loads them, so it starts as
// fast as a program of Qt's core alone. Where the program is split (Linux)
// this is a module beside the program that main() loads by its entry point.

#include "cli/commandline.h"

namespace vq {

struct WindowPart {
    // The window: start-up, then its event loop. The exit code.
    int (*runWindow)(int argc, char *argv[], const cli::Invocation &invocation);
    // A command that draws, on the offscreen platform where there is no display.
    int (*runDrawingCommand)(int argc, char *argv[], const cli::Invocation &invocation,
                             const cli::Environment &environment);
};

} // namespace vq

// The module's one entry point.
extern "C" Q_DECL_EXPORT const vq::WindowPart *vq530tWindowPart();
