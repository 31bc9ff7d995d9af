// The line in memory that the exchange and operation tests run on keeps the
// rules of a line: answers come through the event loop (in pieces when asked
// to), input not yet handed on can be cleared, a vanishing line is lost once
// after half an answer, and a late answer meant for an earlier open is
// dropped.

#include "controllerdata.h"
#include "memorytransport.h"

#include <QSignalSpy>
#include <QTest>

using namespace vq;
using emu::FaultMode;

namespace {

const QByteArray kReadAnswer = "sr" + emu::factoryBlock() + "0\r";

} // namespace

class TestMemoryTransport : public QObject
{
    Q_OBJECT

private slots:
    void answersComeThroughTheEventLoopInPieces()
    {
        MemoryTransport line;
        QSignalSpy pieces(&line, &Transport::dataReceived);
        QVERIFY(!line.write("sr"));
        QVERIFY(line.open(QStringLiteral("memory")));
        line.setChunkSize(10);
        QVERIFY(line.write("s") && line.write("r"));
        QCOMPARE(pieces.size(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(pieces.size(), 1); // one piece a turn
        QTRY_COMPARE(pieces.size(), 7);
        QByteArray joined;
        for (const QList<QVariant> &piece : pieces)
            joined += piece.at(0).toByteArray();
        QCOMPARE(joined, kReadAnswer);
        QCOMPARE(line.heard(), QByteArray("sr"));

        QVERIFY(line.write("sr"));
        line.clearInput();
        QTest::qWait(5);
        QCOMPARE(pieces.size(), 7);
    }

    void vanishLosesTheLineOnceAfterHalfAnAnswer()
    {
        MemoryTransport line;
        QSignalSpy data(&line, &Transport::dataReceived);
        QSignalSpy lost(&line, &Transport::lost);
        QVERIFY(line.open(QStringLiteral("memory")));
        line.setFault(FaultMode::Vanish);
        QVERIFY(line.write("sr") && line.write("sr"));
        QVERIFY(lost.wait(1000));
        QCOMPARE(data.size(), 1);
        QCOMPARE(data.at(0).at(0).toByteArray(), kReadAnswer.left(34));
        QVERIFY(!line.isOpen() && !line.write("sr"));
        QCOMPARE(line.error(), Transport::Error::Failed);
        QTest::qWait(5);
        QCOMPARE(lost.size(), 1);
        // Opened again, the line is sound.
        QVERIFY(line.open(QStringLiteral("memory")) && line.write("sr"));
        QVERIFY(data.wait(1000));
        QCOMPARE(data.at(1).at(0).toByteArray(), kReadAnswer);
    }

    void lateAnswerForAnEarlierOpenIsDropped()
    {
        MemoryTransport line;
        QSignalSpy data(&line, &Transport::dataReceived);
        QVERIFY(line.open(QStringLiteral("memory")));
        line.setLateMs(20);
        line.setFault(FaultMode::Late);
        QVERIFY(line.write("rt"));
        QVERIFY(data.wait(1000));
        QCOMPARE(data.at(0).at(0).toByteArray(), QByteArray("rt"));
        QVERIFY(line.write("rt"));
        line.close();
        QVERIFY(line.open(QStringLiteral("memory")));
        QVERIFY(!data.wait(60));
    }
};

QTEST_GUILESS_MAIN(TestMemoryTransport)
#include "tst_memorytransport.moc"
