// SPDX-License-Identifier: MIT
// A Receive of the whole memory when nothing has changed:
//   rereceive_unchanged_s  wall time of the program's second whole-memory
//                          Receive of the four first-start pictures at
//                          9,600 bit/s on the virtual line in real time
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "program_on_virtual_camera.h"

#include <QEventLoop>

#include <chrono>
#include <cstdio>

namespace {

using namespace ovaline;

// Runs the Receive command and handles events until it is over.
void receiveAll(app::COvalineApp &application) {
    application.GetDocument()->OnReceive();
    while (application.m_bReceivePending || application.m_bBusy)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

} // namespace

int main(int argc, char **argv) {
    bench::ProgramOnVirtualCamera program(argc, argv, "rereceive_bench");
    if (!program.Start())
        return 1;
    app::COvalineApp &application = program.application;
    application.m_nBaudIndex = 2; // 9,600 bit/s
    receiveAll(application);      // the first Receive, on a line sped up

    program.env.set("OVALINE_VIRTUAL_SPEED", "1");
    const auto start = std::chrono::steady_clock::now();
    receiveAll(application);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const bool allHeld = application.GetDocument()->GetSlotSize(3) > 0;
    application.ExitInstance();
    if (program.messages > 0 || !allHeld) {
        std::fprintf(stderr, "rereceive_bench: the receive failed\n");
        return 1;
    }
    std::printf("rereceive_unchanged_s: %.3f\n", seconds);
    return 0;
}
