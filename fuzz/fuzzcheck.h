#pragma once

// Shared bits of the fuzz targets: a check that stops the run with a message
// when a property of the program is broken (libFuzzer then keeps the input
// as a crash file), and the ways raw bytes become text.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, ...)                                                         \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: check failed: %s\n  ", __FILE__, __LINE__, #condition); \
            std::fprintf(stderr, __VA_ARGS__);                                             \
            std::fprintf(stderr, "\n");                                                    \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

namespace vq::fuzz {

// The bytes as the program reads a file or the line: one character per byte.
inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

inline QString latin1(const uint8_t *data, size_t size)
{
    return QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The bytes read as UTF-16 code units, so that text typed into a field with
// any character at all is reached too.
inline QString utf16(const uint8_t *data, size_t size)
{
    return QString(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
}

inline QByteArray printable(const QString &text)
{
    return text.toUtf8().toPercentEncoding(" ,.:;-+=()[]&#");
}

} // namespace vq::fuzz
