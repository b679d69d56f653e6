// SPDX-License-Identifier: MIT
#include "message_recorder.h"

namespace ovaline::test {

MessageRecorder::MessageRecorder()
    : previous_(app::setMessageBoxHandler(
          [this](const app::MessageBoxRequest &request) { return answer(request); })) {}

MessageRecorder::~MessageRecorder() {
    app::setMessageBoxHandler(std::move(previous_));
}

QStringList MessageRecorder::texts() const {
    QStringList texts;
    for (const app::MessageBoxRequest &request : shown_)
        texts << request.text;
    return texts;
}

QMessageBox::StandardButton MessageRecorder::answer(const app::MessageBoxRequest &request) {
    shown_.push_back(request);
    if (watcher_)
        watcher_(request);
    if (!answers_.empty()) {
        const QMessageBox::StandardButton button = answers_.front();
        answers_.pop_front();
        return button;
    }
    return request.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
}

} // namespace ovaline::test
