#pragma once

// Texts fitted into controls whose places and sizes are fixed in twips. A
// font differs from one platform and display setting to the next, so a text
// that fits on one desktop can stick out of its control on another. These
// functions change a control's font (and, where it has the room, its line
// breaks) only when its text does not fit as designed; where it fits they
// leave the control exactly as it is.

#include <QRect>
#include <QRectF>
#include <QString>

class QFontMetricsF;
class QLabel;
class QLineEdit;
class QWidget;

namespace vq {

// The smallest caption size that still reads well: about 7.5 points at 96
// dots per inch. A caption is never made smaller than this.
inline constexpr double kReadablePointSize = 7.5;

// Where the ink of `text` lands when it is drawn into `box` with the
// alignment and wrapping `flags` of QPainter::drawText.
[[nodiscard]] QRectF inkRect(const QFontMetricsF &metrics, const QRectF &box, int flags, const QString &text);

// Fits the caption of a label, a push button or a check box into its
// control: first in the design font, then in a smaller one down to
// kReadablePointSize, then on two lines where the control is tall enough (a
// label wraps its words; a button's caption gets a line break, and the
// button keeps the one-line caption as its accessible name). `caption` is
// the control's one-line text; empty: the text it shows now. Fitting again
// (for a new caption) starts from the design font.
void fitCaption(QWidget *control, const QString &caption = {});

// A taller place that a label may take when its caption needs two lines
// (its own place when it is on one line).
void setWrapRoom(QWidget *label, const QRect &room);

// A label that a layout sizes gets its font's line height; some fonts put
// the accents of capitals (É, Í) above their ascent, where such a label
// cuts them off. The label gets margins as deep as its text's ink reaches
// beyond the line (below it, only ink deeper than the plain letters'), so
// the layout gives it that room; a text within its line gets none.
void reserveInkRoom(QLabel *label);

// Fits the bold value font of an entry box to the box's height, as a
// caption is fitted to its width: the largest size up to the design size
// whose digits leave a pixel free above and below, centred on the digits'
// own height (they need neither the font's ascent above them nor its
// descent below). A box whose digits already fit is left as it is.
void fitValueFont(QLineEdit *field);

} // namespace vq
