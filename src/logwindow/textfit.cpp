#include "logwindow/textfit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>
#include <optional>

namespace vq {

namespace {

// The font a control was designed with, kept from its first fitting so that
// fitting it again (for another caption) starts from there.
constexpr char kDesignFont[] = "vqDesignFont";
// Set while a button shows its caption on two lines.
constexpr char kWrapped[] = "vqWrapped";
// A label's own place, and the taller one it may take for two lines.
constexpr char kPlace[] = "vqPlace";
constexpr char kRoom[] = "vqRoom";
constexpr double kPointStep = 0.25;
const QString kDigits = QStringLiteral("0123456789");

QFont designFont(QWidget *control)
{
    const QVariant kept = control->property(kDesignFont);
    if (kept.isValid())
        return kept.value<QFont>();
    control->setProperty(kDesignFont, control->font());
    return control->font();
}

void useFont(QWidget *control, const QFont &font)
{
    if (control->font() != font)
        control->setFont(font);
}

// The rectangle a control draws its caption into, and how it aligns it there.
struct TextBox {
    QRectF rect;
    int flags = 0;
};

// A label's text ends where a control made after it (so drawn over it)
// begins beside it: the Current Limiter's caption ends at its "Off" box. The
// label keeps its place and takes a right margin as wide as the cover.
void keepUncovered(QLabel *label)
{
    const QWidget *parent = label->parentWidget();
    if (!parent)
        return;
    const QObjectList &siblings = parent->children();
    const QRect place = label->geometry();
    int right = place.width();
    for (qsizetype i = siblings.indexOf(label) + 1; i < siblings.size(); ++i) {
        auto *over = qobject_cast<QWidget *>(siblings[i]);
        // A label draws no background: only its text could cover. A control
        // not yet shown counts unless it was hidden on purpose.
        if (!over || over->isWindow() || qobject_cast<QLabel *>(over)
            || (over->isHidden() && over->testAttribute(Qt::WA_WState_ExplicitShowHide)))
            continue;
        const QRect g = over->geometry();
        if (g.intersects(place) && g.left() > place.left())
            right = std::min(right, g.left() - place.left());
    }
    const QMargins margins(0, 0, place.width() - right, 0);
    if (label->contentsMargins() != margins)
        label->setContentsMargins(margins);
}

std::optional<TextBox> textBox(QWidget *control)
{
    if (auto *label = qobject_cast<QLabel *>(control)) {
        const int m = label->margin();
        return TextBox{QRectF(label->contentsRect().adjusted(m, m, -m, -m)),
                       int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0)};
    }
    auto *button = qobject_cast<QAbstractButton *>(control);
    if (!button)
        return std::nullopt;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (qobject_cast<QCheckBox *>(button))
        return TextBox{QRectF(button->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, button)),
                       int(Qt::AlignLeft | Qt::AlignVCenter)};
    if (auto *push = qobject_cast<QPushButton *>(button)) {
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        return TextBox{QRectF(button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button)),
                       int(Qt::AlignCenter)};
    }
    return std::nullopt;
}

bool fitsIn(const QFont &font, const TextBox &box, const QString &text)
{
    return box.rect.contains(inkRect(QFontMetricsF(font), box.rect, box.flags, text));
}

// A push button's caption sits comfortably when the button is as wide as
// the style would make it for that caption: with the style's margins beside it.
bool comfortable(QWidget *control, const QFont &font, const QString &text)
{
    auto *button = qobject_cast<QPushButton *>(control);
    if (!button)
        return true;
    const QFont keptFont = button->font();
    const QString keptText = button->text();
    if (font != keptFont)
        button->setFont(font);
    if (text != keptText)
        button->setText(text);
    const bool fits = button->sizeHint().width() <= button->width();
    if (font != keptFont)
        button->setFont(keptFont);
    if (text != keptText)
        button->setText(keptText);
    return fits;
}

// The caption on two lines, broken at the blank that makes the longer line
// shortest; empty when it has no blank.
QString twoLines(const QFont &font, const QString &text)
{
    const QFontMetricsF metrics(font);
    QString best;
    double widest = 0;
    for (qsizetype i = text.indexOf(u' '); i > 0; i = text.indexOf(u' ', i + 1)) {
        const double w = std::max(metrics.horizontalAdvance(text.left(i)), metrics.horizontalAdvance(text.mid(i + 1)));
        if (best.isEmpty() || w < widest) {
            best = text.left(i) + u'\n' + text.mid(i + 1);
            widest = w;
        }
    }
    return best;
}

// A label's geometry for one line or for two.
void placeLabel(QLabel *label, bool wrapped)
{
    if (const QRect room = label->property(kRoom).toRect(); !room.isNull()) {
        const QRect wanted = wrapped ? room : label->property(kPlace).toRect();
        if (label->geometry() != wanted)
            label->setGeometry(wanted);
    }
    keepUncovered(label);
}

void showCaption(QWidget *control, const QString &text, bool wrapped, const QString &caption)
{
    if (auto *label = qobject_cast<QLabel *>(control)) {
        placeLabel(label, wrapped);
        if (wrapped)
            label->setWordWrap(true);
        if (label->text() != caption)
            label->setText(caption);
        return;
    }
    auto *button = qobject_cast<QAbstractButton *>(control);
    if (button->text() != text)
        button->setText(text);
    // The line break is not part of what a screen reader says.
    if (wrapped) {
        button->setAccessibleName(caption);
        button->setProperty(kWrapped, true);
    } else if (button->property(kWrapped).toBool()) {
        button->setAccessibleName(QString());
        button->setProperty(kWrapped, false);
    }
}

} // namespace

QRectF inkRect(const QFontMetricsF &metrics, const QRectF &box, int flags, const QString &text)
{
    // Down, the glyphs' own extent above the first baseline and below the
    // last one. Across, a single line's glyphs are as wide as their ink,
    // aligned where the line's advance is (their extent from the origin is
    // rounded out to whole pixels and would overstate it); wrapped lines are
    // as wide as they advance.
    const QRectF lines = metrics.boundingRect(box, flags, text);
    QString oneLine = text;
    oneLine.replace(u'\n', u' ');
    const QRectF glyphs = metrics.tightBoundingRect(oneLine);
    const double top = lines.top() + metrics.ascent() + glyphs.top();
    const double bottom = lines.bottom() - metrics.descent() + glyphs.bottom();
    double left = lines.left();
    double right = lines.right();
    if (!text.contains(u'\n') && !(flags & Qt::TextWordWrap)) {
        if (flags & Qt::AlignRight)
            left = right - glyphs.width();
        else if (flags & Qt::AlignHCenter)
            left = lines.center().x() - glyphs.width() / 2;
        right = left + glyphs.width();
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

void fitCaption(QWidget *control, const QString &caption)
{
    auto *label = qobject_cast<QLabel *>(control);
    auto *button = qobject_cast<QAbstractButton *>(control);
    if (label)
        placeLabel(label, false);
    std::optional<TextBox> box = textBox(control);
    if (!box)
        return;
    const QFont design = designFont(control);
    if (design.pointSizeF() <= 0)
        return; // a pixel-sized font is the control's own business
    QString text = caption;
    if (text.isEmpty()) {
        text = label ? label->text() : button->text();
        text.replace(u'\n', u' ');
    }
    if (text.isEmpty())
        return;

    // The largest size from the design size down to the readable one at
    // which `shown` fits.
    QFont font = design;
    const auto largest = [&](const auto &shown, const TextBox &in, bool withMargins) {
        for (double size = design.pointSizeF(); size >= kReadablePointSize - 1e-9; size -= kPointStep) {
            font.setPointSizeF(size);
            const QString t = shown(font);
            if (!t.isEmpty() && fitsIn(font, in, t) && (!withMargins || comfortable(control, font, t)))
                return t;
        }
        return QString();
    };
    const auto oneLine = [&](const QFont &) { return text; };
    const auto show = [&](const QString &shown, bool wrapped) {
        useFont(control, font);
        showCaption(control, shown, wrapped, text);
    };

    // One line, with the style's margins beside a button's caption.
    if (const QString shown = largest(oneLine, *box, true); !shown.isEmpty())
        return show(shown, false);
    // Two lines, where the control (or the room a label may take) is tall
    // enough: a label wraps its words, a button's caption is broken at a blank.
    if (label) {
        placeLabel(label, true);
        TextBox wrapping = *textBox(control);
        wrapping.flags |= Qt::TextWordWrap;
        const auto twoAtMost = [&](const QFont &f) {
            const QFontMetricsF metrics(f);
            return metrics.boundingRect(wrapping.rect, wrapping.flags, text).height() <= 2 * metrics.lineSpacing() + 0.5
                       ? text
                       : QString();
        };
        if (const QString shown = largest(twoAtMost, wrapping, false); !shown.isEmpty())
            return show(shown, true);
        placeLabel(label, false);
    } else if (const QString shown = largest([&](const QFont &f) { return twoLines(f, text); }, *box, true);
               !shown.isEmpty()) {
        return show(shown, true);
    }
    // One line without the margins; else the readable size is the least bad.
    if (const QString shown = largest(oneLine, *box, false); !shown.isEmpty())
        return show(shown, false);
    font.setPointSizeF(std::min(design.pointSizeF(), kReadablePointSize));
    show(text, false);
}

void reserveInkRoom(QLabel *label)
{
    const QFontMetricsF metrics(label->font());
    QString text = label->text();
    text.replace(u'\n', u' ');
    const QRectF ink = metrics.tightBoundingRect(text);
    // Room beyond the line, and a device pixel more for where the baseline
    // is rounded. Above: any ink beyond the ascent (the accents of capitals
    // in Wine's Tahoma). Below: only ink deeper than the plain letters' and
    // signs', which the line holds though their box, rounded out to whole
    // pixels, may reach a fraction beyond it.
    static const QString plain = [] {
        QString all;
        for (char16_t c = u'!'; c <= u'~'; ++c)
            all += QChar(c);
        return all;
    }();
    const double device = 1.0 / label->devicePixelRatio();
    const auto room = [&](double beyond) { return beyond > 0 ? int(std::ceil(beyond + device)) : 0; };
    const bool deeper = ink.bottom() > metrics.tightBoundingRect(plain).bottom();
    const QMargins margins(0, room(-ink.top() - metrics.ascent()), 0,
                           deeper ? room(ink.bottom() - metrics.descent()) : 0);
    if (label->contentsMargins() != margins)
        label->setContentsMargins(margins);
}

void setWrapRoom(QWidget *label, const QRect &room)
{
    label->setProperty(kPlace, label->geometry());
    label->setProperty(kRoom, room);
}

void fitValueFont(QLineEdit *field)
{
    const QFont design = designFont(field);
    if (design.pointSizeF() <= 0)
        return;
    QStyleOptionFrame option;
    option.initFrom(field);
    option.rect = field->contentsRect();
    option.lineWidth = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field) : 0;
    option.state |= QStyle::State_Sunken;
    const QRect r = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
    const Qt::Alignment horizontal = field->alignment() & Qt::AlignHorizontal_Mask;
    const QMargins sides(field->textMargins().left(), 0, field->textMargins().right(), 0);

    // As designed: the line centred in the box. Left so where the digits fit.
    {
        const QFontMetrics whole(design);
        const int lineTop = r.y() + (r.height() - whole.height() + 1) / 2;
        const QRectF digits = QFontMetricsF(design).tightBoundingRect(kDigits);
        const double inkTop = lineTop + whole.ascent() + digits.top();
        if (inkTop >= r.top() && inkTop + digits.height() <= r.top() + r.height()) {
            useFont(field, design);
            field->setTextMargins(sides);
            field->setAlignment(horizontal | Qt::AlignVCenter);
            return;
        }
    }
    // The largest size whose digits leave a pixel free above and below.
    QFont font = design;
    QRectF digits;
    for (double size = design.pointSizeF(); size > 1; size -= kPointStep) {
        font.setPointSizeF(size);
        digits = QFontMetricsF(font).tightBoundingRect(kDigits);
        if (digits.height() <= r.height() - 2)
            break;
    }
    useFont(field, font);
    // A line aligned to the top starts one pixel below the box's top (the
    // entry box's own margin); the top text margin moves it so that the
    // digits sit in the middle. It may be negative: the line's ascent above
    // the digits then reaches into the frame, where nothing is drawn.
    const int ascent = QFontMetrics(font).ascent();
    const int top = qRound((r.height() - digits.height()) / 2 - 1 - ascent - digits.top());
    field->setTextMargins(sides.left(), top, sides.right(), 0);
    field->setAlignment(horizontal | Qt::AlignTop);
}

} // namespace vq
