// The log window as the user meets it: where it opens and how large, the
// size rules and the layout that follows the size, the axis labels, the
// scale-line options and their profile keys, closing and reopening, the
// pointer read-out, and how SetGraph treats good and bad replies.

#include "runlog/graphrenderer.h"
#include "runlog/loglayout.h"
#include "runlog/logwindow.h"
#include "platform/config.h"
#include "testfiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vq;

namespace {

const QColor kVolt(0, 0, 255);

// A "br" reply: every sample 5.0 V / 120 A, sample 120 7.8 V / 150 A and
// sample 121 empty in both.
QString reply()
{
    QString text = QStringLiteral("br");
    for (int n = 1; n <= kLogSamples; ++n) {
        if (n == 120)
            text += QStringLiteral("6450");
        else if (n == 121)
            text += QStringLiteral("ffFF");
        else
            text += QStringLiteral("4040");
    }
    return text + u'\r';
}

void moveOver(QWidget *widget, QPointF position, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent event(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Grid runs in a column of the picture, above the bottom rows where the
// curves of a zero-filled log lie.
int gridRunsInColumn(const QImage &image, int x)
{
    int runs = 0;
    bool inside = false;
    for (int y = 0; y < image.height() - 4; ++y) {
        const bool hit = image.pixelColor(x, y) == kGridColour;
        runs += hit && !inside;
        inside = hit;
    }
    return runs;
}

// Gives the window an outer size, as dragging its frame does.
void resizeOuter(QWidget *window, QSize outer)
{
    window->resize(outer - (window->frameGeometry().size() - window->size()));
}

template<typename T>
T *child(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qWarning("no child %s", qPrintable(name));
    return found;
}

} // namespace

class TestLogWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Config> m_config;
    RunLog m_log;
    std::unique_ptr<QWidget> m_main;
    std::unique_ptr<LogWindowHost> m_host;

    QString ini() const { return m_dir.filePath(QStringLiteral("VQ530T Link.ini")); }

    FrmLog *open()
    {
        m_host->SetGraphFile();
        return m_host->window();
    }

private slots:
    void init()
    {
        QFile::remove(ini());
        m_config = std::make_unique<Config>(m_dir.path());
        m_log.reset();
        m_main = std::make_unique<QWidget>();
        m_main->setGeometry(100, 80, 300, 200);
        m_host = std::make_unique<LogWindowHost>(m_main.get(), *m_config, m_log);
    }

    void cleanup()
    {
        m_host.reset();
        m_main.reset();
    }

    void opensBesideTheMainWindowAtItsLoadingSize()
    {
        FrmLog *w = open();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Log Data"));
        // 7000 x 5200 twips outer, 2000 twips right of the main window.
        QCOMPARE(w->frameGeometry().size(), QSize(467, 347));
        QCOMPARE(w->frameGeometry().topLeft(), QPoint(100 + 133, 80));

        // Plot 5800 x 3100 twips at 540, 1020; Frame1 at 5395; Close centred
        // at 2712.5 (pixels of 15 twips, nearest).
        auto *pic = child<PlotArea>(w, QStringLiteral("PicLog"));
        QCOMPARE(pic->geometry(), QRect(36, 68, 387, 207));
        QCOMPARE(w->picture().size(), QSize(383, 203));
        QCOMPARE(child<QGroupBox>(w, QStringLiteral("Frame1"))->x(), 360);
        QCOMPARE(child<QGroupBox>(w, QStringLiteral("Frame2"))->x(), 8);
        auto *close = child<QPushButton>(w, QStringLiteral("CmdClose"));
        QCOMPARE(close->pos(), QPoint(181, 20));
        QCOMPARE(close->text(), QStringLiteral("Close"));
        QVERIFY(child<QLabel>(w, QStringLiteral("TxtLog"))->isHidden());
        QCOMPARE(child<QGroupBox>(w, QStringLiteral("Frame2"))->title(), QStringLiteral("Voltage(V)"));
        QCOMPARE(child<QGroupBox>(w, QStringLiteral("Frame1"))->title(), QStringLiteral("Current(A)"));
        QCOMPARE(child<QLabel>(w, QStringLiteral("LblTime"))->text(), QStringLiteral("Time(s)"));
    }

    void axisLabels()
    {
        FrmLog *w = open();
        const QStringList volts{"0", "1.0", "2.0", "3.0", "4.0", "5.0", "6.0", "7.0", "8.0", "9.0", "10.0"};
        const QStringList amps{"0", "50", "100", "150", "200", "250", "300"};
        const QStringList secs{"0", "60", "120", "180", "240", "300", "360", "420", "480", "540"};
        for (int i = 0; i < volts.size(); ++i)
            QCOMPARE(child<QLabel>(w, QStringLiteral("LblVolt_%1").arg(i))->text(), volts[i]);
        for (int i = 0; i < amps.size(); ++i)
            QCOMPARE(child<QLabel>(w, QStringLiteral("LblCur_%1").arg(i))->text(), amps[i]);
        for (int i = 0; i < secs.size(); ++i)
            QCOMPARE(child<QLabel>(w, QStringLiteral("LblS_%1").arg(i))->text(), secs[i]);
        QVERIFY(!w->findChild<QLabel *>(QStringLiteral("LblVolt_11")));
    }

    void labelsFollowThePlot_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("loading size") << QSize(467, 347);
        QTest::newRow("minimum") << QSize(338, 307);
    }

    void labelsFollowThePlot()
    {
        QFETCH(QSize, size);
        FrmLog *w = open();
        resizeOuter(w, size);
        const QRect pic = child<PlotArea>(w, QStringLiteral("PicLog"))->geometry();
        QCOMPARE(pic.size(), size - QSize(80, 140));
        const int insideW = pic.width() - 4;
        const int insideH = pic.height() - 4;

        // Each value label is centred on its grid line, within two pixels.
        for (int i = 0; i <= 10; ++i) {
            const QRect label = child<QLabel>(w, QStringLiteral("LblVolt_%1").arg(i))->geometry();
            const double line = pic.top() + 2 + (10 - i) * (insideH - 1) / 10.0;
            QVERIFY2(std::abs(label.center().y() + 0.5 - line) <= 2.0, qPrintable(QString::number(i)));
            QCOMPARE(label.left(), 0);
        }
        for (int i = 0; i <= 6; ++i) {
            const QRect label = child<QLabel>(w, QStringLiteral("LblCur_%1").arg(i))->geometry();
            const double line = pic.top() + 2 + (6 - i) * (insideH - 1) / 6.0;
            QVERIFY2(std::abs(label.center().y() + 0.5 - line) <= 2.0, qPrintable(QString::number(i)));
            QCOMPARE(label.left(), pic.right() + 1 + 8); // 120 twips right of the plot
        }
        // Time labels under their minute lines: they stand 10 twips right of
        // the line at 0 s growing to 40 twips at 540 s, under 3 pixels, plus
        // rounding.
        for (int i = 0; i <= 9; ++i) {
            const QRect label = child<QLabel>(w, QStringLiteral("LblS_%1").arg(i))->geometry();
            const double line = pic.left() + 2 + i * (insideW - 1) / 9.0;
            QVERIFY2(std::abs(label.center().x() + 0.5 - line) <= 4.5, qPrintable(QString::number(i)));
            QCOMPARE(label.top(), pic.bottom() + 1 + 4); // 60 twips below
        }
        const QRect time = child<QLabel>(w, QStringLiteral("LblTime"))->geometry();
        QVERIFY(std::abs(time.center().x() - pic.center().x()) <= 1);
        QCOMPARE(time.top(), pic.bottom() + 1 + 20);
        // Close stays centred and Frame1 at the right edge.
        const QRect close = child<QPushButton>(w, QStringLiteral("CmdClose"))->geometry();
        QVERIFY(std::abs(close.left() + close.right() + 1 - size.width()) <= 1);
        QCOMPARE(child<QGroupBox>(w, QStringLiteral("Frame1"))->geometry().right() + 1, size.width() - 14);
        QCOMPARE(w->frameGeometry().size(), size);
        QCOMPARE(w->picture().size(), QSize(insideW, insideH));
    }

    void sizeRulesSnapBack_data()
    {
        QTest::addColumn<QSize>("requested");
        QTest::addColumn<QSize>("result");
        // The minimum is 5070 x 4600 twips: 338 pixels, and 307 (4605 twips,
        // the first whole pixel at or above 4600).
        QTest::newRow("both") << QSize(100, 100) << QSize(338, 307);
        QTest::newRow("one pixel short") << QSize(337, 306) << QSize(338, 307);
    }

    void sizeRulesSnapBack()
    {
        QFETCH(QSize, requested);
        QFETCH(QSize, result);
        FrmLog *w = open();
        resizeOuter(w, requested);
        QTRY_COMPARE(w->frameGeometry().size(), result);
        // Laid out and drawn at the corrected size: at the minimum the plot is
        // 3870 x 2500 twips (258 x 167 pixels).
        const QRect pic = child<PlotArea>(w, QStringLiteral("PicLog"))->geometry();
        QCOMPARE(pic.size(), result - QSize(80, 140));
        QCOMPARE(w->picture().size(), pic.size() - QSize(4, 4));
    }

    void minimisedWindowIsNotSnapped()
    {
        FrmLog *w = open();
        w->setWindowState(Qt::WindowMinimized);
        QVERIFY(w->isMinimized());
        resizeOuter(w, QSize(100, 100));
        QCOMPARE(w->frameGeometry().size(), QSize(100, 100));
        w->setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(w->frameGeometry().size(), QSize(338, 307));
        QCOMPARE(w->picture().size(), QSize(254, 163));
    }

    void scaleLinesAreStoredAtOnceAndRestored()
    {
        FrmLog *w = open();
        auto *volt = child<QCheckBox>(w, QStringLiteral("ChkScaleLine_0"));
        auto *cur = child<QCheckBox>(w, QStringLiteral("ChkScaleLine_1"));
        QVERIFY(!volt->isChecked());
        QVERIFY(!cur->isChecked());
        QVERIFY(!QFile::exists(ini())); // opening writes nothing
        const int middle = w->picture().width() / 2 + 7;
        QCOMPARE(gridRunsInColumn(w->picture(), middle), 0);

        QTest::mouseClick(volt, Qt::LeftButton);
        QVERIFY(volt->isChecked());
        QCOMPARE(readFile(ini()), QByteArray("[Chart]\r\nScaleLine0=1\r\n"));
        QCOMPARE(m_config->ScaleLineState[0], qint16(1));
        QCOMPARE(gridRunsInColumn(w->picture(), middle), 9); // 1..9 V across

        QTest::mouseClick(cur, Qt::LeftButton);
        QCOMPARE(readFile(ini()), QByteArray("[Chart]\r\nScaleLine0=1\r\nScaleLine1=1\r\n"));
        QTest::mouseClick(volt, Qt::LeftButton);
        QCOMPARE(readFile(ini()), QByteArray("[Chart]\r\nScaleLine0=0\r\nScaleLine1=1\r\n"));
        QCOMPARE(m_config->ScaleLineState[0], qint16(0));
        QCOMPARE(gridRunsInColumn(w->picture(), middle), 5); // 50..250 A across
        QTest::mouseClick(volt, Qt::LeftButton);

        // Closed and opened again in the same run.
        child<QPushButton>(w, QStringLiteral("CmdClose"))->click();
        QVERIFY(!m_host->window());
        w = open();
        QVERIFY(child<QCheckBox>(w, QStringLiteral("ChkScaleLine_0"))->isChecked());
        QVERIFY(child<QCheckBox>(w, QStringLiteral("ChkScaleLine_1"))->isChecked());
        QCOMPARE(gridRunsInColumn(w->picture(), middle), 14 - 1); // the bottom row is excluded

        // A later run of the program reads the keys at start-up.
        m_host.reset();
        QVERIFY(QFile::remove(ini()));
        QFile f(ini());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[RS232C]\r\nCommPort= 2\r\n[Chart]\r\nScaleLine1=7\r\n");
        f.close();
        const QByteArray before = readFile(ini());
        Config restarted(m_dir.path());
        restarted.LoadConfig({});
        LogWindowHost host(m_main.get(), restarted, m_log);
        host.SetGraphFile();
        QVERIFY(!child<QCheckBox>(host.window(), QStringLiteral("ChkScaleLine_0"))->isChecked());
        // Any value other than 0 ticks the box; loading writes nothing back.
        QVERIFY(child<QCheckBox>(host.window(), QStringLiteral("ChkScaleLine_1"))->isChecked());
        QCOMPARE(readFile(ini()), before);
    }

    void closingUnloadsAndReopeningStartsAfresh()
    {
        FrmLog *w = open();
        // The user's size and place survive a further show while it is open.
        w->move(400, 300);
        resizeOuter(w, QSize(600, 450));
        const QRect userGeometry = w->frameGeometry();
        m_host->SetGraphFile();
        QCOMPARE(m_host->window(), w);
        QCOMPARE(w->frameGeometry(), userGeometry);

        // The close box: gone for the program at once, deleted soon after.
        QPointer<FrmLog> old = w;
        QVERIFY(w->close());
        QVERIFY(!m_host->window());
        QTRY_VERIFY(old.isNull());

        w = open();
        QVERIFY(w);
        QCOMPARE(w->frameGeometry(), QRect(233, 80, 467, 347));

        // Close, then data arrives before Qt has deleted the old window: a new
        // window is made; the closing one is not shown again.
        old = w;
        QTest::mouseClick(child<QPushButton>(w, QStringLiteral("CmdClose")), Qt::LeftButton);
        QVERIFY(!m_host->window());
        QCOMPARE(m_host->SetGraph(reply()), RunReplyStatus::Ok);
        QVERIFY(m_host->window());
        QVERIFY(m_host->window() != old.data());
        QVERIFY(m_host->window()->isVisible());
        QVERIFY(old.isNull() || !old->isVisible());
        // The log outlives the window.
        QCOMPARE(m_log.RunVolt(120), 7.8f);
    }

    void setGraphRefusesDamagedReplies_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<RunReplyStatus>("status");
        QString shortReply = reply();
        shortReply.truncate(kRunReplyLength - 1);
        QString badHex = reply();
        badHex[1000] = u'G';
        QTest::newRow("short") << shortReply << RunReplyStatus::Short;
        QTest::newRow("not hexadecimal") << badHex << RunReplyStatus::BadHex;
    }

    void setGraphRefusesDamagedReplies()
    {
        QFETCH(QString, text);
        QFETCH(RunReplyStatus, status);

        // No window yet: none is made, the log stays as it was.
        const RunLog before = m_log;
        QCOMPARE(m_host->SetGraph(text), status);
        QVERIFY(!m_host->window());
        QVERIFY(m_log == before);

        // With a window showing data: neither the picture nor the log change.
        QCOMPARE(m_host->SetGraph(reply()), RunReplyStatus::Ok);
        FrmLog *w = m_host->window();
        QVERIFY(w && w->isVisible());
        const RunLog good = m_log;
        const QImage picture = w->picture().copy();
        QCOMPARE(m_host->SetGraph(text), status);
        QCOMPARE(m_host->window(), w);
        QVERIFY(m_log == good);
        QCOMPARE(w->picture(), picture);
    }

    void setGraphShowsTheNewData()
    {
        FrmLog *w = open();
        const QImage startState = w->picture().copy();
        QCOMPARE(m_host->SetGraph(reply()), RunReplyStatus::Ok);
        QCOMPARE(m_host->window(), w);
        QCOMPARE(m_log.RunVolt(1), 5.0f);
        QCOMPARE(m_log.RunCur(120), 150.0f);
        QCOMPARE(m_log.RunVolt(121), kEmptySample);
        QVERIFY(w->picture() != startState);
        // 5.0 V lies at about half the height in the middle of the recording;
        // the colour comes from the voltage legend line.
        const QImage &image = w->picture();
        const int x = image.width() / 3;
        bool found = false;
        for (int y = image.height() / 2 - 3; y <= image.height() / 2 + 3; ++y)
            found = found || image.pixelColor(x, y) == kVolt;
        QVERIFY(found);
    }

    void readOutFollowsThePointer()
    {
        QCOMPARE(m_host->SetGraph(reply()), RunReplyStatus::Ok);
        FrmLog *w = m_host->window();
        auto *pic = child<PlotArea>(w, QStringLiteral("PicLog"));
        auto *box = child<QLabel>(w, QStringLiteral("TxtLog"));
        QVERIFY(box->isHidden());
        const int mid = pic->height() / 2;

        // The first column that reads 120 s.
        int column = -1;
        for (int c = 2; c < pic->width() && column < 0; ++c) {
            moveOver(pic, QPointF(c, mid));
            if (w->readOut().t == 120)
                column = c;
        }
        QVERIFY(column > 0);
        QCOMPARE(w->readOutText(), QStringLiteral("120s\r\n7.8V\r\n150A"));
        QCOMPARE(box->text(), QStringLiteral("120s\n7.8V\n150A"));
        QVERIFY(box->isVisible());
        // 300 twips right of and below the pointer.
        QVERIFY(std::abs(box->x() - (pic->x() + column - 2 + 20)) <= 1);
        QVERIFY(std::abs(box->y() - (pic->y() + mid - 2 + 20)) <= 1);

        // The sample under the pointer is where its curve point is drawn.
        const int curvePixel = int(std::lround(
            plotToPixel(sampleToPlotX(120, w->picture().width() * 15.0), w->picture().width())));
        QVERIFY(std::abs(curvePixel - (column - 2)) <= 1);

        // Left edge: hidden, but moved, and its text kept.
        moveOver(pic, QPointF(2, mid));
        QVERIFY(box->isHidden());
        QVERIFY(std::abs(box->x() - (pic->x() + 20)) <= 1);
        QCOMPARE(w->readOutText(), QStringLiteral("120s\r\n7.8V\r\n150A"));

        // Leaving the plot doesn't hide it.
        moveOver(pic, QPointF(column, mid));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(pic, &leave);
        QVERIFY(box->isVisible());

        // A later change of the log leaves the shown text until the next move.
        m_log.setVolt(120, 9.9f);
        QCOMPARE(w->readOutText(), QStringLiteral("120s\r\n7.8V\r\n150A"));
        moveOver(pic, QPointF(column, mid + 1));
        QCOMPARE(w->readOutText(), QStringLiteral("120s\r\n9.9V\r\n150A"));

        // Dragging out of the plot with a button held hides it.
        moveOver(pic, QPointF(-40, mid), Qt::LeftButton);
        QVERIFY(box->isHidden());
        moveOver(pic, QPointF(pic->width() + 40, mid), Qt::LeftButton);
        QVERIFY(box->isHidden());
    }

    void pointerTrackingWithoutAButton()
    {
        FrmLog *w = open();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        auto *pic = child<PlotArea>(w, QStringLiteral("PicLog"));
        QTest::mouseMove(pic, QPoint(pic->width() / 2, pic->height() / 2));
        QTRY_VERIFY(child<QLabel>(w, QStringLiteral("TxtLog"))->isVisible());
        QVERIFY(w->readOut().t > 200 && w->readOut().t < 340);
    }
};

QTEST_MAIN(TestLogWindow)
#include "tst_logwindow.moc"
