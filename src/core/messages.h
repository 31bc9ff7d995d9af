#pragma once

// The program's message texts, each written once: the message boxes, the
// main window's message line, the command line's messages and the texts the
// log window and its pictures share. The window and the command line both
// take them from here, so a text changed here is changed everywhere it shows.
// (tests/core/messages_once.sh holds the rest of src/ to it.)

#include <QString>

namespace vq {

// Start-up.
inline const QString kMsgAlreadyOpened = QStringLiteral("This application is already opened!!");

// The serial port.
inline const QString kMsgPortInitialized = QStringLiteral("CommPort was initialized.");
inline const QString kMsgPortCannotOpen = QStringLiteral("ComPort cannot be opened.");

// The device operations.
inline const QString kMsgCommFault = QStringLiteral("RS232 communication fault.");
inline const QString kMsgCannotSet = QStringLiteral("VQ cannot be set.");
inline const QString kMsgCompletion = QStringLiteral("Completion");
inline const QString kMsgVerifyNg = QStringLiteral("Verify was NG.");
// The box names the folder and the system's reason; the message line gives
// them as its detail.
inline const QString kMsgNotBackedUp = QStringLiteral("The controller's settings could not be backed up.");
inline const QString kMsgNothingWritten = QStringLiteral("Nothing was written.");

// The setting data in the editor.
inline const QString kMsgDataAbnormal = QStringLiteral("Data is abnormal!!\r\nPlease set it correctly."); // information icon
inline const QString kMsgSettingDeleted = QStringLiteral("Setting Data is deleted.");                  // exclamation icon
inline const QString kMsgOtherModel = QStringLiteral("VQ type is different.");                        // exclamation icon
inline const QString kMsgNoReadBlock = QStringLiteral(
    "Setting data has not been read from the VQ yet.\r\nPlease read it with \"Setting Data Read\" first."); // exclamation icon

// Settings and log files.
inline const QString kMsgTrouble = QStringLiteral("Trouble is found in data.");
inline const QString kMsgCreateQuestion = QStringLiteral("File not found. Create it?");
inline const QString kMsgOverwriteQuestion = QStringLiteral("The file already exists. \r\nDo you overwrite?");
inline const QString kMsgNoData = QStringLiteral("There is no preserved data.");
inline const QString kMsgCannotSave = QStringLiteral("File cannot be saved.");
// Why an existing target is not replaced by a save.
inline const QString kReasonIsFolder = QStringLiteral("is a folder");
inline const QString kReasonNotOrdinary = QStringLiteral("not an ordinary file");

// The five device buttons' captions, also the status of a running operation
// and the command line's progress lines; in the order of DeviceButton.
inline const QString kCaptionRead = QStringLiteral("Setting Data Read");
inline const QString kCaptionWrite = QStringLiteral("Setting Data Write");
inline const QString kCaptionDefaults = QStringLiteral("Default Data Write");
inline const QString kCaptionDataGet = QStringLiteral("Data Get");
inline const QString kCaptionDataClear = QStringLiteral("Data Clear");

// The log window and the pictures of its graph.
inline const QString kTitleLogWindow = QStringLiteral("Log Data");
inline const QString kTitleTime = QStringLiteral("Time(s)");
inline const QString kTitleVoltage = QStringLiteral("Voltage(V)");
inline const QString kTitleCurrent = QStringLiteral("Current(A)");

// Every port the system has ("Other Ports…" and the command line's ports):
// the states a port can be in, and the hint for a port the user may not open.
inline const QString kStateFree = QStringLiteral("free");
inline const QString kStateInUse = QStringLiteral("in use by another program");
inline const QString kStateNoPermission = QStringLiteral("no permission");
inline const QString kStateNoAnswer = QStringLiteral("does not answer");
inline const QString kHintDialout = QStringLiteral(
    "Your user may not open serial ports: sudo adduser $USER dialout, then log out and in again.");
inline const QString kMenuOtherPorts = QStringLiteral("Other Ports\u2026");
inline const QString kTipOtherPorts = QStringLiteral(
    "The ports Com1 to Com16 that open now. Right-click for Other Ports\u2026: every serial port the system has.");
inline const QString kTitleOtherPorts = QStringLiteral("Other Ports");
inline const QString kColumnPort = QStringLiteral("Port");
inline const QString kColumnState = QStringLiteral("State");
inline const QString kColumnPinned = QStringLiteral("Pinned to");
inline const QString kColumnAdapter = QStringLiteral("Adapter");
inline const QString kButtonUsePort = QStringLiteral("Use This Port");
inline const QString kNoSystemPort = QStringLiteral("No serial port found.");
inline const QString kNoFreeComNumber = QStringLiteral("Com1 to Com16 are all taken; free one under [Ports] in the profile.");

// The trace of the line and the report made of it (the message line's
// context menu, --trace).
inline const QString kMenuCopyReport = QStringLiteral("Copy Report");
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
