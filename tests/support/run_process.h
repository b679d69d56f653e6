// Runs a program and collects what it prints, for tests of command-line tools.
#pragma once

#include <string>
#include <vector>

namespace ovaline::test {

struct ProcessResult {
    int exitCode = -1;  // -1 when it did not exit normally
    std::string output; // standard output and standard error together
};

ProcessResult runProcess(const std::string &program, const std::vector<std::string> &args);

} // namespace ovaline::test
