#pragma once

// The one owner of the controller's setting-data block as the program knows
// it: ReadBlock and RomVersion from the last good read, WriteBlock built for
// the last write or save, and the two steps that turn a block into the
// editor's fields and back, each with the messages it calls for. The device
// operations and the file commands both go through it, so "has a block been
// read?" and "may Setting Data Write be pressed?" have one answer each.

#include "core/constants.h"
#include "settings/settingblock.h"

#include <QObject>
#include <QString>
#include <QStringView>

#include <optional>

namespace vq {

class EditorModel;
class Prompter;

// Outcome of decoding a block into the editor.
enum class SettingsDecode {
    Ok,        // the editor shows the block
    Refused,   // deleted or foreign block: its message has been shown
    Malformed, // a character the decoder can't read: the caller reports it
};

class ControllerBlock : public QObject
{
    Q_OBJECT

public:
    ControllerBlock(EditorModel &editor, Prompter &prompter, QObject *parent = nullptr);

    // Start state: nothing read yet.
    void reset();

    // A block of 64 hexadecimal digits just read from the controller: it
    // becomes ReadBlock, decoded once; the ROM version is its.
    void takeReadBlock(const QString &block);

    [[nodiscard]] bool hasReadBlock() const { return m_readBlock.size() == kBlockLength; }
    [[nodiscard]] const QString &readBlock() const { return m_readBlock; }
    [[nodiscard]] const QString &writeBlock() const { return m_writeBlock; }
    [[nodiscard]] qint16 romVersion() const { return qint16(m_read.settings.romVersion); }
    // ReadBlock decoded.
    [[nodiscard]] const DecodedBlock &readSettings() const { return m_read; }

    // ShowSettingData with its messages (Setting Data is deleted., "VQ type
    // is different."). Unless the block is malformed, the Write button is set
    // by the outcome (writeAllowedChanged): allowed only after a complete decode.
    SettingsDecode showBlock(QStringView block);
    // The same for ReadBlock, decoded when it was taken.
    SettingsDecode showReadBlock();

    // The editor's settings encoded over ReadBlock; a refusal (an abnormal
    // field, or nothing read yet) shows its message and gives nothing. The
    // block built becomes WriteBlock.
    [[nodiscard]] std::optional<QString> buildWriteBlock();

    // The Write button after an operation: only while the editor shows a block.
    [[nodiscard]] bool writeAllowedAfterOperation() const;

signals:
    void writeAllowedChanged(bool allowed);

private:
    SettingsDecode show(const DecodedBlock &decoded);

    EditorModel &m_editor;
    Prompter &m_prompter;
    QString m_readBlock;
    QString m_writeBlock;
    DecodedBlock m_read;
};

} // namespace vq
