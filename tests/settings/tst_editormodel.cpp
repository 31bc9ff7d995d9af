// The settings editor's rules: marks, spin positions, currents in whole tens,
// the "Off" switch, clearing, and the nesting that must come to rest.

#include "settings/editormodel.h"
#include "settings/paramtable.h"

#include <QSignalSpy>
#include <QTest>

using namespace vq;

namespace {

void typeAll(EditorModel &editor, int field, const QStringList &texts)
{
    for (const QString &t : texts)
        editor.setText(field, t);
}

} // namespace

class TestEditorModel : public QObject
{
    Q_OBJECT

private slots:
    void startState()
    {
        EditorModel editor;
        for (int i = 0; i < kParamCount; ++i) {
            QVERIFY(editor.text(i).isEmpty());
            QVERIFY(!editor.marked(i));
            QCOMPARE(editor.spinValue(i), paramInfo(i).spinMin);
        }
        QVERIFY(!editor.curLimOff());
        QVERIFY(editor.curLimEnabled());
        QCOMPARE(editor.curLimValue(), 0.0f);
        QCOMPARE(paramToolTip(LowBattProtection), QString::fromUtf8("2.5\uFF5E6"));
        QCOMPARE(paramToolTip(PwmMinLoad), QString::fromUtf8("100\uFF5E10000"));
    }

    void typing_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<int>("spin");
        QTest::newRow("limiter 5") << 7 << QStringList{"5"} << "5" << true << 50;
        QTest::newRow("limiter 5, 55 -> 60") << 7 << QStringList{"5", "55"} << "60" << false << 60;
        QTest::newRow("limiter 450") << 7 << QStringList{"450"} << "450" << true << 50;
        QTest::newRow("limiter 295 -> 300") << 7 << QStringList{"295"} << "300" << false << 300;
        QTest::newRow("time limit 1") << 12 << QStringList{"1"} << "1" << true << 50;
        QTest::newRow("time limit 123 -> 120") << 12 << QStringList{"1", "12", "123"} << "120" << false << 120;
        QTest::newRow("time limit 25 grows to 250") << 12 << QStringList{"2", "25", "250"} << "250" << false << 250;
        QTest::newRow("volts 3. waits") << 6 << QStringList{"3."} << "3." << false << 25;
        QTest::newRow("volts 3.3") << 6 << QStringList{"3", "3.", "3.3"} << "3.3" << false << 33;
        QTest::newRow("volts 2.4 keeps spin") << 6 << QStringList{"3.3", "2.4"} << "2.4" << true << 33;
        QTest::newRow("volts 3.0 follows spin") << 6 << QStringList{"3.0"} << "3" << false << 30;
        QTest::newRow("dot keeps old mark") << 6 << QStringList{"9", "3."} << "3." << true << 25;
        QTest::newRow("pwm lower bound") << 0 << QStringList{"100"} << "100" << false << 100;
        QTest::newRow("pwm 99") << 0 << QStringList{"99"} << "99" << true << 100;
        QTest::newRow("timer 240") << 11 << QStringList{"240"} << "240" << false << 240;
        QTest::newRow("timer 241") << 11 << QStringList{"241"} << "241" << true << 0;
        QTest::newRow("boost 100") << 13 << QStringList{"100"} << "100" << false << 100;
        QTest::newRow("letters read as 0") << 8 << QStringList{"abc"} << "abc" << false << 0;
        QTest::newRow("emptied stays red") << 8 << QStringList{"150", ""} << "" << true << 0;
        QTest::newRow("emptied stays black") << 8 << QStringList{"40", ""} << "" << false << 40;
    }
    void typing()
    {
        QFETCH(int, field);
        QFETCH(QStringList, typed);
        EditorModel editor;
        typeAll(editor, field, typed);
        QTEST(editor.text(field), "text");
        QTEST(editor.marked(field), "marked");
        QTEST(editor.spinValue(field), "spin");
    }

    // Arrow clicks: +1 is up, -1 is down.
    void spinClicks_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("spin");
        QTest::newRow("empty dead band up") << 5 << QStringList{} << QList<int>{1} << "2" << 2;
        QTest::newRow("empty brake duty up") << 8 << QStringList{} << QList<int>{1} << "1" << 1;
        QTest::newRow("brake duty 150 up") << 8 << QStringList{"150"} << QList<int>{1} << "100" << 100;
        QTest::newRow("at upper bound nothing") << 8 << QStringList{"100", "150"} << QList<int>{1} << "150" << 100;
        QTest::newRow("then down") << 8 << QStringList{"100", "150"} << QList<int>{1, -1} << "100" << 100;
        QTest::newRow("empty dead band down") << 5 << QStringList{} << QList<int>{-1} << "" << 2;
        QTest::newRow("limiter steps of ten") << 7 << QStringList{} << QList<int>{1, 1, 1} << "70" << 70;
        QTest::newRow("volts in tenths") << 6 << QStringList{} << QList<int>{1, 1} << "2.6" << 26;
        QTest::newRow("volts to 6") << 6 << QStringList{"5.9"} << QList<int>{1, 1} << "6" << 60;
        QTest::newRow("volts 3.2 up") << 6 << QStringList{"3.2"} << QList<int>{1} << "3.3" << 33;
        QTest::newRow("pwm at max") << 0 << QStringList{"10000"} << QList<int>{1} << "10000" << 10000;
    }
    void spinClicks()
    {
        QFETCH(int, field);
        QFETCH(QStringList, typed);
        QFETCH(QList<int>, clicks);
        EditorModel editor;
        typeAll(editor, field, typed);
        for (int c : clicks)
            c > 0 ? editor.spinUp(field) : editor.spinDown(field);
        QTEST(editor.text(field), "text");
        QTEST(editor.spinValue(field), "spin");
    }

    // A handler runs only on a real change; every chain must come to rest
    // after the fewest changes.
    void nestingComesToRest()
    {
        EditorModel editor;
        QSignalSpy texts(&editor, &EditorModel::textChanged);
        QSignalSpy spins(&editor, &EditorModel::spinValueChanged);
        QSignalSpy marks(&editor, &EditorModel::markChanged);

        editor.setText(CurrentLimiter, QStringLiteral("55"));
        QCOMPARE(texts.size(), 2); // 55, then 60
        QCOMPARE(texts.at(1).at(1).toString(), QStringLiteral("60"));
        QCOMPARE(spins.size(), 1);
        QCOMPARE(marks.size(), 0);

        texts.clear();
        spins.clear();
        editor.setText(CurrentLimiter, QStringLiteral("60"));
        editor.setSpinValue(CurrentLimiter, 60);
        editor.setCurLimOff(false);
        QCOMPARE(texts.size() + spins.size() + marks.size(), 0);

        editor.spinUp(DeadBand); // 3, back to 2 with the text "2"
        QCOMPARE(texts.size(), 1);
        QCOMPARE(spins.size(), 2);
        QCOMPARE(editor.spinValue(DeadBand), 2);

        texts.clear();
        spins.clear();
        editor.setText(BrakeMaxDuty, QStringLiteral("150"));
        QCOMPARE(marks.size(), 1);
        QCOMPARE(spins.size(), 0);
    }

    void offSwitch()
    {
        EditorModel editor;
        QSignalSpy enabled(&editor, &EditorModel::curLimEnabledChanged);
        editor.setText(CurrentLimiter, QStringLiteral("200"));
        editor.setCurLimOff(true);
        QVERIFY(editor.text(CurrentLimiter).isEmpty());
        QVERIFY(!editor.curLimEnabled());
        QCOMPARE(editor.curLimValue(), 200.0f);
        editor.setCurLimOff(true);
        QCOMPARE(enabled.size(), 1);
        QCOMPARE(enabled.at(0).at(0).toBool(), false);

        editor.setCurLimOff(false);
        QCOMPARE(editor.text(CurrentLimiter), QStringLiteral("200"));
        QVERIFY(editor.curLimEnabled());
        QCOMPARE(enabled.size(), 2);

        // 480 (out of range) is remembered but not offered back.
        editor.setText(CurrentLimiter, QStringLiteral("480"));
        editor.setCurLimOff(true);
        QCOMPARE(editor.curLimValue(), 480.0f);
        editor.setCurLimOff(false);
        QCOMPARE(editor.text(CurrentLimiter), QStringLiteral("300"));
        QVERIFY(!editor.marked(CurrentLimiter));
        QCOMPARE(editor.spinValue(CurrentLimiter), 300);
    }

    void offKeepsValueWithoutNumber_data()
    {
        QTest::addColumn<QString>("last");
        QTest::newRow("empty") << "";
        QTest::newRow("dot") << "1.";
    }
    void offKeepsValueWithoutNumber()
    {
        QFETCH(QString, last);
        EditorModel editor;
        editor.setText(CurrentLimiter, QStringLiteral("120"));
        editor.setText(CurrentLimiter, last);
        editor.setCurLimOff(true);
        QCOMPARE(editor.curLimValue(), 120.0f);
        editor.setCurLimOff(false);
        QCOMPARE(editor.text(CurrentLimiter), QStringLiteral("120"));
    }

    void clearAndReset()
    {
        EditorModel editor;
        for (int i = 0; i < kParamCount; ++i)
            editor.setText(i, QStringLiteral("77"));
        editor.setText(BrakeMaxDuty, QStringLiteral("150"));
        editor.setText(CurrentLimiter, QStringLiteral("480"));
        editor.setCurLimOff(true);
        editor.setMode(2, true);
        editor.setVqType(QStringLiteral("VQ530T"));
        editor.setRomVersion(QStringLiteral("16"));

        QSignalSpy texts(&editor, &EditorModel::textChanged);
        editor.ClearData();
        // "Off" is cleared first and offers 300 before field 7 is emptied.
        QCOMPARE(texts.at(0).at(1).toString(), QStringLiteral("300"));
        QCOMPARE(editor.curLimValue(), 300.0f);
        for (int i = 0; i < kParamCount; ++i)
            QVERIFY(editor.text(i).isEmpty());
        QVERIFY(!editor.curLimOff() && editor.curLimEnabled());
        QVERIFY(!editor.mode(2));
        QVERIFY(editor.vqType().isEmpty() && editor.romVersion().isEmpty());
        QVERIFY(editor.marked(BrakeMaxDuty)); // emptying keeps the mark
        QCOMPARE(editor.spinValue(PwmMinLoad), 100);

        editor.setText(PwmMinLoad, QStringLiteral("5000"));
        editor.setCurLimOff(true);
        int markedBefore = 0;
        for (int i = 0; i < kParamCount; ++i)
            markedBefore += editor.marked(i) ? 1 : 0;
        QVERIFY(markedBefore > 0);
        QSignalSpy marks(&editor, &EditorModel::markChanged);
        editor.reset();
        QCOMPARE(marks.size(), markedBefore);
        for (int i = 0; i < kParamCount; ++i)
            QVERIFY(!editor.marked(i));
        QCOMPARE(editor.spinValue(PwmMinLoad), 100);
        QVERIFY(editor.text(PwmMinLoad).isEmpty());
        QVERIFY(!editor.curLimOff() && editor.curLimEnabled());
        QCOMPARE(editor.curLimValue(), 0.0f);
    }

    void plainNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("plain");
        for (const char *t : {"6", "2.5", " 10 ", "\t-0", "+7", "0100", "3.30"})
            QTest::newRow(t) << QString::fromLatin1(t) << true;
        for (const char *t : {"", " ", "5x", "abc", "1 0", "3.", ".5", "1e3", "&H10", "--1", "1.2.3", "-"})
            QTest::newRow(t) << QString::fromLatin1(t) << false;
        QTest::newRow("arabic-indic digit") << QString::fromUtf8("\u0665") << false;
    }
    void plainNumber()
    {
        QFETCH(QString, text);
        QTEST(isPlainNumber(text), "plain");
    }
};

QTEST_GUILESS_MAIN(TestEditorModel)
#include "tst_editormodel.moc"
