// Whatever the controller answers to "sr": the reply-taking part of the read
// either refuses it, or gives a 64-digit hexadecimal block, the ROM version of
// its byte 30 and a receive buffer that starts with the block, which the
// decoder then reads without a malformed field.

#include "fuzzcheck.h"
#include "link/commandexchange.h"
#include "scriptedprompter.h"
#include "settings/controllerblock.h"
#include "settings/editormodel.h"
#include "settings/settingblock.h"

using namespace vq;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString received = vq::fuzz::latin1(data, size);
    const std::optional<ReadReply> taken = takeReadReply(received);
    if (!taken)
        return 0;

    FUZZ_CHECK(received.size() == kReadReplyLength, "took a reply of %d characters", int(received.size()));
    FUZZ_CHECK(isSettingBlock(taken->block), "took a block that isn't 64 hex digits");
    FUZZ_CHECK(taken->recvBuffer.startsWith(taken->block), "the receive buffer doesn't start with the block");
    FUZZ_CHECK(!taken->recvBuffer.contains(QLatin1String("sr")), "the echo is still in the buffer");

    EditorModel editor;
    editor.reset();
    ScriptedPrompter prompter;
    ControllerBlock block(editor, prompter);
    block.takeReadBlock(taken->block);
    FUZZ_CHECK(block.readBlock() == taken->block, "the block read isn't kept");
    FUZZ_CHECK(block.romVersion() == taken->block.mid(60, 2).toInt(nullptr, 16), "ROM version not byte 30");
    const DecodedBlock decoded = decodeBlock(taken->recvBuffer);
    editor.show(decoded);
    FUZZ_CHECK(decoded.status != DecodeStatus::Malformed, "a taken block is malformed at field %d", decoded.field);
    return 0;
}
