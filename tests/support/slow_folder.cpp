// SPDX-License-Identifier: MIT
#include "slow_folder.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace ovaline::test {

bool SlowFolder::available() {
    return ::access("/dev/fuse", R_OK | W_OK) == 0;
}

SlowFolder::~SlowFolder() {
    if (!server_.running())
        return;
    // Killed, the server leaves its hung operations failing at once; the
    // mount it leaves behind goes with it.
    server_.stop(SIGKILL);
    runProcess("/bin/fusermount3", {"-u", "-z", mountPoint_.string()});
}

std::string SlowFolder::mount(const std::filesystem::path &source,
                              const std::filesystem::path &mountPoint, const Options &options) {
    mountPoint_ = mountPoint;
    std::filesystem::create_directories(mountPoint);
    const std::string log = mountPoint.string() + ".log";
    std::vector<std::string> args{source.string(), mountPoint.string(),
                                  "--stat-ms",     std::to_string(options.statMs),
                                  "--hang-s",      std::to_string(options.hangSeconds)};
    if (!options.hang.empty())
        args.insert(args.end(), {"--hang", options.hang});
    if (server_.start(OVALINE_SLOW_FOLDER_PATH, args, 20.0, log) &&
        server_.firstLine() == "MOUNTED")
        return {};
    server_.stop(SIGKILL);
    std::ostringstream why;
    why << "slow_folder did not mount " << mountPoint.string() << ": "
        << std::ifstream(log).rdbuf();
    return why.str();
}

bool SlowFolder::waitFor(const std::string &prefix, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    std::string line;
    for (;;) {
        const double left =
            std::chrono::duration<double>(deadline - std::chrono::steady_clock::now()).count();
        if (!server_.readLine(line, left))
            return false;
        if (line.rfind(prefix, 0) == 0)
            return true;
    }
}

} // namespace ovaline::test
