// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include "accessible_cells.h"
#include "bitmap_button.h"
#include "bitmap_button_accessible.h"

#include <QAccessibleWidget>

namespace ovaline::app {
namespace {

// A window of the program's own made from a plain widget, such as the
// remote control; Qt would take it for a part of a window.
bool isOwnWindow(const QObject *object) {
    return object->isWidgetType() && static_cast<const QWidget *>(object)->isWindow() &&
           object->metaObject()->superClass() == &QWidget::staticMetaObject;
}

QAccessibleInterface *programAccessible(const QString &, QObject *object) {
    if (auto *button = qobject_cast<control::CBitmapButton *>(object))
        return control::bitmapButtonAccessible(button);
    if (auto *cells = dynamic_cast<AccessibleCells *>(object))
        return cellListAccessible(static_cast<QWidget *>(object), cells);
    if (isOwnWindow(object))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

void installAccessibility() {
    QAccessible::installFactory(programAccessible);
}

} // namespace ovaline::app
