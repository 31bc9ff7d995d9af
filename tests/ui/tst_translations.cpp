// The windows in the user's language: every text of the message catalogue
// translated in each shipped language with its placeholders kept, the .ts
// sources complete, a language picked in the main window's context menu
// stored in the profile and shown at once in every open window, and English
// back exactly as it was.

#include "apprig.h"
#include "core/displaytext.h"
#include "core/messages.h"
#include "logwindow/logwindow.h"
#include "logwindow/logwindowhost.h"
#include "shell/frmconfig.h"
#include "shell/uilanguage.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

using namespace vq;

namespace {

const QStringList kShipped{"de", "es", "fr", "ja"};

// "%1 %2": the placeholders of a text, sorted.
QStringList placeholders(const QString &text)
{
    QStringList found;
    static const QRegularExpression marker(QStringLiteral("%\\d"));
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

// Every text a window shows, names for screen readers and fonts included,
// one line a widget or action.
QStringList windowTexts(const QWidget &window)
{
    QStringList texts{window.windowTitle(), QStringLiteral("%1x%2").arg(window.width()).arg(window.height())};
    for (const QWidget *w : window.findChildren<QWidget *>()) {
        QString text;
        if (auto *l = qobject_cast<const QLabel *>(w))
            text = l->text();
        else if (auto *b = qobject_cast<const QAbstractButton *>(w))
            text = b->text();
        else if (auto *e = qobject_cast<const QLineEdit *>(w))
            text = e->text();
        else if (auto *g = qobject_cast<const QGroupBox *>(w))
            text = g->title();
        texts << QStringLiteral("%1|%2|%3|%4|%5|%6")
                     .arg(w->objectName(), text, w->toolTip(), w->accessibleName(), w->accessibleDescription())
                     .arg(w->font().pointSizeF());
    }
    for (const QAction *a : window.findChildren<QAction *>())
        texts << a->objectName() + u'|' + a->text();
    return texts;
}

QAction *languageAction(const FrmMain &w, const QString &code)
{
    return w.findChild<QAction *>(QStringLiteral("mnuLanguage_") + code);
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { setUiLanguage(QStringLiteral("en")); }

    // Each language's compiled translation, as the program carries it.
    void catalogue_data()
    {
        QTest::addColumn<QString>("language");
        for (const QString &language : kShipped)
            QTest::newRow(qPrintable(language)) << language;
    }
    void catalogue()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/vq530t-link_%1.qm").arg(language)));
        for (const QString *text : kMessageCatalogue) {
            const QString translated = translator.translate("Messages", text->toUtf8().constData());
            QVERIFY2(!translated.isEmpty(), qPrintable(*text));
            QCOMPARE(placeholders(translated), placeholders(*text));
            QCOMPARE(translated.count(QStringLiteral("\r\n")), text->count(QStringLiteral("\r\n")));
        }
    }

    // The sources: nothing unfinished, every placeholder and line break
    // kept, one access key where the English has one, and the file
    // dialogs' patterns unchanged.
    void sources_data() { catalogue_data(); }
    void sources()
    {
        QFETCH(QString, language);
        QFile file(QStringLiteral(VQ_TRANSLATIONS_DIR "/vq530t-link_%1.ts").arg(language));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context, source;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == QLatin1String("translation")) {
                ++messages;
                const QString where = context + u'/' + source;
                QVERIFY2(xml.attributes().value(QLatin1String("type")).isEmpty(), qPrintable(where));
                const QString translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                QVERIFY2(!translation.isEmpty(), qPrintable(where));
                QCOMPARE(placeholders(translation), placeholders(source));
                QCOMPARE(translation.count(u'\n'), source.count(u'\n'));
                QCOMPARE(translation.count(u'&') > 0, source.count(u'&') > 0);
                if (context == QLatin1String("Files")) {
                    const QStringList from = source.split(u'|'), to = translation.split(u'|');
                    QCOMPARE(to.size(), from.size());
                    for (qsizetype i = 0; i < from.size(); ++i)
                        QVERIFY2(i % 2 == 0 ? to[i].endsWith(from[i + 1] + u')') : to[i] == from[i], qPrintable(where));
                }
            }
        }
        QVERIFY(!xml.hasError());
        QVERIFY(messages >= qsizetype(kMessageCatalogue.size()));
    }

    void profileLanguage_data()
    {
        QTest::addColumn<QByteArray>("display"); // the profile's [Display] section
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("button");     // the first device button
        QTest::newRow("none") << QByteArray() << "en" << "Setting Data Read";
        QTest::newRow("de") << QByteArray("[Display]\r\nLanguage=de\r\n") << "de" << "Einstellungen lesen";
        QTest::newRow("ja") << QByteArray("[Display]\r\nLanguage=ja\r\n") << "ja" << "設定データ読込";
        QTest::newRow("unknown") << QByteArray("[Display]\r\nLanguage=xx\r\n") << "en" << "Setting Data Read";
        QTest::newRow("upper case") << QByteArray("[Display]\r\nLanguage=DE\r\n") << "en" << "Setting Data Read";
    }
    void profileLanguage()
    {
        QFETCH(QByteArray, display);
        AppRig rig;
        QVERIFY(fixture::writeFile(rig.filePath("VQ530T Link.ini"), display));
        rig.pin({}, " 1");
        QVERIFY(rig.start());
        QTEST(uiLanguage(), "language");
        QTEST(rig.window().CmdVqCom(0)->text(), "button");
        QVERIFY(languageAction(rig.window(), uiLanguage())->isChecked());
    }

    // Picked in the context menu: stored at once, every open window in the
    // new language (Qt's own buttons too), and English back as it was.
    void switchAtRunTime_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("shown"); // File menu, message line, log window, statistics, Qt's Cancel
        QTest::newRow("de") << "de"
                            << QStringList{"&Datei", "COM-Port kann nicht geöffnet werden.", "Logdaten",
                                           "Spannung Minimum", "Abbrechen"};
        QTest::newRow("es") << "es"
                            << QStringList{"&Archivo", "No se puede abrir el puerto COM.", "Datos de registro",
                                           "Tensión mínima", "Cancelar"};
        QTest::newRow("fr") << "fr"
                            << QStringList{"&Fichier", "Impossible d'ouvrir le port COM.", "Données du journal",
                                           "Tension minimale", "Annuler"};
        QTest::newRow("ja") << "ja"
                            << QStringList{"ファイル(&F)", "COMポートを開けません。", "ログデータ", "最低電圧",
                                           "キャンセル"};
    }
    void switchAtRunTime()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, shown);
        AppRig rig;
        rig.pin({}, " 1");
        QVERIFY(rig.start()); // Com1 can't open: the message line is red
        FrmMain &w = rig.window();
        rig.app->logWindow().SetGraphFile();
        FrmLog *log = rig.app->logWindow().window();
        QVERIFY(log);
        log->graphActions().constFirst()->trigger(); // "Statistics…"
        QVERIFY(log->statisticsWindow());
        const QStringList english = windowTexts(w) + windowTexts(*log);
        const int englishArea = w.centralWidget()->height();
        const QList<QStringList> englishRows = log->statisticsWindow()->rows();

        languageAction(w, language)->trigger();
        QVERIFY(rig.iniBytes().endsWith("[Display]\r\nLanguage=" + language.toLatin1() + "\r\n"));
        QCOMPARE(w.findChild<QMenu *>(QStringLiteral("mnuFile"))->title(), shown[0]);
        QCOMPARE(w.TxtMsg()->text(), shown[1]);
        QCOMPARE(log->windowTitle(), shown[2]);
        QCOMPARE(log->statisticsWindow()->rows().value(1).value(0), shown[3]);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), shown[4]);
        QVERIFY(languageAction(w, language)->isChecked());
        // The area below the menu bar keeps its height, whatever the menu bar's.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest); // the layout follows the menu bar
        QCOMPARE(w.centralWidget()->height(), englishArea);

        languageAction(w, QStringLiteral("en"))->trigger();
        QVERIFY(rig.iniBytes().endsWith("[Display]\r\nLanguage=en\r\n"));
        QCOMPARE(windowTexts(w) + windowTexts(*log), english);
        QCOMPARE(log->statisticsWindow()->rows(), englishRows);
    }

    // The port dialog follows a change of language while it is open.
    void portDialog()
    {
        Config config(QDir::tempPath());
        PortSelection selection(config, [](const QString &) { return false; });
        FrmConfig dialog(selection);
        setUiLanguage(QStringLiteral("fr"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Réglage du port COM"));
        QCOMPARE(dialog.Combo()->itemText(0), QStringLiteral("Introuvable"));
        setUiLanguage(QStringLiteral("en"));
        QCOMPARE(dialog.CmdCancel()->text(), QStringLiteral("Cancel"));
        QCOMPARE(dialog.Combo()->itemText(0), QStringLiteral("Not found"));
    }

    // Texts the program composes from catalogue texts are translated piece
    // by piece; what is no catalogue text (a path, a device) stays.
    void composedMessages_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("two sentences")
            << kMsgNotBackedUp + u' ' + kMsgNothingWritten
            << "Die Einstellungen des Reglers konnten nicht gesichert werden. Es wurde nichts geschrieben.";
        QTest::newRow("box with a folder") << kMsgNotBackedUp + "\r\n/tmp/Data Get\r\n" + kReasonIsFolder
                                           << "Die Einstellungen des Reglers konnten nicht gesichert werden.\r\n"
                                              "/tmp/Data Get\r\nist ein Ordner";
        QTest::newRow("port detail") << "Com3 (/dev/ttyS2): " + kReasonNoSuchDevice + ": No such file"
                                     << "Com3 (/dev/ttyS2): Gerät nicht vorhanden: No such file";
        QTest::newRow("a catalogue text and more") << kMsgCompletion + " 3" << kMsgCompletion + " 3";
    }
    void composedMessages()
    {
        QFETCH(QString, text);
        setUiLanguage(QStringLiteral("de"));
        QTEST(displayText(text), "shown");
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
