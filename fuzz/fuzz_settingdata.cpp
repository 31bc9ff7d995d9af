// A setting-data block from anywhere (the controller, a file) decoded into the
// editor, then some typing, then the block built for writing. Whatever the
// block held, building must give 64 hexadecimal digits with the fixed and the
// copied bytes in place, or refuse; and a block the program built must decode
// and build again.
//
// Input: the first 64 bytes are the block (shorter input is padded with "0");
// the rest, split at line feeds, is typing: the first byte of a piece picks
// the field, the others are its text; a piece of one byte 0xFF clicks "Off".

#include "fuzzcheck.h"
#include "settings/editormodel.h"
#include "settings/paramtable.h"
#include "settings/settingblock.h"

using namespace vq;

namespace {

// A block as the controller sends it: model VQ530T, ROM 16, flags A.
const QString kReadBlock = QStringLiteral("E803401FF005D0074C040000000000000620556A6464000A500085C80001100A");

bool isUpperHex(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

bool isHex(QChar c)
{
    return isUpperHex(c) || (c >= u'a' && c <= u'f');
}

void checkBuilt(const QString &block, const QString &readBlock, const char *when)
{
    FUZZ_CHECK(block.size() == kBlockLength, "%s: %d characters", when, int(block.size()));
    for (QChar c : block)
        FUZZ_CHECK(isHex(c), "%s: not hexadecimal: %s", when, qPrintable(block));
    // What the program computes is upper case; what it copies keeps its case.
    for (int pos : {0, 1, 2, 3, 4, 5, 6, 7})
        FUZZ_CHECK(isUpperHex(block[pos]), "%s: %s", when, qPrintable(block));
    FUZZ_CHECK(block.mid(20, 12) == QLatin1String("000000000000"), "%s: bytes 10-15 %s", when, qPrintable(block));
    FUZZ_CHECK(block.mid(36, 2) == QLatin1String("55"), "%s: byte 18 %s", when, qPrintable(block));
    FUZZ_CHECK(block.mid(52, 4) == QLatin1String("85C8"), "%s: bytes 26-27 %s", when, qPrintable(block));
    FUZZ_CHECK(block.mid(8, 12) == readBlock.mid(8, 12), "%s: calibration not copied", when);
    FUZZ_CHECK(block.mid(42, 2) == readBlock.mid(42, 2), "%s: byte 21 not copied", when);
    FUZZ_CHECK(block.mid(56) == readBlock.mid(56), "%s: bytes 28-31 not copied", when);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const size_t blockBytes = std::min<size_t>(size, kBlockLength);
    QString block = vq::fuzz::latin1(data, blockBytes);
    block = block.leftJustified(kBlockLength, u'0');

    EditorModel editor;
    editor.reset();
    editor.show(decodeBlock(block));

    if (size > kBlockLength) {
        const QByteArray typing = vq::fuzz::bytes(data + kBlockLength, size - kBlockLength);
        for (const QByteArray &piece : typing.split('\n')) {
            if (piece.isEmpty())
                continue;
            if (piece.size() == 1 && quint8(piece[0]) == 0xFF) {
                editor.setCurLimOff(!editor.curLimOff());
                continue;
            }
            const int field = quint8(piece[0]) % kParamCount;
            editor.setText(field, QString::fromLatin1(piece.mid(1)));
        }
    }

    // "Off" and the Current Limiter field go together.
    FUZZ_CHECK(editor.curLimEnabled() == !editor.curLimOff(), "Off and the field's enabled state disagree");

    // The editor's settings encoded, or the field that refuses them.
    const auto build = [](const EditorModel &e) -> std::optional<QString> {
        const EditorSettings taken = e.settings();
        if (taken.abnormalField >= 0)
            return std::nullopt;
        return encodeBlock(taken.settings, kReadBlock);
    };
    const std::optional<QString> made = build(editor);
    if (!made)
        return 0;
    checkBuilt(*made, kReadBlock, "first build");

    // What was written reads back: the block decodes in full and builds again.
    EditorModel again;
    again.reset();
    const DecodedBlock decoded = decodeBlock(*made);
    again.show(decoded);
    FUZZ_CHECK(decoded.status == DecodeStatus::Ok, "a built block doesn't decode: %s (status %d field %d)",
               qPrintable(*made), int(decoded.status), decoded.field);
    const std::optional<QString> second = build(again);
    FUZZ_CHECK(second.has_value(), "a built block read back is refused at field %d: %s",
               again.settings().abnormalField, qPrintable(*made));
    checkBuilt(*second, kReadBlock, "second build");

    // One trip through the controller's units settles the values for good.
    EditorModel third;
    third.reset();
    third.show(decodeBlock(*second));
    const std::optional<QString> settled = build(third);
    FUZZ_CHECK(settled && *settled == *second, "the block keeps changing: %s -> %s -> %s",
               qPrintable(*made), qPrintable(*second), qPrintable(settled.value_or(QString())));
    return 0;
}
