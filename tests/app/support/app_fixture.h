// SPDX-License-Identifier: MIT
// A test of the program in this process: its own virtual camera, its own
// profile file, and the messages recorded instead of shown.
#pragma once

#include "main_frame.h"
#include "message_recorder.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "ovaline_view.h"
#include "scoped_env.h"
#include "temp_dir.h"

#include <QApplication>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace ovaline::test {

// Waits, handling events, until `condition` holds or the deadline passes.
bool waitUntil(const std::function<bool()> &condition,
               std::chrono::milliseconds deadline = std::chrono::seconds(10));

// Acts on the next modal dialog of type Dialog as soon as it is open; fails
// the test, and closes any other modal dialog, when none opens before the
// deadline.
template <class Dialog> void whenModal(std::function<void(Dialog *)> act) {
    auto *timer = new QTimer;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act, deadline] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        } else if (std::chrono::steady_clock::now() > deadline) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal dialog of the expected kind opened";
            // Whatever else is open must not hold the test forever.
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
        }
    });
    timer->start(10);
}

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program on this test's profile with these options and
    // waits for the connection check of the first idle moment.
    void start(const QStringList &options = {QStringLiteral("--virtual")});
    // Ends the program as closing its window does: the size and then port
    // and rate are written to the profile.
    void stop();
    // Every port leads nowhere, as with the unit unplugged.
    static void unplug();
    // A fresh camera of this model on the virtual ports.
    void useCamera(const char *model);

    void writeProfile(const QString &text);
    QVariant profileValue(const QString &key) const;

    app::COvalineApp &app() const { return *app::OvalineApp(); }
    // The camera-memory view, the upper pane.
    app::COvalineView &memoryView() const;
    app::COvalineDoc &doc() const { return *app().GetDocument(); }
    app::CMainFrame &frame() const { return *app().GetMainFrame(); }

    // Whether start() lets the splash show (off unless a test asks for it).
    bool splash = false;
    TempDir folder;
    ScopedEnv env;
    MessageRecorder boxes;
    QString profilePath;

private:
    bool running_ = false;
    int cameras_ = 0;
};

} // namespace ovaline::test
