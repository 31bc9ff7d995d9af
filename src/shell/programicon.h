#pragma once

// The program's icon, the drawing of packaging/vq530t-link.svg (the main
// window's logo mark: the yellow zig-zag on its dark blue field), painted at
// the sizes window systems ask for. Painted here rather than read from the
// SVG file, since the Windows build has no SVG module.

#include <QIcon>

namespace vq {

[[nodiscard]] QIcon programIcon();

// Gives every window of the program its icon, and names the desktop entry
// (vq530t-link.desktop) so that docks and task bars group the windows with
// the menu entry.
void setProgramIdentity();

} // namespace vq
