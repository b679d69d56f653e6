// SPDX-License-Identifier: MIT
// A progress line of ovaline-cli that rewrites itself, on a terminal only.
#pragma once

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
        std::string line = "\r" + label_ + ": " + groupDigits(bytes);
        if (total_ > 0)
            line += " of " + groupDigits(total_) + " bytes (" +
                    std::to_string(bytes * 100ull / total_) + "%)";
        else
            line += " bytes";
        std::fputs(line.c_str(), stderr);
        std::fflush(stderr);
    }

private:
    std::string label_;
    std::uint32_t total_;
    bool tty_;
    bool shown_ = false;
};

} // namespace ovaline::cli
