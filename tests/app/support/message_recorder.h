// SPDX-License-Identifier: MIT
// Takes the place of the message boxes for the length of a test: keeps
// every message and answers it without showing anything.
#pragma once

#include "message_box.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace ovaline::test {

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    // The answer to the next message; without one, OK (or Yes) is chosen.
    void answerNext(QMessageBox::StandardButton button) { answers_.push_back(button); }
    // Runs for each message as it is shown.
    void onMessage(std::function<void(const app::MessageBoxRequest &)> watcher) {
        watcher_ = std::move(watcher);
    }

    const std::vector<app::MessageBoxRequest> &shown() const { return shown_; }
    QStringList texts() const;
    void clear() { shown_.clear(); }

private:
    QMessageBox::StandardButton answer(const app::MessageBoxRequest &request);

    std::vector<app::MessageBoxRequest> shown_;
    std::deque<QMessageBox::StandardButton> answers_;
    std::function<void(const app::MessageBoxRequest &)> watcher_;
    app::MessageBoxHandler previous_;
};

} // namespace ovaline::test
