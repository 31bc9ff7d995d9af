#pragma once

// Shared test data: the worked setting-data block, the program's message
// texts as the user reads them, and whole-file reads and writes. Tests pin
// what the outside world sees by these literal values, never by the
// constants the program itself uses.

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTimeZone>

#include <ctime>

namespace fixture {

// The worked block. It shows PWM frequencies 1000 and 8000, Neutral 1520,
// High points 2000 and 1100, Dead Band 6, Low Batt. Protection 2.5, Current
// Limiter 200, Brake Max. Duty 100, Reverse Max Duty 100, Neutral Brake 0,
// Current Limit timer 10, Current Limiter(Time Limit) 150, Forward Boost 0,
// VQ Type VQ530T, ROM Version 16, "Reverse Mode" and "Lipo Mode" ticked.
inline const QString kWorkedBlock = QStringLiteral("E803401FF005D0074C040000000000000620556A6464000A500085C80001100A");
// The same block after Low Batt. Protection is changed to 3.0: byte 17 is 27.
inline const QString kWorkedBlockLowBatt30 = QStringLiteral("E803401FF005D0074C040000000000000627556A6464000A500085C80001100A");

// An "sr" reply carrying a block: the echo, the block, CR LF.
inline QByteArray readReply(const QString &block)
{
    return "sr" + block.toLatin1() + "\r\n";
}

namespace msg {
inline const QString commFault = QStringLiteral("RS232 communication fault.");
inline const QString cannotSet = QStringLiteral("VQ cannot be set.");
inline const QString completion = QStringLiteral("Completion");
inline const QString verifyNg = QStringLiteral("Verify was NG.");
inline const QString portInitialized = QStringLiteral("CommPort was initialized.");
inline const QString portCannotOpen = QStringLiteral("ComPort cannot be opened.");
inline const QString alreadyOpened = QStringLiteral("This application is already opened!!");
inline const QString dataAbnormal = QStringLiteral("Data is abnormal!!\r\nPlease set it correctly.");
inline const QString settingDeleted = QStringLiteral("Setting Data is deleted.");
inline const QString otherModel = QStringLiteral("VQ type is different.");
inline const QString noReadBlock = QStringLiteral(
    "Setting data has not been read from the VQ yet.\r\nPlease read it with \"Setting Data Read\" first.");
inline const QString trouble = QStringLiteral("Trouble is found in data.");
inline const QString createQuestion = QStringLiteral("File not found. Create it?");
inline const QString overwriteQuestion = QStringLiteral("The file already exists. \r\nDo you overwrite?");
inline const QString noData = QStringLiteral("There is no preserved data.");
inline const QString cannotSave = QStringLiteral("File cannot be saved.");
} // namespace msg

#ifdef VQ_PROGRAM_PATH
// A copy of the program in `folder` (its path, or empty when it can't be
// made), with the window's module where the program loads one.
[[nodiscard]] inline QString copyProgram(const QString &folder)
{
    const QString copy = folder + QStringLiteral("/vq530t-link");
    if (!QFile::copy(QStringLiteral(VQ_PROGRAM_PATH), copy))
        return {};
#ifdef VQ_WINDOW_PART_PATH
    const QString part = QStringLiteral(VQ_WINDOW_PART_PATH);
    if (!QFile::copy(part, folder + u'/' + QFileInfo(part).fileName()))
        return {};
#endif
    return copy;
}
#endif

// The bytes of a trace's lines of one direction (" TX ", " RX "), joined, with
// the escapes of a carriage return and a line feed undone.
inline QByteArray tracedBytes(const QString &trace, const QString &direction)
{
    QString bytes;
    for (const QString &line : trace.split(u'\n'))
        if (line.contains(direction))
            bytes += line.section(direction, 1);
    return bytes.replace(QStringLiteral("\\r"), QStringLiteral("\r")).replace(QStringLiteral("\\n"), QStringLiteral("\n")).toLatin1();
}

// The file's bytes, or "<missing>" when it can't be read.
inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

[[nodiscard]] inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Runs this process, and the programs it starts, in the zone of New York
// (UTC-5, UTC-4 in summer), written as a rule so no zone files are needed: a
// time taken from the wrong clock then shows. True once local time follows it.
[[nodiscard]] inline bool inNewYorkTime()
{
#ifdef Q_OS_WIN
    qputenv("TZ", "EST5EDT"); // the C runtime's form; it keeps the same summer rule
    ::_tzset();
#else
    qputenv("TZ", "EST5EDT,M3.2.0,M11.1.0");
    ::tzset();
#endif
    const auto hourAt = [](int month) {
        return QDateTime(QDate(2026, month, 1), QTime(12, 0), QTimeZone::utc()).toLocalTime().time().hour();
    };
    return hourAt(1) == 7 && hourAt(7) == 8;
}

} // namespace fixture
