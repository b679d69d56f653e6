// SPDX-License-Identifier: MIT
// The remote control's face as data: its controls with their places,
// images and commands, the unit's state as the window keeps it, and the
// indicators that show that state.
#pragma once

#include "command_link.h"

#include <QString>

#include <array>

namespace ovaline::control {

enum RemoteControlId {
    IDC_POSI_NEGA = 59143,
    IDC_MAIN = 59144,
    IDC_TELE = 59145,
    IDC_COLOR_BW = 59146,
    IDC_SUB = 59147,
    IDC_WIDE = 59148,
    IDC_UPPER = 59149,
    IDC_AV1 = 59150,
    IDC_NEAR = 59151,
    IDC_BASE = 59152,
    IDC_AV2 = 59153,
    IDC_FAR = 59154,
    IDC_AF = 59155,
    IDC_IRIS_NORMAL = 59156,
    IDC_IRIS_OPEN = 59157,
    IDC_IRIS_CLOSE = 59158,
    IDC_LOCK = 59159,
    IDC_POINTER = 59160,
    IDC_2X = 59161,
    IDC_PAUSE = 59162,
    IDC_SET = 59163,
    IDC_RECALL = 59164,
    IDC_ARROW1 = 59165,
    IDC_ARROW8 = 59172,
};

enum class ControlKind { Click, Hold };

struct RemoteControl {
    int id;
    const char *label; // the text printed beside it; also its tool tip and accessible name
    int x;
    int y;
    const char *up;
    const char *down;
    const char *disabled; // nullptr: the up image
    ControlKind kind;
    int code = -1;  // hold buttons: the SendCommand code
    char start = 0; // hold buttons: the argument that starts the motion; '0' stops it
};

// In the order the controls are created.
inline constexpr RemoteControl kRemoteControls[] = {
    {IDC_POSI_NEGA, QT_TRANSLATE_NOOP("RemoteControls", "POSI/NEGA"), 17, 276, "UP_BTN1", "DN_BTN1",
     nullptr, ControlKind::Click},
    {IDC_MAIN, QT_TRANSLATE_NOOP("RemoteControls", "MAIN"), 17, 314, "UP_BTN1", "DN_BTN1", nullptr,
     ControlKind::Click},
    {IDC_TELE, QT_TRANSLATE_NOOP("RemoteControls", "TELE"), 17, 352, "UP_BTN1", "DN_BTN1", nullptr,
     ControlKind::Hold, app::kCmdZoom, '+'},
    {IDC_COLOR_BW, QT_TRANSLATE_NOOP("RemoteControls", "COLOR/B&W"), 93, 276, "UP_BTN1", "DN_BTN1",
     nullptr, ControlKind::Click},
    {IDC_SUB, QT_TRANSLATE_NOOP("RemoteControls", "SUB"), 93, 314, "UP_BTN1", "DN_BTN1", nullptr,
     ControlKind::Click},
    {IDC_WIDE, QT_TRANSLATE_NOOP("RemoteControls", "WIDE"), 93, 352, "UP_BTN1", "DN_BTN1", nullptr,
     ControlKind::Hold, app::kCmdZoom, '-'},
    {IDC_UPPER, QT_TRANSLATE_NOOP("RemoteControls", "UPPER"), 169, 276, "UP_BTN1", "DN_BTN1",
     nullptr, ControlKind::Click},
    {IDC_AV1, QT_TRANSLATE_NOOP("RemoteControls", "AV 1"), 169, 314, "UP_BTN1", "DN_BTN1", nullptr,
     ControlKind::Click},
    {IDC_NEAR, QT_TRANSLATE_NOOP("RemoteControls", "NEAR"), 169, 352, "UP_BTN1", "DN_BTN1", nullptr,
     ControlKind::Hold, app::kCmdFocus, '+'},
    {IDC_BASE, QT_TRANSLATE_NOOP("RemoteControls", "BASE"), 244, 276, "UP_BTN1", "DN_BTN1", nullptr,
     ControlKind::Click},
    {IDC_AV2, QT_TRANSLATE_NOOP("RemoteControls", "AV 2"), 244, 314, "UP_BTN1", "DN_BTN1", nullptr,
     ControlKind::Click},
    {IDC_FAR, QT_TRANSLATE_NOOP("RemoteControls", "FAR"), 244, 352, "UP_BTN1", "DN_BTN1", nullptr,
     ControlKind::Hold, app::kCmdFocus, '-'},
    {IDC_AF, QT_TRANSLATE_NOOP("RemoteControls", "AF"), 244, 394, "UP_BTN1", "DN_BTN1", nullptr,
     ControlKind::Click},
    {IDC_IRIS_NORMAL, QT_TRANSLATE_NOOP("RemoteControls", "IRIS NORMAL"), 24, 418, "UP_BTN2",
     "DN_BTN2", nullptr, ControlKind::Click},
    {IDC_IRIS_OPEN, QT_TRANSLATE_NOOP("RemoteControls", "IRIS OPEN"), 99, 418, "UP_BTN2", "DN_BTN2",
     nullptr, ControlKind::Hold, app::kCmdIris, '+'},
    {IDC_IRIS_CLOSE, QT_TRANSLATE_NOOP("RemoteControls", "IRIS CLOSE"), 174, 418, "UP_BTN2",
     "DN_BTN2", nullptr, ControlKind::Hold, app::kCmdIris, '-'},
    {IDC_LOCK, QT_TRANSLATE_NOOP("RemoteControls", "LOCK"), 31, 21, "UP_BTN6", "DN_BTN6", nullptr,
     ControlKind::Click},
    {IDC_POINTER, QT_TRANSLATE_NOOP("RemoteControls", "POINTER"), 31, 75, "UP_BTN4", "DN_BTN4",
     nullptr, ControlKind::Click},
    {IDC_2X, QT_TRANSLATE_NOOP("RemoteControls", "2x"), 31, 123, "UP_BTN5", "DN_BTN5", nullptr,
     ControlKind::Click},
    {IDC_PAUSE, QT_TRANSLATE_NOOP("RemoteControls", "PAUSE"), 97, 203, "UMARU_BTN", "DMARU_BTN",
     nullptr, ControlKind::Click},
    {IDC_SET, QT_TRANSLATE_NOOP("RemoteControls", "SET"), 176, 203, "UMARU_BTN", "DMARU_BTN",
     nullptr, ControlKind::Click},
    {IDC_RECALL, QT_TRANSLATE_NOOP("RemoteControls", "RECALL"), 255, 203, "UMARU_BTN", "DMARU_BTN",
     nullptr, ControlKind::Click},
    {59165, QT_TRANSLATE_NOOP("RemoteControls", "pointer up-left"), 137, 16, "UP_ARROW1",
     "DN_ARROW1", "DS_ARROW1", ControlKind::Hold, app::kCmdPointerMove, '6'},
    {59166, QT_TRANSLATE_NOOP("RemoteControls", "pointer left"), 137, 66, "UP_ARROW2", "DN_ARROW2",
     "DS_ARROW2", ControlKind::Hold, app::kCmdPointerMove, '2'},
    {59167, QT_TRANSLATE_NOOP("RemoteControls", "pointer down-left"), 137, 116, "UP_ARROW3",
     "DN_ARROW3", "DS_ARROW3", ControlKind::Hold, app::kCmdPointerMove, '8'},
    {59168, QT_TRANSLATE_NOOP("RemoteControls", "pointer up"), 188, 16, "UP_ARROW4", "DN_ARROW4",
     "DS_ARROW4", ControlKind::Hold, app::kCmdPointerMove, '3'},
    {59169, QT_TRANSLATE_NOOP("RemoteControls", "pointer down"), 188, 116, "UP_ARROW5", "DN_ARROW5",
     "DS_ARROW5", ControlKind::Hold, app::kCmdPointerMove, '4'},
    {59170, QT_TRANSLATE_NOOP("RemoteControls", "pointer up-right"), 238, 16, "UP_ARROW6",
     "DN_ARROW6", "DS_ARROW6", ControlKind::Hold, app::kCmdPointerMove, '5'},
    {59171, QT_TRANSLATE_NOOP("RemoteControls", "pointer right"), 238, 66, "UP_ARROW7", "DN_ARROW7",
     "DS_ARROW7", ControlKind::Hold, app::kCmdPointerMove, '1'},
    {59172, QT_TRANSLATE_NOOP("RemoteControls", "pointer down-right"), 238, 116, "UP_ARROW8",
     "DN_ARROW8", "DS_ARROW8", ControlKind::Hold, app::kCmdPointerMove, '7'},
};

// The control with this id; nullptr for none.
const RemoteControl *findRemoteControl(int id);

inline bool isPadArrow(int id) {
    return id >= IDC_ARROW1 && id <= IDC_ARROW8;
}

// The side of a cell of the direction pad (a 3 x 3 grid, its centre empty).
inline constexpr int kPadCell = 46;

// The panel of unit model 1 (with SUB) and of the other models.
inline constexpr int kPanelModel1 = 147;
inline constexpr int kPanelOther = 229;

// The unit's state as the remote control keeps it, with the values a new
// remote control starts from.
struct CRemoteFlags {
    int m_bPositive = 1;
    int m_bColor = 1;
    int m_bUpper = 0;
    int m_bBase = 0;
    int m_nAVInput = 0; // 0 MAIN, 1 AV 1, 2 AV 2, 3 SUB
    int m_bPanelLocked = 1;
    int m_bPointer = 0;
    int m_b2x = 0;
    int m_bPause = 0;
    int m_bHolding = 0; // a start command was sent and its stop not yet
};

// Takes the eight bytes of a control-state reply ("QS" '0') into the flags.
void readControlState(CRemoteFlags &flags, const char reply[8]);

enum IndicatorRole {
    kIndicatorPosiNega,
    kIndicatorColorBW,
    kIndicatorUpper,
    kIndicatorBase,
    kIndicatorMain,
    kIndicatorAV1,
    kIndicatorAV2,
    kIndicatorSub,
    kIndicatorLock,
    kIndicatorCount
};

struct Indicator {
    int x;
    int y;
    int image; // the bitmap's resource number
};

// Where each indicator is drawn and which image shows the flags.
std::array<Indicator, kIndicatorCount> indicatorsFor(const CRemoteFlags &flags);

// The control each indicator belongs to.
struct IndicatorControl {
    int role;
    int id;
};
inline constexpr IndicatorControl kIndicatorControls[] = {
    {kIndicatorPosiNega, IDC_POSI_NEGA},
    {kIndicatorColorBW, IDC_COLOR_BW},
    {kIndicatorUpper, IDC_UPPER},
    {kIndicatorBase, IDC_BASE},
    {kIndicatorMain, IDC_MAIN},
    {kIndicatorAV1, IDC_AV1},
    {kIndicatorAV2, IDC_AV2},
    {kIndicatorSub, IDC_SUB},
    {kIndicatorLock, IDC_LOCK},
};

// The word an indicator image shows lit ("POSI", "NEGA", "COLOR", "B&W");
// nullptr for a lamp.
const char *indicatorWord(int image);
// Whether a lamp image shows its lamp lit.
bool isLampLit(int image);

// The resource path of a control's image by name or by number.
QString controlImagePath(const char *name);
QString controlImagePath(int number);

} // namespace ovaline::control
