// The main window without a controller: the message line's characters all
// take the same width, whatever monospaced font the desktop has; the editor
// through its fields, arrows and "Off" (red marks, typing limits, a longer
// text from the controller shown whole); file menus; names for screen readers;
// the program's icon on every window; the graph saved as an SVG file.

#include "apprig.h"
#include "logwindow/logwindowhost.h"
#include "settings/controllerblock.h"
#include "shell/frmconfig.h"
#include "shell/updownbutton.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QTest>
#include <QToolButton>

using namespace vq;

static QStringList unnamedControls(QAccessibleInterface *node)
{
    const QAccessible::Role role = node->role();
    QStringList unnamed;
    if ((node->state().focusable || role == QAccessible::EditableText || role == QAccessible::PushButton
         || role == QAccessible::List) && node->text(QAccessible::Name).isEmpty())
        unnamed << node->object()->objectName();
    for (int i = 0; i < node->childCount(); ++i)
        unnamed << unnamedControls(node->child(i));
    return unnamed;
}

class TestMainWindow : public QObject
{
    Q_OBJECT

    AppRig m_rig;

    FrmMain &w() { return m_rig.window(); }

private slots:
    void initTestCase()
    {
        m_rig.pin({}, " 0");
        QVERIFY(m_rig.start());
    }

    void init()
    {
        m_rig.app->editor().reset();
        m_rig.prompter.clear();
    }

    void messageLineHasOneAdvanceForEveryCharacter()
    {
        QLineEdit *msg = w().TxtMsg();
        QVERIFY(msg->isReadOnly());
        QCOMPARE(msg->focusPolicy(), Qt::NoFocus);
        const QFontMetrics metrics = msg->fontMetrics();
        const int advance = metrics.horizontalAdvance(u'W');
        for (QChar c : QStringLiteral("i1.lmM0 ,!"))
            QVERIFY2(metrics.horizontalAdvance(c) == advance, qPrintable(QString(c) + " in " + msg->font().family()));
    }

    void editorThroughTheWidgets_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("keys"); // typed into the field; \b is Backspace
        QTest::addColumn<int>("click");    // then: 1 the up arrow, -1 the down arrow, 2 "Off"
        QTest::addColumn<QString>("shows");
        QTest::newRow("emptying a red field leaves it red") << 0 << "99\b\b" << 0 << "|red";
        QTest::newRow("Dead Band takes two characters") << 5 << "123" << 0 << "12|black";
        QTest::newRow("Current Limiter 55 becomes 60") << 7 << "55" << 0 << "60|black";
        QTest::newRow("empty Dead Band, up") << 5 << "" << 1 << "2|black";
        QTest::newRow("Current Limiter 200, down") << 7 << "200" << -1 << "190|black";
        QTest::newRow("Current Limiter 200, Off empties and locks the row") << 7 << "200" << 2 << "|black";
    }

    void editorThroughTheWidgets()
    {
        QFETCH(int, row);
        QFETCH(QString, keys);
        QFETCH(int, click);
        QLineEdit *field = w().TxtData(row);
        QTest::keyClicks(field, keys);
        const QList<QWidget *> targets{w().UpDownData(row)->downArrow(), nullptr, w().UpDownData(row)->upArrow(),
                                       w().ChkCurLimOff()};
        if (click != 0)
            QTest::mouseClick(targets.at(click + 1), Qt::LeftButton);
        QTEST(shown(field), "shows");
        QCOMPARE(m_rig.app->editor().text(row), field->text());
        QCOMPARE(field->isEnabled() && w().UpDownData(row)->isEnabled(), click != 2);
    }

    void controllerTextLongerThanTheTypingLimitIsShownWhole()
    {
        QString block = fixture::kWorkedBlock;
        block.replace(32, 2, "64"); // Dead Band 100 us: three characters in a two-character field
        QCOMPARE(m_rig.app->block().showBlock(block), SettingsDecode::Ok);
        QLineEdit *field = w().TxtData(5);
        QCOMPARE(shown(field), "100|red");
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, "7"); // the typing limit holds again
        QCOMPARE(shown(field), "10|black");
    }

    void everyControlNamedForScreenReaders_data()
    {
        QTest::addColumn<int>("window"); // the main window, the port dialog, the log window
        QTest::addColumn<QString>("path"); // then, below the window, object names
        QTest::addColumn<QString>("reads"); // name|description
        QTest::newRow("a field") << 0 << "TxtData_6" << "Low Batt. Protection|2.5～6 V";
        QTest::newRow("a field without unit") << 0 << "TxtData_13" << "Forward Boost|0～100";
        QTest::newRow("up arrow") << 0 << "UpDownData_11/up" << "Increase Current Limit timer|";
        QTest::newRow("Off") << 0 << "ChkCurLimOff" << "Off|Current Limiter off";
        QTest::newRow("lamp") << 0 << "ShpLED" << "Busy|No operation is running";
        QTest::newRow("port dialog") << 1 << "ComboList" << "ComPort|";
        QTest::newRow("log window") << 2 << "Frame1/ChkScaleLine_1" << "Current(A) Scale Line|";
    }

    void everyControlNamedForScreenReaders()
    {
        QFETCH(int, window);
        QFETCH(QString, path);
        PortSelection ports(m_rig.app->config(), [](const QString &) { return false; });
        FrmConfig dialog(ports);
        FrmLog logWindow(nullptr, m_rig.app->config(), m_rig.app->log());
        QObject *object = QList<QWidget *>{&w(), &dialog, &logWindow}.at(window);
        QCOMPARE(unnamedControls(QAccessible::queryAccessibleInterface(object)), QStringList());
        for (const QString &name : path.split(u'/'))
            object = object->findChild<QObject *>(name);
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(object);
        QTEST(node->text(QAccessible::Name) + u'|' + node->text(QAccessible::Description), "reads");
    }

    void everyWindowCarriesTheProgramIcon()
    {
        // The drawing of packaging/vq530t-link.svg (its dark blue field), in
        // the small size too; and the name docks group the windows by.
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("vq530t-link"));
        m_rig.app->logWindow().SetGraphFile();
        FrmLog *log = m_rig.app->logWindow().window();
        for (QWidget *window : {static_cast<QWidget *>(&w()), static_cast<QWidget *>(log)}) {
            const QImage icon = window->windowIcon().pixmap(QSize(256, 256)).toImage();
            QCOMPARE(icon.pixelColor(20, 128), QColor(0x14, 0x28, 0x5a));
            QVERIFY(window->windowIcon().availableSizes().contains(QSize(16, 16)));
        }
        log->close();
    }

    void graphPictureSavedAsSvg()
    {
        // A short log opened from a file, its graph saved as an SVG drawing
        // through the graph's menu: the file, byte for byte.
        const QString csv = m_rig.filePath("short.csv"), svg = m_rig.filePath("short.svg");
        QByteArray rows = "Time(s),Voltage(V),Current(A)\r\n0,5,100\r\n1,8,250\r\n";
        for (int t = 2; t < kLogSamples; ++t)
            rows += QByteArray::number(t) + ",,\r\n";
        QVERIFY(fixture::writeFile(csv, rows));
        m_rig.prompter.fileNames = {csv, svg};
        w().munOpenLog->trigger();
        FrmLog *log = m_rig.app->logWindow().window();
        QVERIFY2(log, qPrintable(m_rig.prompter.messageTexts().join(u'|')));
        for (QAction *action : log->graphActions())
            if (action->text() == QStringLiteral("Save Graph as Picture…"))
                action->trigger();
        log->close();
        m_rig.app->log().reset(); // nothing logged, for the tests after this one
        // The graph of the two seconds at the log window's loading size, scale lines off.
        QCOMPARE(QString::fromUtf8(fixture::readFile(svg)), QString::fromUtf8(fixture::readFile(QStringLiteral(":/short-log.svg"))));
    }

    void fileMenusReachTheirCommands_data()
    {
        QTest::addColumn<int>("menu"); // Setting Data Open, Save, Log Data Open, Save
        QTest::addColumn<QString>("text"); // of the box, or the filter of the file dialog
        QTest::newRow("Setting Data Open") << 0 << "VQ setting data (*.set)|*.set|ALL files(*.*)|*.*";
        QTest::newRow("Setting Data Save, empty editor") << 1 << fixture::msg::dataAbnormal;
        QTest::newRow("Log Data Open") << 2 << "VQ Log data (*.csv)|*.csv|ALL files(*.*)|*.*";
        QTest::newRow("Log Data Save, nothing logged") << 3 << fixture::msg::noData;
    }

    void fileMenusReachTheirCommands()
    {
        QFETCH(int, menu);
        QList<QAction *>{w().mnuOpen, w().mnuSave, w().munOpenLog, w().mnuSaveLog}.at(menu)->trigger();
        QCOMPARE(m_rig.prompter.prompts.size(), 1);
        QTEST(m_rig.prompter.prompts.at(0).text, "text");
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
