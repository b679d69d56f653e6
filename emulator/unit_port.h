// SPDX-License-Identifier: MIT
// The port ovaline-unit serves: a new pseudo-terminal, or a serial device.
#pragma once

#include "release_at_close.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ovaline::emu {

class UnitPort {
public:
    // A pseudo-terminal; the host opens `hostPath()`.
    static std::optional<UnitPort> openPty(std::string &error);
    // A serial device (for a second PC on a null-modem cable) at a fixed rate.
    static std::optional<UnitPort> openDevice(const std::string &path, std::uint32_t baud,
                                              std::string &error);

    UnitPort(UnitPort &&other) noexcept;
    UnitPort &operator=(UnitPort &&) = delete;
    ~UnitPort();

    int fd() const { return fd_; }
    const std::string &hostPath() const { return hostPath_; }
    bool hasModemLines() const { return modemLines_; }
    // The rate the line is set to now; on a pseudo-terminal, the host's choice.
    std::uint32_t rate() const;

private:
    UnitPort(int fd, int rateFd, std::string hostPath, bool modemLines,
             std::unique_ptr<ReleaseAtClose> release = nullptr);

    int fd_;
    // On a pseudo-terminal: our own descriptor of the host's side. Keeping it
    // open means the host closing its port does not hang up ours, and it
    // shows the rate the host set. Through it, release_ ends the exclusive
    // access of a host that closed the line without ending it.
    int rateFd_;
    std::string hostPath_;
    bool modemLines_;
    std::unique_ptr<ReleaseAtClose> release_;
};

} // namespace ovaline::emu
