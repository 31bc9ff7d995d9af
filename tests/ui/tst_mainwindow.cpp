// The main window as the user first sees it: where its controls are (in
// pixels at 96 dpi, 15 twips to a pixel), their captions, names, tool tips,
// length limits and fonts, the tab order, the menu tree, and the hidden frame
// that no resize ever reveals. Then the settings editor through its widgets:
// what the fields, arrows and "Off" add to the editor's own rules (colours,
// typing limits, enabled rows, texts longer than what may be typed).

#include "apprig.h"
#include "settings/paramtable.h"
#include "settings/settingblock.h"
#include "shell/updownbutton.h"

#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <QTest>

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

class TestMainWindow : public QObject
{
    Q_OBJECT

    AppRig m_rig;

    FrmMain &w() { return m_rig.window(); }
    EditorModel &editor() { return m_rig.app->editor(); }

    template<typename T = QWidget>
    T *child(const QString &name)
    {
        return w().findChild<T *>(name);
    }

    // Visible menu entries of a menu or the bar: captions, "-" for a separator.
    static QStringList captions(const QList<QAction *> &actions)
    {
        QStringList texts;
        for (QAction *a : actions)
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    }

private slots:
    void initTestCase()
    {
        // Stored port 0: start-up shows neither a dialog nor a box.
        m_rig.pinPorts({});
        m_rig.storePort(QStringLiteral(" 0"));
        QVERIFY(m_rig.start());
        QVERIFY(w().isVisible());
        QCOMPARE(m_rig.dialogRuns, 0);
    }

    void cleanupTestCase() { m_rig.app.reset(); }

    // Every case starts from the editor as start-up leaves it.
    void init() { editor().reset(); }

    void geometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        // Device buttons: left 180, 1575 x 495.
        QTest::newRow("Setting Data Read") << "CmdVqCom_0" << QRect(12, 16, 105, 33);
        QTest::newRow("Data Get") << "CmdVqCom_3" << QRect(12, 196, 105, 33);
        // Editor rows: field at 4740 (915 x 285), spin button at 5640 (255 x 285).
        QTest::newRow("first row field") << "TxtData_0" << QRect(316, 16, 61, 19);
        QTest::newRow("first row spin") << "UpDownData_0" << QRect(376, 16, 17, 19);
        QTest::newRow("Off") << "ChkCurLimOff" << QRect(264, 132, 45, 17);
        // Status area.
        QTest::newRow("message line") << "TxtMsg" << QRect(12, 332, 269, 21);
        QTest::newRow("lamp") << "ShpLED" << QRect(192, 300, 17, 9);
        QTest::newRow("version") << "LblVersion" << QRect(308, 344, 101, 13);
        // The hidden frame and a field inside it (relative to the frame).
        QTest::newRow("hidden frame") << "FraTmp" << QRect(12, 388, 417, 165);
        QTest::newRow("Neutral field") << "TxtData_2" << QRect(304, 56, 61, 19);
    }

    void geometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        QWidget *c = child(name);
        QVERIFY2(c, qPrintable(name));
        QCOMPARE(c->geometry(), pixels);
    }

    void captionsAndTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("button 0") << "CmdVqCom_0" << "Setting Data Read";
        QTest::newRow("button 1") << "CmdVqCom_1" << "Setting Data Write";
        QTest::newRow("button 2") << "CmdVqCom_2" << "Default Data Write";
        QTest::newRow("button 3") << "CmdVqCom_3" << "Data Get";
        QTest::newRow("button 4") << "CmdVqCom_4" << "Data Clear";
        QTest::newRow("Off") << "ChkCurLimOff" << "Off";
        QTest::newRow("Virgin Bit") << "ChkMode_0" << "Virgin Bit";
        QTest::newRow("Reverse Mode") << "ChkMode_1" << "Reverse Mode";
        QTest::newRow("Rev Cancel") << "ChkMode_2" << "Rev Cancel";
        QTest::newRow("Lipo Mode") << "ChkMode_3" << "Lipo Mode";
        // Start-up replaces the design captions.
        QTest::newRow("version") << "LblVersion" << "Version1.00";
        QTest::newRow("product name") << "LblProductName" << "VQ530T Link";
        QTest::newRow("Current Limiter unit") << "LblCurLim" << "A";
    }

    void captionsAndTexts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QWidget *c = child(name);
        QVERIFY2(c, qPrintable(name));
        if (auto *b = qobject_cast<QAbstractButton *>(c))
            QCOMPARE(b->text(), text);
        else if (auto *l = qobject_cast<QLabel *>(c))
            QCOMPARE(l->text(), text);
        else
            QFAIL("neither button nor label");
    }

    void windowFrameAndVisibleArea()
    {
        QCOMPARE(w().windowTitle(), QStringLiteral("VQ530T Link"));
        const QPoint offCentre = w().frameGeometry().center() - w().screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, "not centred on the screen");
        const Qt::WindowFlags flags = w().windowFlags();
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        // The inner area ends below the message line and the version label,
        // above the hidden frame.
        const QWidget *area = w().centralWidget();
        QVERIFY(area->height() >= child("LblVersion")->geometry().bottom());
        QVERIFY(area->height() >= child("TxtMsg")->geometry().bottom());
        QVERIFY(area->height() <= w().FraTmp()->y());
        QCOMPARE(w().TxtMsg()->text(), QStringLiteral("ComPort cannot be opened."));
    }

    void visibleRowsCaptionsUnitsToolTipsAndLimits_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("rowTop");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<int>("maxLength");
        QTest::newRow("0") << 0 << 16 << "PWM frequency(at Min. load)" << "Hz" << QString::fromUtf8("100～10000") << 5;
        QTest::newRow("1") << 1 << 44 << "PWM frequency(at Max. load)" << "Hz" << QString::fromUtf8("100～10000") << 5;
        QTest::newRow("5") << 5 << 72 << "Dead Band" << "uS" << QString::fromUtf8("2～50") << 2;
        QTest::newRow("6") << 6 << 100 << "Low Batt. Protection" << "V" << QString::fromUtf8("2.5～6") << 4;
        QTest::newRow("7") << 7 << 128 << "Current Limiter" << "A" << QString::fromUtf8("50～300") << 3;
        QTest::newRow("12") << 12 << 156 << "Current Limiter(Time Limit)" << "A" << QString::fromUtf8("50～300") << 3;
        QTest::newRow("11") << 11 << 184 << "Current Limit timer" << "Sec" << QString::fromUtf8("0～240") << 3;
        QTest::newRow("8") << 8 << 212 << "Brake Max. Duty" << "%" << QString::fromUtf8("0～100") << 3;
        QTest::newRow("10") << 10 << 240 << "Neutral Brake" << "%" << QString::fromUtf8("0～100") << 3;
        QTest::newRow("13") << 13 << 268 << "Forward Boost" << "" << QString::fromUtf8("0～100") << 3;
    }

    void visibleRowsCaptionsUnitsToolTipsAndLimits()
    {
        QFETCH(int, index);
        QFETCH(int, rowTop);
        QFETCH(QString, caption);
        QFETCH(QString, unit);
        QFETCH(QString, toolTip);
        QFETCH(int, maxLength);

        QLineEdit *field = w().TxtData(index);
        QCOMPARE(field->objectName(), QStringLiteral("TxtData_%1").arg(index));
        QCOMPARE(field->y(), rowTop);
        QCOMPARE(field->toolTip(), toolTip);
        QCOMPARE(field->maxLength(), maxLength);
        QVERIFY(field->alignment() & Qt::AlignRight);
        QVERIFY(field->font().bold());
        QCOMPARE(field->font().pointSize(), 12);
        QVERIFY(field->text().isEmpty());
        QVERIFY(field->isVisible());
        QVERIFY(w().UpDownData(index)->isVisible());

        // The caption label at 2340 and the unit label at 6000, 60 twips
        // (4 pixels) below the row's top, on the same parent as the field.
        QStringList captionsHere;
        QStringList unitsHere;
        for (QLabel *l : field->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly)) {
            if (l->y() != rowTop + 4)
                continue;
            if (l->x() == 156)
                captionsHere << l->text();
            else if (l->x() == 400)
                unitsHere << l->text();
        }
        QCOMPARE(captionsHere, QStringList{caption});
        QCOMPARE(unitsHere, unit.isEmpty() ? QStringList() : QStringList{unit});
    }

    void everyCaptionFitsItsControl()
    {
        // Fixed pixel places with whatever font the platform has: no caption
        // may be cut off.
        QStringList cut;
        for (QWidget *c : w().centralWidget()->findChildren<QWidget *>()) {
            const auto *l = qobject_cast<QLabel *>(c);
            const auto *b = qobject_cast<QAbstractButton *>(c);
            if ((l && !l->text().isEmpty()) || (b && !b->text().isEmpty()))
                if (c->sizeHint().width() > c->width())
                    cut << c->objectName();
        }
        QCOMPARE(cut, QStringList());
        // A field shows its longest value whole.
        for (int i = 0; i < kParamCount; ++i) {
            QLineEdit *field = w().TxtData(i);
            const QString widest(field->maxLength(), u'8');
            QVERIFY2(field->fontMetrics().horizontalAdvance(widest) < field->width() - 4,
                     qPrintable(field->objectName()));
        }
    }

    void messageLineIsFixedPitchAndLocked()
    {
        QLineEdit *msg = w().TxtMsg();
        QVERIFY(msg->isReadOnly());
        QVERIFY(QFontInfo(msg->font()).fixedPitch());
        QVERIFY(qAbs(msg->font().pointSizeF() - 9.75) < 0.01);
    }

    void tabOrderStartsWithTheButtons()
    {
        // The widgets that take the keyboard focus by Tab, in the window's
        // chain from its first one.
        QStringList chain;
        QWidget *start = w().CmdVqCom(0);
        QWidget *c = start;
        do {
            if ((c->focusPolicy() & Qt::TabFocus) && c->isVisibleTo(&w()) && c->window() == &w())
                chain << c->objectName();
            c = c->nextInFocusChain();
        } while (c != start && chain.size() < 100);
        const QStringList expected{
            "CmdVqCom_0", "CmdVqCom_1", "CmdVqCom_2", "CmdVqCom_3", "CmdVqCom_4",
            "TxtData_0", "TxtData_1", "TxtData_5", "TxtData_6", "ChkCurLimOff", "TxtData_7",
            "TxtData_12", "TxtData_11", "TxtData_8", "TxtData_10", "TxtData_13"};
        QCOMPARE(chain, expected);
    }

    void menuTree()
    {
        QMenuBar *bar = w().menuBar();
        QCOMPARE(captions(bar->actions()), (QStringList{"&File", "&ComPort", "&Exit"}));
        QMenu *file = bar->actions().at(0)->menu();
        QVERIFY(file);
        QCOMPARE(captions(file->actions()), (QStringList{"&Setting Data ", "-", "&Log Data"}));
        QMenu *set = file->actions().at(0)->menu();
        QMenu *log = file->actions().at(2)->menu();
        QVERIFY(set && log);
        QCOMPARE(captions(set->actions()), (QStringList{"&Open", "&Save"}));
        QCOMPARE(captions(log->actions()), (QStringList{"&Open", "&Save"}));
        // The commands the program wires are these very entries.
        QCOMPARE(set->actions().at(0), w().mnuOpen);
        QCOMPARE(set->actions().at(1), w().mnuSave);
        QCOMPARE(log->actions().at(0), w().munOpenLog);
        QCOMPARE(log->actions().at(1), w().mnuSaveLog);
        QCOMPARE(bar->actions().at(1), w().mnuCom);
        QCOMPARE(bar->actions().at(2), w().mnuEnd);
        // ComPort and Exit are commands on the bar, not submenus.
        QVERIFY(!w().mnuCom->menu());
        QVERIFY(!w().mnuEnd->menu());
        for (QAction *a : {w().mnuOpen, w().mnuSave, w().munOpenLog, w().mnuSaveLog, w().mnuCom, w().mnuEnd})
            QVERIFY2(a->isEnabled() && a->isVisible(), qPrintable(a->text()));
    }

    void hiddenFrameStaysHiddenWhenTheWindowGrows()
    {
        QCOMPARE(child("FraTmp"), static_cast<QWidget *>(w().FraTmp()));
        const QRect buttonBefore = w().CmdVqCom(0)->geometry();
        const QRect fieldBefore = w().TxtData(13)->geometry();
        w().resize(900, 1000);
        QVERIFY(w().centralWidget()->height() > w().FraTmp()->geometry().bottom());
        QVERIFY(!w().FraTmp()->isVisible());
        const QList<QWidget *> inside = w().FraTmp()->findChildren<QWidget *>();
        QVERIFY(inside.size() >= 20);
        for (QWidget *c : inside)
            QVERIFY2(!c->isVisible(), qPrintable(c->objectName()));
        for (int i : kHiddenRows)
            QVERIFY(!w().TxtData(i)->isVisible());
        for (int k = 0; k < 4; ++k)
            QVERIFY(!w().ChkMode(k)->isVisible());
        // Nothing moves either.
        QCOMPARE(w().CmdVqCom(0)->geometry(), buttonBefore);
        QCOMPARE(w().TxtData(13)->geometry(), fieldBefore);
        // Nothing of the frame reaches the screen: the grown window's lower
        // part is plain background.
        const QImage shot = w().grab().toImage();
        const QPoint framePoint = w().centralWidget()->mapTo(&w(), w().FraTmp()->geometry().center());
        const QColor background = shot.pixelColor(framePoint);
        const QRect frameOnShot(w().centralWidget()->mapTo(&w(), w().FraTmp()->geometry().topLeft()),
                                w().FraTmp()->size());
        int differing = 0;
        for (int y = frameOnShot.top(); y <= frameOnShot.bottom(); y += 2)
            for (int x = frameOnShot.left(); x <= frameOnShot.right(); x += 2)
                differing += shot.pixelColor(x, y) != background;
        QCOMPARE(differing, 0);
    }

    // --- the editor through its widgets ------------------------------------

    void typing_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("keys");  // typed one chunk after the other
        QTest::addColumn<QStringList>("after"); // what the field shows after each chunk
        QTest::addColumn<int>("spin");          // spin button value at the end
        QTest::newRow("Current Limiter 5, 55 becomes 60")
            << 7 << QStringList{"5", "5"} << QStringList{"5|r", "60|b"} << 60;
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
        QTEST(editor().spinValue(index), "spin");
    }

    void arrows_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty Dead Band, up") << 5 << "" << true << "2|b";
        QTest::newRow("Current Limiter 200, down ten") << 7 << "200" << false << "190|b";
    }

    void arrows()
    {
        QFETCH(int, index);
        QFETCH(QString, typed);
        QFETCH(bool, up);
        QLineEdit *field = w().TxtData(index);
        QTest::keyClicks(field, typed);
        UpDownButton *spin = w().UpDownData(index);
        QTest::mouseClick(up ? spin->upArrow() : spin->downArrow(), Qt::LeftButton);
        QTEST(shown(field), "after");
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
        QVERIFY(!field->isEnabled() && !w().UpDownData(7)->isEnabled() && !unit->isEnabled());
        // The neighbouring row is not affected.
        QVERIFY(w().TxtData(12)->isEnabled() && w().UpDownData(12)->isEnabled());

        QTest::mouseClick(w().ChkCurLimOff(), Qt::LeftButton);
        QVERIFY(!w().ChkCurLimOff()->isChecked());
        QCOMPARE(shown(field), QStringLiteral("200|b"));
        QVERIFY(field->isEnabled() && w().UpDownData(7)->isEnabled() && unit->isEnabled());
    }

    void decodedBlockFillsTheFieldsAndTheHiddenFrame()
    {
        QCOMPARE(ShowSettingData(kBlock, editor()).status, DecodeStatus::Ok);
        const QStringList expected{"2000", "6000", "1500", "1900", "1100", "4", "3",
                                   "200", "80", "50", "10", "5", "150", "10"};
        for (int i = 0; i < kParamCount; ++i)
            QCOMPARE(shown(w().TxtData(i)), expected.at(i) + QStringLiteral("|b"));
        // Flags 09: Virgin Bit and Lipo Mode.
        QCOMPARE((QList<bool>{w().ChkMode(0)->isChecked(), w().ChkMode(1)->isChecked(),
                              w().ChkMode(2)->isChecked(), w().ChkMode(3)->isChecked()}),
                 (QList<bool>{true, false, false, true}));
        QCOMPARE(child<QLineEdit>(QStringLiteral("TxtVqType"))->text(), QStringLiteral("VQ530T"));
        QCOMPARE(child<QLineEdit>(QStringLiteral("TxtVer"))->text(), QStringLiteral("18"));
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

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
