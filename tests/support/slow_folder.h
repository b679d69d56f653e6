// SPDX-License-Identifier: MIT
// A folder served by the script slow_folder beside this file: a FUSE file
// system over a real folder, whose every stat can be slow and whose files
// named "hang..." can hang a stat or a read (and every file a write), as a
// network share that stops answering does.
#pragma once

#include "run_process.h"

#include <filesystem>
#include <string>

namespace ovaline::test {

class SlowFolder {
public:
    struct Options {
        int statMs = 0;       // every stat of a name in the folder takes this long
        std::string hang;     // "stat" or "read" on "hang..." files, or "write" on any: it hangs
        int hangSeconds = 20; // for this long, unless the caller is interrupted

        static Options slowStats(int ms) { return {ms, {}, 0}; }
        static Options hanging(const std::string &operation) { return {0, operation, 20}; }
    };

    // Whether FUSE file systems can be had here at all (/dev/fuse).
    static bool available();

    SlowFolder() = default;
    // Unmounts, ending every operation still hung.
    ~SlowFolder();
    SlowFolder(const SlowFolder &) = delete;
    SlowFolder &operator=(const SlowFolder &) = delete;

    // Serves `source` at `mountPoint` (made when missing); empty when it is
    // served, else what went wrong.
    std::string mount(const std::filesystem::path &source, const std::filesystem::path &mountPoint,
                      const Options &options);
    // Waits up to `seconds` for a line of the file system's ("HANG name
    // read", "DONE name read") that starts with `prefix`, passing over others.
    bool waitFor(const std::string &prefix, double seconds);

private:
    ChildProcess server_;
    std::filesystem::path mountPoint_;
};

} // namespace ovaline::test
