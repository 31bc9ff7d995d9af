// The graph as drawn, probed at fixed pixels of the plot's inside at the log
// window's loading size (383 x 203): grid lines or ticks per scale-line
// option, the time lines, the curves at their rows, the empty slot's gap and
// values above the range clipped.

#include "runlog/graphrenderer.h"

#include <QImage>
#include <QTest>

using namespace vq;

namespace {

const QColor kVolt(0, 0, 255);
const QColor kCur(192, 0, 192);
const QColor kGrid(128, 128, 128);
const QColor kBackground(224, 224, 224);

RunLog levelLog(float volts, float amperes)
{
    RunLog log;
    for (int n = 1; n <= kLogSamples; ++n) {
        log.setVolt(n, volts);
        log.setCur(n, amperes);
    }
    return log;
}

QImage render(const RunLog &log, QSize size = {383, 203}, bool voltLines = false, bool curLines = false)
{
    QImage image(size, QImage::Format_RGB32);
    GraphOptions options;
    options.voltScaleLine = voltLines;
    options.curScaleLine = curLines;
    renderGraph(image, log, options);
    return image;
}

// The rows (or columns) of `colour` along column x (or row y).
QList<int> rowsAt(const QImage &image, int x, const QColor &colour)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixelColor(x, y) == colour)
            rows.append(y);
    return rows;
}
QList<int> columnsAt(const QImage &image, int y, const QColor &colour)
{
    QList<int> columns;
    for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == colour)
            columns.append(x);
    return columns;
}

const QList<int> kVoltGrid{20, 40, 60, 80, 100, 121, 141, 161, 181, 202};  // 9 V .. 0 V
const QList<int> kCurGrid{33, 67, 100, 101, 134, 168, 202};                 // 250 A .. 0 A
const QList<int> kBoth{20, 33, 40, 60, 67, 80, 100, 121, 134, 141, 161, 168, 181, 202};

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
        QTest::newRow("both") << true << true << kBoth << kBoth;
    }
    void scaleLines()
    {
        QFETCH(bool, voltLines);
        QFETCH(bool, curLines);
        QFETCH(QList<int>, middle);
        QFETCH(QList<int>, left);
        const QImage image = render(levelLog(-1, -1), {383, 203}, voltLines, curLines);
        QCOMPARE(rowsAt(image, 30, kGrid), middle);
        QCOMPARE(rowsAt(image, 2, kGrid), left);
        QVERIFY(rowsAt(image, 380, kGrid).contains(101)); // the 150 A tick
        QCOMPARE(image.pixelColor(50, 50), kBackground);
        QVERIFY(rowsAt(image, 100, kVolt).isEmpty() && rowsAt(image, 100, kCur).isEmpty());
    }

    void timeLines()
    {
        // Every 30 s up to 510 s; none at 540 s.
        QCOMPARE(columnsAt(render(levelLog(-1, -1)), 2, kGrid),
                 (QList<int>{0, 21, 42, 63, 84, 106, 127, 148, 169, 190, 212, 233, 254, 275, 297, 318, 339, 360}));
    }

    void levelCurves()
    {
        // 5.0 V and 120 A from the left edge to sample 512 (column 362), the
        // current drawn after the voltage; the last 28 s stay empty.
        const QImage image = render(levelLog(5.0f, 120.0f));
        for (int x : {0, 100, 362}) {
            QCOMPARE(rowsAt(image, x, kVolt), (QList<int>{100, 101}));
            QCOMPARE(rowsAt(image, x, kCur), (QList<int>{120, 121}));
        }
        QVERIFY(rowsAt(image, 363, kVolt).isEmpty() && rowsAt(image, 363, kCur).isEmpty());
    }

    void emptySlotLeavesGapAndRisesFromBelow()
    {
        // Five pixels a sample: slot 200 (column 1000) holds no voltage.
        RunLog log = levelLog(5.0f, 120.0f);
        log.setVolt(200, -1);
        const QImage image = render(log, {2700, 300});
        const QList<int> level = columnsAt(image, 150, kVolt);
        QVERIFY(level.contains(995) && !level.contains(996) && !level.contains(1003) && level.contains(1004));
        QCOMPARE(columnsAt(image, 299, kVolt), (QList<int>{999, 1000}));
    }

    void aboveTheRangeIsClipped()
    {
        // Samples 100-200 at 19.7 V and 310 A: nothing drawn over them.
        RunLog log = levelLog(5.0f, 120.0f);
        for (int n = 100; n <= 200; ++n) {
            log.setVolt(n, 19.7f);
            log.setCur(n, 310.0f);
        }
        const QImage image = render(log);
        QVERIFY(rowsAt(image, 106, kVolt).isEmpty() && rowsAt(image, 106, kCur).isEmpty());
        QCOMPARE(columnsAt(image, 0, kCur), (QList<int>{70, 71, 141, 142}));
    }
};

QTEST_MAIN(TestGraphRender)
#include "tst_graphrender.moc"
