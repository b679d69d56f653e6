// SPDX-License-Identifier: MIT
#include "serial_port_windows.h"

#include "line_rates.h"
#include "ovaline.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <cctype>

namespace ovaline {
namespace {

constexpr unsigned kLastComPort = 256;
constexpr auto kTimeoutGrace = std::chrono::milliseconds(500);

// Milliseconds from now to the deadline for a wait, rounded up, so a wait
// never ends just before it; INFINITE for a deadline that never comes.
DWORD waitMilliseconds(TimePoint deadline) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero())
        return 0;
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return milliseconds >= INFINITE ? INFINITE : static_cast<DWORD>(milliseconds);
}

// What a failed read or write means: the device gone, or another error.
IoStatus failureOf(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED: // a USB adapter pulled out
    case ERROR_BAD_COMMAND:
    case ERROR_DEVICE_REMOVED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_GEN_FAILURE:
        return IoStatus::Hangup;
    default:
        return IoStatus::Error;
    }
}

// Waits for the overlapped operation `started` began (it may be over
// already) until it ends, the wake event is set or `until` passes; an
// operation still under way then is cancelled. `moved` holds what it moved
// either way. An operation that ends short of `size` bytes ended at the
// port's own time-out.
IoStatus finish(HANDLE port, HANDLE wake, OVERLAPPED &operation, BOOL started, std::size_t size,
                TimePoint until, std::size_t &moved) {
    moved = 0;
    if (!started && GetLastError() != ERROR_IO_PENDING)
        return failureOf(GetLastError());
    HANDLE waits[2] = {operation.hEvent, wake};
    const DWORD woken = WaitForMultipleObjects(2, waits, FALSE, waitMilliseconds(until));
    if (woken != WAIT_OBJECT_0)
        CancelIoEx(port, &operation);
    DWORD done = 0;
    const BOOL completed = GetOverlappedResult(port, &operation, &done, TRUE);
    const DWORD error = GetLastError();
    moved = done;
    if (moved == size)
        return IoStatus::Ok;
    if (woken == WAIT_OBJECT_0 + 1)
        return IoStatus::Hangup;
    if (completed || woken == WAIT_TIMEOUT || error == ERROR_TIMEOUT)
        return IoStatus::Timeout;
    return failureOf(error);
}

} // namespace

std::optional<unsigned> comPortNumber(const std::string &name) {
    if (name.size() < 4 || name.size() > 6)
        return std::nullopt;
    for (std::size_t i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i])
            return std::nullopt;
    if (name[3] == '0')
        return std::nullopt;
    unsigned number = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return std::nullopt;
        number = number * 10 + static_cast<unsigned>(name[i] - '0');
    }
    if (number > kLastComPort)
        return std::nullopt;
    return number;
}

WindowsSerialPort::WindowsSerialPort(Handle port, Handle done, Handle wake,
                                     std::chrono::nanoseconds byteTime, bool modemLines)
    : port_(port), done_(done), wake_(wake), byteTime_(byteTime), modemLines_(modemLines),
      lineClock_(byteTime) {}

std::unique_ptr<WindowsSerialPort> WindowsSerialPort::open(const std::string &name,
                                                           std::uint32_t baud, std::int32_t &code) {
    code = OVALINE_E_OPEN;
    // Only COM1 .. COM256 can be serial ports; any other name is left
    // alone, not even opened.
    const auto number = comPortNumber(name);
    if (!number)
        return nullptr;
    const std::string path = "\\\\.\\COM" + std::to_string(*number);
    HANDLE port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return nullptr;
    DCB settings{};
    settings.DCBlength = sizeof settings;
    if (!GetCommState(port, &settings)) {
        CloseHandle(port);
        return nullptr;
    }
    DWORD lines = 0;
    const bool modemLines = GetCommModemStatus(port, &lines) != 0;

    // 8N1 in binary mode: no character translation, no error characters
    // and never XON/XOFF, which would swallow picture bytes. An error does
    // not stop the port; the exchange reads the error counts instead.
    settings.BaudRate = baud;
    settings.ByteSize = 8;
    settings.Parity = NOPARITY;
    settings.StopBits = ONESTOPBIT;
    settings.fBinary = TRUE;
    settings.fParity = FALSE;
    settings.fOutX = FALSE;
    settings.fInX = FALSE;
    settings.fErrorChar = FALSE;
    settings.fNull = FALSE;
    settings.fAbortOnError = FALSE;
    settings.fOutxDsrFlow = FALSE;
    settings.fDsrSensitivity = FALSE;
    settings.fDtrControl = DTR_CONTROL_ENABLE;
    settings.fRtsControl = RTS_CONTROL_ENABLE;
    settings.fOutxCtsFlow = modemLines;
    // No time-outs for writes: every wait is bounded by the exchange's
    // deadline instead. Each read sets its own.
    COMMTIMEOUTS timeouts{};
    HANDLE done = nullptr;
    HANDLE wake = nullptr;
    if (!isLineRate(baud) || !SetCommState(port, &settings) || !SetCommTimeouts(port, &timeouts)) {
        code = OVALINE_E_SETUP;
    } else {
        done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        wake = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    if (!done || !wake) {
        for (HANDLE handle : {port, done, wake})
            if (handle)
                CloseHandle(handle);
        return nullptr;
    }
    code = OVALINE_OK;
    const auto byteTime = std::chrono::nanoseconds(10'000'000'000LL / baud);
    return std::unique_ptr<WindowsSerialPort>(
        new WindowsSerialPort(port, done, wake, byteTime, modemLines));
}

WindowsSerialPort::~WindowsSerialPort() {
    // Let the last frame leave before the port closes.
    const TimePoint deadline = Clock::now() +
                               byteTime_ * static_cast<std::int64_t>(pendingOutput()) +
                               std::chrono::milliseconds(100);
    for (std::size_t queued = queues().output; queued > 0 && Clock::now() < deadline;
         queued = queues().output)
        WaitForSingleObject(wake_, waitMilliseconds(Clock::now() + byteTime_ * queued));
    if (modemLines_)
        setRts(false);
    CloseHandle(port_);
    CloseHandle(done_);
    CloseHandle(wake_);
}

void WindowsSerialPort::interrupt() {
    interrupted_ = true;
    SetEvent(wake_);
}

void WindowsSerialPort::resume() {
    ResetEvent(wake_);
    interrupted_ = false;
}

WindowsSerialPort::Queues WindowsSerialPort::queues() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(port_, &errors, &status))
        return {};
    errors_.framing += (errors & CE_FRAME) ? 1 : 0;
    errors_.overrun += (errors & CE_OVERRUN) ? 1 : 0;
    errors_.queueOverflow += (errors & CE_RXOVER) ? 1 : 0;
    return {status.cbInQue, status.cbOutQue};
}

IoStatus WindowsSerialPort::write(const std::uint8_t *data, std::size_t size, TimePoint deadline) {
    return lineClock_.write(
        data, size, deadline, interrupted_, [this] { return pendingOutput(); },
        [this](TimePoint until) {
            return WaitForSingleObject(wake_, waitMilliseconds(until)) == WAIT_OBJECT_0;
        },
        [this, deadline](const std::uint8_t *piece, std::size_t n, std::size_t &moved) {
            OVERLAPPED operation{};
            operation.hEvent = done_;
            const BOOL started =
                WriteFile(port_, piece, static_cast<DWORD>(n), nullptr, &operation);
            return finish(port_, wake_, operation, started, n, deadline, moved);
        });
}

IoStatus WindowsSerialPort::read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most,
                                 TimePoint deadline, std::size_t &got) {
    got = 0;
    while (!interrupted_) {
        // Takes what has arrived, or waits for what is still missing: a
        // read of exactly that many bytes ends as soon as they are there,
        // or at the deadline through the port's own time-out with what came.
        const std::size_t waiting = queues().input;
        const std::size_t missing = atLeast > got ? atLeast - got : 0;
        const std::size_t wanted = std::min(most - got, std::max(waiting, missing));
        if (wanted == 0)
            return IoStatus::Ok;
        const DWORD left = waitMilliseconds(deadline);
        if (wanted > waiting && left == 0)
            return IoStatus::Timeout;
        // Bytes that have all arrived are read at once whatever the time-out,
        // which is set (a round trip to the system) only for a read that waits.
        if (wanted > waiting) {
            COMMTIMEOUTS timeouts{};
            timeouts.ReadTotalTimeoutConstant = left != INFINITE ? left : 0;
            if (!SetCommTimeouts(port_, &timeouts))
                return IoStatus::Error;
        }
        OVERLAPPED operation{};
        operation.hEvent = done_;
        const BOOL started =
            ReadFile(port_, buffer + got, static_cast<DWORD>(wanted), nullptr, &operation);
        std::size_t moved = 0;
        // The port's time-out ends the read; the wait's own limit is a
        // fallback for a port that misses it.
        const TimePoint until = left == INFINITE ? TimePoint::max() : deadline + kTimeoutGrace;
        const IoStatus status = finish(port_, wake_, operation, started, wanted, until, moved);
        got += moved;
        if (status != IoStatus::Ok)
            return status;
        if (got >= atLeast)
            return IoStatus::Ok;
    }
    return IoStatus::Hangup;
}

std::size_t WindowsSerialPort::pendingOutput() {
    return std::max(queues().output, lineClock_.onLine());
}

void WindowsSerialPort::discardInput() {
    PurgeComm(port_, PURGE_RXABORT | PURGE_RXCLEAR);
}

void WindowsSerialPort::discardOutput() {
    PurgeComm(port_, PURGE_TXABORT | PURGE_TXCLEAR);
    lineClock_.dropped();
}

void WindowsSerialPort::setRts(bool on) {
    EscapeCommFunction(port_, on ? SETRTS : CLRRTS);
}

bool WindowsSerialPort::waitCts(TimePoint deadline) {
    for (;;) {
        DWORD lines = 0;
        if (!GetCommModemStatus(port_, &lines))
            return false;
        if (lines & MS_CTS_ON)
            return true;
        if (interrupted_ || Clock::now() >= deadline)
            return false;
        // A short pause that an interrupt() ends at once.
        WaitForSingleObject(wake_, 2);
    }
}

LineErrors WindowsSerialPort::lineErrors() {
    queues();
    return errors_;
}

std::unique_ptr<OpenLine> openSerialPort(const std::string &name, std::uint32_t baud,
                                         std::int32_t &code) {
    return WindowsSerialPort::open(name, baud, code);
}

} // namespace ovaline
