// A Receive of the whole memory when nothing has changed:
//   rereceive_unchanged_s  wall time of the program's second whole-memory
//                          Receive of the four first-start pictures at
//                          9,600 bit/s on the virtual line in real time
#include "message_box.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
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
    env.set("OVALINE_VIRTUAL_DIR", (folder.path() / "camera").string())
        .set("OVALINE_VIRTUAL_SPEED", "1000")
        .unset("OVALINE_VIRTUAL_FAULTS")
        .unset("OVALINE_VIRTUAL_MODEL");
    app::COvalineApp application(argc, argv);
    bool failed = false;
    app::setMessageBoxHandler([&failed](const app::MessageBoxRequest &request) {
        std::fprintf(stderr, "rereceive_bench: %s\n", qPrintable(request.text));
        failed = true;
        return QMessageBox::Ok;
    });
    const QString profile = QString::fromStdString((folder.path() / "Ovaline.ini").string());
    if (!application.InitInstance({QStringLiteral("ovaline"), QStringLiteral("--virtual"),
                                   QStringLiteral("--nosplash"), QStringLiteral("--profile"),
                                   profile}))
        return 1;
    QEventLoop idle;
    QObject::connect(&application, &app::COvalineApp::FirstIdleDone, &idle, &QEventLoop::quit);
    idle.exec();
    application.m_nBaudIndex = 2; // 9,600 bit/s
    receiveAll(application);      // the first Receive, on a line sped up

    env.set("OVALINE_VIRTUAL_SPEED", "1");
    const auto start = std::chrono::steady_clock::now();
    receiveAll(application);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const bool allHeld = application.GetDocument()->GetSlotSize(3) > 0;
    application.ExitInstance();
    if (failed || !allHeld) {
        std::fprintf(stderr, "rereceive_bench: the receive failed\n");
        return 1;
    }
    std::printf("rereceive_unchanged_s: %.3f\n", seconds);
    return 0;
}
