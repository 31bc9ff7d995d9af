// The windows in the user's language: the .ts sources translated with every
// placeholder, line break, access key and file pattern kept (that they are
// complete and current is translations_current.sh's), every text of the
// message catalogue translated; a language picked in the main
// window's context menu stored in the profile and shown at once in every
// open window, and English back exactly as it was.

#include "apprig.h"
#include "core/displaytext.h"
#include "core/messages.h"
#include "logwindow/logwindow.h"
#include "logwindow/logwindowhost.h"
#include "shell/frmconfig.h"
#include "shell/uilanguage.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

using namespace vq;

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

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setUiLanguage(QStringLiteral("en")); }

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
        QTest::newRow("none") << QByteArray() << "Setting Data Read";
        QTest::newRow("de") << QByteArray("[Display]\r\nLanguage=de\r\n") << "Einstellungen lesen";
        QTest::newRow("ja") << QByteArray("[Display]\r\nLanguage=ja\r\n") << "設定データ読込";
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

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
