#pragma once

// Whole-file reads and writes for tests that look at what landed on disk.

#include <QByteArray>
#include <QFile>
#include <QString>

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
