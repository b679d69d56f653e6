// SPDX-License-Identifier: MIT
// Every message of the program goes through messageBox: a modal box
// captioned with the program title. Tests put a handler in its place that
// records the message and answers it.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

namespace ovaline::app {

struct MessageBoxRequest {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

using MessageBoxHandler = std::function<QMessageBox::StandardButton(const MessageBoxRequest &)>;

// Shows the message and returns the button chosen.
QMessageBox::StandardButton messageBox(const QString &text, QMessageBox::Icon icon,
                                       QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Routes messages to `handler` instead of a box (an empty handler restores
// the box); returns the handler it replaces.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

} // namespace ovaline::app
