// The settings editor's rules: the range of every field, currents brought to
// whole tens, the spin buttons, the "Off" switch and clearing.

#include "settings/editormodel.h"
#include "settings/paramtable.h"

#include <QSignalSpy>
#include <QTest>

using namespace vq;

class TestEditorModel : public QObject
{
    Q_OBJECT

private slots:
    // The lowest and highest value the controller accepts in each field, and
    // the next value beyond each, which is marked red.
    void bounds_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("texts"); // lowest, highest, below, above
        const QStringList pwm{"100", "10000", "99", "10001"}, point{"720", "2320", "719", "2321"},
            percent{"0", "100", "-1", "101"}, amps{"50", "300", "40", "310"};
        const QList<QStringList> rows{pwm,  pwm,  {"1020", "2020", "1019", "2021"}, point, point,
                                      {"2", "50", "1", "51"}, {"2.5", "6", "2.4", "6.1"}, amps, percent, percent,
                                      percent, {"0", "240", "-1", "241"}, amps, percent};
        for (int i = 0; i < kParamCount; ++i)
            QTest::addRow("%d", i) << i << rows.at(i);
    }
    void bounds()
    {
        QFETCH(int, field);
        QFETCH(QStringList, texts);
        EditorModel editor;
        for (int k = 0; k < 4; ++k) {
            editor.setText(field, texts.at(k));
            QCOMPARE(editor.text(field), texts.at(k));
            QCOMPARE(editor.marked(field), k >= 2);
        }
    }

    // Typed texts, arrow clicks ("+" up, "-" down) and "Off" ticked ("off")
    // or cleared ("on"), in order. Ticking "Off" empties field 7; clearing it
    // gives back the last number the field held, or the upper bound for the
    // 480 A of "off".
    void editing_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<int>("spin");
        QTest::newRow("one digit of a current waits") << 7 << QStringList{"5"} << "5" << true << 50;
        QTest::newRow("55 A to 60") << 7 << QStringList{"5", "55"} << "60" << false << 60;
        QTest::newRow("295 A to 300") << 12 << QStringList{"295"} << "300" << false << 300;
        QTest::newRow("455 A stays, red") << 7 << QStringList{"455"} << "455" << true << 50;
        QTest::newRow("25 A may grow") << 12 << QStringList{"2", "25", "250"} << "250" << false << 250;
        QTest::newRow("3. waits, old mark kept") << 6 << QStringList{"9", "3."} << "3." << true << 25;
        QTest::newRow("3.0 V follows spin") << 6 << QStringList{"3.0"} << "3" << false << 30;
        QTest::newRow("empty, up: lower bound") << 5 << QStringList{"+"} << "2" << false << 2;
        QTest::newRow("empty, down: nothing") << 5 << QStringList{"-"} << "" << false << 2;
        QTest::newRow("red, up: upper bound") << 8 << QStringList{"150", "+"} << "100" << false << 100;
        QTest::newRow("spin at upper bound") << 8 << QStringList{"100", "150", "+"} << "150" << true << 100;
        QTest::newRow("amperes in tens") << 7 << QStringList{"+", "+", "+", "-"} << "60" << false << 60;
        QTest::newRow("volts in tenths to 6") << 6 << QStringList{"5.9", "+", "+"} << "6" << false << 60;
        QTest::newRow("Off cleared") << 7 << QStringList{"200", "off", "on"} << "200" << false << 200;
        QTest::newRow("480 A not given back") << 7 << QStringList{"480", "off", "on"} << "300" << false << 300;
        QTest::newRow("no number yet") << 7 << QStringList{"120", "1.", "off", "on"} << "120" << false << 120;
    }
    void editing()
    {
        QFETCH(int, field);
        QFETCH(QStringList, steps);
        EditorModel editor;
        for (const QString &s : steps) {
            if (s == u"off" || s == u"on")
                editor.setCurLimOff(s == u"off");
            else
                s == u"+" ? editor.spinUp(field) : s == u"-" ? editor.spinDown(field) : editor.setText(field, s);
        }
        QCOMPARE(editor.curLimEnabled(), steps.count(QStringLiteral("off")) == steps.count(QStringLiteral("on")));
        QTEST(editor.text(field), "text");
        QTEST(editor.marked(field), "marked");
        QTEST(editor.spinValue(field), "spin");
    }

    // ClearData clears "Off" first, so that field 7 ends empty with the others.
    void clearAndReset()
    {
        EditorModel editor;
        editor.setText(BrakeMaxDuty, QStringLiteral("150"));
        editor.setText(CurrentLimiter, QStringLiteral("200"));
        editor.setCurLimOff(true);
        editor.setMode(2, true);
        editor.ClearData();
        QVERIFY(editor.text(CurrentLimiter).isEmpty() && editor.text(BrakeMaxDuty).isEmpty());
        QVERIFY(editor.curLimEnabled() && !editor.mode(2) && editor.marked(BrakeMaxDuty)); // emptying keeps the mark
        editor.reset();
        QVERIFY(!editor.marked(BrakeMaxDuty) && editor.curLimValue() == 0.0f);
    }
};

QTEST_GUILESS_MAIN(TestEditorModel)
#include "tst_editormodel.moc"
