// The emulated controller's logic without a line: which characters answer
// which command, how it resynchronises, what it stores, what its factory data
// holds, how each fault changes its answers, and its state file.

#include "controllerdevice.h"
#include "statefile.h"

#include "settings/paramtable.h"
#include "settings/settingblock.h"
#include "core/conversions.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace vq;
using namespace vq::emu;

namespace {

const QByteArray kWorkedBlock = "E803401FF005D0074C040000000000000620556A6464000A500085C80001100A";

QByteArray feed(ControllerDevice &device, const QList<QByteArray> &chunks, qint64 stepMs = 1)
{
    QByteArray out;
    qint64 now = 1000;
    for (const QByteArray &chunk : chunks) {
        out += device.receive(chunk, now);
        now += stepMs;
    }
    return out;
}

QByteArray srAnswer(const QByteArray &block) { return "sr" + block + "0\r"; }

} // namespace

class TestEmulatorController : public QObject
{
    Q_OBJECT

private slots:
    void factoryBlockIsAPlausibleVq530t();
    void factoryLogIsAPlausibleRun();
    void commands_data();
    void commands();
    void writtenBlockIsReadBack();
    void restoreAndEraseChangeStateOnce();
    void halfSentBlockIsAbandoned();
    void faults_data();
    void faults();
    void faultsThatCorruptWhatIsStored();
    void stateFileRoundTrip();
    void stateFileRefusesForeignFiles();
};

void TestEmulatorController::factoryBlockIsAPlausibleVq530t()
{
    const QByteArray block = factoryBlock();
    QCOMPARE(block.size(), emu::kBlockLength);
    QVERIFY(QByteArray::fromHex(block).toHex().toUpper() == block);
    // Its fixed bytes match what the program writes (a verified write in the
    // operations test depends on that).
    // The program decodes it with every field in its range.
    EditorModel editor;
    QCOMPARE(ShowSettingData(QString::fromLatin1(block), editor).status, DecodeStatus::Ok);
    for (int i = 0; i < kParamCount; ++i)
        QVERIFY2(!editor.text(i).isEmpty() && !editor.marked(i), qPrintable(paramInfo(i).caption));
    QVERIFY(block != kWorkedBlock);
}

void TestEmulatorController::factoryLogIsAPlausibleRun()
{
    const QByteArray log = factoryLog();
    QCOMPARE(log.size(), kLogBytes);
    QCOMPARE(factoryLog(), log); // the same every time
    const auto volts = [&](int n) { return ByteToVolt(QString::number(quint8(log[2 * n]))); };
    const auto amps = [&](int n) { return ByteToAmp(QString::number(quint8(log[2 * n + 1]))); };

    QVERIFY(qAbs(volts(0) - 8.4f) <= 0.1f);
    int empty = 0;
    int last = -1;
    float maxAmps = 0;
    for (int n = 0; n < kLogSamples; ++n) {
        const bool voltEmpty = log[2 * n] == kNoValue;
        const bool curEmpty = log[2 * n + 1] == kNoValue;
        if (voltEmpty && curEmpty) {
            ++empty;
            continue;
        }
        last = n;
        if (!voltEmpty)
            QVERIFY(volts(n) > 6.0f && volts(n) <= 8.5f);
        if (!curEmpty) {
            QVERIFY(amps(n) >= 0 && amps(n) <= 260);
            maxAmps = std::max(maxAmps, amps(n));
        }
    }
    QVERIFY(maxAmps >= 230);
    QVERIFY(last >= 240 && last < 400); // about five minutes, then the empty tail
    QVERIFY(empty > kLogSamples - last - 1); // a few gaps inside the run as well
    QVERIFY(volts(last) < volts(0) - 0.8f);  // the pack sags
}

void TestEmulatorController::commands_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray sr = srAnswer(factoryBlock());
    QTest::newRow("sw waits for the block") << QList<QByteArray>{"sw"} << QByteArray("sw");
    QTest::newRow("split") << QList<QByteArray>{"s", "r"} << sr;
    QTest::newRow("two in one chunk") << QList<QByteArray>{"rtsr"} << "rt" + sr;
    QTest::newRow("stray before") << QList<QByteArray>{"xsr"} << sr;
    QTest::newRow("upper case") << QList<QByteArray>{"SR"} << QByteArray();
    QTest::newRow("unknown pair") << QList<QByteArray>{"zz"} << QByteArray();
    QTest::newRow("terminator is not ignored") << QList<QByteArray>{"s\rr"} << QByteArray();
}

void TestEmulatorController::commands()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QByteArray, expected);
    ControllerDevice device;
    QCOMPARE(feed(device, chunks), expected);
}

void TestEmulatorController::writtenBlockIsReadBack()
{
    ControllerDevice device;
    // The block may come in pieces; the echo comes once it is whole.
    QCOMPARE(feed(device, {"sw", kWorkedBlock.left(10), kWorkedBlock.mid(10)}), "sw" + kWorkedBlock);
    QVERIFY(device.takeStateChanged());
    QVERIFY(!device.takeStateChanged());
    QCOMPARE(feed(device, {"sr"}), srAnswer(kWorkedBlock));

    // Lower-case digits and letters that spell commands are block characters.
    QByteArray lower = kWorkedBlock.toLower();
    lower.replace(0, 4, "beae");
    QCOMPARE(feed(device, {"sw" + lower}), "sw" + lower);
    QCOMPARE(device.state().block, lower);
    QCOMPARE(device.state().log, factoryLog());
}

void TestEmulatorController::restoreAndEraseChangeStateOnce()
{
    ControllerDevice device(ControllerState{kWorkedBlock, factoryLog()});
    QCOMPARE(feed(device, {"ae"}), QByteArray("ae OK\r"));
    QVERIFY(device.takeStateChanged());
    QCOMPARE(device.state().block, factoryBlock());
    QCOMPARE(feed(device, {"ae"}), QByteArray("ae OK\r"));
    QVERIFY(!device.takeStateChanged()); // already factory: nothing to save

    QCOMPARE(feed(device, {"be"}), QByteArray("be OK\r"));
    QVERIFY(device.takeStateChanged());
    QCOMPARE(device.state().log, emptyLog());
    QCOMPARE(feed(device, {"br"}), "br" + QByteArray(4 * kLogSamples, 'F') + '\r');
}

void TestEmulatorController::halfSentBlockIsAbandoned()
{
    ControllerDevice device;
    QCOMPARE(device.receive("sw", 0), QByteArray("sw"));
    QCOMPARE(device.receive(kWorkedBlock.left(20), 10), QByteArray());
    // The rest never comes; a command after a long pause is a command.
    QCOMPARE(device.receive("sr", 10 + kBlockGapMs + 1), srAnswer(factoryBlock()));
    QVERIFY(!device.takeStateChanged());

    // A pause inside the limit keeps the block going.
    QCOMPARE(device.receive("sw", 5000), QByteArray("sw"));
    QCOMPARE(device.receive(kWorkedBlock.left(20), 5010), QByteArray());
    QCOMPARE(device.receive(kWorkedBlock.mid(20), 5010 + kBlockGapMs), kWorkedBlock);
    QCOMPARE(device.state().block, kWorkedBlock);
}

void TestEmulatorController::faults_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray block = factoryBlock();
    const QByteArray log = "br" + factoryLog().toHex().toUpper();
    QByteArray model02 = block;
    model02.replace(kModelCodePos, 2, "02");
    QByteArray modelFF = block;
    modelFF.replace(kModelCodePos, 2, "FF");
    QByteArray badHex = log + '\r';
    badHex[kBadHexPos] = 'G';

    QTest::newRow("silent") << "silent" << QByteArray("srbrae") << QByteArray();
    QTest::newRow("garbage sr") << "garbage" << QByteArray("sr") << QByteArray(kGarbage);
    QTest::newRow("garbage sw and block")
        << "garbage" << "sw" + kWorkedBlock << QByteArray(kGarbage) + QByteArray(kGarbage);
    QTest::newRow("model-ff") << "model-ff" << QByteArray("sr") << srAnswer(modelFF);
    QTest::newRow("model-02") << "model-02" << QByteArray("sr") << srAnswer(model02);
    QTest::newRow("sr-67") << "sr-67" << QByteArray("sr") << "sr" + block + '\r';
    QTest::newRow("sr-69") << "sr-69" << QByteArray("sr") << "sr" + block + "00\r";
    QTest::newRow("short-log") << "short-log" << QByteArray("br") << log.left(kShortLogLength) + '\r';
    QTest::newRow("bad-hex-log") << "bad-hex-log" << QByteArray("br") << badHex;
    QTest::newRow("partial-echo") << "partial-echo" << "sw" + kWorkedBlock << "sw" + kWorkedBlock.left(40);
    QTest::newRow("bad-verify echo") << "bad-verify" << "sw" + kWorkedBlock << "sw" + kWorkedBlock;
    // The faults the line applies leave the answers themselves alone.
    QTest::newRow("vanish") << "vanish" << QByteArray("sr") << srAnswer(block);
}

void TestEmulatorController::faults()
{
    QFETCH(QString, mode);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    ControllerDevice device;
    device.setFault(*faultModeFromName(mode));
    const QByteArray answer = device.receive(input, 0);
    QCOMPARE(answer, expected);
    QVERIFY(!answer.contains('\r') || answer.endsWith('\r')); // a carriage return always comes last
}

void TestEmulatorController::faultsThatCorruptWhatIsStored()
{
    ControllerDevice verify;
    verify.setFault(FaultMode::BadVerify);
    QCOMPARE(verify.receive("sw" + kWorkedBlock, 0), "sw" + kWorkedBlock);
    const QByteArray stored = verify.state().block;
    QCOMPARE(stored.size(), emu::kBlockLength);
    int differences = 0;
    for (int i = 0; i < emu::kBlockLength; ++i)
        differences += stored[i] != kWorkedBlock[i];
    QCOMPARE(differences, 1);
    QVERIFY(QByteArray::fromHex(stored).toHex().toUpper() == stored); // still hexadecimal
    verify.setFault(FaultMode::None);
    QCOMPARE(verify.receive("sr", 1), srAnswer(stored));

    // Garbage answers carry out nothing; silence hears nothing.
    ControllerDevice garbage(ControllerState{kWorkedBlock, factoryLog()});
    garbage.setFault(FaultMode::Garbage);
    QCOMPARE(garbage.receive("aebesw" + factoryBlock(), 0).count('\r'), 0);
    QCOMPARE(garbage.state().block, kWorkedBlock);
    QCOMPARE(garbage.state().log, factoryLog());
    ControllerDevice silent;
    silent.setFault(FaultMode::Silent);
    QCOMPARE(silent.receive("s", 0), QByteArray());
    silent.setFault(FaultMode::None);
    QCOMPARE(silent.receive("r", 1), QByteArray()); // the "s" was never heard
}

void TestEmulatorController::stateFileRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("state");
    ControllerState state;
    QCOMPARE(loadState(path, state, nullptr), StateLoad::Absent);

    // Whatever 64 characters were written come back, even ones that aren't hex.
    QByteArray odd = kWorkedBlock;
    odd.replace(0, 6, "a=\n%\r ");
    QByteArray log = factoryLog();
    log[0] = char(0);
    const ControllerState saved{odd, log};
    QString error;
    QVERIFY2(saveState(path, saved, &error), qPrintable(error));
    ControllerState loaded{QByteArray(), QByteArray()};
    QCOMPARE(loadState(path, loaded, &error), StateLoad::Loaded);
    QCOMPARE(loaded.block, odd);
    QCOMPARE(loaded.log, log);
    QVERIFY(!QFile::exists(path + ".tmp"));
}

void TestEmulatorController::stateFileRefusesForeignFiles()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("state");
    const QList<QByteArray> contents{
        "hello\n",
        "block=" + kWorkedBlock + "\n",                                          // no log
        "block=" + kWorkedBlock.left(63) + "\nlog=" + QByteArray(2048, 'F') + "\n", // short block
        "block=" + kWorkedBlock + "\nlog=" + QByteArray(2047, 'F') + "G\n",         // not hex
    };
    for (const QByteArray &content : contents) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        ControllerState state;
        QString error;
        QCOMPARE(loadState(path, state, &error), StateLoad::Invalid);
        QVERIFY(!error.isEmpty());
        QCOMPARE(state.block, factoryBlock()); // untouched
    }
}

QTEST_GUILESS_MAIN(TestEmulatorController)
#include "tst_emulatorcontroller.moc"
