// SPDX-License-Identifier: MIT
// A Receive of the whole memory when nothing has changed:
//   rereceive_unchanged_s  wall time of the program's second whole-memory
//                          Receive of the four first-start pictures at
//                          9,600 bit/s on the virtual line in real time
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "program_on_virtual_camera.h"
#include "scoped_env.h"
#include "temp_dir.h"

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
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    test::TempDir folder;
    test::ScopedEnv env;
    bench::setVirtualCameraEnvironment(env, folder.path());
    app::COvalineApp application(argc, argv);
    int messages = 0;
    if (!bench::startOnVirtualCamera(application, folder.path(), "rereceive_bench", messages))
        return 1;
    application.m_nBaudIndex = 2; // 9,600 bit/s
    receiveAll(application);      // the first Receive, on a line sped up

    env.set("OVALINE_VIRTUAL_SPEED", "1");
    const auto start = std::chrono::steady_clock::now();
    receiveAll(application);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const bool allHeld = application.GetDocument()->GetSlotSize(3) > 0;
    application.ExitInstance();
    if (messages > 0 || !allHeld) {
        std::fprintf(stderr, "rereceive_bench: the receive failed\n");
        return 1;
    }
    std::printf("rereceive_unchanged_s: %.3f\n", seconds);
    return 0;
}
