// SPDX-License-Identifier: MIT
// ovaline-cli interrupted in the middle of a receive from ovaline-unit, on
// a terminal of its own as a user runs it: Ctrl-C typed there, or SIGTERM.
#include "on_terminal.h"
#include "run_process.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>

namespace ovaline::test {
namespace {

TEST(CliSignals, CtrlCAndSigtermCancelTheReceiveLeaveNoFileAndTheUnitAnswersAtOnce) {
    // SIGKILL leaves no time to tell the unit: the next command makes it drop the picture.
    TempDir work;
    ChildProcess unit;
    const std::string port = startUnit(unit, OVALINE_UNIT_PATH,
                                       {"--speed", "1", "--dir", (work.path() / "cam").string()});
    ASSERT_FALSE(port.empty());
    const auto out = work.path() / "out";
    const std::vector<std::string> receive{"--device", port, "--baud", "9600",
                                           "receive",  "1",  "-o",     out.string()};
    for (const int interrupt : {SIGINT, SIGTERM, SIGKILL}) {
        OnTerminal cli(OVALINE_CLI_PATH, receive);
        // The progress line shows once picture bytes are crossing.
        ASSERT_TRUE(cli.waitFor("Receiving slot 1: ", std::chrono::seconds(20)));
        if (interrupt == SIGINT)
            cli.type('\x03');
        else
            cli.signal(interrupt);
        EXPECT_EQ(cli.exitStatus(std::chrono::seconds(5)),
                  interrupt == SIGKILL ? -SIGKILL : 128 + interrupt);
        EXPECT_FALSE(std::filesystem::exists(out / "slot1.jpg"));

        const ProcessResult map =
            runProcess(OVALINE_CLI_PATH, {"--device", port, "--baud", "9600", "map"});
        EXPECT_EQ(map.exitCode, 0) << map.output;
    }
    EXPECT_EQ(unit.stop(SIGTERM), 0);
}

} // namespace
} // namespace ovaline::test
