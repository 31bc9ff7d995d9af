// The controller emulator: its logic without a line (which characters answer
// which command, what it stores, what each fault sends instead), and the
// process as the program meets it: a pseudo-terminal behind a link, answering
// byte for byte, tracing the line, keeping its state across a kill and
// vanishing on demand.

#include "controllerdevice.h"
#include "emulatorprocess.h"
#include "fixtures.h"
#include "ptyhelper.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace vq::emu;

namespace {

const QByteArray kWorked = fixture::kWorkedBlock.toLatin1();

QByteArray srAnswer(const QByteArray &block) { return "sr" + block + "0\r"; }

QByteArray feed(ControllerDevice &device, const QList<QByteArray> &chunks, qint64 stepMs)
{
    QByteArray out;
    qint64 now = 1000;
    for (const QByteArray &chunk : chunks)
        out += device.receive(chunk, now += stepMs);
    return out;
}

} // namespace

class TestEmulator : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void answers_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<qint64>("stepMs");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray block = factoryBlock();
        const QByteArray sr = srAnswer(block);
        const QByteArray log = "br" + factoryLog().toHex().toUpper();
        const QByteArray spelling = "beae" + kWorked.mid(4); // lower-case digits that spell commands
        using L = QList<QByteArray>;
        QTest::newRow("split") << "none" << L{"s", "r"} << 1ll << sr;
        QTest::newRow("two in one chunk") << "none" << L{"rtsr"} << 1ll << "rt" + sr;
        QTest::newRow("stray before") << "none" << L{"xsr"} << 1ll << sr;
        QTest::newRow("upper case, split by CR") << "none" << L{"SR", "s\rr"} << 1ll << QByteArray();
        QTest::newRow("block in pieces") << "none" << L{"sw", kWorked.left(10), kWorked.mid(10), "sr"} << 1ll
                                         << "sw" + kWorked + srAnswer(kWorked);
        QTest::newRow("block spelling commands") << "none" << L{"sw" + spelling, "sr"} << 1ll
                                                 << "sw" + spelling + srAnswer(spelling);
        QTest::newRow("block abandoned") << "none" << L{"sw", kWorked.left(20), "sr"} << 1001ll << "sw" + sr;
        QTest::newRow("restore") << "none" << L{"sw" + kWorked, "ae", "sr"} << 1ll << "sw" + kWorked + "ae OK\r" + sr;
        QTest::newRow("erase") << "none" << L{"be", "br"} << 1ll << "be OK\rbr" + QByteArray(2048, 'F') + '\r';
        QTest::newRow("silent") << "silent" << L{"srbrae"} << 1ll << QByteArray();
        QTest::newRow("garbage") << "garbage" << L{"srsw" + kWorked} << 1ll << QByteArray("?~#?~#?~#");
        QTest::newRow("model-ff") << "model-ff" << L{"sr"} << 1ll << srAnswer(QByteArray(block).replace(58, 2, "FF"));
        QTest::newRow("model-02") << "model-02" << L{"sr"} << 1ll << srAnswer(QByteArray(block).replace(58, 2, "02"));
        QTest::newRow("sr-67") << "sr-67" << L{"sr"} << 1ll << "sr" + block + '\r';
        QTest::newRow("sr-69") << "sr-69" << L{"sr"} << 1ll << "sr" + block + "00\r";
        QTest::newRow("short-log") << "short-log" << L{"br"} << 1ll << log.left(1000) + '\r';
        QTest::newRow("bad-hex-log") << "bad-hex-log" << L{"br"} << 1ll << QByteArray(log + '\r').replace(398, 1, "G");
        QTest::newRow("partial-echo") << "partial-echo" << L{"sw" + kWorked} << 1ll << "sw" + kWorked.left(40);
        QTest::newRow("vanish answers whole") << "vanish" << L{"sr"} << 1ll << sr;
    }

    void answers()
    {
        QFETCH(QString, fault);
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(qint64, stepMs);
        ControllerDevice device;
        device.setFault(*faultModeFromName(fault));
        QTEST(feed(device, chunks, stepMs), "expected");
    }

    void answersTracesVanishesAndKeepsItsState()
    {
        const QString link = m_dir.filePath("link");
        QVERIFY(QFile::link("/nonexistent/stale", link)); // left by a crashed run
        const QStringList args{"--no-pacing", "--link", link, "--state", m_dir.filePath("controller.state")};
        EmulatorProcess emu;
        const QString first = emu.start(args);
        QVERIFY2(!first.isEmpty(), qPrintable(emu.errorText()));
        PtyEnd client;
        QVERIFY(client.open(link));
        QCOMPARE(client.exchange("sr"), srAnswer(factoryBlock()));
        QCOMPARE(client.exchange("br"), "br" + factoryLog().toHex().toUpper() + '\r');
        QVERIFY(client.send("rtsw" + kWorked));
        QCOMPARE(client.readCount(68), "rtsw" + kWorked);
        QCOMPARE(client.exchange("sr"), srAnswer(kWorked));
        QVERIFY(client.send("q"));
        QCOMPARE(client.readFor(150), QByteArray()); // nothing follows an answer

        QCOMPARE(emu.traceBytes(EmulatorProcess::Direction::Received), "srbrrtsw" + kWorked + "srq");
        QCOMPARE(emu.traceBytes(EmulatorProcess::Direction::Sent).size(), 68 + 2051 + 68 + 68);
        const QRegularExpression format(R"(^\d+\.\d{6} (RX|TX)( [0-9A-F]{2})+$)");
        for (const QByteArray &line : fixture::readFile(emu.tracePath()).trimmed().split('\n'))
            QVERIFY2(format.match(QString::fromLatin1(line)).hasMatch(), line.constData());

        // Vanishing on demand: the answer breaks off, the line goes, and a new
        // one opens under the same link, sound again (the fault was for one answer).
        QVERIFY(emu.setFault("vanish"));
        QVERIFY(client.send("br"));
        QVERIFY(client.readUntilCr(6000).size() < 2051); // never the whole answer
        QVERIFY(client.lineLost());
        const QString second = emu.waitForReopen();
        QVERIFY(!second.isEmpty() && second != first);
        QCOMPARE(QFile::symLinkTarget(link), second);
        PtyEnd again;
        QVERIFY(again.open(link));
        QCOMPARE(again.exchange("be"), "be OK\r");

        // Killed, its state is on disk already; started again over the link
        // the killed one left, it holds the block and the erased log.
        emu.process().kill();
        QVERIFY(emu.process().waitForFinished(5000));
        EmulatorProcess next;
        QVERIFY(!next.start(args).isEmpty());
        PtyEnd client2;
        QVERIFY(client2.open(link));
        QCOMPARE(client2.exchange("sr"), srAnswer(kWorked));
        QCOMPARE(client2.exchange("br"), "br" + QByteArray(2048, 'F') + '\r');
        QCOMPARE(next.stop(), 0); // standard input closed: a clean end
        QVERIFY(!QFileInfo(link).isSymLink());
    }
};

QTEST_GUILESS_MAIN(TestEmulator)
#include "tst_emulator.moc"
