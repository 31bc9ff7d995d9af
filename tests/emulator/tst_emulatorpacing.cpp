// The emulator sends at the controller's wire speed: 11 bits a character at
// 9600 baud. The whole "br" answer (2051 characters) has to take its 2.35 s,
// arriving steadily rather than in one late lump.

#include "emulatorprocess.h"
#include "ttyclient.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

constexpr double kCharacterMs = 11.0 * 1000.0 / 9600.0; // 1.1458 ms

} // namespace

class TestEmulatorPacing : public QObject
{
    Q_OBJECT

private slots:
    void logAnswerTakesWireTime()
    {
        EmulatorProcess emulator;
        TtyClient client;
        QVERIFY(client.open(emulator.start()));
        // Settle the line first: the emulator has started and answers.
        QVERIFY(client.write("rt"));
        QCOMPARE(client.readCount(2, 3000), QByteArray("rt"));

        QElapsedTimer clock;
        clock.start();
        QVERIFY(client.write("br"));
        const QByteArray firstSecond = client.readFor(1000);
        const QByteArray rest = client.readUntilCr(5000);
        const qint64 elapsed = clock.elapsed();
        QCOMPARE(firstSecond.size() + rest.size(), 2051);
        QVERIFY(rest.endsWith('\r'));

        // The 10 % bounds hold on a loaded machine too: the emulator counts
        // characters against a monotonic clock, so a late timer is made up by
        // sending more at its next tick.
        const double nominal = 2051 * kCharacterMs;
        QVERIFY2(elapsed >= 0.9 * nominal && elapsed <= 1.1 * nominal,
                 qPrintable(QString("%1 ms for 2051 characters, expected %2 ms").arg(elapsed).arg(nominal)));
        // After one second about 873 characters have arrived, not all or none.
        const double expectedAfterSecond = 1000.0 / kCharacterMs;
        QVERIFY2(firstSecond.size() >= 0.85 * expectedAfterSecond && firstSecond.size() <= 1.1 * expectedAfterSecond,
                 qPrintable(QString("%1 characters after 1 s").arg(firstSecond.size())));
    }

    void shortAnswersArePacedToo()
    {
        EmulatorProcess emulator;
        TtyClient client;
        QVERIFY(client.open(emulator.start()));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(client.exchange("sr").size(), 68);
        // 68 characters take 78 ms on the wire.
        QVERIFY2(clock.elapsed() >= 70, qPrintable(QString::number(clock.elapsed())));
    }

    void noPacingAnswersAtOnce()
    {
        EmulatorProcess emulator;
        TtyClient client;
        QVERIFY(client.open(emulator.start({"--no-pacing"})));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(client.exchange("br", 5000).size(), 2051);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestEmulatorPacing)
#include "tst_emulatorpacing.moc"
