// The graph as drawn, probed at fixed pixels of the plot's inside at the log
// window's loading size (383 x 203): grid lines or ticks per scale-line
// option, the time lines, the curves at their rows, the empty slot's gap and
// values above the range clipped; a zoomed stretch, a compared run drawn
// under the run and taken away again; the picture with its scales, as PNG
// and as SVG.

#include "logwindow/graphpicture.h"
#include "logwindow/graphrenderer.h"

#include <QCryptographicHash>
#include <QImage>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>

using namespace vq;

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

class TestGraphRender : public QObject
{
    Q_OBJECT

private slots:
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

        // The SVG: the same plot strokes and every text of the description
        // at its place, with its alignment.
        QXmlStreamReader xml(graphPictureSvg(picture, rippleLog()));
        QStringList strokes, svgTexts, wanted;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            if (xml.name() == u"svg")
                QCOMPARE(a.value("width").toString() + u'x' + a.value("height").toString(), QStringLiteral("640x360"));
            if (xml.name() == u"path")
                strokes << a.value("stroke").toString();
            if (xml.name() == u"text")
                svgTexts << a.value("x").toString() + u',' + a.value("y").toString() + u',' + a.value("text-anchor").toString() + u',' + xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        // The grid, the compared run's two shades, then the run's colours.
        QCOMPARE(strokes, (QStringList{"#808080", "#8080ff", "#e080e0", "#0000ff", "#c000c0"}));
        for (const PictureText &t : picture.texts)
            wanted << QString::number(t.at.x()) + u',' + QString::number(t.at.y()) + u','
                          + (t.alignment & Qt::AlignRight ? "end" : t.alignment & Qt::AlignHCenter ? "middle" : "start")
                          + u',' + t.text;
        QCOMPARE(svgTexts, wanted);
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

QTEST_MAIN(TestGraphRender)
#include "tst_graphrender.moc"
