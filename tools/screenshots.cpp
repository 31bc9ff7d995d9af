// vq530t-screenshots: pictures of the program for its documentation.
//
// Starts the controller emulator, runs the program against it (pinned as Com1
// in a profile file in a temporary folder) under the offscreen platform,
// clicks "Setting Data Read" and saves the main window with its menu bar as
// main-window.png; then clicks "Data Get", ticks the voltage "Scale Line" box
// and saves the log window as log-window.png; then compares the run with a
// second, gentler run from a log file, zooms the first three minutes, opens
// "Statistics…" and saves both windows side by side as log-comparison.png.
// With --texts it also leaves main-window-texts/ beside main-window.png: each
// text of the main window cut out of the picture, three times as large, and
// an index (texts.tsv: control, picture, text) for the legibility check,
// which reads them by OCR (tests/wine/legibility.sh).
//
// Usage: vq530t-screenshots [output folder] [--port PORT] [--language CODE] [--texts]
//   output folder: default the source's docs/
//   --port: a controller (or an emulator) already on PORT instead of an
//           emulator started here; the Windows build is pictured so, under
//           Wine with COM5 mapped to the emulator's line.
//   --language: the windows' language as the profile holds it (de, es, fr,
//           ja; default English).

#ifdef VQ_HAS_EMULATOR_PROCESS
#include "emulatorprocess.h"
#endif
#include "core/displaytext.h"
#include "files/logfile.h"
#include "link/deviceoperations.h"
#include "scriptedprompter.h"
#include "logwindow/logwindowhost.h"
#include "platform/config.h"
#include "shell/application.h"
#include "shell/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMouseEvent>
#include <QFile>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTextStream>
#include <QPainter>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {

int fail(const QString &why)
{
    std::fprintf(stderr, "vq530t-screenshots: %s\n", qPrintable(why));
    return 1;
}

bool save(QWidget &window, const QString &path)
{
    if (!window.grab().save(path, "PNG"))
        return false;
    std::printf("%s (%dx%d)\n", qPrintable(path), window.width(), window.height());
    return true;
}

// Where a control's text stands, with a few pixels around it, inside the
// control's frame or bevel; in the window's coordinates.
QRect textArea(QWidget *w, const QString &text, QWidget &window)
{
    QRect box = w->rect();
    int flags = Qt::AlignCenter;
    if (auto *field = qobject_cast<QLineEdit *>(w)) {
        QStyleOptionFrame o;
        o.initFrom(field);
        o.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &o, field);
        box = field->style()->subElementRect(QStyle::SE_LineEditContents, &o, field).marginsRemoved(field->textMargins());
        flags = int(field->alignment());
    } else if (auto *button = qobject_cast<QPushButton *>(w)) {
        QStyleOptionButton o;
        o.initFrom(button);
        box = button->style()->subElementRect(QStyle::SE_PushButtonContents, &o, button);
    } else if (auto *label = qobject_cast<QLabel *>(w)) {
        box = label->contentsRect();
        flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
    }
    const QRect around = w->fontMetrics().boundingRect(box, flags, text).adjusted(-3, -2, 3, 2) & box;
    return QRect(w->mapTo(&window, around.topLeft()), around.size());
}

// Each text of the window's labels, buttons and entry boxes, cut out of its
// picture and enlarged three times, with a margin of the background around.
bool saveTexts(QWidget &window, const QString &folder)
{
    const QPixmap picture = window.grab();
    const qreal dpr = picture.devicePixelRatio();
    if (!QDir().mkpath(folder))
        return false;
    QFile index(QDir(folder).filePath(QStringLiteral("texts.tsv")));
    if (!index.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&index);
    int n = 0;
    for (QWidget *w : window.findChildren<QWidget *>()) {
        QString text;
        if (auto *l = qobject_cast<QLabel *>(w); l && l->pixmap().isNull())
            text = l->text();
        else if (auto *b = qobject_cast<QPushButton *>(w))
            text = b->text();
        else if (auto *e = qobject_cast<QLineEdit *>(w))
            text = e->text();
        if (text.isEmpty() || !w->isVisibleTo(&window))
            continue;
        const QRect area = textArea(w, text, window);
        const QImage cut = picture.toImage().copy(QRectF(QPointF(area.topLeft()) * dpr, QSizeF(area.size()) * dpr).toRect());
        const QImage large = cut.scaled(cut.size() * 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QImage framed(large.size() + QSize(60, 60), QImage::Format_RGB32);
        framed.fill(large.pixel(0, 0));
        QPainter(&framed).drawImage(30, 30, large);
        const QString name = QStringLiteral("%1.png").arg(++n, 2, 10, QLatin1Char('0'));
        if (!framed.save(QDir(folder).filePath(name), "PNG"))
            return false;
        out << w->objectName() << '\t' << name << '\t' << QString(text).replace(u'\n', u' ') << '\n';
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // The pictures must not depend on a desktop session.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    QString outDir = QStringLiteral(VQ_DOCS_DIR);
    QString line;
    QString language;
    bool texts = false;
    const QStringList arguments = app.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == u"--port" && i + 1 < arguments.size())
            line = arguments[++i];
        else if (arguments[i] == u"--language" && i + 1 < arguments.size())
            language = arguments[++i];
        else if (arguments[i] == u"--texts")
            texts = true;
        else
            outDir = arguments[i];
    }
    if (!QDir().mkpath(outDir))
        return fail(QStringLiteral("cannot create %1").arg(outDir));

#ifdef VQ_HAS_EMULATOR_PROCESS
    EmulatorProcess emulator;
    if (line.isEmpty()) {
        line = emulator.start({QStringLiteral("--no-pacing")});
        if (line.isEmpty())
            return fail(QStringLiteral("the emulator did not start: %1").arg(emulator.errorText()));
    }
#endif
    if (line.isEmpty())
        return fail(QStringLiteral("no port: give --port"));

    QTemporaryDir folder;
    if (!folder.isValid())
        return fail(QStringLiteral("no temporary folder"));
    vq::Config pins(folder.path());
    pins.WriteIniString(QStringLiteral("Ports"), QStringLiteral("Com1"), line);
    pins.WriteIniString(QStringLiteral("RS232C"), QStringLiteral("CommPort"), QStringLiteral(" 1"));
    if (!language.isEmpty())
        pins.storeLanguage(language);

    vq::ScriptedPrompter prompter; // nothing should ask; if it does, No and Cancel
    vq::Application::Options options;
    options.programFile = folder.filePath(QStringLiteral("vq530t-link"));
    options.backupFolder = folder.filePath(QStringLiteral("backups"));
    options.prompter = &prompter;
    options.portDialog = [](vq::PortSelection &) {}; // the pinned port opens; no dialog
    vq::Application program(options);
    if (!program.Main())
        return fail(QStringLiteral("the program did not start"));

    vq::FrmMain &main = program.mainWindow();
    main.CmdVqCom(0)->click(); // runs the whole read before it returns
    if (main.TxtMsg()->text() != vq::displayText(vq::kMsgCompletion))
        return fail(QStringLiteral("Setting Data Read ended with \"%1\"").arg(main.TxtMsg()->text()));
    if (!save(main, QDir(outDir).filePath(QStringLiteral("main-window.png"))))
        return fail(QStringLiteral("cannot write main-window.png"));
    if (texts && !saveTexts(main, QDir(outDir).filePath(QStringLiteral("main-window-texts"))))
        return fail(QStringLiteral("cannot write main-window-texts"));

    main.CmdVqCom(3)->click(); // Data Get: shows the log window
    vq::FrmLog *log = program.logWindow().window();
    if (!log)
        return fail(QStringLiteral("Data Get showed no log window (\"%1\")").arg(main.TxtMsg()->text()));
    if (auto *box = log->findChild<QCheckBox *>(QStringLiteral("ChkScaleLine_0")))
        box->click();
    if (!save(*log, QDir(outDir).filePath(QStringLiteral("log-window.png"))))
        return fail(QStringLiteral("cannot write log-window.png"));

    // A second run of the same flight, flown gentler: lower current, a pack
    // that sags less.
    vq::RunLog gentler = program.log();
    for (int n = 1; n <= vq::kLogSamples; ++n) {
        if (gentler.RunVolt(n) != vq::kEmptySample)
            gentler.setVolt(n, gentler.RunVolt(n) + 0.3f);
        if (gentler.RunCur(n) != vq::kEmptySample)
            gentler.setCur(n, std::round(gentler.RunCur(n) * 0.7f));
    }
    QFile second(folder.filePath(QStringLiteral("gentle-run.csv")));
    if (!second.open(QIODevice::WriteOnly) || second.write(vq::MakeRunDat(gentler)) < 0)
        return fail(QStringLiteral("cannot write the second run"));
    second.close();
    prompter.fileNames = {second.fileName()};
    // The menu's entries by their English captions, in the language shown.
    const auto trigger = [log](const char *text) {
        for (QAction *action : log->graphActions())
            if (action->text() == QCoreApplication::translate("vq::FrmLog", text))
                action->trigger();
    };
    trigger("Compare with Log File…");
    log->resize(720, 480);
    log->setView({0, 180});
    trigger("Statistics…");
    QWidget *statistics = log->statisticsWindow();
    if (!log->comparison() || !statistics)
        return fail(QStringLiteral("the comparison or the statistics did not show"));
    // The pointer over the second current peak, where both runs read out.
    if (auto *plot = log->findChild<QWidget *>(QStringLiteral("PicLog"))) {
        const QPointF at(plot->width() * 21.0 / 180, plot->height() * 0.45);
        QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(plot, &move);
    }
    statistics->adjustSize();
    const QPixmap left = log->grab();
    const QPixmap right = statistics->grab();
    QPixmap both(left.width() + 12 + right.width(), std::max(left.height(), right.height()));
    both.fill(log->palette().color(QPalette::Window).darker(115));
    QPainter painter(&both);
    painter.drawPixmap(0, 0, left);
    painter.drawPixmap(left.width() + 12, 0, right);
    painter.end();
    const QString comparison = QDir(outDir).filePath(QStringLiteral("log-comparison.png"));
    if (!both.save(comparison, "PNG"))
        return fail(QStringLiteral("cannot write log-comparison.png"));
    std::printf("%s (%dx%d)\n", qPrintable(comparison), both.width(), both.height());

    if (!prompter.messageTexts().isEmpty())
        return fail(QStringLiteral("unexpected message: %1").arg(prompter.prompts.first().text));
    main.close();
    return 0;
}
