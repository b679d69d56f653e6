// SPDX-License-Identifier: MIT
// A progress line of ovaline-cli that rewrites itself, on a terminal only.
#pragma once

#include "cli_text.h"
#include "describe.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace ovaline::cli {

class ProgressLine {
public:
    ProgressLine(std::string label, std::uint32_t total)
        : label_(std::move(label)), total_(total), tty_(::isatty(STDERR_FILENO) != 0) {}
    ~ProgressLine() {
        if (tty_ && shown_)
            std::fputs("\r\033[K", stderr);
    }
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    void operator()(std::uint32_t bytes) {
        if (!tty_)
            return;
        shown_ = true;
        const std::string line =
            total_ > 0 ? fill(translate("Cli", "%1: %2 of %3 bytes (%4%)"),
                              {label_, groupDigits(bytes), groupDigits(total_),
                               std::to_string(bytes * 100ull / total_)})
                       : fill(translate("Cli", "%1: %2 bytes"), {label_, groupDigits(bytes)});
        std::fputs(("\r" + line).c_str(), stderr);
        std::fflush(stderr);
    }

private:
    std::string label_;
    std::uint32_t total_;
    bool tty_;
    bool shown_ = false;
};

} // namespace ovaline::cli
