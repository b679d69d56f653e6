// SPDX-License-Identifier: MIT
// The main window's status bar: the message pane, the progress bar, the
// date and the clock.
#pragma once

#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace ovaline::app {

class CProgressStatusBar : public QStatusBar {
    Q_OBJECT
public:
    enum Pane { kMessagePane = 0, kProgressPane = 1, kDatePane = 2, kTimePane = 3 };

    explicit CProgressStatusBar(QWidget *parent = nullptr);

    // Sets the text of a text pane and redraws it at once. Its tip is
    // `whole`, when given, or else the text when the pane cuts it off.
    void SetPaneText(Pane pane, const QString &text, const QString &whole = {});
    QString GetPaneText(Pane pane) const;
    QProgressBar *GetProgress() const { return m_wndProgress; }

private:
    QLabel *TextPane(Pane pane) const;

    QLabel *m_wndMessage;
    QProgressBar *m_wndProgress;
    QLabel *m_wndDate;
    QLabel *m_wndTime;
};

} // namespace ovaline::app
