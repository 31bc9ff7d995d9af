// The controller's unit conversions, number scan, rounding rules and number
// texts, checked against the worked values the controller's bytes depend on.

#include "core/conversions.h"

#include <QTest>

using namespace vq;

class TestConversions : public QObject
{
    Q_OBJECT

private slots:
    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("plain") << "200" << 200.0;
        QTest::newRow("leading blank") << " 3" << 3.0;
        QTest::newRow("blanks inside") << "1 2\t3\n4" << 1234.0;
        QTest::newRow("hex upper") << "&HC8" << 200.0;
        QTest::newRow("hex stops at non-digit") << "&H2Ag" << 42.0;
        QTest::newRow("hex without digits") << "&H" << 0.0;
        QTest::newRow("fraction") << "2.5" << 2.5;
        QTest::newRow("dot first") << ".5" << 0.5;
        QTest::newRow("negative") << "-12" << -12.0;
        QTest::newRow("stops at letter") << "5x" << 5.0;
        QTest::newRow("second dot ends") << "1.2.3" << 1.2;
        QTest::newRow("exponent") << "1.5E3" << 1500.0;
        QTest::newRow("exponent D") << "2d2" << 200.0;
        QTest::newRow("bare exponent letter") << "4e" << 4.0;
        QTest::newRow("sign only") << "-" << 0.0;
        QTest::newRow("non-ASCII ends") << QString::fromUtf8("12\u00e93") << 12.0;
        QTest::newRow("comma is not a point") << "7,8" << 7.0;
    }
    void val()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(Val(text), expected);
    }

    void valHugeExponentDoesNotFail()
    {
        QVERIFY(std::isinf(Val(u"1e999")));
        QCOMPARE(Val(u"1e-999"), 0.0);
        QVERIFY(std::isinf(Val(u"-1e999")) && Val(u"-1e999") < 0);
    }

    void rounding()
    {
        QCOMPARE(roundHalfEven(2.5), 2.0);
        QCOMPARE(roundHalfEven(3.5), 4.0);
        QCOMPARE(roundHalfEven(-2.5), -2.0);
        QCOMPARE(roundHalfEven(42.5), 42.0);
        QCOMPARE(roundHalfEven(127.5), 128.0);
        QCOMPARE(roundHalfEven(2.5000001), 3.0);
        QCOMPARE(roundHalfAway(0.25, 1), 0.3);
        QCOMPARE(roundHalfAway(2.5, 0), 3.0);
        QCOMPARE(roundHalfAway(-2.5, 0), -3.0);
        QCOMPARE(roundHalfAway(0.49999999999999994, 0), 0.0);
        QCOMPARE(formatWhole(12.5), QStringLiteral("13"));
        QCOMPARE(formatWhole(-0.2), QStringLiteral("0"));
    }

    void toInt16Range()
    {
        QCOMPARE(toInt16(2.5).value(), qint16(2));
        QCOMPARE(toInt16(3.5).value(), qint16(4));
        QCOMPARE(toInt16(32767).value(), qint16(32767));
        QVERIFY(!toInt16(32768).has_value());
        QVERIFY(!toInt16(-32769).has_value());
        QVERIFY(!toInt16(std::numeric_limits<double>::infinity()).has_value());
    }

    void shortestTextOfSingles_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("7.8") << 7.8f << "7.8";
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("minus zero") << -0.0f << "0";
        QTest::newRow("7.85 from a file") << 7.85f << "7.85";
        QTest::newRow("10000") << 10000.0f << "10000";
        QTest::newRow("minus one") << -1.0f << "-1";
        QTest::newRow("seven digits") << 1234567.0f << "1234567";
        QTest::newRow("rounded to seven") << 1.23456789f << "1.234568";
        QTest::newRow("big uses exponent") << 12345678.0f << "1.234568E+07";
    }
    void shortestTextOfSingles()
    {
        QFETCH(float, value);
        QFETCH(QString, expected);
        QCOMPARE(shortestText(value), expected);
    }

    void ampToHex_data()
    {
        QTest::addColumn<float>("amperes");
        QTest::addColumn<QString>("hex");
        const std::pair<float, const char *> rows[] = {{0, "0"},    {10, "5"},   {20, "B"},
                                                       {80, "2A"},  {160, "55"}, {240, "80"},
                                                       {250, "85"}, {480, "FF"}, {400, "D4"}};
        for (const auto &[a, h] : rows)
            QTest::newRow(qPrintable(QString::number(a))) << a << QString::fromLatin1(h);
    }
    void ampToHex()
    {
        QFETCH(float, amperes);
        QFETCH(QString, hex);
        QCOMPARE(AmpToHex(amperes), hex);
    }

    void byteToAmp_data()
    {
        QTest::addColumn<QString>("byteText");
        QTest::addColumn<float>("amperes");
        QTest::newRow("0") << "0" << 0.0f;
        QTest::newRow("&H2A") << "&H2A" << 80.0f;
        QTest::newRow("&H2B") << "&H2B" << 80.0f;
        QTest::newRow("43") << "43" << 80.0f;
        QTest::newRow("&H55") << "&H55" << 160.0f;
        QTest::newRow("133") << "133" << 250.0f;
        QTest::newRow("&HFF") << "&HFF" << 480.0f;
        QTest::newRow("2 rounds to 0") << "2" << 0.0f;
        QTest::newRow("3 rounds to 10") << "3" << 10.0f;
        QTest::newRow("&HA3") << "&HA3" << 310.0f;
        QTest::newRow("not a number") << "zz" << 0.0f;
    }
    void byteToAmp()
    {
        QFETCH(QString, byteText);
        QFETCH(float, amperes);
        QCOMPARE(ByteToAmp(byteText), amperes);
    }

    void voltConversions()
    {
        QCOMPARE(VoltToHex(3.0f), QStringLiteral("27"));
        QCOMPARE(VoltToHex(6.0f), QStringLiteral("4D"));
        QCOMPARE(VoltToHex(12.0f), QStringLiteral("9B"));
        QCOMPARE(VoltToHex(19.8f), QStringLiteral("FF"));
        QCOMPARE(VoltToHex(2.5f), QStringLiteral("20"));

        QCOMPARE(ByteToVolt(u"&H27"), 3.0f);
        QCOMPARE(ByteToVolt(u"&H4D"), 6.0f);
        QCOMPARE(ByteToVolt(u"77"), 6.0f);
        QCOMPARE(ByteToVolt(u"&H80"), 9.9f);
        QCOMPARE(ByteToVolt(u"&HFF"), 19.8f);
        QCOMPARE(ByteToVolt(u"&H20"), 2.5f);
    }

    // Every byte gives the same voltage and current whichever byte text it
    // arrives as, and a voltage written back lands on the same byte.
    void runDataByteTable_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<float>("volts");
        QTest::addColumn<float>("amperes");
        QTest::newRow("00") << 0x00 << 0.0f << 0.0f;
        QTest::newRow("0A") << 0x0A << 0.8f << 20.0f;
        QTest::newRow("40") << 0x40 << 5.0f << 120.0f;
        QTest::newRow("80") << 0x80 << 9.9f << 240.0f;
        QTest::newRow("82") << 0x82 << 10.1f << 240.0f;
        QTest::newRow("FE") << 0xFE << 19.7f << 480.0f;
    }
    void runDataByteTable()
    {
        QFETCH(int, byte);
        QFETCH(float, volts);
        QFETCH(float, amperes);
        const QString hex = QStringLiteral("&H") + QString::number(byte, 16);
        QCOMPARE(ByteToVolt(hex), volts);
        QCOMPARE(ByteToVolt(QString::number(byte)), volts);
        QCOMPARE(ByteToAmp(hex), amperes);
        QCOMPARE(ByteToAmp(QString::number(byte)), amperes);
    }

    void percentConversions()
    {
        const std::pair<float, const char *> toHex[] = {{0, "0"},   {10, "1A"}, {30, "4C"}, {50, "80"},
                                                        {70, "B2"}, {90, "E6"}, {100, "FF"}};
        for (const auto &[p, h] : toHex)
            QCOMPARE(PercentToHex(p), QString::fromLatin1(h));
        QCOMPARE(ByteToPercent(u"&H1A"), QStringLiteral("10"));
        QCOMPARE(ByteToPercent(u"&H4C"), QStringLiteral("30"));
        QCOMPARE(ByteToPercent(u"&H80"), QStringLiteral("50"));
        QCOMPARE(ByteToPercent(u"&HFF"), QStringLiteral("100"));
        QCOMPARE(ByteToPercent(u""), QStringLiteral("0"));
    }

    // Beyond full scale the helpers don't clamp: the caller range-checks.
    void unitToByteDoesNotClamp()
    {
        QCOMPARE(AmpToHex(960), QStringLiteral("1FE"));
        QCOMPARE(PercentToHex(200), QStringLiteral("1FE"));
    }

    void hexTexts()
    {
        QCOMPARE(hexText(42), QStringLiteral("2A"));
        QCOMPARE(hexText(255), QStringLiteral("FF"));
        QCOMPARE(hexText(0), QStringLiteral("0"));
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
