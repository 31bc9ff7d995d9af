// A test-only shim for running the Windows build under Wine against the
// controller emulator's pseudo-terminal (LD_PRELOAD into Wine, never into the
// program). A pseudo-terminal is not a serial line, and Wine's serial code
// meets that twice where a real port is fine:
//  - it has no modem lines: TIOCMGET, TIOCMSET, TIOCMBIS and TIOCMBIC fail
//    with ENOTTY, so Wine's SetCommState fails on the DTR/RTS handling. The
//    shim answers them from a remembered set of lines, per descriptor.
//  - it carries no parity: the kernel keeps PARENB clear, and the C library's
//    tcsetattr reports that as EINVAL after the settings were applied. The
//    shim takes that as success and has tcgetattr report the parity that was
//    asked for, so the line reads back as 9600,O,8,1.
// Everything on any other descriptor goes straight to the C library.

#include <cerrno>
#include <cstdarg>
#include <dlfcn.h>
#include <mutex>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unordered_map>

namespace {

struct LineState {
    tcflag_t parity = 0;
    int modemLines = TIOCM_DTR | TIOCM_RTS;
};

std::mutex lock;
std::unordered_map<int, LineState> lines;

bool isPseudoTerminal(int fd)
{
    struct stat info {};
    // Unix 98 pseudo-terminal slaves have majors 136 to 143.
    return ::fstat(fd, &info) == 0 && S_ISCHR(info.st_mode) && major(info.st_rdev) >= 136
           && major(info.st_rdev) <= 143;
}

template <typename F>
F next(const char *name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int tcsetattr(int fd, int action, const struct termios *settings)
{
    static const auto real = next<int (*)(int, int, const struct termios *)>("tcsetattr");
    int result = real(fd, action, settings);
    if (isPseudoTerminal(fd)) {
        if (result != 0 && errno == EINVAL)
            result = 0; // applied; only the parity bit didn't stick
        if (result == 0) {
            std::lock_guard guard(lock);
            lines[fd].parity = settings->c_cflag & (PARENB | PARODD);
        }
    }
    return result;
}

extern "C" int tcgetattr(int fd, struct termios *settings)
{
    static const auto real = next<int (*)(int, struct termios *)>("tcgetattr");
    const int result = real(fd, settings);
    if (result == 0 && isPseudoTerminal(fd)) {
        std::lock_guard guard(lock);
        if (const auto found = lines.find(fd); found != lines.end())
            settings->c_cflag |= found->second.parity;
    }
    return result;
}

extern "C" int ioctl(int fd, unsigned long request, ...)
{
    static const auto real = next<int (*)(int, unsigned long, void *)>("ioctl");
    va_list args;
    va_start(args, request);
    void *argument = va_arg(args, void *);
    va_end(args);
    const bool modem = request == TIOCMGET || request == TIOCMSET || request == TIOCMBIS || request == TIOCMBIC;
    if (!modem || !isPseudoTerminal(fd))
        return real(fd, request, argument);
    int *bits = static_cast<int *>(argument);
    std::lock_guard guard(lock);
    LineState &line = lines[fd];
    switch (request) {
    case TIOCMGET: *bits = line.modemLines; break;
    case TIOCMSET: line.modemLines = *bits; break;
    case TIOCMBIS: line.modemLines |= *bits; break;
    case TIOCMBIC: line.modemLines &= ~*bits; break;
    }
    return 0;
}
