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

// The graph of a two-second log (5 V and 100 A, 8 V and 250 A) at
// the log window's loading size, scale lines off.
const char kShortLogSvg[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"467\" height=\"347\" viewBox=\"0 0 467 347\">\n"
    "<rect width=\"467\" height=\"347\" fill=\"#ffffff\"/>\n"
    "<clipPath id=\"plot\"><rect width=\"383\" height=\"203\"/></clipPath>\n"
    "<g transform=\"translate(38 70)\" clip-path=\"url(#plot)\">\n"
    "<rect width=\"383\" height=\"203\" fill=\"#e0e0e0\"/>\n"
    "<path fill=\"none\" stroke=\"#808080\" stroke-width=\"1\" stroke-linecap=\"square\" d=\"\n"
    "M0.5 202.5L5.15 202.5\n"
    "M0.5 182.27L5.15 182.27\n"
    "M0.5 162.1L5.15 162.1\n"
    "M0.5 141.93L5.15 141.93\n"
    "M0.5 121.7L5.15 121.7\n"
    "M0.5 101.47L5.15 101.47\n"
    "M0.5 81.3L5.15 81.3\n"
    "M0.5 61.13L5.15 61.13\n"
    "M0.5 40.9L5.15 40.9\n"
    "M0.5 20.67L5.15 20.67\n"
    "M377.85 202.5L382.5 202.5\n"
    "M377.85 202.5L382.5 202.5\n"
    "M377.85 168.83L382.5 168.83\n"
    "M377.85 168.87L382.5 168.87\n"
    "M377.85 135.17L382.5 135.17\n"
    "M377.85 135.17L382.5 135.17\n"
    "M377.85 101.5L382.5 101.5\n"
    "M377.85 101.47L382.5 101.47\n"
    "M377.85 67.83L382.5 67.83\n"
    "M377.85 67.83L382.5 67.83\n"
    "M377.85 34.17L382.5 34.17\n"
    "M377.85 34.2L382.5 34.2\n"
    "M0.5 0.5L0.5 202.5\n"
    "M21.71 0.5L21.71 202.5\n"
    "M42.92 0.5L42.92 202.5\n"
    "M64.2 0.5L64.2 202.5\n"
    "M85.41 0.5L85.41 202.5\n"
    "M106.62 0.5L106.62 202.5\n"
    "M127.83 0.5L127.83 202.5\n"
    "M149.04 0.5L149.04 202.5\n"
    "M170.26 0.5L170.26 202.5\n"
    "M191.47 0.5L191.47 202.5\n"
    "M212.74 0.5L212.74 202.5\n"
    "M233.96 0.5L233.96 202.5\n"
    "M255.17 0.5L255.17 202.5\n"
    "M276.38 0.5L276.38 202.5\n"
    "M297.59 0.5L297.59 202.5\n"
    "M318.87 0.5L318.87 202.5\n"
    "M340.08 0.5L340.08 202.5\n"
    "M361.29 0.5L361.29 202.5\"/>\n"
    "<path fill=\"none\" stroke=\"#0000ff\" stroke-width=\"2\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"\n"
    "M0 101.1L0.73 101.1\n"
    "M0.73 101.1L1.4 40.53\"/>\n"
    "<path fill=\"none\" stroke=\"#c000c0\" stroke-width=\"2\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"\n"
    "M0 134.73L0.73 134.73\n"
    "M0.73 134.73L1.4 33.83\"/>\n"
    "</g>\n"
    "<rect x=\"37\" y=\"69\" width=\"385\" height=\"1\" fill=\"#404040\"/>\n"
    "<rect x=\"37\" y=\"273\" width=\"385\" height=\"1\" fill=\"#404040\"/>\n"
    "<rect x=\"37\" y=\"70\" width=\"1\" height=\"203\" fill=\"#404040\"/>\n"
    "<rect x=\"421\" y=\"70\" width=\"1\" height=\"203\" fill=\"#404040\"/>\n"
    "<rect x=\"20\" y=\"31\" width=\"60\" height=\"2\" fill=\"#0000ff\"/>\n"
    "<rect x=\"372\" y=\"31\" width=\"60\" height=\"2\" fill=\"#c000c0\"/>\n"
    "<g font-family=\"sans-serif\" font-size=\"11\" fill=\"#000000\">\n"
    "<text x=\"29\" y=\"277\" text-anchor=\"end\">0</text>\n"
    "<text x=\"29\" y=\"257\" text-anchor=\"end\">1.0</text>\n"
    "<text x=\"29\" y=\"237\" text-anchor=\"end\">2.0</text>\n"
    "<text x=\"29\" y=\"216\" text-anchor=\"end\">3.0</text>\n"
    "<text x=\"29\" y=\"196\" text-anchor=\"end\">4.0</text>\n"
    "<text x=\"29\" y=\"176\" text-anchor=\"end\">5.0</text>\n"
    "<text x=\"29\" y=\"155\" text-anchor=\"end\">6.0</text>\n"
    "<text x=\"29\" y=\"135\" text-anchor=\"end\">7.0</text>\n"
    "<text x=\"29\" y=\"114\" text-anchor=\"end\">8.0</text>\n"
    "<text x=\"29\" y=\"94\" text-anchor=\"end\">9.0</text>\n"
    "<text x=\"29\" y=\"74\" text-anchor=\"end\">10.0</text>\n"
    "<text x=\"431\" y=\"277\" text-anchor=\"start\">0</text>\n"
    "<text x=\"431\" y=\"243\" text-anchor=\"start\">50</text>\n"
    "<text x=\"431\" y=\"209\" text-anchor=\"start\">100</text>\n"
    "<text x=\"431\" y=\"176\" text-anchor=\"start\">150</text>\n"
    "<text x=\"431\" y=\"142\" text-anchor=\"start\">200</text>\n"
    "<text x=\"431\" y=\"108\" text-anchor=\"start\">250</text>\n"
    "<text x=\"431\" y=\"74\" text-anchor=\"start\">300</text>\n"
    "<text x=\"38.5\" y=\"289\" text-anchor=\"middle\">0</text>\n"
    "<text x=\"81.5\" y=\"289\" text-anchor=\"middle\">60</text>\n"
    "<text x=\"124.5\" y=\"289\" text-anchor=\"middle\">120</text>\n"
    "<text x=\"167.5\" y=\"289\" text-anchor=\"middle\">180</text>\n"
    "<text x=\"209.5\" y=\"289\" text-anchor=\"middle\">240</text>\n"
    "<text x=\"252.5\" y=\"289\" text-anchor=\"middle\">300</text>\n"
    "<text x=\"295.5\" y=\"289\" text-anchor=\"middle\">360</text>\n"
    "<text x=\"338.5\" y=\"289\" text-anchor=\"middle\">420</text>\n"
    "<text x=\"380.5\" y=\"289\" text-anchor=\"middle\">480</text>\n"
    "<text x=\"423.5\" y=\"289\" text-anchor=\"middle\">540</text>\n"
    "<text x=\"229.5\" y=\"305\" text-anchor=\"middle\">Time(s)</text>\n"
    "<text x=\"86\" y=\"35\" text-anchor=\"start\">Voltage(V)</text>\n"
    "<text x=\"366\" y=\"35\" text-anchor=\"end\">Current(A)</text>\n"
    "</g>\n"
    "</svg>\n";

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
        QTest::newRow("PWM 99 is below the range") << 0 << "99" << 0 << "99|red";
        QTest::newRow("emptying a red field leaves it red") << 0 << "99\b\b" << 0 << "|red";
        QTest::newRow("Dead Band takes two characters") << 5 << "123" << 0 << "12|black";
        QTest::newRow("Low Batt. Protection 7 is above the range") << 6 << "7" << 0 << "7|red";
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
        // The drawing of packaging/vq530t-link.svg: its dark blue field, the
        // corner of its yellow zig-zag, nothing outside the rounded square;
        // and the name docks group the windows by.
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("vq530t-link"));
        m_rig.app->logWindow().SetGraphFile();
        FrmLog *log = m_rig.app->logWindow().window();
        for (QWidget *window : {static_cast<QWidget *>(&w()), static_cast<QWidget *>(log)}) {
            const QImage icon = window->windowIcon().pixmap(QSize(256, 256)).toImage();
            QCOMPARE(icon.size(), QSize(256, 256));
            QCOMPARE(icon.pixelColor(20, 128), QColor(0x14, 0x28, 0x5a));
            QCOMPARE(icon.pixelColor(112, 88), QColor(0xfa, 0xc8, 0x28));
            QCOMPARE(icon.pixelColor(2, 2).alpha(), 0);
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
        QCOMPARE(QString::fromUtf8(fixture::readFile(svg)), QString::fromUtf8(kShortLogSvg));
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
