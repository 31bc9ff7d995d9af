// The 64-character setting-data block: decoding into the editor, building it
// from the editor, the model check, the refusals and the round trip.

#include "settings/paramtable.h"
#include "settings/settingblock.h"
#include "core/conversions.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

using namespace vq;

namespace {

const QString kExample = QStringLiteral("E803401FF005D0074C040000000000000620556A6464000A500085C80001100A");

// The block with byte n (0-based) replaced by two characters.
QString withByte(QString block, int n, const QString &pair)
{
    return block.replace(2 * n, 2, pair);
}

QString withChar(QString block, int pos1, QChar c)
{
    block[pos1 - 1] = c;
    return block;
}

QString hex2(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString hex4LowFirst(int value)
{
    return hex2(value & 0xFF) + hex2(value >> 8);
}

} // namespace

class TestSettingBlock : public QObject
{
    Q_OBJECT

private slots:
    void decodesWorkedExample()
    {
        EditorModel editor;
        QSignalSpy texts(&editor, &EditorModel::textChanged);
        const DecodeResult r = ShowSettingData(kExample, editor);
        QCOMPARE(r.status, DecodeStatus::Ok);
        const QStringList expected{"1000", "8000", "1520", "2000", "1100", "6", "2.5",
                                   "200", "100", "100", "0", "10", "150", "0"};
        for (int i = 0; i < kParamCount; ++i) {
            QCOMPARE(editor.text(i), expected.at(i));
            QVERIFY(!editor.marked(i));
        }
        QCOMPARE(texts.size(), kParamCount); // each field set once, no echo
        QCOMPARE(editor.spinValue(LowBattProtection), 25);
        QCOMPARE(editor.spinValue(CurrentLimiter), 200);
        QVERIFY(!editor.curLimOff());
        QCOMPARE(editor.vqType(), QStringLiteral("VQ530T"));
        QCOMPARE(editor.romVersion(), QStringLiteral("16"));
        QCOMPARE(QList<bool>({editor.mode(0), editor.mode(1), editor.mode(2), editor.mode(3)}),
                 QList<bool>({false, true, false, true}));

        ScriptedPrompter prompter;
        QVERIFY(reportDecodeResult(r, prompter));
        QCOMPARE(prompter.messageCount(), 0);
    }

    void reencodesWorkedExample()
    {
        EditorModel editor;
        QCOMPARE(ShowSettingData(kExample, editor).status, DecodeStatus::Ok);
        QCOMPARE(MakeWriteData(editor, kExample).block, kExample);
        editor.setText(LowBattProtection, QStringLiteral("3.0"));
        const WriteDataResult w = MakeWriteData(editor, kExample);
        QVERIFY(w.ok);
        QCOMPARE(w.block, withByte(kExample, 17, "27"));
    }

    void encodesPieces_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pos1"); // first character, counted from 1
        QTest::addColumn<QString>("expected");
        QTest::newRow("pwm 1000") << 0 << "1000" << 1 << "E803";
        QTest::newRow("pwm 10000") << 0 << "10000" << 1 << "1027";
        QTest::newRow("pwm max load 100") << 1 << "100" << 5 << "6400";
        QTest::newRow("pwm half to even") << 0 << "1000.5" << 1 << "E803";
        QTest::newRow("limiter 80") << 7 << "80" << 39 << "2A";
        QTest::newRow("volts 3.3") << 6 << "3.3" << 35 << "2A";
        QTest::newRow("neutral brake 30") << 10 << "30" << 45 << "4C";
        QTest::newRow("dead band 6") << 5 << "6" << 33 << "06";
        QTest::newRow("dead band 6.5 to even") << 5 << "6.5" << 33 << "06";
        QTest::newRow("timer 240") << 11 << "240" << 47 << "F0";
        QTest::newRow("time limit 300") << 12 << "300" << 49 << "9F";
        QTest::newRow("boost 0") << 13 << "0" << 51 << "00";
        QTest::newRow("dead band with blanks") << 5 << " 6 " << 33 << "06";
    }
    void encodesPieces()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(int, pos1);
        QFETCH(QString, expected);
        EditorModel editor;
        QCOMPARE(ShowSettingData(kExample, editor).status, DecodeStatus::Ok);
        editor.setText(field, text);
        const WriteDataResult w = MakeWriteData(editor, kExample);
        QVERIFY2(w.ok, qPrintable(w.message));
        QCOMPARE(w.block.mid(pos1 - 1, expected.size()), expected);
    }

    void fixedAndCopiedBytes()
    {
        // A read block with odd content in the fixed places and lower case in
        // the copied ones.
        QString read = kExample.toLower();
        read = withByte(read, 10, "ff");
        read = withByte(read, 15, "12");
        read = withByte(read, 18, "00");
        read = withByte(read, 26, "00");
        read = withByte(read, 27, "7e");
        read = withByte(read, 21, "5a");
        EditorModel editor;
        QCOMPARE(ShowSettingData(read, editor).status, DecodeStatus::Ok);
        // Shown-only fields edited: the block still carries the controller's bytes.
        editor.setText(Neutral, QStringLiteral("1500"));
        editor.setText(ReverseMaxDuty, QStringLiteral("50"));
        const WriteDataResult w = MakeWriteData(editor, read);
        QVERIFY(w.ok);
        QCOMPARE(w.block.size(), kBlockLength);
        QCOMPARE(w.block.mid(0, 8), QStringLiteral("E803401F"));   // computed: upper case
        QCOMPARE(w.block.mid(8, 12), read.mid(8, 12));             // copied: as read
        QCOMPARE(w.block.mid(20, 12), QStringLiteral("000000000000"));
        QCOMPARE(w.block.mid(36, 2), QStringLiteral("55"));
        QCOMPARE(w.block.mid(42, 2), read.mid(42, 2));
        QCOMPARE(w.block.mid(52, 4), QStringLiteral("85C8"));
        QCOMPARE(w.block.mid(56, 8), read.mid(56, 8));
    }

    void limiterOffBytes_data()
    {
        QTest::addColumn<QString>("byte19");
        QTest::newRow("FF") << "FF";
        QTest::newRow("FD") << "fd";
    }
    void limiterOffBytes()
    {
        QFETCH(QString, byte19);
        EditorModel editor;
        QCOMPARE(ShowSettingData(withByte(kExample, 19, byte19), editor).status, DecodeStatus::Ok);
        QVERIFY(editor.curLimOff());
        QVERIFY(!editor.curLimEnabled());
        QVERIFY(editor.text(CurrentLimiter).isEmpty());
        const WriteDataResult w = MakeWriteData(editor, kExample);
        QVERIFY(w.ok);
        QCOMPARE(w.block, withByte(kExample, 19, "FF"));
        editor.setCurLimOff(false);
        QCOMPARE(editor.text(CurrentLimiter), QStringLiteral("300"));
        QVERIFY(!editor.marked(CurrentLimiter));
    }

    void modeFlags()
    {
        EditorModel editor;
        QCOMPARE(ShowSettingData(withChar(withChar(kExample, 64, u'5'), 63, u'F'), editor).status,
                 DecodeStatus::Ok);
        QCOMPARE(QList<bool>({editor.mode(0), editor.mode(1), editor.mode(2), editor.mode(3)}),
                 QList<bool>({true, false, true, false}));
    }

    void modelCheck_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<DecodeStatus>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("vqType");
        QTest::newRow("FF") << "FF" << DecodeStatus::Deleted << kMsgSettingDeleted << "VQ530T";
        QTest::newRow("ff") << "ff" << DecodeStatus::Deleted << kMsgSettingDeleted << "VQ530T";
        QTest::newRow("02") << "02" << DecodeStatus::OtherModel << kMsgOtherModel << "";
        QTest::newRow("not hex") << "zz" << DecodeStatus::OtherModel << kMsgOtherModel << "";
        QTest::newRow("1 then junk") << "1x" << DecodeStatus::Ok << "" << "VQ530T";
    }
    void modelCheck()
    {
        QFETCH(QString, model);
        QFETCH(DecodeStatus, status);
        QFETCH(QString, message);
        EditorModel editor;
        QCOMPARE(ShowSettingData(kExample, editor).status, DecodeStatus::Ok);
        editor.setText(DeadBand, QStringLiteral("9"));
        const DecodeResult r = ShowSettingData(withByte(kExample, 29, model), editor);
        QCOMPARE(r.status, status);
        QTEST(editor.vqType(), "vqType");
        // A refused block leaves the fields as they were.
        QCOMPARE(editor.text(DeadBand), status == DecodeStatus::Ok ? QStringLiteral("6") : QStringLiteral("9"));
        ScriptedPrompter prompter;
        QCOMPARE(reportDecodeResult(r, prompter), status == DecodeStatus::Ok);
        QCOMPARE(prompter.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(prompter.prompts.at(0).icon, MessageIcon::Exclamation);
    }

    // A character that isn't a hex digit in a plain position ends decoding at
    // that field; the fields before it keep their new text.
    void malformed_data()
    {
        QTest::addColumn<int>("pos1");
        QTest::addColumn<int>("field");
        QTest::newRow("pwm low byte") << 1 << 0;
        QTest::newRow("neutral high byte") << 12 << 2;
        QTest::newRow("brake point") << 17 << 4;
        QTest::newRow("dead band") << 33 << 5;
        QTest::newRow("timer") << 47 << 11;
        QTest::newRow("rom version") << 61 << kFieldRomVersion;
        QTest::newRow("flags") << 64 << kFieldModeFlags;
    }
    void malformed()
    {
        QFETCH(int, pos1);
        QFETCH(int, field);
        EditorModel editor;
        const DecodeResult r = ShowSettingData(withChar(kExample, pos1, u'G'), editor);
        QCOMPARE(r.status, DecodeStatus::Malformed);
        QCOMPARE(r.field, field);
        for (int i = 0; i < kParamCount; ++i)
            QCOMPARE(editor.text(i).isEmpty(), i >= field);
        QCOMPARE(editor.romVersion().isEmpty(), field <= kFieldRomVersion);
        ScriptedPrompter prompter;
        QVERIFY(!reportDecodeResult(r, prompter));
        QCOMPARE(prompter.messageCount(), 0);
    }

    void lenientAndOddInput()
    {
        EditorModel editor;
        // Converted bytes read what they can: "2G" is 2, and 2 is 0.2 V.
        QCOMPARE(ShowSettingData(withChar(kExample, 36, u'G'), editor).status, DecodeStatus::Ok);
        QCOMPARE(editor.text(LowBattProtection), QStringLiteral("0.2"));
        QVERIFY(editor.marked(LowBattProtection));
        // Words from 0x8000 on read unsigned and are marked.
        QCOMPARE(ShowSettingData(withByte(withByte(kExample, 0, "FF"), 1, "ff"), editor).status,
                 DecodeStatus::Ok);
        QCOMPARE(editor.text(PwmMinLoad), QStringLiteral("65535"));
        QVERIFY(editor.marked(PwmMinLoad));
        // Only the first 64 characters count; a short text decodes nothing.
        QCOMPARE(ShowSettingData(QString(kExample + "\r\nZZ"), editor).status, DecodeStatus::Ok);
        EditorModel fresh;
        const DecodeResult shortBlock = ShowSettingData(kExample.left(63), fresh);
        QCOMPARE(shortBlock.status, DecodeStatus::Malformed);
        QCOMPARE(shortBlock.field, kFieldBlockLength);
        QVERIFY(fresh.vqType().isEmpty() && fresh.text(0).isEmpty());
    }

    void refusals_data()
    {
        QTest::addColumn<QList<int>>("fields");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("refused");
        QTest::newRow("3 and 8 empty") << QList<int>{3, 8} << QStringList{"", ""} << 3;
        QTest::newRow("boost marked") << QList<int>{13} << QStringList{"101"} << 13;
        QTest::newRow("hidden 9 marked") << QList<int>{9} << QStringList{"200"} << 9;
        QTest::newRow("dead band 6x") << QList<int>{5} << QStringList{"6x"} << 5;
        QTest::newRow("volts 9. unchecked") << QList<int>{6} << QStringList{"9."} << 6;
        QTest::newRow("limiter empty") << QList<int>{7} << QStringList{""} << 7;
    }
    void refusals()
    {
        QFETCH(QList<int>, fields);
        QFETCH(QStringList, texts);
        QFETCH(int, refused);
        EditorModel editor;
        QCOMPARE(ShowSettingData(kExample, editor).status, DecodeStatus::Ok);
        for (qsizetype k = 0; k < fields.size(); ++k) {
            editor.setText(fields[k], texts[k]);
            QCOMPARE(editor.text(fields[k]), texts[k]); // not rewritten by its spin button
        }
        const WriteDataResult w = MakeWriteData(editor, kExample);
        QVERIFY(!w.ok);
        QVERIFY(w.block.isEmpty());
        QCOMPARE(w.field, refused);
        ScriptedPrompter prompter;
        QVERIFY(!reportWriteDataResult(w, prompter));
        QCOMPARE(prompter.messageTexts(), QStringList{"Data is abnormal!!\r\nPlease set it correctly."});
        QCOMPARE(prompter.prompts.at(0).icon, MessageIcon::Information);
    }

    void offExemptsLimiterField()
    {
        EditorModel editor;
        QCOMPARE(ShowSettingData(kExample, editor).status, DecodeStatus::Ok);
        editor.setText(CurrentLimiter, QStringLiteral("45"));
        editor.setCurLimOff(true);
        const WriteDataResult w = MakeWriteData(editor, kExample);
        QVERIFY(w.ok);
        QCOMPARE(w.block.mid(38, 2), QStringLiteral("FF"));
    }

    void needsFullReadBlock_data()
    {
        QTest::addColumn<QString>("readBlock");
        QTest::newRow("none") << QString();
        QTest::newRow("63") << kExample.left(63);
    }
    void needsFullReadBlock()
    {
        QFETCH(QString, readBlock);
        EditorModel editor;
        QCOMPARE(ShowSettingData(kExample, editor).status, DecodeStatus::Ok);
        const WriteDataResult w = MakeWriteData(editor, readBlock);
        QVERIFY(!w.ok);
        QVERIFY(w.block.isEmpty());
        QCOMPARE(w.message, kMsgNoReadBlock);
        QCOMPARE(w.icon, MessageIcon::Exclamation);
    }

    // Any editor state the decoder can produce survives a build and a decode.
    void roundTrip()
    {
        QRandomGenerator rng(530);
        for (int n = 0; n < 300; ++n) {
            const auto in = [&](int lo, int hi) { return int(rng.bounded(lo, hi + 1)); };
            QString read = hex4LowFirst(in(100, 10000)) + hex4LowFirst(in(100, 10000))
                + hex4LowFirst(in(1020, 2020)) + hex4LowFirst(in(720, 2320)) + hex4LowFirst(in(720, 2320))
                + QString(12, u'0') + QStringLiteral("0620556A64") + hex2(in(0, 100))
                + QStringLiteral("000A500085C8") + hex2(in(0, 255))
                + QStringLiteral("01") + hex2(in(0, 255)) + hex2(in(0, 255));
            QCOMPARE(read.size(), kBlockLength);

            EditorModel editor;
            QCOMPARE(ShowSettingData(read, editor).status, DecodeStatus::Ok);
            editor.setText(PwmMinLoad, QString::number(in(100, 10000)));
            editor.setText(PwmMaxLoad, QString::number(in(100, 10000)));
            editor.setText(DeadBand, QString::number(in(2, 50)));
            editor.setText(LowBattProtection, shortestText(float(in(25, 60)) / 10.0f));
            editor.setText(CurrentLimiter, QString::number(in(5, 30) * 10));
            editor.setCurLimOff(in(0, 3) == 0);
            editor.setText(BrakeMaxDuty, QString::number(in(0, 100)));
            editor.setText(NeutralBrake, QString::number(in(0, 100)));
            editor.setText(CurrentLimitTimer, QString::number(in(0, 240)));
            editor.setText(CurrentLimiterTimeLimit, QString::number(in(5, 30) * 10));
            editor.setText(ForwardBoost, QString::number(in(0, 100)));

            const WriteDataResult w = MakeWriteData(editor, read);
            QVERIFY2(w.ok, qPrintable(w.message));
            EditorModel back;
            QCOMPARE(ShowSettingData(w.block, back).status, DecodeStatus::Ok);
            for (int i = 0; i < kParamCount; ++i)
                QCOMPARE(back.text(i), editor.text(i));
            QCOMPARE(back.curLimOff(), editor.curLimOff());
            QCOMPARE(back.romVersion(), editor.romVersion());
            for (int k = 0; k < 4; ++k)
                QCOMPARE(back.mode(k), editor.mode(k));
            QCOMPARE(MakeWriteData(back, read).block, w.block);
        }
    }
};

QTEST_GUILESS_MAIN(TestSettingBlock)
#include "tst_settingblock.moc"
