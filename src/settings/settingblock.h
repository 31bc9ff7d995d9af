#pragma once

// The 64-character setting-data block: 32 bytes as hexadecimal digits, high
// nibble first, 16-bit values low byte first. It is the payload of the
// controller's read reply, the data sent after the write command and the
// whole content of a settings file.
//
// The one codec between blocks and ControllerSettings. Where each parameter
// stands and how it is converted comes from the parameter table; the model
// code, the ROM version, the mode flags and the fixed bytes are known here
// only.
//
// The block is not a plain image of the settings: only the parameters the
// user may change are encoded; the controller's calibration and identity
// bytes are copied from the block last read from the controller, and a few
// bytes are fixed.

#include "core/constants.h"
#include "core/messages.h"
#include "settings/controllersettings.h"

#include <QString>
#include <QStringView>

#include <algorithm>
#include <optional>

namespace vq {

// Model codes in byte 29.
inline constexpr int kModelVQ530T = 0x01;
inline constexpr int kModelDeleted = 0xFF;

inline const QString kVqTypeName = QStringLiteral("VQ530T");


enum class DecodeStatus { Ok, Deleted, OtherModel, Malformed };

// The parts of a block in the order they are decoded: parameters 0..13, then
// these. Where decoding stopped on a character that isn't a hexadecimal digit
// is one of them.
inline constexpr int kFieldRomVersion = 14;
inline constexpr int kFieldModeFlags = 15;
inline constexpr int kFieldCount = 16;
inline constexpr int kFieldBlockLength = -2; // fewer than 64 characters, nothing decoded

struct DecodedBlock {
    DecodeStatus status = DecodeStatus::Ok;
    int field = -1; // Malformed: the part where decoding stopped
    // Ok: everything. Malformed: the parts before `field`. Deleted and other
    // model: the model code. The ROM version whenever its byte is readable.
    ControllerSettings settings;

    // How many parts (in decoding order) hold decoded values.
    [[nodiscard]] int decodedParts() const
    {
        if (status == DecodeStatus::Ok)
            return kFieldCount;
        return status == DecodeStatus::Malformed ? std::max(field, 0) : 0;
    }
};

// Decodes the first 64 characters of `block`.
//  - Model code (characters 59-60) read leniently: 01 is this controller, FF
//    means the controller's setting data was deleted, anything else is
//    another model; in the last two cases nothing else is decoded.
//  - The plain byte and word positions (bytes 0-9, 16, 20, 21, 23, 25, 30) and
//    the flag digit (character 64) must be hexadecimal digits: another
//    character ends decoding there (Malformed, with the part). The converted
//    bytes 17, 19, 22 and 24 are read leniently: blanks, tabs and line feeds
//    skipped, as far as they are hexadecimal digits.
//  - Words read as unsigned, 0..65535; everything from 0x8000 on lies outside
//    every range.
//  - Current Limiter reading 480 A (bytes FD to FF) is "Off".
//  - A text shorter than 64 characters is Malformed (kFieldBlockLength).
[[nodiscard]] DecodedBlock decodeBlock(QStringView block);

// The block to send or save. `readBlock` is the block last read from the
// controller: its calibration and identity bytes are copied, and without it
// (not exactly 64 characters) there is no block, since a short block must
// never reach the controller or a file. Values are rounded as the controller
// expects: whole numbers and bytes half to even; "Off" is FF.
[[nodiscard]] std::optional<QString> encodeBlock(const ControllerSettings &settings, QStringView readBlock);

} // namespace vq
