// SPDX-License-Identifier: MIT
#include "program_on_virtual_camera.h"

#include "message_box.h"

#include <QEventLoop>

#include <cstdio>

namespace ovaline::bench {

void setVirtualCameraEnvironment(test::ScopedEnv &env, const std::filesystem::path &folder) {
    env.set("OVALINE_VIRTUAL_DIR", (folder / "camera").string())
        .set("OVALINE_VIRTUAL_SPEED", "1000")
        .unset("OVALINE_VIRTUAL_FAULTS")
        .unset("OVALINE_VIRTUAL_MODEL");
}

bool startOnVirtualCamera(app::COvalineApp &application, const std::filesystem::path &folder,
                          const char *bench, int &messages, const QStringList &options) {
    app::setMessageBoxHandler([bench, &messages](const app::MessageBoxRequest &request) {
        std::fprintf(stderr, "%s: %s\n", bench, qPrintable(request.text));
        ++messages;
        return QMessageBox::Ok;
    });
    const QString profile = QString::fromStdString((folder / "Ovaline.ini").string());
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
