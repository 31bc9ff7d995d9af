#include "files/logfile.h"

#include "core/conversions.h"

#include <QVarLengthArray>

#include <charconv>
#include <cmath>
#include <limits>

namespace vq {

namespace {

void appendValue(QByteArray &out, float value)
{
    // Only the exact marker means "no value"; anything else is written.
    if (value != kEmptySample)
        out += shortestText(value).toLatin1();
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

QByteArrayView trimmedBlanks(QByteArrayView text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
    return text.sliced(from, to - from);
}

// [+-] (digits [. digits] | . digits) [(E|e) [+-] digits], nothing else.
// Checked by hand because the library parsers also take "inf", "nan" or hex.
bool isDecimalNumber(QByteArrayView t)
{
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(t[i]))
        ++i, ++digits;
    if (i < n && t[i] == '.') {
        ++i;
        while (i < n && isDigit(t[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-'))
            ++i;
        qsizetype expDigits = 0;
        while (i < n && isDigit(t[i]))
            ++i, ++expDigits;
        if (expDigits == 0)
            return false;
    }
    return i == n;
}

// A row has its index, voltage and current; anything after them is ignored
// and is kept whole as the fourth field, so a line of a million separators
// costs no more than a short one.
constexpr qsizetype kFieldsSplit = 4;

// One line of the file split at the first three ",". An empty line has no
// field at all.
QVarLengthArray<QByteArrayView, kFieldsSplit> splitFields(QByteArrayView line)
{
    QVarLengthArray<QByteArrayView, kFieldsSplit> fields;
    if (line.isEmpty())
        return fields;
    qsizetype start = 0;
    for (;;) {
        const qsizetype comma = fields.size() + 1 < kFieldsSplit ? line.indexOf(',', start) : -1;
        if (comma < 0) {
            fields.append(line.sliced(start));
            return fields;
        }
        fields.append(line.sliced(start, comma - start));
        start = comma + 1;
    }
}

// A value field: empty stores the marker, anything else must be a number.
std::optional<float> sampleValue(QByteArrayView field)
{
    if (field.isEmpty())
        return kEmptySample;
    const std::optional<double> value = logFieldNumber(field);
    if (!value)
        return std::nullopt;
    return float(*value);
}

} // namespace

QByteArray MakeRunDat(const RunLog &log)
{
    QByteArray out;
    out.reserve(16 * 1024);
    out += kLogHeaderLine;
    out += "\r\n";
    for (int s = 1; s <= kLogSamples; ++s) {
        out += QByteArray::number(s - 1);
        out += ',';
        appendValue(out, log.RunVolt(s));
        out += ',';
        appendValue(out, log.RunCur(s));
        out += "\r\n";
    }
    return out;
}

std::optional<double> logFieldNumber(QByteArrayView field)
{
    QByteArrayView t = trimmedBlanks(field);
    if (!isDecimalNumber(t))
        return std::nullopt;
    // from_chars doesn't take a leading "+".
    if (t.front() == '+')
        t = t.sliced(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size())
        return std::nullopt;
    // The log holds single-precision values: anything larger has no slot value.
    if (!std::isfinite(value) || std::fabs(value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return value;
}

namespace {

// The text without what spreadsheets and editors put round a sheet: the
// byte-order mark of "CSV UTF-8" at the start, and at the end rows made only
// of separators (a sheet whose widest row is wider than the log) and blank
// lines (an editor's extra line end, trailing spaces). Such a row with data
// after it is still a faulty row.
QByteArrayView withoutSpreadsheetExtras(QByteArrayView text)
{
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    for (;;) {
        qsizetype lineEnd = text.size();
        if (lineEnd > 0 && text[lineEnd - 1] == '\n')
            --lineEnd;
        if (lineEnd > 0 && text[lineEnd - 1] == '\r')
            --lineEnd;
        qsizetype start = lineEnd;
        while (start > 0 && (text[start - 1] == ',' || isBlank(text[start - 1])))
            --start;
        // Something else on the line, or the first line (the header's place).
        if (start == 0 || (text[start - 1] != '\n' && text[start - 1] != '\r'))
            return text;
        text = text.first(start);
    }
}

} // namespace

LogReadResult readLogText(const QByteArray &content, RunLog &log)
{
    const QByteArrayView text = withoutSpreadsheetExtras(content);
    const qsizetype size = text.size();
    qsizetype pos = 0;
    int lineNo = 0;

    // The content must at least hold the header line.
    if (size == 0)
        return {false, 0};

    while (pos < size) {
        qsizetype end = pos;
        while (end < size && text[end] != '\r' && text[end] != '\n')
            ++end;
        const QByteArrayView line = text.sliced(pos, end - pos);
        pos = end;
        if (pos < size && text[pos] == '\r')
            ++pos;
        if (pos < size && text[pos] == '\n') // LF alone or after the CR
            ++pos;

        const auto fields = splitFields(line);
        if (lineNo == 0) {
            if (fields.isEmpty() || fields[0] != QByteArrayView(kLogHeaderField.data(), qsizetype(kLogHeaderField.size())))
                return {false, 0};
            ++lineNo;
            continue;
        }

        const int k = lineNo;
        if (fields.isEmpty())
            return {false, k};
        const std::optional<double> index = logFieldNumber(fields[0]);
        if (!index || *index != double(k - 1))
            return {false, k};

        // Check the whole row before storing any of it.
        std::optional<float> volt;
        std::optional<float> cur;
        if (fields.size() >= 2) {
            if (k > kLogSamples)
                return {false, k};
            volt = sampleValue(fields[1]);
            if (!volt)
                return {false, k};
        }
        if (fields.size() >= 3) {
            cur = sampleValue(fields[2]);
            if (!cur)
                return {false, k};
        }
        if (volt)
            log.setVolt(k, *volt);
        if (cur)
            log.setCur(k, *cur);
        ++lineNo;
    }
    return {true, lineNo};
}

std::optional<RunLog> runLogFromFile(const QByteArray &content)
{
    RunLog log;
    for (int n = 1; n <= kLogSamples; ++n) {
        log.setVolt(n, kEmptySample);
        log.setCur(n, kEmptySample);
    }
    if (!readLogText(content, log).ok)
        return std::nullopt;
    return log;
}

} // namespace vq
