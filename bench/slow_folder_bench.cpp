// SPDX-License-Identifier: MIT
// The program on a file system that answers slowly, or not at all
// (tests/support/slow_folder, a FUSE file system over a real folder):
//   refresh_ui_gap_ms          the longest gap between two ticks of a 5 ms
//                              timer on the user-interface thread while
//                              Refresh reads again a folder of 100 camera
//                              pictures whose every stat takes 30 ms; the
//                              time the thread was ready to run but the
//                              machine ran other programs is not counted
//   refresh_s                  how long that Refresh takes, listing and
//                              load pass
//   sigterm_exit_ms_hung_read  from SIGTERM to the end of the program (as
//                              its parent sees it) while the load pass
//                              reads a file that hangs for 20 s
// Both are left out, with a message, where FUSE cannot be had.
#include "my_view.h"
#include "ovaline_doc.h"
#include "program_on_virtual_camera.h"
#include "run_process.h"
#include "scoped_env.h"
#include "slow_folder.h"
#include "temp_dir.h"
#include "traffic.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace ovaline;

constexpr int kPictures = 100;
constexpr int kStatMs = 30;

void writePicture(const fs::path &path, int seed) {
    const std::vector<std::uint8_t> jpeg = test::testPicture(640, 480, seed);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(jpeg.data()), std::streamsize(jpeg.size()));
}

bool mountSlowFolder(test::SlowFolder &share, const fs::path &source, const fs::path &at,
                     const test::SlowFolder::Options &options) {
    const std::string failure = share.mount(source, at, options);
    if (!failure.empty())
        std::fprintf(stderr, "slow_folder_bench: %s\n", failure.c_str());
    return failure.empty();
}

// How long this thread has waited, ready to run, for the machine to run it.
std::chrono::duration<double, std::milli> timeWaitingToRun() {
    std::ifstream stats("/proc/thread-self/schedstat");
    double running = 0, waitingNs = 0;
    stats >> running >> waitingNs;
    return std::chrono::duration<double, std::milli>(waitingNs / 1e6);
}

// Waits, handling events, until the folder is listed and loaded.
void waitForTheFolder(app::COvalineApp &application) {
    const auto *view = static_cast<app::CMyView *>(application.m_pThumbView);
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (!application.GetDocument()->IsListing() && !application.m_bFolderChanged &&
            !view->IsLoading())
            loop.quit();
    });
    check.start(5);
    loop.exec();
}

bool measureRefresh(bench::ProgramOnVirtualCamera &program) {
    app::COvalineApp &application = program.application;
    const fs::path folder = program.folder.path();
    const fs::path source = folder / "share";
    fs::create_directories(source);
    for (int i = 0; i < kPictures; ++i)
        writePicture(source / ("P" + std::to_string(100 + i) + ".JPG"), i);
    test::SlowFolder share;
    const fs::path mounted = folder / "mounted";
    if (!mountSlowFolder(share, source, mounted, test::SlowFolder::Options::slowStats(kStatMs)))
        return false;
    if (!program.Start({QString::fromStdString(mounted.string())}))
        return false;
    waitForTheFolder(application);

    double longestGapMs = 0;
    Clock::time_point last = Clock::now();
    auto lastWaiting = timeWaitingToRun();
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const Clock::time_point now = Clock::now();
        const auto waiting = timeWaitingToRun();
        const auto gap =
            std::chrono::duration<double, std::milli>(now - last) - (waiting - lastWaiting);
        longestGapMs = std::max(longestGapMs, gap.count());
        last = now;
        lastWaiting = waiting;
    });
    ticks.start(5);
    const Clock::time_point start = Clock::now();
    last = start;
    lastWaiting = timeWaitingToRun();
    application.GetDocument()->OnRefresh();
    waitForTheFolder(application);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ticks.stop();
    const int files = application.m_nFiles;
    application.ExitInstance();
    if (files != 35) {
        std::fprintf(stderr, "slow_folder_bench: the grid holds %d pictures, not 35\n", files);
        return false;
    }
    std::printf("refresh_ui_gap_ms: %.1f\n", longestGapMs);
    std::printf("refresh_s: %.2f\n", seconds);
    return true;
}

bool measureSigtermWithHungRead(const fs::path &folder) {
    const fs::path source = folder / "hung-share";
    fs::create_directories(source);
    writePicture(source / "hang.jpg", 1);
    test::SlowFolder share;
    const fs::path mounted = folder / "hung";
    if (!mountSlowFolder(share, source, mounted, test::SlowFolder::Options::hanging("read")))
        return false;
    test::ChildProcess program;
    const std::string profile = (folder / "hung.ini").string();
    if (!program.launch(OVALINE_PROGRAM_PATH,
                        {"--virtual", "--nosplash", "--profile", profile, mounted.string()}) ||
        !share.waitFor("HANG hang.jpg read", 20)) {
        std::fprintf(stderr, "slow_folder_bench: the program did not read the hung file\n");
        return false;
    }
    const Clock::time_point signalled = Clock::now();
    const int status = program.stop(SIGTERM);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - signalled).count();
    if (status != 0) {
        std::fprintf(stderr, "slow_folder_bench: the program ended with %d\n", status);
        return false;
    }
    std::printf("sigterm_exit_ms_hung_read: %.0f\n", ms);
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (!test::SlowFolder::available()) {
        std::fprintf(stderr, "slow_folder_bench: no /dev/fuse here, nothing measured\n");
        return 0;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    bench::ProgramOnVirtualCamera program(argc, argv, "slow_folder_bench");
    const bool refreshed = measureRefresh(program);
    const bool ended = measureSigtermWithHungRead(program.folder.path());
    return refreshed && ended ? 0 : 1;
}
