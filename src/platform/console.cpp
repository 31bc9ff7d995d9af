#include "platform/console.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vq {

void attachParentConsole()
{
#ifdef Q_OS_WIN
    const auto unset = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    const bool outUnset = unset(STD_OUTPUT_HANDLE);
    const bool errUnset = unset(STD_ERROR_HANDLE);
    if (!outUnset && !errUnset)
        return; // both redirected: nothing to attach
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return; // started from the desktop: no console, and none wanted
    if (outUnset)
        std::freopen("CONOUT$", "w", stdout);
    if (errUnset)
        std::freopen("CONOUT$", "w", stderr);
#endif
}

bool stderrIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr));
#else
    return isatty(STDERR_FILENO);
#endif
}

void chooseOffscreenWithoutDisplay()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
}

} // namespace vq
