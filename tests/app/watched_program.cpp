// SPDX-License-Identifier: MIT
// The program as it runs for a user, watched for the tests that stop it in
// the middle of something: it prints "BUSY" once a picture is crossing the
// line (a Receive of the whole camera memory starts as soon as a camera has
// answered), or "BOX" once a message box waits for an answer.
#include "ovaline_app.h"
#include "ovaline_doc.h"

#include <QMessageBox>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv) {
    ovaline::app::COvalineApp app(argc, argv);
    QObject::connect(&app, &ovaline::app::COvalineApp::FirstIdleDone, &app, [&app] {
        if (app.m_nUnitModel != 0)
            app.GetDocument()->OnReceive();
    });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        const char *state = app.m_bBusy ? "BUSY"
                            : qobject_cast<QMessageBox *>(QApplication::activeModalWidget())
                                ? "BOX"
                                : nullptr;
        if (state) {
            std::printf("%s\n", state);
            std::fflush(stdout);
            watch.stop();
        }
    });
    watch.start(10);
    return app.Run();
}
