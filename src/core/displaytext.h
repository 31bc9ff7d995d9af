#pragma once

// The windows' side of the message catalogue: a text of core/messages.h as
// the user's language shows it. The catalogue's constants stay English for
// the command line and the files; only a window calls these, where it shows
// a text, and with no translator installed (the command line never installs
// one) they hand the English text back unchanged.

#include <QString>

namespace vq {

// A text the program composed from catalogue texts, translated piece by
// piece: lines (CR LF or LF), parts after ": ", and sentences joined by one
// blank are each looked up; a piece that is no catalogue text (a path, a
// device, a system's reason) stays as it is.
[[nodiscard]] QString displayText(const QString &text);

// A text marked with QT_TRANSLATE_NOOP(context, text), translated whole.
[[nodiscard]] QString displayText(const char *context, const char *text);

} // namespace vq
