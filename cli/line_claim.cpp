// SPDX-License-Identifier: MIT
#include "line_claim.h"

#include "cli_text.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace ovaline::cli {
namespace {

// How long an exchange of another program may keep the device closed to us
// (a poll lasts a few tens of milliseconds).
constexpr auto kBusyFor = std::chrono::seconds(2);

} // namespace

LineClaim::LineClaim(const std::string &device) {
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0 || !S_ISCHR(info.st_mode))
        return;
    // The claim is a lock on a descriptor of our own: the exchanges open the
    // device anew and take no such lock, so they are not held off.
    const auto deadline = std::chrono::steady_clock::now() + kBusyFor;
    while ((fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) < 0 &&
           errno == EBUSY && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (fd_ < 0) {
        if (errno == EBUSY)
            refusal_ = fill(translate("Cli", "the line %1 is busy with another program"), {device});
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0)
        refusal_ =
            fill(translate("Cli", "the line %1 is busy: another watch is running on it"), {device});
}

LineClaim::~LineClaim() {
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace ovaline::cli
