// SPDX-License-Identifier: MIT
// Windows: why COMn does not open, from what CreateFile and GetCommState
// report.
#include "open_failure.h"

#include "port_names.h"
#include "serial_port_windows.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <system_error>

namespace ovaline {

std::string openFailureCause(const std::string &device) {
    if (device.empty() || device == kVirtualPortName)
        return {};
    // Only COM1 .. COM256 are opened; anything else is left untouched.
    const auto number = comPortNumber(device);
    if (!number)
        return device + " is no serial device.";
    const std::string path = "\\\\.\\COM" + std::to_string(*number);
    HANDLE port = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return "The device " + device + " does not exist.";
        case ERROR_ACCESS_DENIED: // a COM port is open to one program at a time
        case ERROR_SHARING_VIOLATION:
            return device + " is busy with another program.";
        default:
            return device +
                   " cannot be opened: " + std::system_category().message(static_cast<int>(error)) +
                   ".";
        }
    }
    DCB settings{};
    settings.DCBlength = sizeof settings;
    const bool serial = GetCommState(port, &settings) != 0;
    CloseHandle(port);
    return serial ? std::string() : device + " is no serial device.";
}

} // namespace ovaline
