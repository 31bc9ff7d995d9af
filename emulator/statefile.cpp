#include "statefile.h"

#include <QFile>
#include <QSaveFile>

namespace vq::emu {

namespace {

bool isHexText(QByteArrayView text)
{
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

} // namespace

StateLoad loadState(const QString &path, ControllerState &state, QString *error)
{
    QFile file(path);
    if (!file.exists())
        return StateLoad::Absent;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return StateLoad::Invalid;
    }
    std::optional<QByteArray> block;
    std::optional<QByteArray> log;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith("block="))
            block = QByteArray::fromPercentEncoding(line.mid(6));
        else if (line.startsWith("log=") && isHexText(line.mid(4)))
            log = QByteArray::fromHex(line.mid(4));
    }
    if (!block || block->size() != kBlockLength || !log || log->size() != kLogBytes) {
        if (error)
            *error = QStringLiteral("%1 is not an emulator state file (a block of %2 characters "
                                    "and a log of %3 bytes)")
                         .arg(path)
                         .arg(kBlockLength)
                         .arg(kLogBytes);
        return StateLoad::Invalid;
    }
    state.block = *block;
    state.log = *log;
    return StateLoad::Loaded;
}

bool saveState(const QString &path, const ControllerState &state, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write("# VQ530T emulator state: setting-data block and run-data log\n");
        file.write("block=" + state.block.toPercentEncoding() + '\n');
        file.write("log=" + state.log.toHex().toUpper() + '\n');
        if (file.commit())
            return true;
    }
    if (error)
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return false;
}

} // namespace vq::emu
