// The main window without a controller: the message line's characters all
// take the same width, whatever monospaced font the desktop has; the editor
// through its fields, arrows and "Off" (red marks, typing limits, a longer
// text from the controller shown whole); file menus; names for screen readers;
// the program's icon on every window; the graph saved as an SVG file. Then the
// windows in the user's language: the .ts sources translated with every
// placeholder, line break, access key and file pattern kept (that they are
// complete and current is translations_current.sh's), every text of the
// message catalogue translated; a language picked in the main window's
// context menu stored in the profile and shown at once in every open window,
// and English back exactly as it was.

#include "apprig.h"
#include "core/displaytext.h"
#include "core/messages.h"
#include "logwindow/logwindow.h"
#include "logwindow/logwindowhost.h"
#include "settings/controllerblock.h"
#include "shell/frmconfig.h"
#include "shell/uilanguage.h"
#include "shell/updownbutton.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <QTranslator>
#include <QXmlStreamReader>

#include <algorithm>

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

namespace {

QStringList placeholders(const QString &text) // "%1", "%2", sorted
{
    QStringList found;
    for (auto it = QRegularExpression(QStringLiteral("%\\d")).globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

// Every text a window shows, with names for screen readers, fonts and size.
QStringList windowTexts(const QWidget &window)
{
    QStringList texts{window.windowTitle(), QStringLiteral("%1x%2").arg(window.width()).arg(window.height())};
    for (const QWidget *w : window.findChildren<QWidget *>()) {
        QString text = w->property("text").toString() + w->property("title").toString();
        texts << QStringLiteral("%1|%2|%3|%4|%5|%6")
                     .arg(w->objectName(), text, w->toolTip(), w->accessibleName(), w->accessibleDescription())
                     .arg(w->font().pointSizeF());
    }
    for (const QAction *a : window.findChildren<QAction *>())
        texts << a->objectName() + u'|' + a->text();
    return texts;
}

void pick(const FrmMain &w, const QString &code)
{
    w.findChild<QAction *>(QStringLiteral("mnuLanguage_") + code)->trigger();
}

} // namespace

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

    void cleanup() { setUiLanguage(QStringLiteral("en")); }

    void messageLineHasOneAdvanceForEveryCharacter()
    {
        QLineEdit *msg = w().TxtMsg();
        QVERIFY(msg->isReadOnly());
        QCOMPARE(msg->focusPolicy(), Qt::NoFocus);
        // Qt's offscreen platform under Wine knows no face but the one the
        // program carries for its entry boxes: there is none to pick.
        const QStringList families = QFontDatabase::families();
        if (std::none_of(families.begin(), families.end(), [](const QString &f) { return QFontDatabase::isFixedPitch(f); }))
            QSKIP("this platform has no fixed-pitch face");
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

    void languages_data()
    {
        QTest::addColumn<QString>("language");
        for (const char *language : {"de", "es", "fr", "ja"})
            QTest::newRow(language) << QString::fromLatin1(language);
    }
    void languages()
    {
        QFETCH(QString, language);
        QFile file(QStringLiteral(VQ_TRANSLATIONS_DIR "/vq530t-link_%1.ts").arg(language));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context, source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == QLatin1String("translation")) {
                const QString to = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                QVERIFY2(!to.isEmpty(), qPrintable(source));
                QCOMPARE(placeholders(to), placeholders(source));
                QCOMPARE(to.count(u'\n'), source.count(u'\n'));
                QCOMPARE(to.contains(u'&'), source.contains(u'&'));
                const auto patterns = [](const QString &filter) { // "... (*.set)|*.set|...": every second
                    QStringList p = filter.split(u'|');
                    for (qsizetype i = 0; i < p.size(); i += 2)
                        p[i] = p[i].mid(p[i].lastIndexOf(u'('));
                    return p;
                };
                if (context == QLatin1String("Files"))
                    QCOMPARE(patterns(to), patterns(source));
            }
        }
        QVERIFY(!xml.hasError());
        // And as the program carries them: every text of the catalogue.
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/vq530t-link_%1.qm").arg(language)));
        for (const QString *text : kMessageCatalogue)
            QVERIFY2(!translator.translate("Messages", text->toUtf8().constData()).isEmpty(), qPrintable(*text));
    }

    void profileLanguage_data()
    {
        QTest::addColumn<QByteArray>("display"); // the profile's [Display] section
        QTest::addColumn<QString>("button");     // the first device button
        QTest::newRow("de") << QByteArray("[Display]\r\nLanguage=de\r\n") << "Einstellungen lesen";
        QTest::newRow("ja, blanks around") << QByteArray("[Display]\r\nLanguage= ja \r\n") << "設定データ読込";
        QTest::newRow("unknown") << QByteArray("[Display]\r\nLanguage=DE\r\n") << "Setting Data Read";
    }
    void profileLanguage()
    {
        QFETCH(QByteArray, display);
        AppRig rig;
        QVERIFY(fixture::writeFile(rig.filePath("VQ530T Link.ini"), display));
        rig.pin({}, " 1");
        QVERIFY(rig.start());
        QTEST(rig.window().CmdVqCom(0)->text().replace(u'\n', u' '), "button"); // fitted on two lines or one
        QVERIFY(rig.window().findChild<QAction *>(QStringLiteral("mnuLanguage_") + uiLanguage())->isChecked());
    }

    // Picked in the context menu: stored at once, every open window in the
    // new language (Qt's own buttons too), and English back as it was.
    void switchAtRunTime_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("shown"); // File menu, message line, log window, statistics, Qt's Cancel
        QTest::newRow("de") << "de" << QStringList{"&Datei", "COM-Port kann nicht geöffnet werden.", "Logdaten", "Spannung Minimum", "Abbrechen"};
        QTest::newRow("es") << "es" << QStringList{"&Archivo", "No se puede abrir el puerto COM.", "Datos de registro", "Tensión mínima", "Cancelar"};
        QTest::newRow("fr") << "fr" << QStringList{"&Fichier", "Impossible d'ouvrir le port COM.", "Données du journal", "Tension minimale", "Annuler"};
        QTest::newRow("ja") << "ja" << QStringList{"ファイル(&F)", "COMポートを開けません。", "ログデータ", "最低電圧", "キャンセル"};
    }
    void switchAtRunTime()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, shown);
        AppRig rig;
        rig.pin({}, " 1");
        QVERIFY(rig.start()); // Com1 can't open: the message line says so
        FrmMain &w = rig.window();
        rig.app->logWindow().SetGraphFile();
        FrmLog *log = rig.app->logWindow().window();
        log->graphActions().constFirst()->trigger(); // "Statistics…"
        const QStringList english = windowTexts(w) + windowTexts(*log);
        const QList<QStringList> englishRows = log->statisticsWindow()->rows();
        const int englishArea = w.centralWidget()->height();

        pick(w, language);
        QVERIFY(rig.iniBytes().endsWith("[Display]\r\nLanguage=" + language.toLatin1() + "\r\n"));
        QCOMPARE((QStringList{w.findChild<QMenu *>(QStringLiteral("mnuFile"))->title(), w.TxtMsg()->text(),
                              log->windowTitle(), log->statisticsWindow()->rows().value(1).value(0),
                              QCoreApplication::translate("QPlatformTheme", "Cancel")}),
                 shown);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest); // the layout follows the menu bar
        QCOMPARE(w.centralWidget()->height(), englishArea);

        pick(w, QStringLiteral("en"));
        QVERIFY(rig.iniBytes().endsWith("[Display]\r\nLanguage=en\r\n"));
        QCOMPARE(windowTexts(w) + windowTexts(*log), english);
        QCOMPARE(log->statisticsWindow()->rows(), englishRows);
    }

    void portDialog()
    {
        Config config(QDir::tempPath());
        PortSelection selection(config, [](const QString &) { return false; });
        FrmConfig dialog(selection);
        setUiLanguage(QStringLiteral("fr"));
        QCOMPARE(dialog.windowTitle() + u'|' + dialog.Combo()->itemText(0), QStringLiteral("Réglage du port COM|Introuvable"));
    }

    // Texts composed of catalogue texts are translated piece by piece; what
    // is none (a path, a device, a system's reason) stays.
    void composedMessages()
    {
        setUiLanguage(QStringLiteral("de"));
        QCOMPARE(displayText(kMsgNotBackedUp + u' ' + kMsgNothingWritten),
                 "Die Einstellungen des Reglers konnten nicht gesichert werden. Es wurde nichts geschrieben.");
        QCOMPARE(displayText(kMsgNothingWritten + "\r\n/tmp/Data Get\r\n" + kReasonIsFolder),
                 "Es wurde nichts geschrieben.\r\n/tmp/Data Get\r\nist ein Ordner");
        QCOMPARE(displayText("Com3 (/dev/ttyS2): " + kReasonNoSuchDevice + ": No such file"),
                 "Com3 (/dev/ttyS2): Gerät nicht vorhanden: No such file");
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
