// The settings editor's rules (the range of every field, currents brought to
// whole tens, the spin buttons, the "Off" switch and clearing), and the
// 64-character setting-data block: the codec on literal blocks, and its owner
// ControllerBlock, which shows decoded blocks in the editor with their boxes
// and builds the block to write from the editor and the block last read; 300
// random round trips through both.

#include "fixtures.h"
#include "scriptedprompter.h"
#include "settings/controllerblock.h"
#include "settings/editormodel.h"
#include "settings/paramtable.h"
#include "settings/settingblock.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using namespace vq;
using fixture::kWorkedBlock;
using D = SettingsDecode;

namespace {

// The block with byte n (0-based) replaced by two characters.
QString withByte(QString block, int n, const QString &pair)
{
    return block.replace(2 * n, 2, pair);
}

struct Rig {
    EditorModel editor;
    ScriptedPrompter prompter;
    ControllerBlock block{editor, prompter};
    QSignalSpy allowed{&block, &ControllerBlock::writeAllowedChanged};
    QString build() { return block.buildWriteBlock().value_or(QStringLiteral("<refused>")); }
};

} // namespace

class TestSettingBlock : public QObject
{
    Q_OBJECT

private slots:
    // Literal blocks decoded: every value of the worked block, the lenient
    // converted bytes, unsigned words, "Off", and where a block is refused or
    // stops decoding.
    void decodeBlock_data()
    {
        QTest::addColumn<QString>("block");
        QTest::addColumn<DecodeStatus>("status");
        QTest::addColumn<int>("field");  // where decoding stopped
        QTest::addColumn<QString>("values"); // the values decoded, then "Off", ROM version and flags
        using S = DecodeStatus;
        const QString worked = "1000 8000 1520 2000 1100 6 2.5 200 100 100 0 10 150 0 | on 16 0101";
        const auto bad = [](int pos) { return QString(kWorkedBlock).replace(pos - 1, 1, u'G'); };
        QTest::newRow("worked") << kWorkedBlock << S::Ok << -1 << worked;
        QTest::newRow("lower case, 63rd character unread") << kWorkedBlock.toLower().replace(62, 1, u'x') << S::Ok << -1 << worked;
        QTest::newRow("converted bytes lenient")
            << withByte(withByte(withByte(withByte(kWorkedBlock, 17, " 7"), 19, "5G"), 22, "\tF"), 24, "G1")
            << S::Ok << -1 << "1000 8000 1520 2000 1100 6 0.5 10 100 100 6 10 0 0 | on 16 0101";
        QTest::newRow("words unsigned, bytes FF")
            << withByte(withByte(withByte(withByte(kWorkedBlock, 0, "FF"), 1, "FF"), 8, "00"), 9, "80")
            << S::Ok << -1 << "65535 8000 1520 2000 32768 6 2.5 200 100 100 0 10 150 0 | on 16 0101";
        QTest::newRow("FD is off") << withByte(kWorkedBlock, 19, "FD") << S::Ok << -1
                                   << "1000 8000 1520 2000 1100 6 2.5 480 100 100 0 10 150 0 | off 16 0101";
        QTest::newRow("deleted") << withByte(kWorkedBlock, 29, "ff") << S::Deleted << -1 << "| on 16";
        QTest::newRow("other model") << withByte(kWorkedBlock, 29, "02") << S::OtherModel << -1 << "| on 16";
        QTest::newRow("model read leniently") << withByte(kWorkedBlock, 29, " 1") << S::Ok << -1 << worked;
        QTest::newRow("model stops at a non-digit") << withByte(kWorkedBlock, 29, "G1") << S::OtherModel << -1 << "| on 16";
        QTest::newRow("word, low byte") << bad(1) << S::Malformed << 0 << "| on 16";
        QTest::newRow("third word, high byte") << bad(12) << S::Malformed << 2 << "1000 8000 | on 16";
        QTest::newRow("dead band") << bad(33) << S::Malformed << 5 << "1000 8000 1520 2000 1100 | on 16";
        QTest::newRow("forward boost") << bad(52) << S::Malformed << 13
                                       << "1000 8000 1520 2000 1100 6 2.5 200 100 100 0 10 150 | on 16";
        QTest::newRow("ROM version") << bad(62) << S::Malformed << kFieldRomVersion
                                     << "1000 8000 1520 2000 1100 6 2.5 200 100 100 0 10 150 0 | on -1";
        QTest::newRow("flags") << bad(64) << S::Malformed << kFieldModeFlags
                               << "1000 8000 1520 2000 1100 6 2.5 200 100 100 0 10 150 0 | on 16";
        QTest::newRow("63 characters") << kWorkedBlock.left(63) << S::Malformed << kFieldBlockLength << "| on -1";
    }
    void decodeBlock()
    {
        using S = DecodeStatus;
        QFETCH(QString, block);
        const DecodedBlock d = vq::decodeBlock(block);
        QTEST(d.status, "status");
        QTEST(d.field, "field");
        QStringList values;
        for (int i = 0; i < std::min(d.decodedParts(), kParamCount); ++i)
            values << valueText(d.settings.values[size_t(i)]);
        values << "|" << (d.settings.curLimOff ? "off" : "on") << QString::number(d.settings.romVersion);
        if (d.decodedParts() == kFieldCount) {
            QString flags;
            for (bool m : d.settings.modes)
                flags += m ? u'1' : u'0';
            values << flags;
        }
        QTEST(values.join(u' '), "values");

        // Shown by its owner: a deleted block's or another model's box, a
        // write allowed only after a good block, nothing at all after a
        // malformed one; the editor shows what was decoded ("Off" empties its
        // field) and nothing after it.
        Rig r;
        const D outcome = r.block.showBlock(block);
        QCOMPARE(outcome, d.status == S::Ok ? D::Ok : d.status == S::Malformed ? D::Malformed : D::Refused);
        const QString box = d.status == S::Deleted      ? fixture::msg::settingDeleted
                            : d.status == S::OtherModel ? fixture::msg::otherModel
                                                        : QString();
        QCOMPARE(r.prompter.messageTexts(), box.isEmpty() ? QStringList() : QStringList{box});
        QVERIFY(box.isEmpty() || r.prompter.prompts.at(0).icon == MessageIcon::Exclamation);
        QCOMPARE(r.allowed.size(), outcome == D::Malformed ? 0 : 1);
        QVERIFY(r.allowed.isEmpty() || r.allowed.at(0).at(0).toBool() == (outcome == D::Ok));
        for (int i = 0; i < kParamCount; ++i)
            QCOMPARE(r.editor.text(i), i < values.indexOf("|") && !(i == CurrentLimiter && d.settings.curLimOff) ? values[i] : "");
    }

    // Settings encoded over a read block: the written parameters with their
    // rounding, the fixed bytes, and the read block's own bytes elsewhere.
    void encodeBlock_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<double>("value"); // NaN: "Off"
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("expected"); // empty: no block
        // Every byte the encoder must not take from the read block differs
        // there; bytes 19, 22 and 25 of the result:              19    22    25
        const QString read = QStringLiteral("0000000011223344556677889900aabbccddeeff0011ab3344556677010299aa");
        const QString head = QStringLiteral("E803401F112233445566000000000000062055");
        QTest::newRow("worked settings, read bytes copied as they are")
            << -1 << 0.0 << read << head + "6A641100" + "0A500085C8010299aa";
        QTest::newRow("word, half to even") << int(PwmMinLoad) << 1000.5 << read << "E803";
        QTest::newRow("word, single precision first") << int(PwmMaxLoad) << 8001.4999999 << read << "E803421F";
        QTest::newRow("byte, half to even") << int(DeadBand) << 7.5 << read << "E803401F1122334455660000000000000820";
        QTest::newRow("volts") << int(LowBattProtection) << 3.3 << read << "E803401F112233445566000000000000062A";
        QTest::newRow("amperes") << int(CurrentLimiter) << 80.0 << read << head + "2A";
        QTest::newRow("off") << int(CurrentLimiter) << qQNaN() << read << head + "FF";
        QTest::newRow("percent") << int(NeutralBrake) << 30.0 << read << head + "6A64114C";
        QTest::newRow("shown-only value not written") << int(ReverseMaxDuty) << 7.0 << read << head + "6A6411";
        QTest::newRow("no read block") << -1 << 0.0 << read.left(63) << "";
    }
    void encodeBlock()
    {
        QFETCH(int, field);
        QFETCH(double, value);
        QFETCH(QString, read);
        QFETCH(QString, expected);
        ControllerSettings s = vq::decodeBlock(kWorkedBlock).settings;
        if (field >= 0 && std::isnan(value))
            s.curLimOff = true;
        else if (field >= 0)
            s.values[size_t(field)] = value;
        const std::optional<QString> block = vq::encodeBlock(s, read);
        QCOMPARE(block.value_or(QString()).left(expected.size()), expected);
        QVERIFY(!block || block->size() == kBlockLength);
        if (field < 0 && block) // the worked settings encode to the worked block over it
            QCOMPARE(vq::encodeBlock(s, kWorkedBlock).value_or(QString()), kWorkedBlock);
    }

    void workedBlock()
    {
        Rig r;
        for (const QString &bad : {kWorkedBlock.left(63), withByte(kWorkedBlock, 2, "G0")})
            r.block.takeReadBlock(bad); // neither is taken
        QVERIFY(!r.block.hasReadBlock() && r.block.readBlock().isEmpty());
        r.block.takeReadBlock(kWorkedBlock);
        QVERIFY(r.block.hasReadBlock() && r.block.readBlock() == kWorkedBlock);
        QCOMPARE(r.block.romVersion(), qint16(16));

        QSignalSpy texts(&r.editor, &EditorModel::textChanged);
        QCOMPARE(r.block.showBlock(kWorkedBlock + "\r\n"), D::Ok); // what follows the block doesn't count
        for (int i = 0; i < kParamCount; ++i)
            QVERIFY(!r.editor.text(i).isEmpty() && !r.editor.marked(i));
        QCOMPARE(texts.size(), kParamCount); // each field set once, no echo
        QCOMPARE(QList<int>({r.editor.spinValue(PwmMaxLoad), r.editor.spinValue(LowBattProtection),
                             r.editor.spinValue(CurrentLimiter), int(r.editor.curLimValue())}),
                 QList<int>({8000, 25, 200, 200}));
        QCOMPARE(r.editor.vqType() + ' ' + r.editor.romVersion(), QStringLiteral("VQ530T 16"));
        QCOMPARE(QList<bool>({r.editor.mode(0), r.editor.mode(1), r.editor.mode(2), r.editor.mode(3)}),
                 QList<bool>({false, true, false, true}));
        QCOMPARE(r.allowed.takeFirst().at(0).toBool(), true);

        QCOMPARE(r.build(), kWorkedBlock);
        r.editor.setText(LowBattProtection, QStringLiteral("3.0"));
        QCOMPARE(r.build(), fixture::kWorkedBlockLowBatt30);
        QCOMPARE(r.block.writeBlock(), fixture::kWorkedBlockLowBatt30);
        QCOMPARE(r.prompter.messageCount(), 0);

        // A value out of range is shown marked; its spin button stays.
        QCOMPARE(r.block.showBlock(withByte(kWorkedBlock, 16, "FF")), D::Ok);
        QVERIFY(r.editor.text(DeadBand) == "255" && r.editor.marked(DeadBand) && r.editor.spinValue(DeadBand) == 6);
    }

    // Byte 19 from FD to FF is "off": the field is emptied and disabled, and
    // the block written carries FF. A second such block changes nothing;
    // "Off" cleared gives the upper bound back.
    void limiterOff()
    {
        Rig r;
        r.block.takeReadBlock(kWorkedBlock);
        for (const char *byte19 : {"fd", "FF"}) {
            QCOMPARE(r.block.showBlock(withByte(kWorkedBlock, 19, QLatin1String(byte19))), D::Ok);
            QVERIFY(r.editor.curLimOff() && !r.editor.curLimEnabled() && r.editor.text(CurrentLimiter).isEmpty());
            QCOMPARE(r.build(), withByte(kWorkedBlock, 19, "FF"));
        }
        r.editor.setCurLimOff(false);
        QCOMPARE(r.editor.text(CurrentLimiter), QStringLiteral("300"));
    }

    // One field of the worked block edited, then the block built: its
    // characters from `pos` on (counted from 1), or the refusal's box (pos 0;
    // -1 when no block has been read from the controller).
    void build_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("expected");
        const QString abnormal = fixture::msg::dataAbnormal;
        QTest::newRow("byte, half to even, blanks") << 5 << " 6.5 " << 33 << "06";
        QTest::newRow("empty") << 3 << "" << 0 << abnormal;
        QTest::newRow("red") << 13 << "101" << 0 << abnormal;
        QTest::newRow("shown-only field red") << 9 << "200" << 0 << abnormal;
        QTest::newRow("reads as 6") << 5 << "6x" << 0 << abnormal;
        QTest::newRow("never checked") << 6 << "9." << 0 << abnormal;
        QTest::newRow("no block read yet") << 5 << "6" << -1 << fixture::msg::noReadBlock;
    }
    void build()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(int, pos);
        QFETCH(QString, expected);
        Rig r;
        QCOMPARE(r.block.showBlock(kWorkedBlock), D::Ok);
        if (pos >= 0)
            r.block.takeReadBlock(kWorkedBlock);
        r.editor.setText(field, text);
        QCOMPARE(pos > 0 ? r.build().mid(pos - 1, expected.size()) : r.build() + r.block.writeBlock(),
                 pos > 0 ? expected : QStringLiteral("<refused>"));
        QCOMPARE(r.prompter.messageTexts(), pos > 0 ? QStringList() : QStringList{expected});
        QVERIFY(pos > 0 || r.prompter.prompts.at(0).icon == (pos < 0 ? MessageIcon::Exclamation : MessageIcon::Information));
    }

    // Random editor states over random read blocks: the block written carries
    // the fixed bytes and the read block's own bytes where the controller
    // keeps them, and decodes back to the same editor.
    void roundTrip()
    {
        QRandomGenerator rng(530);
        const auto in = [&](int lo, int hi) { return int(rng.bounded(lo, hi + 1)); };
        const auto hex2 = [](int v) { return QStringLiteral("%1").arg(v, 2, 16, QLatin1Char('0')); };
        const auto word = [&](int lo, int hi) { const int v = in(lo, hi); return hex2(v & 0xFF) + hex2(v >> 8); };
        const int typed[][3] = {{PwmMinLoad, 100, 10000}, {PwmMaxLoad, 100, 10000}, {DeadBand, 2, 50},
                                {BrakeMaxDuty, 0, 100}, {NeutralBrake, 0, 100}, {CurrentLimitTimer, 0, 240},
                                {ForwardBoost, 0, 100}, {LowBattProtection, 25, 60}, {CurrentLimiter, 5, 30},
                                {CurrentLimiterTimeLimit, 5, 30}};
        for (int n = 0; n < 300; ++n) {
            QString read = word(100, 10000) + word(100, 10000) + word(1020, 2020) + word(720, 2320) + word(720, 2320);
            for (int b = 10; b < 32; ++b)
                read += b == 29 ? QStringLiteral("01") : hex2(in(0, b == 21 ? 100 : b == 19 ? 0xFC : 255));
            Rig r;
            r.block.takeReadBlock(read);
            QCOMPARE(r.block.showBlock(read), D::Ok);
            for (const auto &[field, lo, hi] : typed) {
                const int v = in(lo, hi);
                r.editor.setText(field, field == LowBattProtection ? QString::number(v / 10.0)
                                        : QString::number(hi == 30 ? v * 10 : v));
            }
            r.editor.setCurLimOff(in(0, 3) == 0);
            const QString w = r.build();
            QCOMPARE(w.mid(20, 12) + w.mid(36, 2) + w.mid(52, 4), QStringLiteral("0000000000005585C8"));
            QCOMPARE(w.mid(8, 12) + w.mid(42, 2) + w.mid(56, 8), read.mid(8, 12) + read.mid(42, 2) + read.mid(56, 8));
            Rig back;
            QCOMPARE(back.block.showBlock(w), D::Ok);
            for (int i = 0; i < kParamCount; ++i)
                QCOMPARE(back.editor.text(i), r.editor.text(i));
        }
    }

    // The lowest and highest value the controller accepts in each field, and
    // the next value beyond each, which is marked red.
    void bounds_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("texts"); // lowest, highest, below, above
        const QStringList pwm{"100", "10000", "99", "10001"}, point{"720", "2320", "719", "2321"},
            percent{"0", "100", "-1", "101"}, amps{"50", "300", "40", "310"};
        const QList<QStringList> rows{pwm,  pwm,  {"1020", "2020", "1019", "2021"}, point, point,
                                      {"2", "50", "1", "51"}, {"2.5", "6", "2.4", "6.1"}, amps, percent, percent,
                                      percent, {"0", "240", "-1", "241"}, amps, percent};
        for (int i = 0; i < kParamCount; ++i)
            QTest::addRow("%d", i) << i << rows.at(i);
    }
    void bounds()
    {
        QFETCH(int, field);
        QFETCH(QStringList, texts);
        EditorModel editor;
        for (int k = 0; k < 4; ++k) {
            editor.setText(field, texts.at(k));
            QCOMPARE(editor.text(field), texts.at(k));
            QCOMPARE(editor.marked(field), k >= 2);
        }
    }

    // Typed texts, arrow clicks ("+" up, "-" down) and "Off" ticked ("off")
    // or cleared ("on"), in order. Ticking "Off" empties field 7; clearing it
    // gives back the last number the field held, or the upper bound for the
    // 480 A of "off".
    void editing_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<int>("spin");
        QTest::newRow("one digit of a current waits") << 7 << QStringList{"5"} << "5" << true << 50;
        QTest::newRow("55 A to 60") << 7 << QStringList{"5", "55"} << "60" << false << 60;
        QTest::newRow("295 A to 300") << 12 << QStringList{"295"} << "300" << false << 300;
        QTest::newRow("455 A stays, red") << 7 << QStringList{"455"} << "455" << true << 50;
        QTest::newRow("25 A may grow") << 12 << QStringList{"2", "25", "250"} << "250" << false << 250;
        QTest::newRow("3. waits, old mark kept") << 6 << QStringList{"9", "3."} << "3." << true << 25;
        QTest::newRow("3.0 V follows spin") << 6 << QStringList{"3.0"} << "3" << false << 30;
        QTest::newRow("empty, up: lower bound") << 5 << QStringList{"+"} << "2" << false << 2;
        QTest::newRow("empty, down: nothing") << 5 << QStringList{"-"} << "" << false << 2;
        QTest::newRow("red, up: upper bound") << 8 << QStringList{"150", "+"} << "100" << false << 100;
        QTest::newRow("spin at upper bound") << 8 << QStringList{"100", "150", "+"} << "150" << true << 100;
        QTest::newRow("amperes in tens") << 7 << QStringList{"+", "+", "+", "-"} << "60" << false << 60;
        QTest::newRow("volts in tenths to 6") << 6 << QStringList{"5.9", "+", "+"} << "6" << false << 60;
        QTest::newRow("Off cleared") << 7 << QStringList{"200", "off", "on"} << "200" << false << 200;
        QTest::newRow("480 A not given back") << 7 << QStringList{"480", "off", "on"} << "300" << false << 300;
        QTest::newRow("no number yet") << 7 << QStringList{"120", "1.", "off", "on"} << "120" << false << 120;
    }
    void editing()
    {
        QFETCH(int, field);
        QFETCH(QStringList, steps);
        EditorModel editor;
        for (const QString &s : steps) {
            if (s == u"off" || s == u"on")
                editor.setCurLimOff(s == u"off");
            else
                s == u"+" ? editor.spinUp(field) : s == u"-" ? editor.spinDown(field) : editor.setText(field, s);
        }
        QCOMPARE(editor.curLimEnabled(), steps.count(QStringLiteral("off")) == steps.count(QStringLiteral("on")));
        QTEST(editor.text(field), "text");
        QTEST(editor.marked(field), "marked");
        QTEST(editor.spinValue(field), "spin");
    }

    // ClearData clears "Off" first, so that field 7 ends empty with the others.
    void clearAndReset()
    {
        EditorModel editor;
        editor.setText(BrakeMaxDuty, QStringLiteral("150"));
        editor.setText(CurrentLimiter, QStringLiteral("200"));
        editor.setCurLimOff(true);
        editor.setMode(2, true);
        editor.ClearData();
        QVERIFY(editor.text(CurrentLimiter).isEmpty() && editor.text(BrakeMaxDuty).isEmpty());
        QVERIFY(editor.curLimEnabled() && !editor.mode(2) && editor.marked(BrakeMaxDuty)); // emptying keeps the mark
        editor.reset();
        QVERIFY(!editor.marked(BrakeMaxDuty) && editor.curLimValue() == 0.0f);
    }
};

QTEST_GUILESS_MAIN(TestSettingBlock)
#include "tst_settingblock.moc"
