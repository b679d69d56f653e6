// SPDX-License-Identifier: MIT
// The camera-memory view's copy and the context menu of its slot frames.
#include "ovaline_view.h"

#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "picture_copy.h"
#include "slot_geometry.h"
#include "slot_menu.h"
#include "slot_strip.h"

#include <QMenu>

namespace ovaline::app {

using namespace imageview;

void COvalineView::CopySlot(int i) {
    if (OvalineApp()->m_bBusy || GetDocument()->GetSlotSize(i) == 0 || !LoadSlotPicture(i))
        return;
    const qint32 handle = m_lead.GetImageHandle();
    copyPicture(m_lead.GetBitmap(handle), m_lead.GetJpegData(handle));
    ShowMessageText(tr("Slot %1 copied").arg(i + 1));
}

void COvalineView::CopyChosenSlot() {
    // A file thumbnail picked since leaves the slot out.
    if (GetDocument()->m_bSingleSlot && m_bSelected[m_nSelSlot] &&
        OvalineApp()->m_nSelItem == m_nSelSlot + 1)
        CopySlot(m_nSelSlot);
}

void COvalineView::OnContextMenu(QPoint point, QPoint globalPos) {
    const int i = slotAt(point);
    if (i < 0)
        return;
    const COvalineDoc *doc = GetDocument();
    auto *menu = new QMenu(m_pStrip);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const SlotMenuEntry &entry : kSlotMenu) {
        QAction *action = menu->addAction(tr(entry.text));
        action->setEnabled(isSlotCommandEnabled(entry, OvalineApp()->m_bBusy != 0,
                                                doc->IsUnitKnown(), doc->GetSlotSize(i) > 0));
        // The keys are shown beside their entries; the keys themselves belong
        // to the window.
        if (entry.command == SlotCommand::Copy)
            action->setShortcuts(QKeySequence::Copy);
        else if (entry.command == SlotCommand::Paste)
            action->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Insert));
        action->setShortcutContext(Qt::WidgetShortcut);
        // The command runs once the menu has gone, not inside its click.
        connect(action, &QAction::triggered, this, [this, command = entry.command, i] {
            QMetaObject::invokeMethod(
                this, [this, command, i] { OnSlotCommand(command, i); }, Qt::QueuedConnection);
        });
    }
    menu->popup(globalPos);
}

void COvalineView::OnSlotCommand(SlotCommand command, int i) {
    switch (command) {
    case SlotCommand::Receive:
        if (OvalineApp()->m_bBusy)
            return;
        ChooseSlot(i);
        m_pStrip->update();
        GetDocument()->OnReceive();
        break;
    case SlotCommand::Copy:
        CopySlot(i);
        break;
    case SlotCommand::Paste:
        PastePicture(i);
        break;
    case SlotCommand::SaveAs:
        GetDocument()->OnSaveSlot(i);
        break;
    case SlotCommand::Show:
        ShowSlot(i);
        break;
    }
}

} // namespace ovaline::app
