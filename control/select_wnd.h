// SPDX-License-Identifier: MIT
// The memory-slot selection window: seven slot buttons and CANCEL. In store
// mode ("SET") a slot click makes the unit memorize its live picture in that
// slot, then everything waits while the unit stores; in recall mode
// ("RECALL") a slot click makes the unit show the picture of that slot. The
// slot map is read afresh at every click, and a store while the unit is
// reading, a store into a protected slot and a recall from an empty slot
// are refused.
#pragma once

#include "memory_store.h"
#include "system_colours.h"

#include <QPointer>
#include <QWidget>

#include <array>

namespace ovaline::control {

class CBitmapButton;
class CRemoteWnd;

enum SelectControlId {
    IDC_SLOT1 = 59143,
    IDC_SLOT7 = 59149,
    IDC_CANCEL = 59150,
};

struct SelectControl {
    int id;
    const char *label;
    int x;
    int y;
    const char *up;
    const char *down;
};

inline constexpr SelectControl kSelectControls[] = {
    {59143, QT_TRANSLATE_NOOP("SelectControls", "slot 1"), 25, 33, "UP_SEL1", "DN_SEL1"},
    {59144, QT_TRANSLATE_NOOP("SelectControls", "slot 2"), 56, 33, "UP_SEL2", "DN_SEL2"},
    {59145, QT_TRANSLATE_NOOP("SelectControls", "slot 3"), 87, 33, "UP_SEL3", "DN_SEL3"},
    {59146, QT_TRANSLATE_NOOP("SelectControls", "slot 4"), 118, 33, "UP_SEL4", "DN_SEL4"},
    {59147, QT_TRANSLATE_NOOP("SelectControls", "slot 5"), 150, 33, "UP_SEL5", "DN_SEL5"},
    {59148, QT_TRANSLATE_NOOP("SelectControls", "slot 6"), 179, 33, "UP_SEL6", "DN_SEL6"},
    {59149, QT_TRANSLATE_NOOP("SelectControls", "slot 7"), 210, 33, "UP_SEL7", "DN_SEL7"},
    {IDC_CANCEL, QT_TRANSLATE_NOOP("SelectControls", "CANCEL"), 87, 148, "UP_CAN", "DN_CAN"},
};

inline constexpr int kSelectPanel = 200;

class CSelectWnd : public QWidget {
    Q_OBJECT
public:
    enum Mode { kRecall = 0, kStore = 1 };

    CSelectWnd();
    ~CSelectWnd() override;

    // Opens the window titled `title` for the remote control in `mode`, at
    // its kept position. Always 1.
    int Create(CRemoteWnd *pRemote, const QString &title, int mode);
    bool HasWindow() const { return m_bCreated; }
    void DestroyWindow();

    int GetMode() const { return m_nMode; }
    CBitmapButton *GetControl(int id) const;
    bool IsStoreWaiting() const { return m_store.IsWaiting(); }

    // The store wait; a negative time makes the timer fail.
    void SetStoreWait(int milliseconds) { m_store.SetWait(milliseconds); }

    virtual void StartStoreWait();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // A button's notification: a click (doubleClick false) or the press of
    // a double click, which reads the map but acts on no slot.
    void OnCommand(int id, bool doubleClick);
    // The window and the remote control are held still during a store wait.
    void HoldStill(bool still);
    void OnDestroy();
    void PostClose();

    CRemoteWnd *m_pRemote = nullptr;
    std::array<QPointer<CBitmapButton>, std::size(kSelectControls)> m_buttons{};
    MappedImages m_panel;
    int m_nMode = kRecall;
    app::CMemoryStore m_store;
    bool m_bCreated = false;
    bool m_bSizedToFrame = false;
    int m_nOpening = 0; // counts the openings, so a close posted to one spares the next
};

} // namespace ovaline::control
