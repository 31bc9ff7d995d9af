#pragma once

// The log file "*.csv": the run-data log as comma-separated text that a
// spreadsheet can open, and the reader that brings such a file back into the
// log. The text is 8-bit (Latin-1); the program itself writes ASCII only.
//
//   Time(s),Voltage(V),Current(A)      header
//   0,7.4,120                          slot 1 (time 0 s)
//   1,,20                              slot 2, voltage empty
//   ...                                512 rows, every line ended by CR LF

#include "runlog/runlog.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>
#include <string_view>

namespace vq {

inline constexpr char kLogHeaderLine[] = "Time(s),Voltage(V),Current(A)";
// Its first field, all that the header line of a file read must hold.
inline constexpr std::string_view kLogHeaderField = std::string_view(kLogHeaderLine).substr(0, 7);

// The whole file text of the log: header, then one row "s-1,volt,cur" per
// slot s = 1..512 with an empty field for -1, numbers in shortest form, and
// CR LF after every line including the last (513 lines). Reads the log only.
[[nodiscard]] QByteArray MakeRunDat(const RunLog &log);

// A field of a log file read as a number: blanks and tabs around it are
// ignored; what remains must be, as a whole, a decimal number ("7.4", "-1",
// "+5", ".5", "5.", "1.5E-06") whose value fits a single-precision float.
// Not numbers: "", "5x", "7,4", "&H10", "nan", "inf", "1e39", "0x1A".
[[nodiscard]] std::optional<double> logFieldNumber(QByteArrayView field);

struct LogReadResult
{
    bool ok = false;
    // On failure: the line (numbered from 0, the header being line 0) that
    // stopped the reading. On success: the number of lines read.
    int line = 0;
};

// Reads a log file's content into the log. What spreadsheets and editors add
// is not read: a UTF-8 byte-order mark before the header, and lines made only
// of separators (",,"), blanks and tabs, empty ones among them, after the
// last other row. Lines end at CR LF, lone LF or lone CR; a line end at the
// very end of the content doesn't start another line. Line 0's first field
// must be exactly Time(s). Data line k (k = 1, 2, ...) must start with a
// number equal to k-1; its second field, if present, goes to RunVolt(k) and
// its third to RunCur(k), an empty field storing -1; further fields are
// ignored, and a line with only the index stores nothing. An empty line
// before the last row, an index out of sequence, a value that isn't a number
// and a value for a slot beyond 512 are errors.
//
// The log is not cleared first: slots the file doesn't reach keep what they
// held. Reading stops at the first error; the rows before it stay stored, and
// the faulty row itself stores nothing (its fields are checked first).
[[nodiscard]] LogReadResult readLogText(const QByteArray &content, RunLog &log);

// A log file's content as a log of its own, every slot starting empty, so
// the seconds a short file doesn't reach have no values. Nothing when the
// reader refuses the content.
[[nodiscard]] std::optional<RunLog> runLogFromFile(const QByteArray &content);

} // namespace vq
