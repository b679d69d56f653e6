// SPDX-License-Identifier: MIT
// How little the user-interface thread works while a picture is received:
//   ui_cpu_share_during_transfer  CPU time of the user-interface thread
//                                 during a 65,535-byte receive at 115,200
//                                 bit/s on the virtual line in real time,
//                                 its frame filling in as it arrives and its
//                                 thumbnail made at the end, over the
//                                 receive's wall time
#include "jpeg_padding.h"
#include "ovaline_app.h"
#include "ovaline_view.h"
#include "program_on_virtual_camera.h"
#include "traffic.h"

#include <QEventLoop>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

double threadCpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

} // namespace

int main(int argc, char **argv) {
    using namespace ovaline;
    bench::ProgramOnVirtualCamera program(argc, argv, "transfer_ui_bench");
    if (!program.Start())
        return 1;
    app::COvalineApp &application = program.application;
    const auto picture = test::padJpeg(test::testPicture(640, 480, 4), OVALINE_MAX_IMAGE);
    if (test::sendSlot(5, picture).code != 0) {
        std::fprintf(stderr, "transfer_ui_bench: could not fill the slot\n");
        return 1;
    }
    program.env.set("OVALINE_VIRTUAL_SPEED", "1");
    application.m_nBaudIndex = 6; // 115,200 bit/s
    auto *view = static_cast<app::COvalineView *>(application.m_pMemoryView);

    const double cpuBefore = threadCpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    const bool received = view->ReceiveSlot(4);
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    const double cpu = threadCpuSeconds() - cpuBefore;
    application.ExitInstance();
    if (!received) {
        std::fprintf(stderr, "transfer_ui_bench: the receive failed\n");
        return 1;
    }
    std::printf("ui_cpu_share_during_transfer: %.4f\n", cpu / wall);
    return 0;
}
