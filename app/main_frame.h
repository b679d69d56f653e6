// SPDX-License-Identifier: MIT
// The main window: menu, toolbar, the two fixed panes and the status bar
// with progress, date and clock. It opens centred at its saved size and
// saves that size when it closes.
#pragma once

#include <QMainWindow>

#include <map>

class QAction;

namespace ovaline::app {

class COvalineDoc;
class CFixedSplitterWnd;
class CPaneView;
class CProgressStatusBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(COvalineDoc *doc);

    // Shows string `stringId` in the message pane at once; the idle text is
    // AFX_IDS_IDLEMESSAGE ("READY").
    void SetMessageText(int stringId);
    // Shows a text of the program's own in the message pane, with `whole`
    // in its tip when given.
    void ShowMessageText(const QString &text, const QString &whole = {});

    QAction *GetAction(int commandId) const { return m_actions.at(commandId); }
    CProgressStatusBar *GetStatusBar() const { return m_wndStatusBar; }
    CFixedSplitterWnd *GetSplitter() const { return m_wndSplitter; }

    // Enables the commands by their rules; runs whenever the unit is checked
    // and whenever a folder is opened.
    void UpdateCommandUI();

protected:
    bool event(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void PreCreateWindow();
    void OnCreateClient();
    void CreateCommands();
    void CreateToolBar();
    void CreateStatusBar();
    void OnClock();

    COvalineDoc *m_pDoc;
    CProgressStatusBar *m_wndStatusBar = nullptr;
    CFixedSplitterWnd *m_wndSplitter = nullptr;
    std::map<int, QAction *> m_actions;
    QSize m_savedSize;
    bool m_bSizedToFrame = false;
    int m_nClockTimer = 0;
};

} // namespace ovaline::app
