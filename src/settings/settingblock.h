#pragma once

// The 64-character setting-data block: 32 bytes as hexadecimal digits, high
// nibble first, 16-bit values low byte first. It is the payload of the
// controller's read reply, the data sent after the write command and the
// whole content of a settings file.
//
// The block is not a plain image of the editor: only the parameters the user
// may change are taken from the editor; the controller's calibration and
// identity bytes are copied from the block last read from the controller, and
// a few bytes are fixed.

#include "core/constants.h"
#include "platform/prompter.h"
#include "settings/editormodel.h"

#include <QString>
#include <QStringView>

namespace vq {

// Model codes in byte 29.
inline constexpr int kModelVQ530T = 0x01;
inline constexpr int kModelDeleted = 0xFF;

inline const QString kVqTypeName = QStringLiteral("VQ530T");

inline const QString kMsgDataAbnormal = QStringLiteral("Data is abnormal!!\r\nPlease set it correctly."); // information icon
inline const QString kMsgSettingDeleted = QStringLiteral("Setting Data is deleted.");                  // exclamation icon
inline const QString kMsgOtherModel = QStringLiteral("VQ type is different.");                        // exclamation icon
inline const QString kMsgNoReadBlock = QStringLiteral("Setting data has not been read from the VQ yet.\r\nPlease read it with \"Setting Data Read\" first."); // exclamation icon

struct WriteDataResult {
    bool ok = false;
    QString block;   // the 64 characters when ok
    QString message; // the message box to show when refused
    MessageIcon icon = MessageIcon::None;
    int field = -1;  // the first abnormal field, when a field was refused
};

// Builds the block to send or save from the editor. `readBlock` is the block
// last read from the controller; its calibration and identity bytes are
// copied. Refused (ok false, with the message to show) when a field is empty,
// marked out of range or not a plain number (isPlainNumber), checked in index
// order and stopping at the first; Current Limiter is exempt while "Off" is
// ticked. Also refused, after the fields, when `readBlock` isn't exactly 64
// characters: the copied bytes would be missing and a short block must never
// reach the controller or a file.
[[nodiscard]] WriteDataResult MakeWriteData(const EditorModel &editor, const QString &readBlock);

enum class DecodeStatus { Ok, Deleted, OtherModel, Malformed };

// Where decoding stopped on a character that isn't a hexadecimal digit:
// a parameter index 0..13, or one of these.
inline constexpr int kFieldRomVersion = 14;
inline constexpr int kFieldModeFlags = 15;
inline constexpr int kFieldBlockLength = -2; // fewer than 64 characters, nothing decoded

struct DecodeResult {
    DecodeStatus status = DecodeStatus::Ok;
    int field = -1; // Malformed: the field where decoding stopped
};

// Decodes the first 64 characters of `block` into the editor, through the
// editor's change handling so that marks, spin buttons and "Off" follow.
//  - Model code (characters 59-60) read leniently: 01 fills the editor, FF
//    means the controller's setting data was deleted, anything else is another
//    model; in the last two cases the fields keep what they showed.
//  - The plain byte and word positions (bytes 0-9, 16, 20, 21, 23, 25, 30) and
//    the flag digit (character 64) must be hexadecimal digits: another
//    character ends decoding there (Malformed, with the field); the fields set
//    before keep their new text. The converted bytes 17, 19, 22 and 24 are read
//    leniently, as far as they are hexadecimal.
//  - Words read as unsigned, 0..65535; everything from 0x8000 on lies outside
//    every range and is marked.
//  - A text shorter than 64 characters is Malformed (kFieldBlockLength)
//    and leaves the editor untouched.
DecodeResult ShowSettingData(QStringView block, EditorModel &editor);

} // namespace vq
