// SPDX-License-Identifier: MIT
// The program as it runs for a user, watched for the tests that stop it in
// the middle of something: it prints "BUSY" once a picture is crossing the
// line (a Receive of the whole camera memory starts as soon as a camera has
// answered), or "BOX" once a message box waits for an answer.
//
// With OVALINE_ANSWER_BOXES set it goes on instead, as a user who reads every
// box and presses Enter: it prints "BOX" and the box's text for each one, and
// once started the port and speed it uses ("COM=2 SPEED=1").
#include "ovaline_app.h"
#include "ovaline_doc.h"

#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv) {
    ovaline::app::COvalineApp app(argc, argv);
    const bool answerBoxes = qEnvironmentVariableIsSet("OVALINE_ANSWER_BOXES");
    QObject::connect(&app, &ovaline::app::COvalineApp::FirstIdleDone, &app, [&app, answerBoxes] {
        if (answerBoxes) {
            std::printf("COM=%d SPEED=%d\n", app.m_nPort, app.m_nBaudIndex);
            std::fflush(stdout);
        } else if (app.m_nUnitModel != 0) {
            app.GetDocument()->OnReceive();
        }
    });
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &app, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box && answerBoxes) {
            std::printf("BOX\n%s\n", qPrintable(box->text()));
            std::fflush(stdout);
            box->accept();
            return;
        }
        const char *state = app.m_bBusy ? "BUSY" : box ? "BOX" : nullptr;
        if (state) {
            std::printf("%s\n", state);
            std::fflush(stdout);
            watch.stop();
        }
    });
    watch.start(10);
    return app.Run();
}
