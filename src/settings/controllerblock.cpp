#include "settings/controllerblock.h"

#include "core/hex.h"
#include "platform/prompter.h"
#include "settings/editormodel.h"

namespace vq {

ControllerBlock::ControllerBlock(EditorModel &editor, Prompter &prompter, QObject *parent)
    : QObject(parent), m_editor(editor), m_prompter(prompter)
{
}

void ControllerBlock::reset()
{
    m_readBlock.clear();
    m_writeBlock.clear();
    m_read = DecodedBlock{};
}

void ControllerBlock::takeReadBlock(const QString &block)
{
    if (block.size() != kBlockLength || !isHexText(block))
        return;
    m_readBlock = block;
    m_read = decodeBlock(block);
}

SettingsDecode ControllerBlock::showBlock(QStringView block)
{
    return show(decodeBlock(block));
}

SettingsDecode ControllerBlock::showReadBlock()
{
    return show(m_read);
}

SettingsDecode ControllerBlock::show(const DecodedBlock &decoded)
{
    m_editor.show(decoded);
    switch (decoded.status) {
    case DecodeStatus::Malformed:
        return SettingsDecode::Malformed;
    case DecodeStatus::Deleted:
        m_prompter.message(kMsgSettingDeleted, MessageIcon::Exclamation);
        break;
    case DecodeStatus::OtherModel:
        m_prompter.message(kMsgOtherModel, MessageIcon::Exclamation);
        break;
    case DecodeStatus::Ok:
        break;
    }
    const bool ok = decoded.status == DecodeStatus::Ok;
    emit writeAllowedChanged(ok);
    return ok ? SettingsDecode::Ok : SettingsDecode::Refused;
}

std::optional<QString> ControllerBlock::buildWriteBlock()
{
    const EditorSettings taken = m_editor.settings();
    if (taken.abnormalField >= 0) {
        m_prompter.message(kMsgDataAbnormal, MessageIcon::Information);
        return std::nullopt;
    }
    const std::optional<QString> block = encodeBlock(taken.settings, m_readBlock);
    if (!block) {
        m_prompter.message(kMsgNoReadBlock, MessageIcon::Exclamation);
        return std::nullopt;
    }
    m_writeBlock = *block;
    return block;
}

bool ControllerBlock::writeAllowedAfterOperation() const
{
    return !m_editor.text(0).isEmpty();
}

} // namespace vq
