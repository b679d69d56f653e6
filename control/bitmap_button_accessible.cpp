// SPDX-License-Identifier: MIT
#include "bitmap_button_accessible.h"

#include "bitmap_button.h"

#include <QAccessibleWidget>

namespace ovaline::control {
namespace {

class BitmapButtonAccessible : public QAccessibleWidget {
public:
    explicit BitmapButtonAccessible(CBitmapButton *button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::Role role() const override {
        return button()->HasLamp() ? QAccessible::CheckBox : QAccessible::Button;
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        state.checkable = button()->HasLamp();
        state.checked = button()->HasLamp() && button()->IsLampLit();
        return state;
    }
    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override {
        if (action != pressAction())
            QAccessibleWidget::doAction(action);
        else if (button()->isEnabled())
            button()->animateClick();
    }

private:
    CBitmapButton *button() const { return static_cast<CBitmapButton *>(widget()); }
};

} // namespace

QAccessibleInterface *bitmapButtonAccessible(CBitmapButton *button) {
    return new BitmapButtonAccessible(button);
}

} // namespace ovaline::control
