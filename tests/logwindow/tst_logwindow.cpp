// The log window as the user meets it: where it opens and how large, the
// smallest size it keeps, the scale-line boxes and their profile keys,
// closing and reopening, the pointer read-out and the keyboard cursor,
// SetGraph with good and damaged replies; zoom and pan by the mouse, and the
// graph's context menu (statistics, picture, copy, comparison); the picture's
// scales where the window shows its labels, the statistics on the screen.
// Then the graph as drawn, probed at fixed pixels of the plot's inside at the
// log window's loading size (383 x 203): grid lines or ticks per scale-line
// option, the time lines, the curves at their rows, the empty slot's gap and
// values above the range clipped; a zoomed stretch, a compared run drawn under
// the run and taken away again; the picture with its scales, as PNG and SVG.

#include "fixtures.h"
#include "logwindow/graphpicture.h"
#include "logwindow/graphrenderer.h"
#include "logwindow/logwindowhost.h"
#include "platform/config.h"
#include "runlog/loglayout.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCryptographicHash>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>
#include <memory>

using namespace vq;

namespace {

// Every sample 5.0 V / 120 A; sample 120 7.8 V / 150 A, sample 121 empty in
// both.
const QString kReply = QStringLiteral("br") + QStringLiteral("4040").repeated(119) + QStringLiteral("6450ffFF")
                       + QStringLiteral("4040").repeated(391) + u'\r';

void mouse(QWidget *widget, QEvent::Type type, QPointF position, Qt::MouseButton button = Qt::NoButton,
           Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void wheel(QWidget *widget, QPointF position, int notches)
{
    QWheelEvent event(position, widget->mapToGlobal(position), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

QStringList timeLabels(FrmLog *w)
{
    QStringList shown;
    for (int i = 0; i < kTimeLabels; ++i) {
        auto *label = w->findChild<QLabel *>(QStringLiteral("LblS_%1").arg(i));
        if (!label->isHidden())
            shown << label->text();
    }
    return shown;
}

void trigger(FrmLog *w, const QString &text)
{
    for (QAction *action : w->graphActions())
        if (action->text() == text)
            return action->trigger();
    QFAIL(qPrintable(text));
}

} // namespace

namespace {

const QColor kVolt(0, 0, 255);
const QColor kCur(192, 0, 192);
const QColor kGrid(128, 128, 128);

RunLog levelLog(float volts, float amperes)
{
    RunLog log;
    for (int n = 1; n <= kLogSamples; ++n) {
        log.setVolt(n, volts);
        log.setCur(n, amperes);
    }
    return log;
}

GraphOptions withLines(bool volt, bool cur)
{
    GraphOptions options;
    options.voltScaleLine = volt;
    options.curScaleLine = cur;
    return options;
}

QImage render(const RunLog &log, QSize size = {383, 203}, GraphOptions options = {})
{
    QImage image(size, QImage::Format_RGB32);
    renderGraph(image, log, options);
    return image;
}

// Where `colour` lies down column x, or along row y when one is given.
QList<int> hits(const QImage &image, const QColor &colour, int x, int y = -1)
{
    QList<int> found;
    for (int i = 0; i < (y < 0 ? image.height() : image.width()); ++i)
        if (image.pixelColor(y < 0 ? x : i, y < 0 ? i : y) == colour)
            found.append(i);
    return found;
}

const QList<int> kVoltGrid{20, 40, 60, 80, 100, 121, 141, 161, 181, 202};  // 9 V .. 0 V
const QList<int> kBoth{20, 33, 40, 60, 67, 80, 100, 121, 134, 141, 161, 168, 181, 202};

// A run with a ripple, gaps and values beyond both ends of the scales.
RunLog rippleLog()
{
    RunLog log;
    for (int n = 1; n <= kLogSamples; ++n) {
        log.setVolt(n, n % 97 == 0 ? -1.0f : float(8.4 - n * 0.004 + 0.6 * std::sin(n * 0.3)));
        log.setCur(n, n % 89 == 0 ? -1.0f : float(150 + 170 * std::sin(n * 0.07)));
    }
    return log;
}

QByteArray pixelHash(const QImage &image)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (int y = 0; y < image.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4));
    return hash.result().toHex().left(16);
}

} // namespace

class TestLogWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Config> m_config;
    RunLog m_log;
    QWidget m_main;
    std::unique_ptr<LogWindowHost> m_host;

    QString ini() const { return m_dir.filePath(QStringLiteral("VQ530T Link.ini")); }
    FrmLog *open() { m_host->SetGraphFile(); return m_host->window(); }
    QCheckBox *scaleBox(FrmLog *w, int i) { return w->findChild<QCheckBox *>(QStringLiteral("ChkScaleLine_%1").arg(i)); }

private slots:
    void init()
    {
        m_host.reset();
        QFile::remove(ini());
        m_config = std::make_unique<Config>(m_dir.path());
        m_log.reset();
        m_main.setGeometry(100, 80, 300, 200);
        m_host = std::make_unique<LogWindowHost>(&m_main, *m_config, m_log);
    }

    void placeSizeAndScaleLines()
    {
        // 7000 x 5200 twips, 2000 twips right of the main window; at least
        // 5070 x 4600 twips (338 x 307 pixels, the first whole pixels).
        FrmLog *w = open();
        QCOMPARE(w->frameGeometry(), QRect(233, 80, 467, 347));
        w->move(400, 300);
        w->resize(QSize(337, 306) - (w->frameGeometry().size() - w->size()));
        QTRY_COMPARE(w->frameGeometry().size(), QSize(338, 307));
        QVERIFY(!QFile::exists(ini())); // opening writes nothing
        // The scale lines are stored at once.
        const QImage ticksOnly = w->picture().copy();
        QTest::mouseClick(scaleBox(w, 0), Qt::LeftButton);
        QCOMPARE(fixture::readFile(ini()), QByteArray("[Chart]\r\nScaleLine0=1\r\n"));
        QVERIFY(w->picture() != ticksOnly);
        QTest::mouseClick(scaleBox(w, 1), Qt::LeftButton);
        QTest::mouseClick(scaleBox(w, 0), Qt::LeftButton);
        QCOMPARE(fixture::readFile(ini()), QByteArray("[Chart]\r\nScaleLine0=0\r\nScaleLine1=1\r\n"));

        // Closed and opened again: the loading place and size, the lines restored.
        w->findChild<QPushButton *>(QStringLiteral("CmdClose"))->click();
        QVERIFY(!m_host->window());
        w = open();
        QCOMPARE(w->frameGeometry(), QRect(233, 80, 467, 347));
        QVERIFY(!scaleBox(w, 0)->isChecked());
        QVERIFY(scaleBox(w, 1)->isChecked());
    }

    void setGraphRefusesDamagedReplies()
    {
        // Refused replies are all alike here: no window, nothing redrawn.
        const QString damaged = QString(kReply).replace(1000, 1, u'G');
        QCOMPARE(m_host->SetGraph(damaged), RunReplyStatus::BadHex);
        QVERIFY(!m_host->window());
        QCOMPARE(m_host->SetGraph(kReply), RunReplyStatus::Ok);
        const RunLog good = m_log;
        const QImage picture = m_host->window()->picture().copy();
        QCOMPARE(m_host->SetGraph(damaged), RunReplyStatus::BadHex);
        QCOMPARE(m_log, good);
        QCOMPARE(m_host->window()->picture(), picture);
    }

    void readOutByPointerAndKeyboard_data()
    {
        QTest::addColumn<QList<int>>("keys"); // pressed on the graph once Tab has brought the focus there
        QTest::addColumn<QString>("text");
        using K = QList<int>;
        QTest::newRow("Tab: the first second; Left stays, ten on, one on")
            << K{Qt::Key_Left} + K(11, Qt::Key_PageUp) + K(9, Qt::Key_Right) << "120s\r\n7.8V\r\n150A";
        QTest::newRow("End; Right stays, ten back, one back")
            << K{Qt::Key_End, Qt::Key_Right} + K(39, Qt::Key_PageDown) + K{Qt::Key_Left} << "121s\r\nV\r\nA";
        QTest::newRow("End, Home") << K{Qt::Key_End, Qt::Key_Home} << "1s\r\n5V\r\n120A";
        QTest::newRow("End") << K{Qt::Key_End} << "512s\r\n5V\r\n120A";
    }

    void readOutByPointerAndKeyboard()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, text);
        QCOMPARE(m_host->SetGraph(kReply), RunReplyStatus::Ok);
        FrmLog *w = m_host->window();
        auto *pic = w->findChild<QWidget *>(QStringLiteral("PicLog"));
        auto *box = w->findChild<QLabel *>(QStringLiteral("TxtLog"));
        QVERIFY(box->isHidden());
        QVERIFY(QTest::qWaitForWindowActive(w));
        const QImage atRest = pic->grab().toImage();
        for (int i = 0; i < 3; ++i) // past Close and the two Scale Line boxes
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        for (int key : keys)
            QTest::keyClick(pic, Qt::Key(key));
        QCOMPARE(w->readOutText(), text);
        QCOMPARE(QAccessible::queryAccessibleInterface(pic)->text(QAccessible::Value), text);
        QVERIFY(static_cast<PlotArea *>(pic)->inside().translated(pic->pos()).contains(box->geometry()));
        const QImage focused = pic->grab().toImage(); // the cursor: one column, only while focused
        int changedColumns = 0;
        for (int x = 0; x < focused.width(); ++x)
            changedColumns += focused.copy(x, 0, 1, focused.height()) != atRest.copy(x, 0, 1, atRest.height());
        QCOMPARE(changedColumns, 1);
        QTest::keyClick(pic, Qt::Key_Tab);
        QCOMPARE(pic->grab().toImage(), atRest);
        const int second = w->readOut().t; // the pointer, a quarter pixel a step to that second
        mouse(pic, QEvent::MouseMove, QPointF(2, pic->height() / 2.0)); // the left edge hides the box
        QVERIFY(box->isHidden());
        for (double x = 2; x < pic->width() && w->readOut().t != second; x += 0.25)
            mouse(pic, QEvent::MouseMove, QPointF(x, pic->height() / 2.0));
        QCOMPARE(w->readOut().text, text);
        QCOMPARE(box->text().split(u'\n').join("\r\n"), text);
        QVERIFY(box->isVisible());
    }

    void zoomPanAndReset()
    {
        QCOMPARE(m_host->SetGraph(kReply), RunReplyStatus::Ok);
        FrmLog *w = m_host->window();
        auto *pic = w->findChild<PlotArea *>(QStringLiteral("PicLog"));
        const QImage atRest = w->picture().copy();
        const QStringList labelsAtRest = timeLabels(w);
        // The pointer at second 120.
        const float x120 = secondToPlotX(120, pic->width() * kTwipsPerPixel);
        QPointF at(pic->inside().left() + plotToPixel(x120, pic->inside().width()), pic->height() / 2.0);
        for (int notches : {3, 30}) {
            wheel(pic, at, notches);
            QCOMPARE(w->readOut().t, 120);
            QCOMPARE(w->readOut().text, QStringLiteral("120s\r\n7.8V\r\n150A"));
        }
        QCOMPARE(w->view().span, kMinimumSpan);
        const QStringList zoomedLabels = timeLabels(w);
        QVERIFY2(zoomedLabels.size() >= 5 && zoomedLabels.contains(QStringLiteral("120")), qPrintable(zoomedLabels.join(u' ')));
        QVERIFY(w->picture() != atRest);
        // Dragged a quarter of the plot to the left: later seconds, the grabbed
        // second still under the pointer.
        const TimeView before = w->view();
        mouse(pic, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        at.rx() -= pic->inside().width() / 4.0;
        mouse(pic, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        QVERIFY(std::abs(w->view().start - before.start - 2.5) < 0.1);
        QCOMPARE(w->readOut().t, 120);
        mouse(pic, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        // The keyboard cursor drags the view along: End shows the last second.
        w->activateWindow();
        pic->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pic, Qt::Key_End);
        QVERIFY(w->view().start <= 512 && w->view().end() >= 512);
        QCOMPARE(w->readOut().t, 512);
        // The cursor's box stays inside the plot at its right edge.
        QVERIFY(pic->inside().translated(pic->pos()).contains(w->findChild<QLabel *>("TxtLog")->geometry()));
        // A double click is the whole run again, pixel for pixel.
        pic->clearFocus();
        mouse(pic, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        QVERIFY(w->view().isWhole());
        QCOMPARE(timeLabels(w), labelsAtRest);
        QCOMPARE(w->picture(), atRest);
        wheel(pic, at, 2);
        trigger(w, QStringLiteral("Reset Zoom"));
        QCOMPARE(w->picture(), atRest);
    }

    void pictureScalesAsTheWindowShowsThem()
    {
        // Every label the window shows, at rest and zoomed, stands in the
        // picture with its text, at its place and with its alignment.
        QCOMPARE(m_host->SetGraph(kReply), RunReplyStatus::Ok);
        FrmLog *w = m_host->window();
        w->resize(QSize(700, 400));
        auto *pic = w->findChild<PlotArea *>(QStringLiteral("PicLog"));
        for (int notches : {0, 4}) {
            wheel(pic, QPointF(200, 100), notches);
            QStringList window, picture;
            for (QLabel *label : w->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^Lbl")))) {
                if (label->isHidden())
                    continue;
                const QRect g = label->geometry();
                const Qt::Alignment a = label->alignment();
                const double x = a & Qt::AlignRight ? g.x() + g.width() : a & Qt::AlignHCenter ? g.x() + g.width() / 2.0 : g.x();
                window << QStringLiteral("%1 %2,%3").arg(label->text()).arg(x).arg(g.y() + kPictureBaseline);
            }
            const GraphPictureDescription description = w->graphPictureDescription();
            for (const PictureText &t : description.texts)
                if (!t.text.endsWith(u')') || t.text == u"Time(s)") // the legend titles stand beside their lines
                    picture << QStringLiteral("%1 %2,%3").arg(t.text).arg(t.at.x()).arg(t.at.y());
            window.sort();
            picture.sort();
            QCOMPARE(picture, window);
            QCOMPARE(description.plot, pic->inside().translated(pic->pos()));
        }
    }

    // The graph's menu, with the log window at the right edge of the screen:
    // the statistics go where the screen has room, also once a compared
    // column widens them.
    void graphMenu()
    {
        const RunLog other = levelLog(6.0f, 100.0f);
        const QString name = QStringLiteral("a-rather-long-name-of-another-run.csv");
        QByteArray png, svg;
        LogWindowFiles files;
        files.openComparison = [&] { return std::optional(ComparedRun{other, name}); };
        files.savePicture = [&](const std::function<QByteArray(bool)> &encode) {
            png = encode(false);
            svg = encode(true);
        };
        m_host->setFiles(files);
        QCOMPARE(m_host->SetGraph(kReply), RunReplyStatus::Ok);
        FrmLog *w = m_host->window();
        const QRect screen = w->screen()->availableGeometry();
        w->move(screen.right() + 1 - w->frameGeometry().width() - 9, screen.top() + 20);
        auto *pic = w->findChild<PlotArea *>(QStringLiteral("PicLog"));
        const QImage atRest = w->picture().copy();

        trigger(w, QStringLiteral("Compare with Log File…"));
        QCOMPARE(w->windowTitle(), "Log Data - " + name);
        QCOMPARE(w->picture().pixelColor(100, 81), kVoltCompareColour); // 6 V, in the lighter blue
        const float x = secondToPlotX(120, pic->width() * kTwipsPerPixel);
        mouse(pic, QEvent::MouseMove, QPointF(pic->inside().left() + plotToPixel(x, pic->inside().width()), pic->height() / 2.0));
        QCOMPARE(w->readOutText(), QStringLiteral("120s\r\n7.8V\r\n150A\r\n6V\r\n100A"));

        // The compared run's values in a grey readable on the white box:
        // a contrast of at least 4.5:1.
        const QString shown = w->findChild<QLabel *>(QStringLiteral("TxtLog"))->text();
        const QColor grey(shown.mid(shown.indexOf(QStringLiteral("color:")) + 6, 7));
        const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        const double luminance = 0.2126 * linear(grey.redF()) + 0.7152 * linear(grey.greenF()) + 0.0722 * linear(grey.blueF());
        QVERIFY2(grey.isValid() && 1.05 / (luminance + 0.05) >= 4.5, qPrintable(grey.name()));

        trigger(w, QStringLiteral("Statistics…"));
        QVERIFY(w->statisticsWindow() && w->statisticsWindow()->isVisible());
        // On the screen; one wider than the screen (Windows' offscreen
        // platform, which has no fonts, under Wine) at least starts on it.
        const QRect stats = w->statisticsWindow()->frameGeometry();
        QVERIFY2(screen.contains(stats) || (stats.width() > screen.width() && stats.left() == screen.left()),
                 qPrintable(QDebug::toString(stats) + QDebug::toString(screen)));
        QCOMPARE(w->statisticsWindow()->rows().value(0), (QStringList{"", "This run", name}));
        QCOMPARE(w->statisticsWindow()->rows().value(1), (QStringList{"Samples", "511 s", "512 s"}));

        // The picture: the window's size, the plot in it as on screen.
        trigger(w, QStringLiteral("Save Graph as Picture…"));
        const QImage saved = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(saved.size(), QSize(467, 347));
        QCOMPARE(saved.copy(w->graphPictureDescription().plot), w->picture());
        QVERIFY(svg.startsWith("<?xml") && svg.contains("width=\"467\" height=\"347\""));
        trigger(w, QStringLiteral("Copy Graph"));
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), saved);

        // Removed: the window as at rest; the statistics follow.
        trigger(w, QStringLiteral("Remove Comparison"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Log Data"));
        QCOMPARE(w->picture(), atRest);
        QCOMPARE(w->statisticsWindow()->rows().value(0).value(1), QStringLiteral("511 s"));
        mouse(pic, QEvent::MouseMove, QPointF(pic->inside().left() + plotToPixel(x, pic->inside().width()), pic->height() / 2.0));
        QCOMPARE(w->readOutText(), QStringLiteral("120s\r\n7.8V\r\n150A"));
        trigger(w, QStringLiteral("Compare with Log File…")); // widened while open
        QVERIFY(screen.contains(w->statisticsWindow()->frameGeometry()));
    }

    void scaleLines_data()
    {
        // Column 30 lies between time lines, inside no tick; column 2 inside
        // the voltage ticks on the left, column 380 the current ticks.
        QTest::addColumn<bool>("voltLines");
        QTest::addColumn<bool>("curLines");
        QTest::addColumn<QList<int>>("middle");
        QTest::addColumn<QList<int>>("left");
        QTest::newRow("ticks only") << false << false << QList<int>{} << kVoltGrid;
        QTest::newRow("voltage lines") << true << false << kVoltGrid << kVoltGrid;
        QTest::newRow("current lines") << false << true << QList<int>{33, 67, 100, 134, 168, 202} << kBoth;
    }
    void scaleLines()
    {
        QFETCH(bool, voltLines);
        QFETCH(bool, curLines);
        const QImage image = render(levelLog(-1, -1), {383, 203}, withLines(voltLines, curLines));
        QTEST(hits(image, kGrid, 30), "middle");
        QTEST(hits(image, kGrid, 2), "left");
        QVERIFY(hits(image, kGrid, 380).contains(101)); // the 150 A tick
        QVERIFY(hits(image, kVolt, 100).isEmpty() && hits(image, kCur, 100).isEmpty());
        // Time lines every 30 s up to 510 s; none at 540 s.
        QCOMPARE(hits(image, kGrid, -1, 2),
                 (QList<int>{0, 21, 42, 63, 84, 106, 127, 148, 169, 190, 212, 233, 254, 275, 297, 318, 339, 360}));
    }

    void wholeRunPixelForPixel_data()
    {
        // Fingerprints of the whole run as the window has always drawn it.
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("lines");
        QTest::addColumn<QByteArray>("hash");
        QTest::newRow("loading size, ticks") << QSize(383, 203) << false << QByteArray("a4ea44bb790c6023");
        QTest::newRow("loading size, lines") << QSize(383, 203) << true << QByteArray("4b7972f8339db180");
        QTest::newRow("1920 x 1080, lines") << QSize(1920, 1080) << true << QByteArray("f663933a186ac553");
    }
    void wholeRunPixelForPixel()
    {
        QFETCH(QSize, size);
        QFETCH(bool, lines);
        QTEST(pixelHash(render(rippleLog(), size, withLines(lines, lines))), "hash");
    }

    void zoomedStretchAndComparison()
    {
        // 190-210 s across 400 pixels: 20 pixels a second; slot 200 holds no
        // voltage, so none is drawn from 199 s to 200 s; grid every 2.5 s.
        RunLog log = levelLog(5.0f, 120.0f);
        log.setVolt(200, -1);
        GraphOptions zoomed;
        zoomed.view = {190, 20};
        QImage image = render(log, {400, 203}, zoomed);
        QCOMPARE(hits(image, kVolt, 150), (QList<int>{100, 101}));
        QCOMPARE(hits(image, kVolt, 190), (QList<int>{}));
        QCOMPARE(hits(image, kCur, 190), (QList<int>{120, 121}));
        QCOMPARE(hits(image, kGrid, -1, 2).size(), 8);

        // A compared run at 7.5 V / 60 A lies under the run in lighter shades;
        // where both runs agree only the run shows.
        const RunLog other = levelLog(7.5f, 60.0f);
        GraphOptions compared;
        compared.comparison = &other;
        const QImage plain = render(log);
        image = render(log, {383, 203}, compared);
        QCOMPARE(hits(image, kVoltCompareColour, 100), (QList<int>{50, 51}));
        QCOMPARE(hits(image, kCurCompareColour, 100), (QList<int>{161, 162}));
        QCOMPARE(hits(image, kVolt, 100), (QList<int>{100, 101}));
        compared.comparison = &log;
        QCOMPARE(render(log, {383, 203}, compared), plain);
        compared.comparison = nullptr;
        QCOMPARE(render(log, {383, 203}, compared), plain);
    }

    void pictureDescribedOnceForPngAndSvg()
    {
        // A picture of the window at 640 x 360 zoomed to 100-160 s: the plot
        // where the window puts its inside, the scales and the labels of the
        // seconds shown round it, the legend lines in the curves' colours.
        const RunLog other = levelLog(7.5f, 60.0f);
        GraphOptions options;
        options.comparison = &other;
        options.view = {100, 60};
        const GraphPictureDescription picture = describeGraphPicture(QSize(640, 360), options);
        QCOMPARE(picture.plot, QRect(38, 70, 556, 216));
        QStringList texts;
        for (const PictureText &t : picture.texts)
            texts << t.text;
        QCOMPARE(texts.join(u' '), QStringLiteral("0 1.0 2.0 3.0 4.0 5.0 6.0 7.0 8.0 9.0 10.0 0 50 100 150 200 250 300 "
                                                  "100 110 120 130 140 150 160 Time(s) Voltage(V) Current(A)"));
        QList<QColor> colours;
        for (const PictureRect &r : picture.rects)
            colours << r.colour;
        QVERIFY(colours.contains(kVolt) && colours.contains(kCur));

        // The PNG: the plot pixel for pixel as the window draws it.
        const QImage png = paintGraphPicture(picture, rippleLog());
        QCOMPARE(png.size(), QSize(640, 360));
        QCOMPARE(png.copy(picture.plot), render(rippleLog(), picture.plot.size(), options));

        // The SVG: the same plot strokes (its texts are pinned byte for byte
        // in tst_mainwindow's short-log.svg).
        QXmlStreamReader xml(graphPictureSvg(picture, rippleLog()));
        QStringList strokes;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == u"svg")
                QCOMPARE(a.value("width").toString() + u'x' + a.value("height").toString(), QStringLiteral("640x360"));
            if (xml.name() == u"path")
                strokes << a.value("stroke").toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        // The grid, the compared run's two shades, then the run's colours.
        QCOMPARE(strokes, (QStringList{"#808080", "#8080ff", "#e080e0", "#0000ff", "#c000c0"}));
    }

    void curves()
    {
        // 5.0 V and 120 A from the left edge to sample 512 (column 362), the
        // current drawn after the voltage; the last 28 s stay empty.
        QImage image = render(levelLog(5.0f, 120.0f));
        for (int x : {0, 100, 362}) {
            QCOMPARE(hits(image, kVolt, x), (QList<int>{100, 101}));
            QCOMPARE(hits(image, kCur, x), (QList<int>{120, 121}));
        }
        QVERIFY(hits(image, kVolt, 363).isEmpty() && hits(image, kCur, 363).isEmpty());
        // A current of 0 A runs along the bottom edge.
        QCOMPARE(hits(render(levelLog(5.0f, 0.0f)), kCur, 100), (QList<int>{201, 202}));
        // Five pixels a sample: slot 200 (column 1000) holds no voltage, and
        // the curve rises to slot 201 from below the bottom edge.
        RunLog log = levelLog(5.0f, 120.0f);
        log.setVolt(200, -1);
        image = render(log, {2700, 300});
        const QList<int> level = hits(image, kVolt, -1, 150);
        QVERIFY(level.contains(995) && !level.contains(996) && !level.contains(1003) && level.contains(1004));
        QCOMPARE(hits(image, kVolt, -1, 299), (QList<int>{999, 1000}));
        // Samples 100-200 at 19.7 V and 310 A lie above the top: nothing drawn over them.
        for (int n = 100; n <= 200; ++n) {
            log.setVolt(n, 19.7f);
            log.setCur(n, 310.0f);
        }
        image = render(log);
        QVERIFY(hits(image, kVolt, 106).isEmpty() && hits(image, kCur, 106).isEmpty());
        QCOMPARE(hits(image, kCur, -1, 0), (QList<int>{70, 71, 141, 142}));
    }
};

QTEST_MAIN(TestLogWindow)
#include "tst_logwindow.moc"
