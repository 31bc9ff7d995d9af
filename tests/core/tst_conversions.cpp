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
    // Val, then the rounding rule: halves to the even neighbour for bytes,
    // away from zero (to whole numbers or to tenths) for shown values.
    void numbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<char>("rounding"); // '-' none, 'E' to even, 'A' away, 'T' away to tenths
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << '-' << 0.0;
        QTest::newRow("blanks, leading and inside") << " 1 2\t3\n4" << '-' << 1234.0;
        QTest::newRow("hex, either case, up to a non-digit") << "&hCfg1" << '-' << 207.0;
        QTest::newRow("stops at letter") << "5x" << '-' << 5.0;
        QTest::newRow("exponent E") << "1.5E3" << '-' << 1500.0;
        QTest::newRow("exponent D") << "2d2" << '-' << 200.0;
        QTest::newRow("too large") << "-1e999" << '-' << -std::numeric_limits<double>::infinity();
        QTest::newRow("even: 2.5 down") << "2.5" << 'E' << 2.0;
        QTest::newRow("even: 3.5 up") << "3.5" << 'E' << 4.0;
        QTest::newRow("away: 2.5") << "2.5" << 'A' << 3.0;
        QTest::newRow("away: -2.5") << "-2.5" << 'A' << -3.0;
        QTest::newRow("away: 0.25 to tenths") << "0.25" << 'T' << 0.3;
    }
    void numbers()
    {
        QFETCH(QString, text);
        QFETCH(char, rounding);
        const double v = Val(text);
        QTEST(rounding == 'E' ? roundHalfEven(v) : rounding == '-' ? v : roundHalfAway(v, rounding == 'T' ? 1 : 0), "expected");
    }

    // Unit to device byte; ties go to the even byte. Not clamped: the editor
    // range-checks first.
    void unitToByte_data()
    {
        QTest::addColumn<char>("unit");
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("hex");
        QTest::newRow("80 A, 42.5 to even") << 'A' << 80.0f << "2A";
        QTest::newRow("240 A, 127.5 to even") << 'A' << 240.0f << "80";
        QTest::newRow("300 A") << 'A' << 300.0f << "9F";
        QTest::newRow("480 A") << 'A' << 480.0f << "FF";
        QTest::newRow("3.0 V") << 'V' << 3.0f << "27";
        QTest::newRow("3.3 V, just below a half") << 'V' << 3.3f << "2A";
        QTest::newRow("19.8 V") << 'V' << 19.8f << "FF";
        QTest::newRow("10 %, 25.5 to even") << '%' << 10.0f << "1A";
        QTest::newRow("30 %, 76.5 to even") << '%' << 30.0f << "4C";
        QTest::newRow("100 %") << '%' << 100.0f << "FF";
    }
    void unitToByte()
    {
        QFETCH(char, unit);
        QFETCH(float, value);
        QTEST(unit == 'A' ? AmpToHex(value) : unit == 'V' ? VoltToHex(value) : PercentToHex(value), "hex");
    }

    // Device byte, as the decoder hands it over ("&H" and two digits), to
    // volts (tenths, halves away from zero), amperes (tens) and percent.
    void byteToUnit_data()
    {
        QTest::addColumn<QString>("byteText");
        QTest::addColumn<float>("volts");
        QTest::addColumn<float>("amperes");
        QTest::addColumn<QString>("percent");
        QTest::newRow("03") << "&H03" << 0.2f << 10.0f << "1";
        QTest::newRow("80") << "&H80" << 9.9f << 240.0f << "50";
        QTest::newRow("A3") << "&HA3" << 12.7f << 310.0f << "64";
        QTest::newRow("FC") << "&HFC" << 19.6f << 470.0f << "99";
        QTest::newRow("FD") << "&HFD" << 19.6f << 480.0f << "99";
        QTest::newRow("FF") << "&HFF" << 19.8f << 480.0f << "100";
        QTest::newRow("decimal text") << "133" << 10.3f << 250.0f << "52";
    }
    void byteToUnit()
    {
        QFETCH(QString, byteText);
        QTEST(ByteToVolt(byteText), "volts");
        QTEST(ByteToAmp(byteText), "amperes");
        QTEST(ByteToPercent(byteText), "percent");
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
