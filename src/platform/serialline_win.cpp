// The serial line on Windows, in plain Win32: Qt's serial module isn't part
// of the Windows build.
//
// The handle is opened for overlapped I/O. A reader thread keeps one read
// pending: it asks for a single character with no read time-out, so the read
// completes the moment anything arrives, then takes whatever else the driver
// holds (ClearCommError's count) in a second read that completes at once.
// Nothing waits on WaitCommEvent, and nothing polls. What the thread reads is
// collected under a lock and handed to the window thread through a queued
// call; a failed read (an unplugged adapter) is handed on the same way, once.

#include "platform/serialline.h"

#include "platform/serialcomm_win.h"

#include "core/constants.h"

#include <QMetaObject>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace vq {

namespace {

// How long the open of a port may take. A Bluetooth or a vanished virtual
// port can hold CreateFile for many seconds; the port list probes sixteen.
constexpr auto kOpenTimeout = std::chrono::milliseconds(2000);

// A write may stall only as long as the driver takes to accept the bytes.
constexpr DWORD kWriteTimeoutMs = 2000;

QString systemMessage(DWORD code)
{
    wchar_t *buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                            | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    QString text = length ? QString::fromWCharArray(buffer, int(length)).trimmed()
                          : QStringLiteral("system error %1").arg(code);
    if (buffer)
        LocalFree(buffer);
    return text;
}

SerialPort::Error openErrorClass(DWORD code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return SerialPort::Error::NotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return SerialPort::Error::NoPermission;
    default:
        return SerialPort::Error::Failed;
    }
}

// Why an open line failed: a pulled adapter's driver answers every call with
// one of these, so the device counts as gone.
SerialPort::Error lostErrorClass(DWORD code)
{
    switch (code) {
    case ERROR_DEVICE_REMOVED:
    case ERROR_BAD_COMMAND:
    case ERROR_ACCESS_DENIED:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_DEVICE_NOT_CONNECTED: // the reader's word for reads that return nothing
        return SerialPort::Error::NotFound;
    default:
        return SerialPort::Error::Failed;
    }
}

// "COM5" is opened as \\.\COM5, the form every port number takes (COM10 and
// above need it).
std::wstring win32Path(const QString &device)
{
    QString path = device;
    if (!path.startsWith(QLatin1String("\\\\.\\")))
        path.prepend(QLatin1String("\\\\.\\"));
    return path.toStdWString();
}

// CreateFile on a thread of its own, so that a port that never answers costs
// kOpenTimeout and not the program. A late handle is closed by that thread.
struct PendingOpen {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool abandoned = false;
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD error = 0;
};

HANDLE openWithTimeout(const std::wstring &path, DWORD *error)
{
    auto pending = std::make_shared<PendingOpen>();
    std::thread([pending, path] {
        const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_OVERLAPPED, nullptr);
        const DWORD code = handle == INVALID_HANDLE_VALUE ? GetLastError() : 0;
        std::lock_guard lock(pending->mutex);
        if (pending->abandoned) {
            if (handle != INVALID_HANDLE_VALUE)
                CloseHandle(handle);
            return;
        }
        pending->handle = handle;
        pending->error = code;
        pending->finished = true;
        pending->done.notify_one();
    }).detach();

    std::unique_lock lock(pending->mutex);
    if (!pending->done.wait_for(lock, kOpenTimeout, [&] { return pending->finished; })) {
        pending->abandoned = true;
        *error = WAIT_TIMEOUT;
        return INVALID_HANDLE_VALUE;
    }
    *error = pending->error;
    return pending->handle;
}

class WinSerialLine final : public SerialLine
{
public:
    WinSerialLine()
    {
        m_readEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_writeEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        m_stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }

    ~WinSerialLine() override
    {
        close();
        CloseHandle(m_readEvent);
        CloseHandle(m_writeEvent);
        CloseHandle(m_stopEvent);
    }

    bool open(const QString &device) override
    {
        close();
        setError(SerialPort::Error::None, {});
        DWORD code = 0;
        const HANDLE handle = openWithTimeout(win32Path(device), &code);
        if (handle == INVALID_HANDLE_VALUE) {
            if (code == WAIT_TIMEOUT)
                setError(SerialPort::Error::NoAnswer, QStringLiteral("the port did not answer"));
            else
                setError(openErrorClass(code), systemMessage(code));
            return false;
        }
        m_handle = handle;
        if (!configure()) {
            CloseHandle(m_handle);
            m_handle = INVALID_HANDLE_VALUE;
            return false;
        }
        {
            std::lock_guard lock(m_mutex);
            m_inbox.clear();
            m_failure = 0;
            m_stopping = false;
            m_notifyPending = false;
        }
        ++m_generation;
        ResetEvent(m_stopEvent);
        m_reader = std::thread(&WinSerialLine::readLoop, this);
        return true;
    }

    void close() override
    {
        if (m_handle == INVALID_HANDLE_VALUE)
            return;
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        SetEvent(m_stopEvent);
        CancelIoEx(m_handle, &m_readOverlapped);
        if (m_reader.joinable())
            m_reader.join();
        CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        ++m_generation; // notifications still queued belong to the old line
        std::lock_guard lock(m_mutex);
        m_inbox.clear();
    }

    void clearInput() override
    {
        if (m_handle == INVALID_HANDLE_VALUE)
            return;
        std::lock_guard lock(m_mutex);
        // The pending read is cancelled first: characters it may have taken
        // before the purge are dropped by the reader, which sees the count
        // change. Then the driver's queue and what was read already.
        ++m_clearCount;
        CancelIoEx(m_handle, &m_readOverlapped);
        PurgeComm(m_handle, PURGE_RXCLEAR);
        m_inbox.clear();
    }

    bool write(const QByteArray &data) override
    {
        if (m_handle == INVALID_HANDLE_VALUE)
            return false;
        OVERLAPPED overlapped{};
        overlapped.hEvent = m_writeEvent;
        ResetEvent(m_writeEvent);
        DWORD written = 0;
        BOOL ok = WriteFile(m_handle, data.constData(), DWORD(data.size()), &written, &overlapped);
        if (!ok && GetLastError() == ERROR_IO_PENDING)
            ok = GetOverlappedResult(m_handle, &overlapped, &written, TRUE);
        if (!ok) {
            const DWORD code = GetLastError();
            setError(SerialPort::Error::Failed, systemMessage(code));
            return false;
        }
        return written == DWORD(data.size());
    }

    QString settingsText() const override
    {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (m_handle == INVALID_HANDLE_VALUE || !GetCommState(m_handle, &dcb))
            return {};
        static constexpr char parities[] = {'N', 'O', 'E', 'M', 'S'};
        const QChar parity = dcb.Parity < sizeof parities ? QChar(parities[dcb.Parity]) : QChar(u'?');
        const QString stop = dcb.StopBits == ONESTOPBIT    ? QStringLiteral("1")
                             : dcb.StopBits == TWOSTOPBITS ? QStringLiteral("2")
                                                           : QStringLiteral("1.5");
        const QChar flow = (dcb.fOutxCtsFlow || dcb.fRtsControl == RTS_CONTROL_HANDSHAKE) ? u'H'
                           : (dcb.fOutX || dcb.fInX)                                     ? u'X'
                                                                                         : u' ';
        return lineSettingsText(qint32(dcb.BaudRate), parity, dcb.ByteSize, stop, flow);
    }

private:
    bool configure()
    {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (!GetCommState(m_handle, &dcb))
            return fail(SerialPort::Error::Failed);
        dcb.BaudRate = CBR_9600;
        dcb.ByteSize = 8;
        dcb.Parity = ODDPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = TRUE;
        dcb.fParity = TRUE;
        dcb.fOutxCtsFlow = FALSE;
        dcb.fOutxDsrFlow = FALSE;
        dcb.fDtrControl = DTR_CONTROL_DISABLE;
        dcb.fDsrSensitivity = FALSE;
        dcb.fOutX = FALSE;
        dcb.fInX = FALSE;
        dcb.fErrorChar = FALSE;
        dcb.fNull = FALSE;
        dcb.fAbortOnError = FALSE;
        if (!SetCommState(m_handle, &dcb))
            return fail(SerialPort::Error::Unsupported);
        // DTR inactive. A line without modem lines refuses the call as not
        // supported, which is harmless; the error code decides, never the
        // message, which follows the language.
        if (!EscapeCommFunction(m_handle, CLRDTR)) {
            const DWORD code = GetLastError();
            if (code != ERROR_NOT_SUPPORTED && code != ERROR_INVALID_FUNCTION)
                return fail(SerialPort::Error::Unsupported, code);
        }
        // No read time-out: a read of one character waits for that character
        // (the reader thread's stop event ends the wait). Writes give up after
        // kWriteTimeoutMs rather than hang on a stalled driver.
        COMMTIMEOUTS timeouts{};
        timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
        if (!SetCommTimeouts(m_handle, &timeouts))
            return fail(SerialPort::Error::Failed);
        PurgeComm(m_handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
        return true;
    }

    bool fail(SerialPort::Error error, DWORD code = GetLastError())
    {
        setError(error, systemMessage(code));
        return false;
    }

    void readLoop()
    {
        char buffer[4096];
        DWORD wanted = 1;
        for (;;) {
            quint64 clearCount = 0;
            DWORD got = 0;
            BOOL ok = FALSE;
            DWORD code = 0;
            {
                // Issued under the lock, so a clear either comes before the
                // read (and is seen in the count) or cancels it.
                std::lock_guard lock(m_mutex);
                if (m_stopping)
                    return;
                clearCount = m_clearCount;
                m_readOverlapped = OVERLAPPED{};
                m_readOverlapped.hEvent = m_readEvent;
                ResetEvent(m_readEvent);
                ok = ReadFile(m_handle, buffer, wanted, &got, &m_readOverlapped);
                code = ok ? 0 : GetLastError();
            }
            if (!ok && code == ERROR_IO_PENDING) {
                const HANDLE events[] = {m_readEvent, m_stopEvent};
                if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) {
                    CancelIoEx(m_handle, &m_readOverlapped);
                    GetOverlappedResult(m_handle, &m_readOverlapped, &got, TRUE);
                    return;
                }
                ok = GetOverlappedResult(m_handle, &m_readOverlapped, &got, FALSE);
                code = ok ? 0 : GetLastError();
            }

            std::lock_guard lock(m_mutex);
            if (m_stopping)
                return;
            wanted = 1;
            if (clearCount != m_clearCount)
                continue; // the read overlapped a clear: what it took is stale
            if (!ok) {
                m_failure = code;
                notify();
                return;
            }
            if (got > 0) {
                m_inbox.append(buffer, qsizetype(got));
                notify();
            }
            // Whatever else has arrived is taken at once by the next read.
            DWORD errors = 0;
            COMSTAT status{};
            if (!ClearCommError(m_handle, &errors, &status)) {
                m_failure = GetLastError();
                notify();
                return;
            }
            if (got == 0 && status.cbInQue == 0 && ++m_emptyReads > 3) {
                // Some drivers of a removed adapter complete reads with nothing
                // instead of failing them.
                m_failure = ERROR_DEVICE_NOT_CONNECTED;
                notify();
                return;
            }
            if (got > 0)
                m_emptyReads = 0;
            wanted = std::clamp<DWORD>(status.cbInQue, 1, sizeof buffer);
        }
    }

    // Called with m_mutex held, from the reader thread.
    void notify()
    {
        if (m_notifyPending)
            return;
        m_notifyPending = true;
        const quint64 generation = m_generation;
        QMetaObject::invokeMethod(this, [this, generation] { deliver(generation); }, Qt::QueuedConnection);
    }

    void deliver(quint64 generation)
    {
        QByteArray data;
        DWORD failure = 0;
        {
            std::lock_guard lock(m_mutex);
            m_notifyPending = false;
            if (generation != m_generation || m_handle == INVALID_HANDLE_VALUE)
                return;
            data.swap(m_inbox);
            failure = m_failure;
            m_failure = 0;
        }
        if (!data.isEmpty())
            emit received(data);
        if (failure != 0 && generation == m_generation) {
            setError(lostErrorClass(failure), systemMessage(failure));
            emit failed();
        }
    }

    HANDLE m_handle = INVALID_HANDLE_VALUE;
    HANDLE m_readEvent = nullptr;
    HANDLE m_writeEvent = nullptr;
    HANDLE m_stopEvent = nullptr;
    OVERLAPPED m_readOverlapped{};
    std::thread m_reader;
    std::atomic<quint64> m_generation = 0;

    // Shared with the reader thread.
    std::mutex m_mutex;
    QByteArray m_inbox;
    DWORD m_failure = 0;
    quint64 m_clearCount = 0;
    bool m_stopping = false;
    bool m_notifyPending = false;
    int m_emptyReads = 0; // reader thread only
};

} // namespace

std::unique_ptr<SerialLine> makeSerialLine()
{
    return std::make_unique<WinSerialLine>();
}

QString systemPortDevice(int port)
{
    if (port < kFirstPort || port > kLastPort)
        return {};
    return QStringLiteral("COM%1").arg(port);
}

QList<SerialCommEntry> serialCommMap()
{
    QList<SerialCommEntry> entries;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return entries;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD nameLength = 256;
        wchar_t value[64];
        DWORD valueBytes = sizeof value;
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE *>(value), &valueBytes);
        if (result == ERROR_MORE_DATA)
            continue; // a name or value too long for a serial port: not one
        if (result != ERROR_SUCCESS)
            break;
        if (type == REG_SZ)
            entries.append({QString::fromWCharArray(name, int(nameLength)),
                            QString::fromWCharArray(value, int(valueBytes / sizeof(wchar_t))).section(QChar(0), 0, 0)});
    }
    RegCloseKey(key);
    return entries;
}

PortDescription describePortDevice(const QString &device)
{
    // The system's serial-port map names the driver's device for each COM
    // name (\Device\Serial0, \Device\VCP0 for an FTDI adapter, ...).
    PortDescription result;
    const QString wanted = device.startsWith(QLatin1String("\\\\.\\")) ? device.mid(4) : device;
    for (const SerialCommEntry &entry : serialCommMap()) {
        if (entry.comName.compare(wanted, Qt::CaseInsensitive) == 0) {
            result.description = entry.driverDevice;
            break;
        }
    }
    return result;
}

} // namespace vq
