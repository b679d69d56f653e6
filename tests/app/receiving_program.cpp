// SPDX-License-Identifier: MIT
// The program as it runs for a user, which starts a Receive of the whole
// camera memory as soon as the camera has answered, and prints "BUSY" once
// the first picture is crossing the line: tests stop it there.
#include "ovaline_app.h"
#include "ovaline_doc.h"

#include <QTimer>

#include <cstdio>

int main(int argc, char **argv) {
    ovaline::app::COvalineApp app(argc, argv);
    QObject::connect(&app, &ovaline::app::COvalineApp::FirstIdleDone, &app,
                     [&app] { app.GetDocument()->OnReceive(); });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        if (app.m_bBusy) {
            std::printf("BUSY\n");
            std::fflush(stdout);
            watch.stop();
        }
    });
    watch.start(10);
    return app.Run();
}
