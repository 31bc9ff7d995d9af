// The settings editor through its widgets: keys typed into the TxtData
// fields, clicks on the UpDownData arrows and on "Off", and what the fields
// show afterwards (text, red or black, enabled), including texts the program
// puts there that are longer than what may be typed.

#include "apprig.h"
#include "settings/paramtable.h"
#include "settings/settingblock.h"
#include "shell/updownbutton.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>

using namespace vq;

namespace {

// A block as the controller sends it: Dead Band 4 us (characters 32-33),
// Current Limiter 200 A (characters 38-39).
const QString kBlock = QStringLiteral("D0077017DC056C074C04000000000000042755"
                                      "6A50321A05500A85C800011209");

QString withByte(int byte, const char *hex)
{
    QString block = kBlock;
    block.replace(2 * byte, 2, QLatin1String(hex));
    return block;
}

// "text|r" or "text|b": what a field shows, and in which colour.
QString shown(const QLineEdit *field)
{
    const QColor c = textColour(field);
    return field->text() + (c == kRedText ? QStringLiteral("|r") : c == kBlackText ? QStringLiteral("|b") : QStringLiteral("|?"));
}

} // namespace

class TestEditorWidgets : public QObject
{
    Q_OBJECT

    AppRig m_rig;

    FrmMain &w() { return m_rig.window(); }
    EditorModel &editor() { return m_rig.app->editor(); }

private slots:
    void initTestCase()
    {
        m_rig.pinPorts({});
        m_rig.storePort(QStringLiteral(" 0"));
        QVERIFY(m_rig.start());
    }

    void cleanupTestCase() { m_rig.app.reset(); }

    // Every case starts from the editor as start-up leaves it.
    void init()
    {
        editor().reset();
        for (int i = 0; i < kParamCount; ++i)
            QCOMPARE(shown(w().TxtData(i)), QStringLiteral("|b"));
    }

    void typing_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("keys");  // typed one chunk after the other
        QTest::addColumn<QStringList>("after"); // what the field shows after each chunk
        QTest::addColumn<int>("spin");          // spin button value at the end: a marked
                                                // text leaves it where the last good one put it

        QTest::newRow("Current Limiter 5, 55 becomes 60")
            << 7 << QStringList{"5", "5"} << QStringList{"5|r", "60|b"} << 60;
        QTest::newRow("Current Limiter(Time Limit) 1, 12, 123 becomes 120")
            << 12 << QStringList{"1", "2", "3"} << QStringList{"1|r", "12|r", "120|b"} << 120;
        QTest::newRow("Low Batt. 3. waits for its decimal")
            << 6 << QStringList{"3", ".", "3"} << QStringList{"3|b", "3.|b", "3.3|b"} << 33;
        QTest::newRow("Low Batt. 2.4 is marked, spin keeps its place")
            << 6 << QStringList{"2", ".", "4"} << QStringList{"2|r", "2.|r", "2.4|r"} << 25;
        QTest::newRow("Dead Band takes two characters only")
            << 5 << QStringList{"123"} << QStringList{"12|b"} << 12;
        QTest::newRow("emptying a marked field leaves it red")
            << 0 << QStringList{"99", "\b\b"} << QStringList{"99|r", "|r"} << 100;
    }

    void typing()
    {
        QFETCH(int, index);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, after);
        QFETCH(int, spin);
        QLineEdit *field = w().TxtData(index);
        for (int k = 0; k < keys.size(); ++k) {
            for (QChar c : keys.at(k)) {
                if (c == u'\b')
                    QTest::keyClick(field, Qt::Key_Backspace);
                else
                    QTest::keyClicks(field, QString(c));
            }
            QCOMPARE(shown(field), after.at(k));
            QCOMPARE(editor().text(index), field->text()); // the window and the editor agree
        }
        QCOMPARE(editor().spinValue(index), spin);
    }

    void arrows_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty Dead Band, up") << 5 << "" << true << "2|b";
        QTest::newRow("empty Brake Max. Duty, up") << 8 << "" << true << "1|b";
        // At its lower bound the spin button doesn't move, so nothing happens.
        QTest::newRow("empty Brake Max. Duty, down") << 8 << "" << false << "|b";
        QTest::newRow("Brake Max. Duty 150, up") << 8 << "150" << true << "100|b";
        QTest::newRow("Low Batt. 3.3, up a tenth") << 6 << "3.3" << true << "3.4|b";
        QTest::newRow("Current Limiter 200, down ten") << 7 << "200" << false << "190|b";
    }

    void arrows()
    {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(bool, up);
        QFETCH(QString, after);
        QLineEdit *field = w().TxtData(index);
        QTest::keyClicks(field, typed);
        UpDownButton *spin = w().UpDownData(index);
        QTest::mouseClick(up ? spin->upArrow() : spin->downArrow(), Qt::LeftButton);
        QCOMPARE(shown(field), after);
        QCOMPARE(editor().text(index), field->text());
    }

    void offSwitchesTheCurrentLimiterRowOffAndBack()
    {
        QLineEdit *field = w().TxtData(7);
        auto *unit = w().findChild<QLabel *>(QStringLiteral("LblCurLim"));
        QVERIFY(unit);
        QTest::keyClicks(field, QStringLiteral("200"));

        QTest::mouseClick(w().ChkCurLimOff(), Qt::LeftButton);
        QVERIFY(w().ChkCurLimOff()->isChecked());
        QCOMPARE(field->text(), QString());
        QVERIFY(!field->isEnabled());
        QVERIFY(!w().UpDownData(7)->isEnabled());
        QVERIFY(!unit->isEnabled());
        // The neighbouring row is not affected.
        QVERIFY(w().TxtData(12)->isEnabled());
        QVERIFY(w().UpDownData(12)->isEnabled());

        QTest::mouseClick(w().ChkCurLimOff(), Qt::LeftButton);
        QVERIFY(!w().ChkCurLimOff()->isChecked());
        QCOMPARE(shown(field), QStringLiteral("200|b"));
        QVERIFY(field->isEnabled());
        QVERIFY(w().UpDownData(7)->isEnabled());
        QVERIFY(unit->isEnabled());
    }

    void offFromTheControllerOffers300WhenCleared()
    {
        QCOMPARE(ShowSettingData(withByte(19, "FF"), editor()).status, DecodeStatus::Ok);
        QVERIFY(w().ChkCurLimOff()->isChecked());
        QVERIFY(!w().TxtData(7)->isEnabled());
        QCOMPARE(w().TxtData(7)->text(), QString());
        QTest::mouseClick(w().ChkCurLimOff(), Qt::LeftButton);
        QCOMPARE(shown(w().TxtData(7)), QStringLiteral("300|b"));
        QVERIFY(w().TxtData(7)->isEnabled());
    }

    void decodedBlockFillsTheFieldsAndTheHiddenFrame()
    {
        QCOMPARE(ShowSettingData(kBlock, editor()).status, DecodeStatus::Ok);
        const QStringList expected{"2000", "6000", "1500", "1900", "1100", "4", "3",
                                   "200", "80", "50", "10", "5", "150", "10"};
        for (int i = 0; i < kParamCount; ++i)
            QCOMPARE(shown(w().TxtData(i)), expected.at(i) + QStringLiteral("|b"));
        // Flags 09: Virgin Bit and Lipo Mode.
        QCOMPARE(w().ChkMode(0)->isChecked(), true);
        QCOMPARE(w().ChkMode(1)->isChecked(), false);
        QCOMPARE(w().ChkMode(2)->isChecked(), false);
        QCOMPARE(w().ChkMode(3)->isChecked(), true);
        QCOMPARE(w().findChild<QLineEdit *>(QStringLiteral("TxtVqType"))->text(), QStringLiteral("VQ530T"));
        QCOMPARE(w().findChild<QLineEdit *>(QStringLiteral("TxtVer"))->text(), QStringLiteral("18"));
        QVERIFY(!w().FraTmp()->isVisible());
    }

    void programTextLongerThanTheLimitIsShownWhole()
    {
        // Dead Band 0x64 = 100 us: three characters in a two-character field.
        QCOMPARE(ShowSettingData(withByte(16, "64"), editor()).status, DecodeStatus::Ok);
        QLineEdit *field = w().TxtData(5);
        QCOMPARE(shown(field), QStringLiteral("100|r"));
        // Nothing more can be typed into it...
        QTest::keyClicks(field, QStringLiteral("7"));
        QCOMPARE(field->text(), QStringLiteral("100"));
        // ...until it is shortened; then the typing limit holds again.
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(shown(field), QStringLiteral("10|b"));
        QTest::keyClicks(field, QStringLiteral("7"));
        QCOMPARE(field->text(), QStringLiteral("10"));
        QCOMPARE(field->maxLength(), 2);
        QCOMPARE(editor().text(5), QStringLiteral("10"));

        // The same for a PWM word beyond the range (0xC350 = 50000 Hz, five
        // characters, fits) and a hidden Neutral word of 40000 (four-character field).
        QString block = withByte(0, "50");
        block.replace(2, 2, QStringLiteral("C3"));
        block.replace(8, 4, QStringLiteral("409C"));
        QCOMPARE(ShowSettingData(block, editor()).status, DecodeStatus::Ok);
        QCOMPARE(shown(w().TxtData(0)), QStringLiteral("50000|r"));
        QCOMPARE(w().TxtData(2)->text(), QStringLiteral("40000"));
        QCOMPARE(editor().text(2), QStringLiteral("40000"));
    }
};

QTEST_MAIN(TestEditorWidgets)
#include "tst_editorwidgets.moc"
