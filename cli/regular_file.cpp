// SPDX-License-Identifier: MIT
#include "file_io.h"

#include "cli_text.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovaline::cli {

bool readRegularFile(const std::filesystem::path &path, std::size_t most,
                     std::vector<std::uint8_t> &bytes, std::string &error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = fill(translate("Cli", "cannot open %1: %2"), {path.string(), std::strerror(errno)});
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        error = notAPictureFile(path,
                                otherThanFile(path).value_or(translate("Cli", "no regular file")));
        return false;
    }
    bytes.resize(most);
    std::size_t n = 0;
    bool failed = false;
    while (n < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + n, bytes.size() - n);
        if (got < 0 && errno == EINTR)
            continue;
        failed = got < 0;
        if (got <= 0)
            break;
        n += static_cast<std::size_t>(got);
    }
    ::close(fd);
    bytes.resize(n);
    if (failed)
        error = fill(translate("Cli", "cannot read %1"), {path.string()});
    return !failed;
}

} // namespace ovaline::cli
