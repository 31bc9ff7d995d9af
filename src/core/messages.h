#pragma once

// The program's message texts, each written once: the message boxes, the
// main window's message line, the command line's messages and the texts the
// log window and its pictures share. The window and the command line both
// take them from here, so a text changed here is changed everywhere it shows.
// (tests/core/messages_once.sh holds the rest of src/ to it.)
//
// Each text is marked for the translators (context "Messages"), but the
// constants hold the English text: the command line, the files and the
// profile use them as they are. Only the windows show a text translated,
// through displayText() (core/displaytext.h) where they show it.

#include <QString>
#include <QtGlobal>

#include <array>

namespace vq {

// Start-up.
inline const QString kMsgAlreadyOpened = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "This application is already opened!!"));

// The serial port.
inline const QString kMsgPortInitialized = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "CommPort was initialized."));
inline const QString kMsgPortCannotOpen = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "ComPort cannot be opened."));
// Why a port did not open: the message line's tool tip and standard error.
inline const QString kReasonNoSuchDevice = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "no such device"));
inline const QString kReasonNoPermission = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "no permission, or in use by another program"));
inline const QString kReasonLineSettings = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "the line settings are refused"));
inline const QString kReasonNoAnswer = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "the port does not answer"));
inline const QString kReasonDeviceRefused = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "the device refused"));

// The device operations.
inline const QString kMsgCommFault = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "RS232 communication fault."));
inline const QString kMsgCannotSet = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "VQ cannot be set."));
inline const QString kMsgCompletion = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Completion"));
inline const QString kMsgVerifyNg = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Verify was NG."));
// The box names the folder and the system's reason; the message line gives
// them as its detail.
inline const QString kMsgNotBackedUp = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "The controller's settings could not be backed up."));
inline const QString kMsgNothingWritten = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Nothing was written."));

// The setting data in the editor.
inline const QString kMsgDataAbnormal = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Data is abnormal!!\r\nPlease set it correctly.")); // information icon
inline const QString kMsgSettingDeleted = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Setting Data is deleted."));                  // exclamation icon
inline const QString kMsgOtherModel = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "VQ type is different."));                        // exclamation icon
inline const QString kMsgNoReadBlock = QStringLiteral(QT_TRANSLATE_NOOP("Messages",
    "Setting data has not been read from the VQ yet.\r\nPlease read it with \"Setting Data Read\" first.")); // exclamation icon

// Settings and log files.
inline const QString kMsgTrouble = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Trouble is found in data."));
inline const QString kMsgCreateQuestion = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "File not found. Create it?"));
inline const QString kMsgOverwriteQuestion = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "The file already exists. \r\nDo you overwrite?"));
inline const QString kMsgNoData = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "There is no preserved data."));
inline const QString kMsgCannotSave = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "File cannot be saved."));
// Why an existing target is not replaced by a save, or a file not read.
inline const QString kReasonIsFolder = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "is a folder"));
inline const QString kReasonNotOrdinary = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "not an ordinary file"));
inline const QString kReasonReadOnly = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "read-only"));
inline const QString kReasonUnreadable = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "can't be read"));

// The five device buttons' captions, also the status of a running operation
// and the command line's progress lines; in the order of DeviceButton.
inline const QString kCaptionRead = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Setting Data Read"));
inline const QString kCaptionWrite = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Setting Data Write"));
inline const QString kCaptionDefaults = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Default Data Write"));
inline const QString kCaptionDataGet = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Data Get"));
inline const QString kCaptionDataClear = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Data Clear"));

// The log window and the pictures of its graph.
inline const QString kTitleLogWindow = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Log Data"));
inline const QString kTitleTime = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Time(s)"));
inline const QString kTitleVoltage = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Voltage(V)"));
inline const QString kTitleCurrent = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Current(A)"));

// Every port the system has (the port dialog's list of other ports and the
// command line's ports):
// the states a port can be in, and the hint for a port the user may not open.
inline const QString kStateFree = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "free"));
inline const QString kStateInUse = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "in use by another program"));
inline const QString kStateNoPermission = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "no permission"));
inline const QString kStateNoAnswer = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "does not answer"));
inline const QString kHintDialout = QStringLiteral(QT_TRANSLATE_NOOP("Messages",
    "Your user may not open serial ports: sudo adduser $USER dialout, then log out and in again."));
inline const QString kMenuOtherPorts = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Other Ports…"));
inline const QString kTipOtherPorts = QStringLiteral(QT_TRANSLATE_NOOP("Messages",
    "The ports Com1 to Com16 that open now. Right-click for Other Ports…: every serial port the system has."));
inline const QString kTitleOtherPorts = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Other Ports"));
inline const QString kColumnPort = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Port"));
inline const QString kColumnState = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "State"));
inline const QString kColumnPinned = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Pinned to"));
inline const QString kColumnAdapter = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Adapter"));
inline const QString kButtonUsePort = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Use This Port"));
inline const QString kNoSystemPort = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "No serial port found."));
inline const QString kNoFreeComNumber = QStringLiteral(QT_TRANSLATE_NOOP("Messages",
    "Com1 to Com16 are all taken; free one under [Ports] in the profile."));
// The message line's context menu.
inline const QString kMenuCopyReport = QStringLiteral(QT_TRANSLATE_NOOP("Messages", "Copy Report"));

// Every text above, for the windows' translation and its tests.
inline const auto kMessageCatalogue = std::to_array<const QString *>({
    &kMsgAlreadyOpened, &kMsgPortInitialized, &kMsgPortCannotOpen, &kReasonNoSuchDevice, &kReasonNoPermission,
    &kReasonLineSettings, &kReasonNoAnswer, &kReasonDeviceRefused, &kMsgCommFault, &kMsgCannotSet,
    &kMsgCompletion, &kMsgVerifyNg, &kMsgNotBackedUp, &kMsgNothingWritten, &kMsgDataAbnormal,
    &kMsgSettingDeleted, &kMsgOtherModel, &kMsgNoReadBlock, &kMsgTrouble, &kMsgCreateQuestion,
    &kMsgOverwriteQuestion, &kMsgNoData, &kMsgCannotSave, &kReasonIsFolder, &kReasonNotOrdinary,
    &kReasonReadOnly, &kReasonUnreadable, &kCaptionRead, &kCaptionWrite, &kCaptionDefaults,
    &kCaptionDataGet, &kCaptionDataClear, &kTitleLogWindow, &kTitleTime, &kTitleVoltage,
    &kTitleCurrent, &kStateFree, &kStateInUse, &kStateNoPermission, &kStateNoAnswer,
    &kHintDialout, &kMenuOtherPorts, &kTipOtherPorts, &kTitleOtherPorts, &kColumnPort,
    &kColumnState, &kColumnPinned, &kColumnAdapter, &kButtonUsePort, &kNoSystemPort,
    &kNoFreeComNumber, &kMenuCopyReport});

// The trace of the line and the report made of it (the message line's
// context menu, --trace): English in every language, like the command
// line, since a report is pasted into a bug report and a trace is a file.
inline const QString kTraceHeader = QStringLiteral(
    "%1 %2.%3%4\nSystem: %5 (%6 %7)\nQt: %8\nPort: %9\nAdapter: %10\n");
inline const QString kTraceUnknown = QStringLiteral("unknown");
inline const QString kTraceLost = QStringLiteral("line lost");
inline const QString kTraceOpening = QStringLiteral("opening %1");
inline const QString kTraceOpened = QStringLiteral("line opened");
inline const QString kTraceOpenFailed = QStringLiteral("line not opened");
inline const QString kTraceEnd = QStringLiteral("command ended");
inline const QString kReportProfile = QStringLiteral("Profile: %1");
inline const QString kReportTrace = QStringLiteral("Trace, the last %1 lines:");

} // namespace vq
