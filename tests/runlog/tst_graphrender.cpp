// The graph as drawn: background, grid lines and ticks per scale-line option,
// the time grid, and the curves at their places, clipped at the plot's edges.

#include "runlog/graphrenderer.h"
#include "runlog/loglayout.h"
#include "core/conversions.h"

#include <QImage>
#include <QTest>

#include <cmath>
#include <limits>

using namespace vq;

namespace {

const QColor kVolt(0, 0, 255);
const QColor kCur(192, 0, 192);

RunLog emptyLog()
{
    RunLog log;
    for (int n = 1; n <= kLogSamples; ++n) {
        log.setVolt(n, kEmptySample);
        log.setCur(n, kEmptySample);
    }
    return log;
}

RunLog levelLog(float volts, float amperes)
{
    RunLog log;
    for (int n = 1; n <= kLogSamples; ++n) {
        log.setVolt(n, volts);
        log.setCur(n, amperes);
    }
    return log;
}

QImage render(const RunLog &log, QSize size, bool voltLines = false, bool curLines = false)
{
    QImage image(size, QImage::Format_RGB32);
    GraphOptions options;
    options.voltScaleLine = voltLines;
    options.curScaleLine = curLines;
    renderGraph(image, log, options);
    return image;
}

bool is(const QImage &image, int x, int y, const QColor &colour)
{
    return image.pixelColor(x, y) == colour;
}

// Runs of `colour` along a column or a row (adjacent pixels count once).
int runsInColumn(const QImage &image, int x, const QColor &colour)
{
    int runs = 0;
    bool inside = false;
    for (int y = 0; y < image.height(); ++y) {
        const bool hit = is(image, x, y, colour);
        runs += hit && !inside;
        inside = hit;
    }
    return runs;
}

int runsInRow(const QImage &image, int y, const QColor &colour, QList<int> *starts = nullptr)
{
    int runs = 0;
    bool inside = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool hit = is(image, x, y, colour);
        if (hit && !inside) {
            ++runs;
            if (starts)
                *starts << x;
        }
        inside = hit;
    }
    return runs;
}

// Rows of `colour` in column x, or -1 for none: first and last.
std::pair<int, int> rowsOf(const QImage &image, int x, const QColor &colour)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        if (is(image, x, y, colour)) {
            if (first < 0)
                first = y;
            last = y;
        }
    }
    return {first, last};
}

bool anyOf(const QImage &image, const QColor &colour, int fromX = 0, int toX = -1)
{
    if (toX < 0)
        toX = image.width() - 1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = std::max(0, fromX); x <= std::min(toX, image.width() - 1); ++x)
            if (is(image, x, y, colour))
                return true;
    return false;
}

// Pixel column of sample n and pixel row of a plot y, as the window maps them.
int columnOf(int n, const QImage &image)
{
    return int(std::lround(plotToPixel(sampleToPlotX(n, image.width() * 15.0), image.width())));
}

int rowOf(double plotY, const QImage &image)
{
    return int(std::lround(plotToPixel(plotY, image.height())));
}

// One-pixel lines fill the pixel whose square holds the coordinate.
int gridPixel(double plotCoordinate, int pixels)
{
    return int(std::floor(plotToPixel(float(plotCoordinate), pixels)));
}

// The inside of the plot area at the window's loading size.
const QSize kLoadInside(383, 203);

} // namespace

class TestGraphRender : public QObject
{
    Q_OBJECT

private slots:
    void emptyLogShowsBackgroundAndGridOnly()
    {
        const QImage image = render(emptyLog(), kLoadInside, true, true);
        QCOMPARE(image.pixelColor(image.width() / 2 + 3, image.height() / 2 + 5), kPlotBackground);
        QVERIFY(anyOf(image, kGridColour));
        QVERIFY(!anyOf(image, kVolt));
        QVERIFY(!anyOf(image, kCur));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                QVERIFY2(c == kPlotBackground || c == kGridColour, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
    }

    void redrawWipesThePreviousPicture()
    {
        QImage image(kLoadInside, QImage::Format_RGB32);
        renderGraph(image, levelLog(5, 120), {});
        QVERIFY(anyOf(image, kVolt));
        renderGraph(image, emptyLog(), {});
        QVERIFY(!anyOf(image, kVolt));
        QVERIFY(!anyOf(image, kCur));
    }

    void scaleLineOptions_data()
    {
        QTest::addColumn<bool>("voltLines");
        QTest::addColumn<bool>("curLines");
        QTest::addColumn<int>("acrossTheMiddle");
        QTest::addColumn<int>("leftEdge");
        QTest::addColumn<int>("rightEdge");

        // Lines at 0..9 V and 0..250 A; the 0 V / 0 A lines (bottom row) and
        // 5 V / 150 A (half height) coincide when both run across.
        QTest::newRow("both off: ticks only") << false << false << 0 << 10 << 6;
        QTest::newRow("voltage lines") << true << false << 10 << 10 << 14;
        QTest::newRow("current lines") << false << true << 6 << 14 << 6;
        QTest::newRow("both") << true << true << 14 << 14 << 14;
    }

    void scaleLineOptions()
    {
        QFETCH(bool, voltLines);
        QFETCH(bool, curLines);
        QFETCH(int, acrossTheMiddle);
        QFETCH(int, leftEdge);
        QFETCH(int, rightEdge);

        for (const QSize size : {kLoadInside, QSize(254, 163), QSize(1916, 1076)}) {
            const QImage image = render(emptyLog(), size, voltLines, curLines);
            // Column 0 carries the 0 s time line; 2 lies inside the left ticks,
            // w-3 inside the right ones; the middle column between time lines.
            const int middle = columnOf(45, image);
            QCOMPARE(runsInColumn(image, middle, kGridColour), acrossTheMiddle);
            QCOMPARE(runsInColumn(image, 2, kGridColour), leftEdge);
            QCOMPARE(runsInColumn(image, image.width() - 3, kGridColour), rightEdge);
        }
    }

    void ticksAreSeventyTwipsLong()
    {
        const QImage image = render(emptyLog(), QSize(1916, 1076));
        // 70 twips on a 15-twip pixel: columns 0..4 (5 with rounding) at the
        // left, the same at the right; nothing beyond.
        const int row = gridPixel(roundHalfEven(7 * 1076 * 15.0 / 10), image.height());
        QVERIFY(is(image, 4, row, kGridColour));
        QVERIFY(!is(image, 7, row, kGridColour));
        const int curRow = gridPixel(roundHalfEven(4 * 1076 * 15.0 / 6), image.height());
        QVERIFY(is(image, image.width() - 5, curRow, kGridColour));
        QVERIFY(!is(image, image.width() - 8, curRow, kGridColour));
    }

    void eighteenTimeLines()
    {
        for (const QSize size : {kLoadInside, QSize(254, 163), QSize(1916, 1076)}) {
            const QImage image = render(emptyLog(), size);
            // A row clear of the ticks: none at the top.
            QList<int> starts;
            QCOMPARE(runsInRow(image, 2, kGridColour, &starts), 18);
            for (int i = 0; i < 18; ++i) {
                // Positions round half to even: 4.5 x 5745 / 9 = 2872.5 twips
                // is drawn at 2872, the pixel before 2873's at the loading size.
                const int expected = gridPixel(roundHalfEven((i / 2 + (i % 2) * 0.5) * image.width() * 15.0 / 9),
                                               image.width());
                QVERIFY2(starts[i] == expected,
                         qPrintable(QStringLiteral("line %1 at %2, expected %3").arg(i).arg(starts[i]).arg(expected)));
            }
            // No line at 540 s: the last column is background away from ticks.
            QCOMPARE(image.pixelColor(image.width() - 1, 2), kPlotBackground);
        }
    }

    void levelCurvesAtTheirHeights_data()
    {
        QTest::addColumn<float>("volts");
        QTest::addColumn<float>("amperes");
        QTest::newRow("5.0 V, 120 A") << 5.0f << 120.0f;
        QTest::newRow("0.8 V, 20 A") << 0.8f << 20.0f;
    }

    void levelCurvesAtTheirHeights()
    {
        QFETCH(float, volts);
        QFETCH(float, amperes);
        const QImage image = render(levelLog(volts, amperes), kLoadInside);
        const double H = image.height() * 15.0;
        const int voltRow = rowOf(voltToPlotY(volts, H), image);
        const int curRow = rowOf(curToPlotY(amperes, H), image);
        // The level is the same along the whole recording, from the left edge
        // (sample 1 starts level at x = 0) to sample 512.
        for (int n : {1, 100, 256, 511}) {
            const int x = columnOf(n, image);
            const auto [vFirst, vLast] = rowsOf(image, x, kVolt);
            QVERIFY2(vFirst >= voltRow - 1 && vLast <= voltRow + 1 && vFirst >= 0,
                     qPrintable(QStringLiteral("sample %1: %2..%3, expected %4").arg(n).arg(vFirst).arg(vLast).arg(voltRow)));
            const auto [cFirst, cLast] = rowsOf(image, x, kCur);
            QVERIFY2(cFirst >= curRow - 1 && cLast <= curRow + 1 && cFirst >= 0,
                     qPrintable(QStringLiteral("sample %1: %2..%3, expected %4").arg(n).arg(cFirst).arg(cLast).arg(curRow)));
        }
        QVERIFY(rowsOf(image, 0, kVolt).first >= 0);
        // The last 28 s of the plot are always empty.
        QVERIFY(!anyOf(image, kVolt, columnOf(512, image) + 2));
        QVERIFY(!anyOf(image, kCur, columnOf(512, image) + 2));
    }

    void currentDrawnOverVoltage()
    {
        // 5.005 V and 150.165 A both sit at exactly half the height: the
        // current segment of each sample is drawn after its voltage segment.
        const QImage image = render(levelLog(5.005f, 150.165f), kLoadInside);
        const int x = columnOf(200, image);
        QVERIFY(rowsOf(image, x, kCur).first >= 0);
        QCOMPARE(rowsOf(image, x, kVolt).first, -1);
    }

    void topOfTheRangeAndClipping()
    {
        // 10.0 V and 300 A: just below the top edge (0.01/10.01 and 0.33/300.33
        // of the height), so still on the first rows.
        QImage image = render(levelLog(10.0f, 0.0f), kLoadInside);
        const int x = columnOf(256, image);
        QCOMPARE(rowsOf(image, x, kVolt).first, 0);
        QVERIFY(rowsOf(image, x, kVolt).second <= 1);
        image = render(levelLog(0.0f, 300.0f), kLoadInside);
        QCOMPARE(rowsOf(image, x, kCur).first, 0);
        QVERIFY(rowsOf(image, x, kCur).second <= 1);
        // 0 V and 0 A sit on the bottom edge and are still drawn.
        QVERIFY(rowsOf(image, x, kVolt).second >= image.height() - 2);

        // 19.7 V and 310 A lie above the top: a plateau of them leaves the
        // plot at the top and comes back, with nothing drawn in between.
        RunLog log = levelLog(5.0f, 120.0f);
        for (int n = 100; n <= 200; ++n) {
            log.setVolt(n, 19.7f);
            log.setCur(n, 310.0f);
        }
        image = render(log, QSize(1620, 400));
        const int plateau = columnOf(150, image);
        QCOMPARE(rowsOf(image, plateau, kVolt).first, -1);
        QCOMPARE(rowsOf(image, plateau, kCur).first, -1);
        // The rise to the plateau crosses the top row between samples 99 and 100.
        bool leavesAtTop = false;
        for (int col = columnOf(99, image); col <= columnOf(100, image); ++col)
            leavesAtTop = leavesAtTop || is(image, col, 0, kVolt);
        QVERIFY(leavesAtTop);
        QVERIFY(rowsOf(image, columnOf(50, image), kVolt).first > 0);
        QVERIFY(rowsOf(image, columnOf(250, image), kVolt).first > 0);
    }

    void emptySlotLeavesGapAndRisesFromBelow()
    {
        // Five pixels per sample, so the gap before slot 200 shows.
        RunLog log = levelLog(5.0f, 120.0f);
        log.setVolt(200, kEmptySample);
        const QImage image = render(log, QSize(2700, 300));
        const double H = image.height() * 15.0;
        const int voltRow = rowOf(voltToPlotY(5.0f, H), image);
        const int x199 = columnOf(199, image);
        const int x200 = columnOf(200, image);
        const int x201 = columnOf(201, image);
        for (int col = x199 + 2; col <= x200 - 2; ++col)
            QVERIFY2(!is(image, col, voltRow, kVolt), qPrintable(QString::number(col)));
        QVERIFY(is(image, x199 - 3, voltRow, kVolt));
        // The segment after the gap starts from -1 V below the bottom edge.
        bool entersFromBelow = false;
        for (int col = x200 - 1; col <= x201; ++col)
            entersFromBelow = entersFromBelow || is(image, col, image.height() - 1, kVolt);
        QVERIFY(entersFromBelow);
        // The current, which has no gap, runs straight through.
        const int curRow = rowOf(curToPlotY(120.0f, H), image);
        for (int col = x199; col <= x201; ++col)
            QVERIFY(is(image, col, curRow, kCur));
    }

    void legendColoursAreUsed()
    {
        QImage image(kLoadInside, QImage::Format_RGB32);
        GraphOptions options;
        options.voltColour = QColor(10, 200, 30);
        options.curColour = QColor(200, 100, 0);
        renderGraph(image, levelLog(5, 120), options);
        QVERIFY(anyOf(image, options.voltColour));
        QVERIFY(anyOf(image, options.curColour));
        QVERIFY(!anyOf(image, kVolt));
    }

    void valuesFarOutsideTheRange()
    {
        // A log file may hold any number: huge, negative or infinite values
        // are clipped or left out, and the samples around them still drawn.
        RunLog log = levelLog(5.0f, 120.0f);
        log.setVolt(100, 1e30f);
        log.setVolt(200, -1e30f);
        log.setVolt(300, std::numeric_limits<float>::infinity());
        log.setCur(300, -std::numeric_limits<float>::infinity());
        log.setCur(400, std::numeric_limits<float>::quiet_NaN());
        const QImage image = render(log, QSize(1620, 400));
        const double H = image.height() * 15.0;
        const int voltRow = rowOf(voltToPlotY(5.0f, H), image);
        for (int n : {50, 150, 250, 350, 450})
            QVERIFY(is(image, columnOf(n, image), voltRow, kVolt));
        // The rise to 1e30 V crosses the whole height next to sample 100.
        bool crossesTop = false;
        for (int col = columnOf(99, image) - 1; col <= columnOf(100, image) + 1; ++col)
            crossesTop = crossesTop || is(image, col, 0, kVolt);
        QVERIFY(crossesTop);
    }

    void tinyImages()
    {
        // Every pixel written lies inside the image, however small.
        const RunLog log = levelLog(0.0f, 300.0f);
        for (const QSize size : {QSize(1, 1), QSize(2, 2), QSize(1, 300), QSize(300, 1), QSize(3, 4)}) {
            QImage image = render(log, size, true, true);
            QCOMPARE(image.size(), size);
            QVERIFY(anyOf(image, kVolt) || anyOf(image, kCur) || anyOf(image, kGridColour));
        }
    }

    void emptyImageIsLeftAlone()
    {
        QImage image;
        renderGraph(image, levelLog(5, 120), {});
        QVERIFY(image.isNull());
    }
};

QTEST_MAIN(TestGraphRender)
#include "tst_graphrender.moc"
