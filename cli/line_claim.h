// SPDX-License-Identifier: MIT
// ovaline-cli watch claims its line for as long as it runs, so that a second
// watch on the same line is refused in words instead of failing poll after
// poll. Exchanges of other programs (between the polls) are not held off.
// line_claim.cpp claims a device with flock, line_claim_windows.cpp a COM
// port with a named mutex.
#pragma once

#include <string>

namespace ovaline::cli {

class LineClaim {
public:
    // Claims the serial device `device`; the virtual camera and a device
    // that does not open are not claimed (the exchanges say why).
    explicit LineClaim(const std::string &device);
    ~LineClaim();
    LineClaim(const LineClaim &) = delete;
    LineClaim &operator=(const LineClaim &) = delete;

    // Why the line cannot be claimed; empty when it is ours.
    const std::string &refusal() const { return refusal_; }

private:
#ifdef _WIN32
    void *handle_ = nullptr; // a named mutex, held while the claim lives
#else
    int fd_ = -1;
#endif
    std::string refusal_;
};

} // namespace ovaline::cli
