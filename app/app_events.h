// SPDX-License-Identifier: MIT
// The program's own events between its windows, numbered as its private
// window messages were.
#pragma once

#include <QEvent>

#include <cstdint>

namespace ovaline::app {

// To the camera-memory view, posted by the transfer's worker thread when the
// exchange is over.
inline constexpr QEvent::Type WM_APP_TRAFFIC_DONE = static_cast<QEvent::Type>(0x432);

class CTrafficDoneEvent : public QEvent {
public:
    explicit CTrafficDoneEvent(std::int32_t result)
        : QEvent(WM_APP_TRAFFIC_DONE), m_nResult(result) {}
    std::int32_t Result() const { return m_nResult; }

private:
    std::int32_t m_nResult;
};

// To the view that opened the image window: the window has moved.
inline constexpr QEvent::Type WM_APP_IMAGEWND_MOVED = static_cast<QEvent::Type>(0x405);

// To the main frame: move the progress bar to `percent` (0..100).
inline constexpr QEvent::Type WM_APP_PROGRESS = static_cast<QEvent::Type>(0x43C);

class CProgressEvent : public QEvent {
public:
    explicit CProgressEvent(int percent) : QEvent(WM_APP_PROGRESS), m_nPercent(percent) {}
    int Percent() const { return m_nPercent; }

private:
    int m_nPercent;
};

} // namespace ovaline::app
