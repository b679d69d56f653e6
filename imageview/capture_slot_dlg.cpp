// SPDX-License-Identifier: MIT
#include "capture_slot_dlg.h"

#include "capture_plan.h"
#include "resource_ids.h"
#include "string_table.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ovaline::imageview {

CCaptureSlotDlg::CCaptureSlotDlg(QWidget *parent, const char *map) : QDialog(parent) {
    setWindowTitle(res::loadString(res::AFX_IDS_APP_TITLE));
    setObjectName(QStringLiteral("captureSlot"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Every slot of the main unit holds a picture.\n"
                                    "Which one shall the new picture replace?"),
                                 this));
    auto *row = new QHBoxLayout;
    for (int slot = 1; slot <= 7; ++slot) {
        auto *button = new QPushButton(QString::number(slot), this);
        button->setObjectName(QStringLiteral("slot%1").arg(slot));
        button->setAutoDefault(false);
        button->setEnabled(isOverwritable(map, slot));
        if (map[slot] == 'P')
            button->setToolTip(tr("Protected"));
        connect(button, &QPushButton::clicked, this, [this, slot] { done(slot); });
        row->addWidget(button);
        m_slots[slot - 1] = button;
    }
    layout->addLayout(row);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int CCaptureSlotDlg::ChooseSlot() {
    const int result = exec();
    return result >= 1 && result <= 7 ? result : 0;
}

} // namespace ovaline::imageview
