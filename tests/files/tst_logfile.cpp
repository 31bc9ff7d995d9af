// The log file's text: what the program writes for a log, the number rule of
// its fields, and every way the reader accepts, partly accepts or refuses a
// file, with the log left in the state the user expects afterwards.

#include "files/logfile.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace vq;

Q_DECLARE_METATYPE(std::optional<double>)

namespace {

const QByteArray kHeader = "Time(s),Voltage(V),Current(A)\r\n";

// A log with distinct values everywhere, none of them -1 or a whole number,
// so that any whole number a test file stores shows.
RunLog filledLog()
{
    RunLog log;
    for (int n = 1; n <= kLogSamples; ++n) {
        log.setVolt(n, 0.25f + float(n) * 0.5f);
        log.setCur(n, 5.5f + float(n * 10));
    }
    return log;
}

constexpr float kKept = std::numeric_limits<float>::quiet_NaN();

QList<QByteArray> linesOf(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    return lines;
}

} // namespace

class TestLogFile : public QObject
{
    Q_OBJECT

private slots:
    // --- writing -----------------------------------------------------------

    void makeRunDatLayout()
    {
        RunLog log;
        log.setVolt(1, 7.4f);
        log.setCur(1, 120.0f);
        log.setVolt(2, 12.0f);
        log.setCur(2, 0.0f);
        log.setVolt(3, -1.0f);
        log.setCur(3, 20.0f);
        log.setVolt(4, 19.7f);
        log.setCur(4, -1.0f);
        log.setVolt(512, 0.1f);
        log.setCur(512, 480.0f);

        const QByteArray text = MakeRunDat(log);
        QVERIFY(text.startsWith(kHeader));
        QVERIFY(text.endsWith("511,0.1,480\r\n"));
        QVERIFY(text.contains("\r\n0,7.4,120\r\n1,12,0\r\n2,,20\r\n3,19.7,\r\n4,0,0\r\n"));

        // 513 lines, each ended by CR LF and by nothing else.
        QCOMPARE(text.count("\r\n"), 513);
        QCOMPARE(text.count('\n'), 513);
        QCOMPARE(text.count('\r'), 513);
        const QList<QByteArray> lines = linesOf(text);
        QCOMPARE(lines.size(), 514);
        QVERIFY(lines.last().isEmpty());
        for (int s = 1; s <= kLogSamples; ++s)
            QVERIFY(lines[s].startsWith(QByteArray::number(s - 1) + ','));
    }

    void makeRunDatStartLog()
    {
        // The start state: slot 1 without voltage, zeros everywhere else.
        const QByteArray text = MakeRunDat(RunLog());
        QVERIFY(text.startsWith(kHeader + "0,,0\r\n1,0,0\r\n"));
    }

    void makeRunDatNumberForms_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("tenth") << 7.4f << QByteArray("7.4");
        QTest::newRow("whole") << 120.0f << QByteArray("120");
        QTest::newRow("negative") << -2.5f << QByteArray("-2.5");
        QTest::newRow("seven digits") << 123.4567f << QByteArray("123.4567");
        QTest::newRow("big") << 1234567.0f << QByteArray("1234567");
    }
    void makeRunDatNumberForms()
    {
        QFETCH(float, value);
        QFETCH(QByteArray, text);
        RunLog log;
        log.setVolt(5, value);
        log.setCur(5, value);
        QVERIFY(MakeRunDat(log).contains("\r\n4," + text + ',' + text + "\r\n"));
    }

    void roundTripAllSlots()
    {
        RunLog written = filledLog();
        written.setVolt(3, -1.0f);
        written.setCur(300, -1.0f);
        written.setVolt(512, 1.0e-6f);  // written with an exponent
        written.setCur(512, 3.0e7f);
        const QByteArray text = MakeRunDat(written);

        RunLog read; // start state: differs in every slot
        const LogReadResult r = readLogText(text, read);
        QVERIFY(r.ok);
        QCOMPARE(r.line, 513);
        QVERIFY(read == written);
        QCOMPARE(MakeRunDat(read), text);
    }

    // --- the number rule ---------------------------------------------------

    void fieldNumbers_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<std::optional<double>>("value");
        const std::optional<double> no;
        QTest::newRow("whole") << QByteArray("5") << std::optional<double>(5);
        QTest::newRow("blanks and tab") << QByteArray("\t7.4  ") << std::optional<double>(7.4);
        QTest::newRow("minus one") << QByteArray("-1") << std::optional<double>(-1);
        QTest::newRow("dot first") << QByteArray(".5") << std::optional<double>(0.5);
        QTest::newRow("exponent") << QByteArray("1.5E-06") << std::optional<double>(1.5e-6);
        QTest::newRow("largest float") << QByteArray("3.4E38") << std::optional<double>(3.4e38);
        QTest::newRow("empty") << QByteArray("") << no;
        QTest::newRow("blank only") << QByteArray("  ") << no;
        QTest::newRow("trailing letter") << QByteArray("5x") << no;
        QTest::newRow("two points") << QByteArray("1.2.3") << no;
        QTest::newRow("blank inside") << QByteArray("1 2") << no;
        QTest::newRow("sign only") << QByteArray("-") << no;
        QTest::newRow("bare exponent") << QByteArray("4e") << no;
        QTest::newRow("nan") << QByteArray("nan") << no;
        QTest::newRow("inf") << QByteArray("inf") << no;
        QTest::newRow("hex") << QByteArray("0x1A") << no;
        QTest::newRow("beyond float") << QByteArray("1e39") << no;
        QTest::newRow("NUL") << QByteArray("5\0", 2) << no;
    }
    void fieldNumbers()
    {
        QFETCH(QByteArray, field);
        QFETCH(std::optional<double>, value);
        const std::optional<double> got = logFieldNumber(field);
        QCOMPARE(got.has_value(), value.has_value());
        if (value)
            QCOMPARE(*got, *value);
    }

    // --- reading -----------------------------------------------------------

    void readAccepted_data()
    {
        // What the reader must store; every slot not named, and every value
        // given as kKept, keeps the value of filledLog().
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QList<int>>("sampleSlots");
        QTest::addColumn<QList<float>>("volts");
        QTest::addColumn<QList<float>>("curs");

        QTest::newRow("one row, other slots kept")
            << kHeader + "0,7.4,120\r\n" << 2 << QList<int>{1} << QList<float>{7.4f}
            << QList<float>{120.0f};
        QTest::newRow("header only") << kHeader << 1 << QList<int>{} << QList<float>{}
                                     << QList<float>{};
        QTest::newRow("header without line end") << QByteArray("Time(s)") << 1 << QList<int>{}
                                                 << QList<float>{} << QList<float>{};
        QTest::newRow("only field 0 of header is looked at")
            << QByteArray("Time(s),x,y,z\r\n0,1,2") << 2 << QList<int>{1} << QList<float>{1.0f}
            << QList<float>{2.0f};
        QTest::newRow("two fields keep the current")
            << kHeader + "0,1,2\r\n1,2,3\r\n2,3,4\r\n3,7.4\r\n" << 5 << QList<int>{1, 2, 3, 4}
            << QList<float>{1, 2, 3, 7.4f} << QList<float>{2, 3, 4, kKept};
        QTest::newRow("index only stores nothing")
            << kHeader + "0\r\n1,,\r\n" << 3 << QList<int>{2} << QList<float>{-1.0f}
            << QList<float>{-1.0f};
        QTest::newRow("empty current")
            << kHeader + "0,8.1,\r\n" << 2 << QList<int>{1} << QList<float>{8.1f}
            << QList<float>{-1.0f};
        QTest::newRow("hand-written -1")
            << kHeader + "0,-1,-1.0\r\n" << 2 << QList<int>{1} << QList<float>{-1.0f}
            << QList<float>{-1.0f};
        QTest::newRow("index forms")
            << kHeader + "0,1,1\r\n1.0,2,2\r\n 2,3,3\r\n3.00 ,4,4\r\n+4,5,5\r\n5e0,6,6\r\n" << 7
            << QList<int>{1, 2, 3, 4, 5, 6} << QList<float>{1, 2, 3, 4, 5, 6}
            << QList<float>{1, 2, 3, 4, 5, 6};
        QTest::newRow("further fields ignored")
            << kHeader + "0,1,2,junk,,x\r\n" << 2 << QList<int>{1} << QList<float>{1}
            << QList<float>{2};
        QTest::newRow("mixed line ends")
            << QByteArray("Time(s)\r\n0,1,2\n1,3,4\r2,5,6\r\n") << 4 << QList<int>{1, 2, 3}
            << QList<float>{1, 3, 5} << QList<float>{2, 4, 6};
        QTest::newRow("index-only rows beyond 512 are harmless")
            << [] {
                   QByteArray t = kHeader;
                   for (int k = 1; k <= 514; ++k)
                       t += QByteArray::number(k - 1) + (k <= 512 ? ",9,9" : "") + "\r\n";
                   return t;
               }()
            << 515 << [] {
                   QList<int> all;
                   for (int n = 1; n <= kLogSamples; ++n)
                       all.append(n);
                   return all;
               }()
            << QList<float>(kLogSamples, 9.0f) << QList<float>(kLogSamples, 9.0f);
    }
    void readAccepted()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, lines);
        QFETCH(QList<int>, sampleSlots);
        QFETCH(QList<float>, volts);
        QFETCH(QList<float>, curs);

        RunLog expected = filledLog();
        for (qsizetype i = 0; i < sampleSlots.size(); ++i) {
            if (!std::isnan(volts[i]))
                expected.setVolt(sampleSlots[i], volts[i]);
            if (!std::isnan(curs[i]))
                expected.setCur(sampleSlots[i], curs[i]);
        }
        RunLog log = filledLog();
        const LogReadResult r = readLogText(content, log);
        QVERIFY(r.ok);
        QCOMPARE(r.line, lines);
        for (int n = 1; n <= kLogSamples; ++n) {
            QCOMPARE(log.RunVolt(n), expected.RunVolt(n));
            QCOMPARE(log.RunCur(n), expected.RunCur(n));
        }
    }

    void readRefused_data()
    {
        // The reader stops at `line`; data rows before it are stored (slots
        // 1..`stored`), nothing from the faulty line or after it.
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("stored");

        QTest::newRow("empty content") << QByteArray() << 0 << 0;
        QTest::newRow("empty first line") << QByteArray("\r\n0,1,1\r\n") << 0 << 0;
        QTest::newRow("header lower case")
            << QByteArray("time(s),Voltage(V),Current(A)\r\n0,1,1\r\n") << 0 << 0;
        QTest::newRow("trailing empty line")
            << kHeader + "0,1,1\r\n1,2,2\r\n\r\n" << 3 << 2;
        QTest::newRow("empty line inside") << kHeader + "0,1,1\r\n\r\n1,2,2\r\n" << 2 << 1;
        QTest::newRow("index starts at 1") << kHeader + "1,1,1\r\n" << 1 << 0;
        QTest::newRow("index skips") << kHeader + "0,1,1\r\n2,2,2\r\n" << 2 << 1;
        QTest::newRow("index fraction") << kHeader + "0,1,1\r\n1.5,2,2\r\n" << 2 << 1;
        QTest::newRow("voltage not a number") << kHeader + "0,1,1\r\n1,7.4V,2\r\n" << 2 << 1;
        QTest::newRow("current not a number") << kHeader + "0,1,1\r\n1,7.4,nan\r\n" << 2 << 1;
        QTest::newRow("semicolon separated") << QByteArray("Time(s);V;A\r\n0;1;1\r\n") << 0 << 0;


        QByteArray tooMany = kHeader;
        for (int k = 1; k <= 513; ++k)
            tooMany += QByteArray::number(k - 1) + ",1,1\r\n";
        QTest::newRow("513 rows with values") << tooMany << 513 << 512;

        QByteArray emptyBeyond = kHeader;
        for (int k = 1; k <= 512; ++k)
            emptyBeyond += QByteArray::number(k - 1) + ",1,1\r\n";
        emptyBeyond += "512,\r\n";
        QTest::newRow("row 513 with an empty value") << emptyBeyond << 513 << 512;
    }
    void readRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, line);
        QFETCH(int, stored);

        // Rows of the test files hold 1 (or 1..k); filledLog never does.
        const RunLog before = filledLog();
        RunLog log = before;
        const LogReadResult r = readLogText(content, log);
        QVERIFY(!r.ok);
        QCOMPARE(r.line, line);
        for (int n = 1; n <= kLogSamples; ++n) {
            if (n <= stored) {
                QVERIFY2(log.RunVolt(n) != before.RunVolt(n), qPrintable(QString::number(n)));
            } else {
                QCOMPARE(log.RunVolt(n), before.RunVolt(n));
                QCOMPARE(log.RunCur(n), before.RunCur(n));
            }
        }
    }

    void faultyRowStoresNothing()
    {
        // The voltage of a row whose current is bad isn't stored either.
        RunLog log = filledLog();
        const RunLog before = log;
        QVERIFY(!readLogText(kHeader + "0,3.3,oops\r\n", log).ok);
        QCOMPARE(log, before);
    }
};

QTEST_GUILESS_MAIN(TestLogFile)
#include "tst_logfile.moc"
