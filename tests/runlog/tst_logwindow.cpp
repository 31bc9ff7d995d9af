// The log window as the user meets it: where it opens and how large, the
// smallest size it keeps, the scale-line boxes and their profile keys,
// closing and reopening, the pointer read-out, and SetGraph with good and
// damaged replies.

#include "fixtures.h"
#include "platform/config.h"
#include "runlog/logwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace vq;

namespace {

// Every sample 5.0 V / 120 A; sample 120 7.8 V / 150 A, sample 121 empty in
// both.
const QString kReply = QStringLiteral("br") + QStringLiteral("4040").repeated(119) + QStringLiteral("6450ffFF")
                       + QStringLiteral("4040").repeated(391) + u'\r';

void moveOver(QWidget *widget, QPointF position)
{
    QMouseEvent event(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestLogWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Config> m_config;
    RunLog m_log;
    QWidget m_main;
    std::unique_ptr<LogWindowHost> m_host;

    QString ini() const { return m_dir.filePath(QStringLiteral("VQ530T Link.ini")); }
    FrmLog *open() { m_host->SetGraphFile(); return m_host->window(); }
    QCheckBox *scaleBox(FrmLog *w, int i) { return w->findChild<QCheckBox *>(QStringLiteral("ChkScaleLine_%1").arg(i)); }

private slots:
    void init()
    {
        m_host.reset();
        QFile::remove(ini());
        m_config = std::make_unique<Config>(m_dir.path());
        m_log.reset();
        m_main.setGeometry(100, 80, 300, 200);
        m_host = std::make_unique<LogWindowHost>(&m_main, *m_config, m_log);
    }

    void loadingPlaceSizeAndMinimum()
    {
        // 7000 x 5200 twips, 2000 twips right of the main window; at least
        // 5070 x 4600 twips (338 x 307 pixels, the first whole pixels).
        FrmLog *w = open();
        QCOMPARE(w->frameGeometry(), QRect(233, 80, 467, 347));
        w->move(400, 300);
        w->resize(QSize(337, 306) - (w->frameGeometry().size() - w->size()));
        QTRY_COMPARE(w->frameGeometry().size(), QSize(338, 307));
        // Closed and opened again, it starts from the loading place and size.
        QVERIFY(w->close());
        QVERIFY(!m_host->window());
        QCOMPARE(open()->frameGeometry(), QRect(233, 80, 467, 347));
    }

    void scaleLinesAreStoredAtOnceAndRestored()
    {
        FrmLog *w = open();
        QVERIFY(!QFile::exists(ini())); // opening writes nothing
        const QImage ticksOnly = w->picture().copy();
        QTest::mouseClick(scaleBox(w, 0), Qt::LeftButton);
        QCOMPARE(fixture::readFile(ini()), QByteArray("[Chart]\r\nScaleLine0=1\r\n"));
        QVERIFY(w->picture() != ticksOnly);
        QTest::mouseClick(scaleBox(w, 1), Qt::LeftButton);
        QTest::mouseClick(scaleBox(w, 0), Qt::LeftButton);
        QCOMPARE(fixture::readFile(ini()), QByteArray("[Chart]\r\nScaleLine0=0\r\nScaleLine1=1\r\n"));

        w->findChild<QPushButton *>(QStringLiteral("CmdClose"))->click(); // and opened again
        w = open();
        QVERIFY(!scaleBox(w, 0)->isChecked());
        QVERIFY(scaleBox(w, 1)->isChecked());
    }

    void setGraphRefusesDamagedReplies()
    {
        // Refused replies are all alike here: no window, nothing redrawn.
        const QString damaged = QString(kReply).replace(1000, 1, u'G');
        QCOMPARE(m_host->SetGraph(damaged), RunReplyStatus::BadHex);
        QVERIFY(!m_host->window());
        QCOMPARE(m_host->SetGraph(kReply), RunReplyStatus::Ok);
        const RunLog good = m_log;
        const QImage picture = m_host->window()->picture().copy();
        QCOMPARE(m_host->SetGraph(damaged), RunReplyStatus::BadHex);
        QCOMPARE(m_log, good);
        QCOMPARE(m_host->window()->picture(), picture);
    }

    void readOutFollowsThePointer()
    {
        QCOMPARE(m_host->SetGraph(kReply), RunReplyStatus::Ok);
        FrmLog *w = m_host->window();
        QVERIFY(w && w->isVisible());
        auto *pic = w->findChild<QWidget *>(QStringLiteral("PicLog"));
        auto *box = w->findChild<QLabel *>(QStringLiteral("TxtLog"));
        QVERIFY(box->isHidden());
        for (int column = 2; column < pic->width() && w->readOut().t != 120; ++column)
            moveOver(pic, QPointF(column, pic->height() / 2));
        QCOMPARE(w->readOutText(), QStringLiteral("120s\r\n7.8V\r\n150A"));
        QCOMPARE(box->text(), QStringLiteral("120s\n7.8V\n150A"));
        QVERIFY(box->isVisible());
        moveOver(pic, QPointF(2, pic->height() / 2)); // the left edge hides it
        QVERIFY(box->isHidden());
    }
};

QTEST_MAIN(TestLogWindow)
#include "tst_logwindow.moc"
