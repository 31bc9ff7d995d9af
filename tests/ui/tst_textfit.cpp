// Every caption, button and value of the four windows lies inside its
// control, and no control drawn after it covers it: drawn twice, its text
// in two colours, the differing pixels (its ink) lie in the contents
// rectangle, as large as the text in its font (a text cut off is smaller,
// its ink at the edge it is cut at), at 7.5 points or more. A row per language and window; ctest also runs it with taller
// fonts and at 150 %, the Windows stage under Wine at 96 and 144 dpi.

#include "apprig.h"
#include "logwindow/logwindowhost.h"
#include "logwindow/textfit.h"
#include "settings/controllerblock.h"
#include "shell/frmconfig.h"
#include "shell/uilanguage.h"

#include <QAction>
#include <QDebug>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyleOption>
#include <QTest>

using namespace vq;

namespace {

struct Shown {
    QString text;
    QRect box; // the contents rectangle, as the style gives it
    int flags = 0; // the text's alignment there
};

Shown shownIn(QWidget *w)
{
    QStyle *s = w->style();
    if (auto *l = qobject_cast<QLabel *>(w); l && l->pixmap().isNull()) {
        const int m = l->margin();
        return {l->text(), l->contentsRect().adjusted(m, m, -m, -m),
                int(l->alignment()) | (l->wordWrap() ? int(Qt::TextWordWrap) : 0)};
    }
    if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        QStyleOptionButton o;
        o.initFrom(b);
        const bool box = qobject_cast<QCheckBox *>(b);
        return {b->text(), s->subElementRect(box ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &o, b),
                box ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter)};
    }
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
        QStyleOptionFrame o;
        o.initFrom(e);
        o.lineWidth = s->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, e);
        return {e->text(), s->subElementRect(QStyle::SE_LineEditContents, &o, e).marginsRemoved(e->textMargins()),
                int(e->alignment())};
    }
    if (auto *g = qobject_cast<QGroupBox *>(w))
        return {g->title(), g->rect(), int(g->alignment() | Qt::AlignTop)};
    return {};
}

// The box of the text's ink in device pixels: where the widget drawn with
// its text red differs from it drawn with its text blue.
QRect inkOf(QWidget *w)
{
    const auto drawn = [w](Qt::GlobalColor colour) {
        const QPalette kept = w->palette();
        QPalette p = kept;
        for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            p.setColor(role, colour);
        w->setPalette(p);
        QImage image(w->size() * w->devicePixelRatio(), QImage::Format_RGB32);
        image.setDevicePixelRatio(w->devicePixelRatio());
        image.fill(Qt::white);
        w->render(&image, {}, {}, QWidget::DrawWindowBackground);
        w->setPalette(kept);
        return image;
    };
    const QImage a = drawn(Qt::red), b = drawn(Qt::blue);
    QRect ink;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q)) > 40)
                ink |= QRect(x, y, 1, 1);
        }
    return ink;
}

// Why the text of `w` does not fit, or nothing when it does.
QString misfit(QWidget *w, const Shown &shown)
{
    const QFont font = w->font();
    if (font.pointSizeF() > 0 && font.pointSizeF() < 7.5 - 1e-6)
        return QStringLiteral("drawn in %1 pt").arg(font.pointSizeF());
    const qreal dpr = w->devicePixelRatio();
    const QRect box = QRectF(QPointF(shown.box.topLeft()) * dpr, QSizeF(shown.box.size()) * dpr).toAlignedRect();
    const QRect whole(QPoint(), w->size() * dpr);
    const QRect ink = inkOf(w);
    const QString where = QDebug::toString(ink) + QStringLiteral(" in ") + QDebug::toString(box);
    if (!box.contains(ink))
        return QStringLiteral("outside: ") + where;
    // A text is cut off at an edge of the entry box's field or of the control
    // (one it is not aligned to): its ink reaches that edge and is smaller
    // than one line's glyphs, or than the lines below the first and a capital.
    const QFontMetricsF fm(font);
    const QRectF glyphs = fm.tightBoundingRect(QString(shown.text).replace(u'\n', u' '));
    const int lines = qRound(fm.boundingRect(shown.box, shown.flags, shown.text).height() / fm.lineSpacing());
    const double width = lines == 1 ? glyphs.width() * dpr : 0;
    const double height = (lines == 1 ? glyphs.height() : (lines - 1) * fm.lineSpacing() + fm.capHeight()) * dpr;
    // An entry box and a push button clip their text at their contents.
    const QRect clip = qobject_cast<QLineEdit *>(w) || qobject_cast<QPushButton *>(w) ? box : whole;
    const int f = shown.flags;
    const bool atSide = (!(f & Qt::AlignRight) && ink.right() >= clip.right())
                        || (!(f & Qt::AlignLeft) && ink.left() <= clip.left());
    const bool atEnd = (!(f & Qt::AlignBottom) && ink.bottom() >= clip.bottom())
                       || (!(f & Qt::AlignTop) && ink.top() <= clip.top());
    // Drawn with the system's hinting (Windows at 96 dpi), a button's caption
    // that fits its contents exactly is up to two pixels narrower than its
    // metrics; one cut off at them is narrower by a letter or more.
    const double slack = qobject_cast<QPushButton *>(w) ? 0.97 : 0.99;
    if ((atSide && ink.width() < width * slack - dpr) || (atEnd && ink.height() < height - dpr))
        return QStringLiteral("cut off (%1 x %2 expected): ").arg(width).arg(height) + where;
    return {};
}

QStringList misfits(QWidget *window)
{
    QStringList found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const Shown shown = shownIn(w);
        if (!w->isVisibleTo(window) || shown.text.isEmpty())
            continue;
        QString why = misfit(w, shown);
        // A control made after it, on the same parent, is drawn over it (a
        // label draws no background).
        const QObjectList &siblings = w->parentWidget()->children();
        const qreal dpr = w->devicePixelRatio();
        const QRect ink = inkOf(w).translated(w->pos() * dpr);
        for (qsizetype i = siblings.indexOf(w) + 1; why.isEmpty() && i < siblings.size(); ++i) {
            auto *over = qobject_cast<QWidget *>(siblings[i]);
            if (over && !over->isWindow() && over->isVisibleTo(window) && !qobject_cast<QLabel *>(over)
                && QRectF(QPointF(over->pos()) * dpr, QSizeF(over->size()) * dpr).toAlignedRect().intersects(ink))
                why = QStringLiteral("covered by ") + over->objectName();
        }
        if (!why.isEmpty())
            found << QStringLiteral("%1 \"%2\": %3").arg(w->objectName(), shown.text, why);
    }
    return found;
}

} // namespace

class TestTextFit : public QObject
{
    Q_OBJECT

private slots:
    void everyTextInsideItsControl_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("window");
        for (const UiLanguage &language : kUiLanguages)
            for (const char *window : {"main", "ports", "log", "statistics"})
                QTest::addRow("%s, %s", language.code, window)
                    << QString::fromLatin1(language.code) << QString::fromLatin1(window);
    }

    void everyTextInsideItsControl()
    {
        QFETCH(QString, language);
        QFETCH(QString, window);
        AppRig rig;
        rig.pin({}, " 0");
        QVERIFY(rig.start());
        QCOMPARE(setUiLanguage(language), language); // every window retranslated at once
        QCOMPARE(rig.app->block().showBlock(fixture::kWorkedBlock), SettingsDecode::Ok);
        for (int n = 1; n <= 300; ++n) {
            rig.app->log().setVolt(n, 24.0f - float(n) / 50);
            rig.app->log().setCur(n, float(40 + n % 60));
        }
        PortSelection ports(rig.app->config(), [](const QString &) { return true; });
        std::unique_ptr<QWidget> dialog;
        QWidget *shown = &rig.window();
        if (window == u"ports") {
            dialog = std::make_unique<FrmConfig>(ports);
            shown = dialog.get();
        } else if (window != u"main") {
            rig.app->logWindow().SetGraphFile();
            FrmLog *log = rig.app->logWindow().window();
            log->graphActions().first()->trigger(); // Statistics…
            shown = window == u"log" ? static_cast<QWidget *>(log) : log->statisticsWindow();
        }
        shown->show();
        if (QWidget *focus = QApplication::focusWidget())
            focus->clearFocus(); // no cursor in an entry box
        const QStringList found = misfits(shown);
        setUiLanguage(QStringLiteral("en"));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    // A label sized by a layout is its font's line tall: accents stacked
    // above a capital (Vietnamese Ấ, Pinyin Ǖ) reach beyond that, and are
    // drawn only where the label reserved room for them. A text within its
    // line keeps the label as it was.
    void inkBeyondTheLineGetsRoom()
    {
        QWidget window;
        QFont large = window.font();
        large.setPixelSize(40);
        window.setFont(large);
        auto *grid = new QGridLayout(&window);
        grid->setSizeConstraint(QLayout::SetFixedSize);
        auto *stacked = new QLabel(QStringLiteral("\u1EA4\u01D5"), &window);
        auto *plain = new QLabel(QStringLiteral("Samples"), &window);
        grid->addWidget(stacked, 0, 0);
        grid->addWidget(plain, 1, 0);
        const QFontMetricsF fm(large);
        const QRectF glyphs = fm.tightBoundingRect(stacked->text());
        QVERIFY(glyphs.top() < -fm.ascent() - 1);
        reserveInkRoom(stacked);
        reserveInkRoom(plain);
        QCOMPARE(plain->contentsMargins(), QMargins());
        window.show();
        const QRect ink = inkOf(stacked);
        // Drawn whole: as tall as its glyphs, not cut off at the label's top.
        const qreal dpr = stacked->devicePixelRatio();
        QVERIFY2(ink.height() >= (glyphs.height() - 1) * dpr,
                 qPrintable(QDebug::toString(ink) + QDebug::toString(glyphs)));
    }
};

QTEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
