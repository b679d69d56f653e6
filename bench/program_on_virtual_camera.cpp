// SPDX-License-Identifier: MIT
#include "program_on_virtual_camera.h"

#include "message_box.h"

#include <QEventLoop>

#include <cstdio>

namespace ovaline::bench {

VirtualCameraFolder::VirtualCameraFolder() {
    env.set("QT_QPA_PLATFORM", "offscreen")
        .set("OVALINE_VIRTUAL_DIR", (folder.path() / "camera").string())
        .set("OVALINE_VIRTUAL_SPEED", "1000")
        .unset("OVALINE_VIRTUAL_FAULTS")
        .unset("OVALINE_VIRTUAL_MODEL");
}

ProgramOnVirtualCamera::ProgramOnVirtualCamera(int &argc, char **argv, const char *bench)
    : application(argc, argv), m_bench(bench) {}

bool ProgramOnVirtualCamera::Start(const QStringList &options) {
    app::setMessageBoxHandler([this](const app::MessageBoxRequest &request) {
        std::fprintf(stderr, "%s: %s\n", m_bench, qPrintable(request.text));
        ++messages;
        return QMessageBox::Ok;
    });
    const QString profile = QString::fromStdString((folder.path() / "Ovaline.ini").string());
    if (!application.InitInstance(
            QStringList{QStringLiteral("ovaline"), QStringLiteral("--virtual"),
                        QStringLiteral("--nosplash"), QStringLiteral("--profile"), profile} +
            options))
        return false;
    QEventLoop idle;
    QObject::connect(&application, &app::COvalineApp::FirstIdleDone, &idle, &QEventLoop::quit);
    idle.exec();
    return true;
}

} // namespace ovaline::bench
