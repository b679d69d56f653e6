// SPDX-License-Identifier: MIT
// The splash window: picture 221 centred on the screen while the main window
// comes up. It goes after 5 seconds, or at the first key press or left click
// anywhere in the program, which it swallows.
#pragma once

#include <QBasicTimer>
#include <QPixmap>
#include <QWidget>

#include <chrono>

namespace ovaline::imageview {

class CSplashScreenWnd : public QWidget {
    Q_OBJECT
public:
    // Whether the splash may be shown at all (the command line decides).
    static void EnableSplash(bool enable);
    // Shows the splash, owned by `parent`, unless it is disabled, already up
    // or its picture is missing.
    static void ShowSplash(QWidget *parent);
    // Offered every event of the program first: true when the event was the
    // first key press or left click, which closed the splash.
    static bool FilterAppMessage(QEvent *event);
    static void HideSplash();

    // The live splash, or none.
    static CSplashScreenWnd *Live() { return s_pSplash; }
    // How long the splash stays without input (5 s; tests shorten it).
    static void SetShowTime(std::chrono::milliseconds time) { s_showTime = time; }
    static std::chrono::milliseconds ShowTime() { return s_showTime; }

    ~CSplashScreenWnd() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    CSplashScreenWnd(QWidget *parent, const QPixmap &picture);

    QPixmap m_bmpSplash;
    QBasicTimer m_timer;

    static inline CSplashScreenWnd *s_pSplash = nullptr;
    static inline bool s_bSplashEnabled = true;
    static inline std::chrono::milliseconds s_showTime{5000};
};

} // namespace ovaline::imageview
