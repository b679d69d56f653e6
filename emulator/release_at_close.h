// SPDX-License-Identifier: MIT
// A serial port is freed at its last close, exclusive access (TIOCEXCL)
// included. The host's side of ovaline-unit's pseudo-terminal never has a
// last close, since the unit holds it too, so the exclusive access of a host
// killed before it could clear it would keep every later open but root's
// out. This clears exclusive access whenever a host closes the device: hosts
// clear it themselves before they close, so a close that finds it still set
// is one of a host that could not. While a host holds the line, nobody but
// root opens it, so no close clears it under the host.
#pragma once

#include <memory>
#include <string>
#include <thread>

namespace ovaline::emu {

class ReleaseAtClose {
public:
    // Follows the device `path`, of which `fd` is the unit's own descriptor,
    // opened before and kept open until this ends; nullptr (errno set) when
    // the closes of the device cannot be followed.
    static std::unique_ptr<ReleaseAtClose> start(const std::string &path, int fd);
    ~ReleaseAtClose();
    ReleaseAtClose(const ReleaseAtClose &) = delete;
    ReleaseAtClose &operator=(const ReleaseAtClose &) = delete;

private:
    ReleaseAtClose(int notify, int stop, int fd);
    void run() const;

    int notify_; // inotify, on the device's closes
    int stop_;   // an eventfd that ends run()
    int fd_;
    std::thread thread_;
};

} // namespace ovaline::emu
