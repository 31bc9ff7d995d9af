// A settings file from anywhere opened through the file command, with the
// program's own decoder behind it, then saved again: opening never crashes
// and ends in one of the program's outcomes, and a save writes exactly one
// 64-digit block or nothing at all.

#include "files/filecommands.h"
#include "fuzzcheck.h"
#include "link/commandexchange.h"
#include "scriptedprompter.h"
#include "settings/controllerblock.h"
#include "settings/editormodel.h"
#include "settings/settingblock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace vq;

namespace {

const QString kReadBlock = QStringLiteral("E803401FF005D0074C040000000000000620556A6464000A500085C80001100A");
const QString kTrouble = QStringLiteral("Trouble is found in data.");

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!folder().isValid())
        return 0;
    const QString openName = folder().filePath(QStringLiteral("in.set"));
    const QString saveName = folder().filePath(QStringLiteral("out.set"));
    {
        QFile f(openName);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "can't write the test file");
        FUZZ_CHECK(f.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size), "short write");
    }
    QFile::remove(saveName);

    ScriptedPrompter prompter;
    RunLog log;
    EditorModel editor;
    editor.reset();
    ControllerBlock block(editor, prompter);
    block.takeReadBlock(kReadBlock);
    // Every decode that isn't refused as malformed sets the Write button.
    int decodes = 0;
    QObject::connect(&block, &ControllerBlock::writeAllowedChanged, [&decodes] { ++decodes; });
    FileCommands commands(prompter, log, block);

    prompter.fileNames = {openName};
    commands.mnuOpen_Click();

    const QStringList shown = prompter.messageTexts();
    FUZZ_CHECK(shown.size() <= 1, "%d message boxes for one open", int(shown.size()));
    // Only a block, alone or followed by one LF or CR LF, is decoded.
    const QByteArray content = vq::fuzz::bytes(data, size);
    const bool wholeBlock = size == 64 || (size == 65 && content.endsWith('\n')) || (size == 66 && content.endsWith("\r\n"));
    FUZZ_CHECK(decodes <= (wholeBlock ? 1 : 0), "decoded %d times a file of %d bytes", decodes, int(size));
    FUZZ_CHECK(log == RunLog(), "opening a settings file touched the run-data log");
    FUZZ_CHECK(readAll(openName) == vq::fuzz::bytes(data, size), "opening changed the file");

    // Save what the editor now shows.
    prompter.clear();
    prompter.fileNames = {saveName};
    commands.mnuSave_Click();
    if (QFile::exists(saveName)) {
        const QByteArray saved = readAll(saveName);
        FUZZ_CHECK(saved.size() == 64, "saved %d bytes", int(saved.size()));
        FUZZ_CHECK(isSettingBlock(QString::fromLatin1(saved)), "saved a block that isn't hexadecimal");
        FUZZ_CHECK(prompter.messageCount() == 0, "saved and complained");
    } else {
        FUZZ_CHECK(prompter.messageCount() == 1, "nothing saved, and %d messages", int(prompter.messageCount()));
    }
    return 0;
}
