// The controller's unit conversions, the number scan and the two rounding
// rules, checked against worked values: every byte the program writes or
// shows depends on them.

#include "core/conversions.h"

#include <QTest>

#include <limits>

using namespace vq;

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    // The scan (its lenient value and whether the text is a plain number),
    // then the rounding rule: halves to the even neighbour for bytes, away
    // from zero (to whole numbers or to tenths) for shown values.
    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<char>("rounding"); // '-' none, 'E' to even, 'A' away, 'T' away to tenths
        QTest::addColumn<double>("expected");
        QTest::addColumn<bool>("plain");
        QTest::newRow("empty") << "" << '-' << 0.0 << false;
        QTest::newRow("blanks, leading and inside") << " 1 2\t3\n4" << '-' << 1234.0 << false;
        QTest::newRow("blanks around") << " \t-0.5\n " << '-' << -0.5 << true;
        QTest::newRow("hex, either case, up to a non-digit") << "&hCfg1" << '-' << 207.0 << false;
        QTest::newRow("stops at letter") << "5x" << '-' << 5.0 << false;
        QTest::newRow("no digit before the point") << ".5" << '-' << 0.5 << false;
        QTest::newRow("no digit after the point") << "+3." << '-' << 3.0 << false;
        QTest::newRow("exponent E") << "1.5E3" << '-' << 1500.0 << false;
        QTest::newRow("exponent D") << "2d2" << '-' << 200.0 << false;
        QTest::newRow("too large") << "-1e999" << '-' << -std::numeric_limits<double>::infinity() << false;
        QTest::newRow("even: 2.5 down") << "2.5" << 'E' << 2.0 << true;
        QTest::newRow("even: 3.5 up") << "+3.5" << 'E' << 4.0 << true;
        QTest::newRow("away: 2.5") << "2.5" << 'A' << 3.0 << true;
        QTest::newRow("away: -2.5") << "-2.5" << 'A' << -3.0 << true;
        QTest::newRow("away: 0.25 to tenths") << "0.25" << 'T' << 0.3 << true;
    }
    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(char, rounding);
        const NumberScan scan = scanNumber(text);
        const double v = scan.value;
        QTEST(rounding == 'E' ? roundHalfEven(v) : rounding == '-' ? v : roundHalfAway(v, rounding == 'T' ? 1 : 0), "expected");
        QTEST(scan.plain, "plain");
        QCOMPARE(Val(text), v);
    }

    // Unit to device byte; ties go to the even byte. Not clamped: the editor
    // range-checks first.
    void unitToByte_data()
    {
        QTest::addColumn<char>("unit");
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("byte");
        QTest::newRow("80 A, 42.5 to even") << 'A' << 80.0f << 0x2A;
        QTest::newRow("300 A") << 'A' << 300.0f << 0x9F;
        QTest::newRow("480 A") << 'A' << 480.0f << 0xFF;
        QTest::newRow("3.0 V") << 'V' << 3.0f << 0x27;
        QTest::newRow("3.3 V, just below a half") << 'V' << 3.3f << 0x2A;
        QTest::newRow("19.8 V") << 'V' << 19.8f << 0xFF;
        QTest::newRow("30 %, 76.5 to even") << '%' << 30.0f << 0x4C;
        QTest::newRow("100 %") << '%' << 100.0f << 0xFF;
    }
    void unitToByte()
    {
        QFETCH(char, unit);
        QFETCH(float, value);
        QTEST(int(unit == 'A' ? ampToByte(value) : unit == 'V' ? voltToByte(value) : percentToByte(value)), "byte");
    }

    // Device byte to volts (tenths, halves away from zero), amperes (tens,
    // halves up) and percent (whole, halves away from zero).
    void byteToUnit_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<double>("volts");
        QTest::addColumn<float>("amperes");
        QTest::addColumn<double>("percent");
        QTest::newRow("03") << 0x03 << 0.2 << 10.0f << 1.0;
        QTest::newRow("80") << 0x80 << 9.9 << 240.0f << 50.0;
        QTest::newRow("A3") << 0xA3 << 12.7 << 310.0f << 64.0;
        QTest::newRow("FC") << 0xFC << 19.6 << 470.0f << 99.0;
        QTest::newRow("FD") << 0xFD << 19.6 << 480.0f << 99.0;
        QTest::newRow("FF") << 0xFF << 19.8 << 480.0f << 100.0;
        QTest::newRow("85") << 0x85 << 10.3 << 250.0f << 52.0;
    }
    void byteToUnit()
    {
        QFETCH(int, byte);
        QTEST(byteToVolt(byte), "volts");
        QTEST(byteToAmp(byte), "amperes");
        QTEST(byteToPercent(byte), "percent");
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
