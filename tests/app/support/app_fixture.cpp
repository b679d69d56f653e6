// SPDX-License-Identifier: MIT
#include "app_fixture.h"

#include <QFile>
#include <QTest>
#include <QWidget>

namespace ovaline::test {

bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds deadline) {
    return QTest::qWaitFor(condition, static_cast<int>(deadline.count()));
}

void AppTest::SetUp() {
    env.set("OVALINE_VIRTUAL_SPEED", "1000")
        .unset("OVALINE_VIRTUAL_FAULTS")
        .unset("OVALINE_VIRTUAL_MODEL")
        .unset("OVALINE_COM1")
        .unset("OVALINE_COM2")
        .unset("OVALINE_COM3")
        .unset("OVALINE_COM4");
    useCamera("VIHN");
    profilePath = QString::fromStdString((folder.path() / "Ovaline.ini").string());
}

void AppTest::TearDown() {
    stop();
    for (int port = 1; port <= 4; ++port)
        OvalineSetPortName(port, nullptr);
    static_cast<app::COvalineAppState &>(app()) = app::COvalineAppState{};
}

void AppTest::useCamera(const char *model) {
    const auto camera = folder.path() / ("camera" + std::to_string(++cameras_));
    env.set("OVALINE_VIRTUAL_DIR", camera.string()).set("OVALINE_VIRTUAL_MODEL", model);
}

void AppTest::start(const QStringList &options) {
    QStringList arguments{QStringLiteral("ovaline"), QStringLiteral("--profile"), profilePath};
    if (!splash)
        arguments << QStringLiteral("--nosplash");
    ASSERT_TRUE(app().InitInstance(arguments + options));
    running_ = true;
    ASSERT_TRUE(waitUntil([this] { return app().m_bFirstIdle == 0; }));
}

void AppTest::stop() {
    if (!running_)
        return;
    running_ = false;
    frame().close();
    app().ExitInstance();
}

void AppTest::unplug() {
    for (int port = 1; port <= 4; ++port)
        OvalineSetPortName(port, "/nonexistent/tty");
}

void AppTest::writeProfile(const QString &text) {
    QFile file(profilePath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

app::COvalineView &AppTest::memoryView() const {
    return *static_cast<app::COvalineView *>(app().m_pMemoryView);
}

QVariant AppTest::profileValue(const QString &key) const {
    return QSettings(profilePath, QSettings::IniFormat).value(key);
}

} // namespace ovaline::test
