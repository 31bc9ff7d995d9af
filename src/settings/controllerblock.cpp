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
    m_romVersion = -1;
}

void ControllerBlock::takeReadBlock(const QString &block)
{
    if (block.size() != kBlockLength || !isHexText(block))
        return;
    m_readBlock = block;
    m_romVersion = qint16(hexByteAt(block, 60));
}

SettingsDecode ControllerBlock::showBlock(QStringView block)
{
    const DecodeResult result = ShowSettingData(block, m_editor);
    switch (result.status) {
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
    const bool ok = result.status == DecodeStatus::Ok;
    emit writeAllowedChanged(ok);
    return ok ? SettingsDecode::Ok : SettingsDecode::Refused;
}

std::optional<QString> ControllerBlock::buildWriteBlock()
{
    const WriteDataResult made = MakeWriteData(m_editor, m_readBlock);
    if (!made.ok) {
        m_prompter.message(made.message, made.icon);
        return std::nullopt;
    }
    m_writeBlock = made.block;
    return made.block;
}

bool ControllerBlock::writeAllowedAfterOperation() const
{
    return !m_editor.text(0).isEmpty();
}

} // namespace vq
