// SPDX-License-Identifier: MIT
#include "file_io.h"

#include "cli_text.h"
#include "ovaline.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovaline::cli {

bool writeWhole(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes,
                std::string &error) {
    std::string temporary = path.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error =
            fill(translate("Cli", "cannot create %1: %2"), {path.string(), std::strerror(errno)});
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    const bool written = done == bytes.size() && ::fsync(fd) == 0;
    const int savedErrno = errno;
    ::fchmod(fd, 0644);
    if (::close(fd) != 0 || !written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = fill(translate("Cli", "cannot write %1: %2"),
                     {path.string(), std::strerror(written ? errno : savedErrno)});
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool readPicture(const std::filesystem::path &path, std::vector<std::uint8_t> &bytes,
                 std::string &error) {
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = fill(translate("Cli", "cannot open %1: %2"), {path.string(), std::strerror(errno)});
        return false;
    }
    bytes.resize(OVALINE_MAX_IMAGE + 1);
    const std::size_t n = std::fread(bytes.data(), 1, bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error = fill(translate("Cli", "cannot read %1"), {path.string()});
        return false;
    }
    if (n == 0) {
        error = fill(translate("Cli", "%1 is empty"), {path.string()});
        return false;
    }
    if (n > OVALINE_MAX_IMAGE) {
        error = fill(translate("Cli", "%1 is larger than a slot holds (65,535 bytes)"),
                     {path.string()});
        return false;
    }
    bytes.resize(n);
    return true;
}

} // namespace ovaline::cli
