// Every text of the main window, the port dialog, the log window and the
// statistics window lies inside its control in the font it is drawn in. Each
// control is drawn twice, its text in two colours; the pixels that differ are
// the text's ink. The ink must lie inside the control's contents rectangle and
// be as large as the text in its font (a text cut off at an edge is smaller),
// and the font must be a readable one (7.5 points at least).
//
// A row per language and window. ctest runs it in the set-up's fonts, with
// fonts a tenth taller than the layout was drawn for (QT_FONT_DPI=110
// without scaling: DejaVu Sans as tall as Windows' Segoe UI) and at 150 %
// (QT_SCALE_FACTOR); the Windows stage runs it under Wine at 96 and 144 dpi.

#include "apprig.h"
#include "logwindow/logwindowhost.h"
#include "settings/controllerblock.h"
#include "shell/frmconfig.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTranslator>

using namespace vq;

namespace {

// The languages the windows are shown in, a row each: English is the
// program's own, any other installs its translator before the windows are made.
const QStringList kLanguages{QStringLiteral("en")};

bool useLanguage(QTranslator &translator, const QString &code)
{
    if (code == u"en")
        return true;
    return translator.load(QStringLiteral(":/i18n/vq530t-link_%1.qm").arg(code))
           && QCoreApplication::installTranslator(&translator);
}

QString shownText(const QWidget *w)
{
    if (auto *l = qobject_cast<const QLabel *>(w))
        return l->pixmap().isNull() ? l->text() : QString();
    if (auto *b = qobject_cast<const QAbstractButton *>(w))
        return b->text();
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        return e->text();
    if (auto *g = qobject_cast<const QGroupBox *>(w))
        return g->title();
    if (auto *c = qobject_cast<const QComboBox *>(w))
        return c->currentText();
    return {};
}

// The contents rectangle, as the style gives it, and the text's alignment in it.
QRectF contentsBox(QWidget *w, int *flags)
{
    *flags = Qt::AlignCenter;
    QStyle *s = w->style();
    if (auto *l = qobject_cast<QLabel *>(w)) {
        *flags = int(l->alignment()) | (l->wordWrap() ? int(Qt::TextWordWrap) : 0);
        return l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    }
    if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        QStyleOptionButton o;
        o.initFrom(b);
        o.text = b->text();
        const bool box = qobject_cast<QCheckBox *>(b);
        *flags = box ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
        return s->subElementRect(box ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &o, b);
    }
    if (auto *e = qobject_cast<QLineEdit *>(w)) {
        QStyleOptionFrame o;
        o.initFrom(e);
        o.lineWidth = s->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, e);
        o.state |= QStyle::State_Sunken;
        *flags = int(e->alignment());
        return s->subElementRect(QStyle::SE_LineEditContents, &o, e).marginsRemoved(e->textMargins());
    }
    if (auto *g = qobject_cast<QGroupBox *>(w)) {
        *flags = int(g->alignment()) | Qt::AlignTop;
        QStyleOptionGroupBox o;
        o.initFrom(g);
        o.text = g->title();
        o.lineWidth = 1;
        o.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        o.textAlignment = g->alignment();
        return s->subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel, g);
    }
    auto *c = qobject_cast<QComboBox *>(w);
    QStyleOptionComboBox o;
    o.initFrom(c);
    o.currentText = c->currentText();
    *flags = int(Qt::AlignLeft | Qt::AlignVCenter);
    return s->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
}

QImage drawn(QWidget *w, const QColor &textColour)
{
    const QPalette kept = w->palette();
    QPalette p = kept;
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        p.setColor(role, textColour);
    w->setPalette(p);
    const qreal dpr = w->devicePixelRatioF();
    QImage image((QSizeF(w->size()) * dpr).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    w->render(&image, {}, {}, QWidget::DrawWindowBackground);
    w->setPalette(kept);
    return image;
}

// The box of the text's ink in device pixels, looked for in `area`.
QRect inkOf(QWidget *w, const QRect &area)
{
    const QImage a = drawn(w, Qt::red);
    const QImage b = drawn(w, Qt::blue);
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q)) > 40)
                ink |= QRect(x, y, 1, 1);
        }
    return ink;
}

// Why the text of `w` does not fit, or nothing when it does.
QString misfit(QWidget *w)
{
    const QString text = shownText(w);
    const QFont font = w->font();
    if (font.pointSizeF() > 0 && font.pointSizeF() < 7.5 - 1e-6)
        return QStringLiteral("drawn in %1 pt").arg(font.pointSizeF());
    int flags = 0;
    const QRectF box = contentsBox(w, &flags);
    const qreal dpr = w->devicePixelRatioF();
    const QRect deviceBox = QRectF(box.topLeft() * dpr, box.size() * dpr).toAlignedRect();
    // A combo box's arrow is drawn in the text's colour: its text is looked
    // for in its field alone, where a cut-off text shows as too small.
    const QRect ink = inkOf(w, qobject_cast<QComboBox *>(w) ? deviceBox : QRect(QPoint(), w->size() * dpr));
    if (ink.isEmpty())
        return QStringLiteral("no ink");
    const QString where = QStringLiteral("ink at (%1,%2 %3x%4) in (%5,%6 %7x%8)")
                              .arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())
                              .arg(deviceBox.x()).arg(deviceBox.y()).arg(deviceBox.width()).arg(deviceBox.height());
    if (!deviceBox.contains(ink))
        return QStringLiteral("outside: ") + where;
    // The ink's expected size: one line's glyphs, or the lines below the
    // first and a capital's height.
    const QFontMetricsF fm(font);
    const QRectF glyphs = fm.tightBoundingRect(QString(text).replace(u'\n', u' '));
    const int lines = qRound(fm.boundingRect(box, flags, text).height() / fm.lineSpacing());
    const double width = lines == 1 ? glyphs.width() * dpr : 0;
    const double height = (lines == 1 ? glyphs.height() : (lines - 1) * fm.lineSpacing() + fm.capHeight()) * dpr;
    // A text cut off is smaller than that, and where it is cut at an edge of
    // the entry box's field or of the control (an edge it is not aligned to)
    // its ink reaches that edge. Elsewhere a glyph's faint edge and advances
    // rounded to pixels allow some slack.
    const QRect clip = qobject_cast<QLineEdit *>(w) ? deviceBox : QRect(QPoint(), w->size() * dpr);
    const bool atSide = (!(flags & Qt::AlignRight) && ink.right() >= clip.right())
                        || (!(flags & Qt::AlignLeft) && ink.left() <= clip.left());
    const bool atEnd = (!(flags & Qt::AlignTop) && ink.bottom() >= clip.bottom())
                       || (!(flags & Qt::AlignBottom) && ink.top() <= clip.top());
    const double slack = 2 * dpr;
    if ((atSide && ink.width() < width * 0.99 - dpr) || (atEnd && ink.height() < height - dpr)
        || ink.width() < width * 0.98 - slack || ink.height() < height - slack)
        return QStringLiteral("cut off to %1x%2 of %3x%4: ").arg(ink.width()).arg(ink.height()).arg(width).arg(height)
               + where;
    return {};
}

QStringList misfits(QWidget *window)
{
    QStringList found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window) || shownText(w).isEmpty())
            continue;
        if (const QString why = misfit(w); !why.isEmpty())
            found << QStringLiteral("%1 \"%2\": %3").arg(w->objectName(), shownText(w), why);
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
        for (const QString &language : kLanguages)
            for (const char *window : {"main window", "port dialog", "port dialog, no port", "log window",
                                       "statistics window"})
                QTest::addRow("%s, %s", qPrintable(language), window) << language << QString::fromLatin1(window);
    }

    void everyTextInsideItsControl()
    {
        QFETCH(QString, language);
        QFETCH(QString, window);
        QTranslator translator;
        QVERIFY(useLanguage(translator, language));

        AppRig rig;
        rig.pin({}, " 0");
        QVERIFY(rig.start());
        QCOMPARE(rig.app->block().showBlock(fixture::kWorkedBlock), SettingsDecode::Ok);
        for (int n = 1; n <= 300; ++n) {
            rig.app->log().setVolt(n, 24.0f - float(n) / 50);
            rig.app->log().setCur(n, float(40 + n % 60));
        }
        std::unique_ptr<QWidget> owned;
        std::unique_ptr<PortSelection> selection;
        QWidget *shown = &rig.window();
        if (window.startsWith(u"port dialog")) {
            const bool found = !window.endsWith(u"no port");
            selection = std::make_unique<PortSelection>(rig.app->config(), [found](const QString &) { return found; });
            owned = std::make_unique<FrmConfig>(*selection);
            shown = owned.get();
        } else if (window != u"main window") {
            rig.app->logWindow().SetGraphFile();
            shown = rig.app->logWindow().window();
            if (window == u"statistics window") {
                rig.app->logWindow().window()->graphActions().first()->trigger();
                shown = rig.app->logWindow().window()->statisticsWindow();
            }
        }
        QVERIFY(shown);
        shown->show();
        if (QWidget *focus = QApplication::focusWidget())
            focus->clearFocus(); // no cursor in an entry box
        const QStringList found = misfits(shown);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
