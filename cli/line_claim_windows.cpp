// SPDX-License-Identifier: MIT
// Windows: the claim is a named mutex per COM port, which every watch of
// this user's session asks for; the system frees it when its holder ends,
// however it ends. A COM port opens for one program at a time, so the
// exchanges are not held off by it.
#include "line_claim.h"

#include "cli_text.h"
#include "serial_port_windows.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace ovaline::cli {

LineClaim::LineClaim(const std::string &device) {
    const auto number = comPortNumber(device);
    if (!number)
        return;
    const std::string name = "ovaline-cli-watch-COM" + std::to_string(*number);
    handle_ = CreateMutexA(nullptr, FALSE, name.c_str());
    if (!handle_)
        return;
    if (WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT) {
        CloseHandle(handle_);
        handle_ = nullptr;
        refusal_ =
            fill(translate("Cli", "the line %1 is busy: another watch is running on it"), {device});
    }
}

LineClaim::~LineClaim() {
    if (!handle_)
        return;
    ReleaseMutex(handle_);
    CloseHandle(handle_);
}

} // namespace ovaline::cli
