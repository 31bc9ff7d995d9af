// The emulator as the program meets it: a serial device on a pseudo-terminal,
// driven through a plain termios client, answering byte for byte, keeping its
// state across restarts, recording the line in its trace and misbehaving on
// demand.

#include "controllerdata.h"
#include "emulatorprocess.h"
#include "ttyclient.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace vq::emu;

namespace {

const QByteArray kWorkedBlock = "E803401FF005D0074C040000000000000620556A6464000A500085C80001100A";

QByteArray logText(const QByteArray &log)
{
    return "br" + log.toHex().toUpper() + '\r';
}

} // namespace

class TestEmulatorLine : public QObject
{
    Q_OBJECT

private slots:
    void answersByteForByteAndTracesTheLine();
    void portCanBeReopenedAndLinkFollowsTheEmulator();
    void terminationRemovesTheLink();
    void refusesToReplaceAFileWithItsLink();
    void stateSurvivesARestart();
    void lateAnswer();
    void unaskedCharactersComeBetweenAnswers();
    void vanishHangsUpAndReopensUnderTheLink();

private:
    QTemporaryDir m_dir;
};

void TestEmulatorLine::answersByteForByteAndTracesTheLine()
{
    EmulatorProcess emulator;
    const QString path = emulator.start({"--no-pacing"});
    QVERIFY2(!path.isEmpty(), qPrintable(emulator.errorText()));
    QVERIFY(path.startsWith("/dev/pts/"));
    TtyClient client;
    QVERIFY(client.open(path));

    QByteArray answered;
    const auto ask = [&](const QByteArray &command, int count) {
        const bool written = client.write(command);
        const QByteArray answer = count > 0 ? client.readCount(count, 5000) : client.readUntilCr(5000);
        answered += answer;
        return written ? answer : QByteArray("<not written>");
    };
    QCOMPARE(ask("sr", 0), "sr" + factoryBlock() + "0\r");
    QCOMPARE(ask("br", 0), logText(factoryLog()));
    QCOMPARE(ask("rt", 2), QByteArray("rt"));
    QCOMPARE(ask("sw", 2), QByteArray("sw"));
    QCOMPARE(ask(kWorkedBlock, 64), kWorkedBlock);
    QCOMPARE(ask("sr", 0), "sr" + kWorkedBlock + "0\r");
    QCOMPARE(ask("ae", 0), QByteArray("ae OK\r"));
    QCOMPARE(ask("sr", 0), "sr" + factoryBlock() + "0\r");
    QCOMPARE(ask("be", 0), QByteArray("be OK\r"));
    QCOMPARE(ask("br", 0), logText(emptyLog()));
    QVERIFY(client.write("q"));
    // Nothing else follows any answer.
    QCOMPARE(client.readFor(150), QByteArray());

    QCOMPARE(emulator.traceBytes(EmulatorProcess::Direction::Received),
             "srbrrtsw" + kWorkedBlock + "sraesrbebrq");
    QCOMPARE(emulator.traceBytes(EmulatorProcess::Direction::Sent), answered);

    // Every line: seconds with six decimals, direction, upper-case hex pairs.
    QFile trace(emulator.tracePath());
    QVERIFY(trace.open(QIODevice::ReadOnly));
    const QRegularExpression format(R"(^\d+\.\d{6} (RX|TX)( [0-9A-F]{2})+$)");
    double previous = 0;
    while (!trace.atEnd()) {
        const QString line = QString::fromLatin1(trace.readLine()).chopped(1);
        QVERIFY2(format.match(line).hasMatch(), qPrintable(line));
        const double seconds = line.section(u' ', 0, 0).toDouble();
        QVERIFY(seconds >= previous);
        previous = seconds;
    }
}

void TestEmulatorLine::portCanBeReopenedAndLinkFollowsTheEmulator()
{
    const QString link = m_dir.filePath("port-link");
    QVERIFY(QFile::link("/nonexistent/stale", link)); // a link left by a crashed run
    EmulatorProcess emulator;
    const QString path = emulator.start({"--no-pacing", "--link", link});
    QVERIFY(!path.isEmpty());
    QCOMPARE(QFile::symLinkTarget(link), path);

    for (int round = 0; round < 3; ++round) {
        TtyClient client;
        QVERIFY(client.open(link));
        QCOMPARE(client.exchange("sr"), "sr" + factoryBlock() + "0\r");
    }
    // A program that leaves in the middle of an answer doesn't upset the line.
    {
        TtyClient client;
        QVERIFY(client.open(link));
        QVERIFY(client.write("br"));
    }
    QTest::qWait(200);
    TtyClient client;
    QVERIFY(client.open(link));
    QVERIFY(client.write("rt"));
    QCOMPARE(client.readCount(2, 3000), QByteArray("rt"));

    QCOMPARE(emulator.stop(), 0); // standard input closed: a clean end
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TestEmulatorLine::terminationRemovesTheLink()
{
    const QString link = m_dir.filePath("term-link");
    EmulatorProcess emulator;
    QVERIFY(!emulator.start({"--no-stdin", "--link", link}).isEmpty());
    QVERIFY(QFileInfo(link).isSymLink());
    emulator.process().terminate(); // SIGTERM
    QVERIFY(emulator.process().waitForFinished(5000));
    QCOMPARE(emulator.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(emulator.process().exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TestEmulatorLine::refusesToReplaceAFileWithItsLink()
{
    const QString path = m_dir.filePath("not-a-link");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("precious");
    file.close();
    EmulatorProcess emulator;
    QVERIFY(emulator.start({"--link", path}, 5000).isEmpty());
    QCOMPARE(emulator.stop(), 1);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("precious"));
}

void TestEmulatorLine::stateSurvivesARestart()
{
    const QString state = m_dir.filePath("controller.state");
    {
        EmulatorProcess emulator;
        TtyClient client;
        QVERIFY(client.open(emulator.start({"--no-pacing", "--state", state})));
        QVERIFY(QFile::exists(state)); // created with factory data
        QVERIFY(client.write("sw"));
        QCOMPARE(client.readCount(2, 3000), QByteArray("sw"));
        QVERIFY(client.write(kWorkedBlock));
        QCOMPARE(client.readCount(64, 3000), kWorkedBlock);
        QCOMPARE(client.exchange("be"), QByteArray("be OK\r"));
        // Killed rather than stopped: the state must already be on disk.
        emulator.process().kill();
        QVERIFY(emulator.process().waitForFinished(5000));
    }
    EmulatorProcess emulator;
    TtyClient client;
    QVERIFY(client.open(emulator.start({"--no-pacing", "--state", state})));
    QCOMPARE(client.exchange("sr"), "sr" + kWorkedBlock + "0\r");
    QCOMPARE(client.exchange("br", 5000), logText(emptyLog()));
}

void TestEmulatorLine::lateAnswer()
{
    EmulatorProcess emulator;
    TtyClient client;
    QVERIFY(client.open(emulator.start({"--no-pacing", "--fault", "late", "--delay", "600"})));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(client.write("sr"));
    QCOMPARE(client.readFor(400), QByteArray());
    QCOMPARE(client.readUntilCr(3000), "sr" + factoryBlock() + "0\r");
    QVERIFY(clock.elapsed() >= 600);
}

void TestEmulatorLine::unaskedCharactersComeBetweenAnswers()
{
    EmulatorProcess emulator;
    TtyClient client;
    QVERIFY(client.open(emulator.start({"--no-pacing", "--fault", "unasked", "--unasked-ms", "100"})));
    const QByteArray chatter = client.readFor(450);
    QVERIFY2(chatter.size() >= 6, chatter.constData());
    QVERIFY(!chatter.contains('\r'));
    // An answer asked for right after the line was quiet comes out whole.
    QVERIFY(client.write("sr"));
    QCOMPARE(client.readCount(68, 3000), "sr" + factoryBlock() + "0\r");
}

void TestEmulatorLine::vanishHangsUpAndReopensUnderTheLink()
{
    const QString link = m_dir.filePath("vanish-link");
    EmulatorProcess emulator;
    const QString first = emulator.start({"--fault", "vanish", "--link", link});
    TtyClient client;
    QVERIFY(client.open(link));
    QVERIFY(client.write("br"));
    const QByteArray part = client.readUntilCr(6000);
    QVERIFY(client.lineLost());
    QVERIFY(part.size() < 2051); // never the whole answer

    const QString second = emulator.waitForReopen();
    QVERIFY(!second.isEmpty());
    QVERIFY(second != first);
    QCOMPARE(QFile::symLinkTarget(link), second);
    // The line that came back works normally: the fault was for one answer.
    TtyClient again;
    QVERIFY(again.open(link));
    QCOMPARE(again.exchange("sr"), "sr" + factoryBlock() + "0\r");
}

QTEST_GUILESS_MAIN(TestEmulatorLine)
#include "tst_emulatorline.moc"
