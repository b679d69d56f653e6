// SPDX-License-Identifier: MIT
#include "message_box.h"

#include "resource_ids.h"
#include "string_table.h"

#include <QApplication>

namespace ovaline::app {
namespace {

MessageBoxHandler &currentHandler() {
    static MessageBoxHandler handler;
    return handler;
}

} // namespace

QMessageBox::StandardButton messageBox(const QString &text, QMessageBox::Icon icon,
                                       QMessageBox::StandardButtons buttons) {
    if (const MessageBoxHandler &handler = currentHandler())
        return handler({text, icon, buttons});
    QMessageBox box(icon, res::loadString(res::AFX_IDS_APP_TITLE), text, buttons,
                    QApplication::activeWindow());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(currentHandler(), std::move(handler));
}

} // namespace ovaline::app
