// SPDX-License-Identifier: MIT
#include "main_frame.h"

#include "app_events.h"
#include "clock_text.h"
#include "fixed_splitter.h"
#include "message_box.h"
#include "my_view.h"
#include "ovaline_app.h"
#include "ovaline_doc.h"
#include "ovaline_view.h"
#include "pane_view.h"
#include "profile_file.h"
#include "progress_status_bar.h"
#include "resource_ids.h"
#include "splash_screen_wnd.h"
#include "string_table.h"
#include "window_geometry.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusTipEvent>
#include <QToolBar>

namespace ovaline::app {
namespace {

using namespace ovaline::res;

const QString kSizeSection = QStringLiteral("MAIN_WND");
const QString kWidthKey = QStringLiteral("WIDTH");
const QString kHeightKey = QStringLiteral("HEIGHT");
const QSize kDefaultSize(640, 480);
const QSize kMinimumSize(370, 260);
constexpr int kLargestSide = 32767;

struct Command {
    int id;
    const char *menuText;
    const char *image;
    Qt::Key key;
};

constexpr Command kCommands[] = {
    {ID_FILE_OPEN_FOLDER, QT_TRANSLATE_NOOP("ovaline::app::CMainFrame", "Open Folder(&O)."),
     "open_folder", Qt::Key_O},
    {ID_FILE_SAVE_IMAGE, QT_TRANSLATE_NOOP("ovaline::app::CMainFrame", "Save(&A)..."), "save",
     Qt::Key_A},
    {ID_APP_EXIT, QT_TRANSLATE_NOOP("ovaline::app::CMainFrame", "Exit(&X)"), "exit", Qt::Key_X},
    {ID_TRANSFER_RECEIVE, QT_TRANSLATE_NOOP("ovaline::app::CMainFrame", "Receive(&R)"), "receive",
     Qt::Key_R},
    // Beyond the designed commands: a key that none of them takes.
    {ID_TRANSFER_CAPTURE, QT_TRANSLATE_NOOP("ovaline::app::CMainFrame", "Capture(&C)"), "capture",
     Qt::Key_T},
    {ID_REMOTE, QT_TRANSLATE_NOOP("ovaline::app::CMainFrame", "Remote(&M)"), "remote", Qt::Key_M},
    {ID_SETUP, QT_TRANSLATE_NOOP("ovaline::app::CMainFrame", "Setup(&S)"), "setup", Qt::Key_S},
    {ID_APP_ABOUT, QT_TRANSLATE_NOOP("ovaline::app::CMainFrame", "Version(Ovaline) (&V)..."),
     "about", Qt::Key_V},
};

// The commands that need an identified unit.
constexpr int kUnitCommands[] = {ID_FILE_OPEN_FOLDER, ID_FILE_SAVE_IMAGE, ID_TRANSFER_RECEIVE,
                                 ID_TRANSFER_CAPTURE, ID_REMOTE};

} // namespace

CMainFrame::CMainFrame(COvalineDoc *doc) : m_pDoc(doc) {
    PreCreateWindow();
    CreateCommands();
    CreateToolBar();
    CreateStatusBar();
    OnCreateClient();
    m_nClockTimer = startTimer(1000);
    if (m_nClockTimer == 0)
        messageBox(tr("Timer Not Create"), QMessageBox::Warning);
    else
        OnClock();
    connect(OvalineApp(), &COvalineApp::UnitModelChanged, this, &CMainFrame::UpdateCommandUI);
    UpdateCommandUI();
    imageview::CSplashScreenWnd::ShowSplash(this);
}

void CMainFrame::PreCreateWindow() {
    const ProfileFile &profile = OvalineApp()->GetProfile();
    m_savedSize =
        QSize(profile.readInt(kSizeSection, kWidthKey, kDefaultSize.width(), 1, kLargestSide),
              profile.readInt(kSizeSection, kHeightKey, kDefaultSize.height(), 1, kLargestSide));
    const QPoint origin = centredOrigin(screen()->geometry().size(), m_savedSize);
    OvalineApp()->m_xMainWnd = origin.x();
    OvalineApp()->m_yMainWnd = origin.y();
    setWindowTitle(loadString(IDR_MAINFRAME));
    move(origin);
    resize(m_savedSize);
    setMinimumSize(kMinimumSize);
}

void CMainFrame::OnCreateClient() {
    COvalineApp *app = OvalineApp();
    m_wndSplitter = new CFixedSplitterWnd(this);
    auto *memoryView = new COvalineView(m_pDoc, m_wndSplitter);
    auto *thumbView = new CMyView(m_pDoc, m_wndSplitter);
    memoryView->setObjectName(QStringLiteral("memoryView"));
    thumbView->setObjectName(QStringLiteral("thumbView"));
    m_wndSplitter->addWidget(memoryView);
    m_wndSplitter->addWidget(thumbView);
    m_wndSplitter->setStretchFactor(0, 0);
    m_wndSplitter->setStretchFactor(1, 1);
    m_wndSplitter->setSizes({120, 360});
    setCentralWidget(m_wndSplitter);
    app->m_pThumbView = thumbView;
    app->m_pMemoryView = memoryView;
}

void CMainFrame::CreateCommands() {
    COvalineApp *app = OvalineApp();
    for (const Command &command : kCommands) {
        auto *action = new QAction(QIcon(QStringLiteral(":/toolbar/%1.png").arg(command.image)),
                                   tr(command.menuText), this);
        action->setShortcut(QKeySequence(Qt::CTRL | command.key));
        action->setStatusTip(statusPrompt(command.id));
        action->setToolTip(toolTipPrompt(command.id));
        m_actions[command.id] = action;
    }
    connect(m_actions[ID_FILE_OPEN_FOLDER], &QAction::triggered, m_pDoc,
            &COvalineDoc::OnOpenFolder);
    connect(m_actions[ID_FILE_SAVE_IMAGE], &QAction::triggered, m_pDoc, &COvalineDoc::OnSave);
    connect(m_actions[ID_APP_EXIT], &QAction::triggered, app, &COvalineApp::OnAppExit);
    connect(m_actions[ID_TRANSFER_RECEIVE], &QAction::triggered, m_pDoc, &COvalineDoc::OnReceive);
    connect(m_actions[ID_TRANSFER_CAPTURE], &QAction::triggered, m_pDoc, &COvalineDoc::OnCapture);
    connect(m_actions[ID_REMOTE], &QAction::triggered, m_pDoc, &COvalineDoc::OnRemote);
    connect(m_actions[ID_SETUP], &QAction::triggered, m_pDoc, &COvalineDoc::OnSetup);
    connect(m_actions[ID_APP_ABOUT], &QAction::triggered, app, &COvalineApp::OnAppAbout);
    // Refresh: a menu item with its own key, no toolbar button.
    auto *refresh = new QAction(tr("Refresh(&R)"), this);
    refresh->setShortcut(QKeySequence(Qt::Key_F5));
    refresh->setStatusTip(statusPrompt(ID_FILE_REFRESH));
    m_actions[ID_FILE_REFRESH] = refresh;
    connect(refresh, &QAction::triggered, m_pDoc, &COvalineDoc::OnRefresh);

    QMenu *file = menuBar()->addMenu(tr("File(&F)"));
    file->addAction(m_actions[ID_FILE_OPEN_FOLDER]);
    file->addAction(refresh);
    file->addAction(m_actions[ID_FILE_SAVE_IMAGE]);
    file->addSeparator();
    file->addAction(m_actions[ID_APP_EXIT]);
    QMenu *transfer = menuBar()->addMenu(tr("Transfer(&T)"));
    transfer->addAction(m_actions[ID_TRANSFER_RECEIVE]);
    transfer->addAction(m_actions[ID_TRANSFER_CAPTURE]);
    menuBar()->addMenu(tr("Remote(&R)"))->addAction(m_actions[ID_REMOTE]);
    // A menu bar shows an action's icon in place of its text: Setup's item
    // there is a text-only stand-in for the command.
    QAction *setupItem = menuBar()->addAction(tr("Setup(&S)"));
    setupItem->setStatusTip(m_actions[ID_SETUP]->statusTip());
    connect(setupItem, &QAction::triggered, m_actions[ID_SETUP], &QAction::trigger);
    menuBar()->addMenu(tr("Help(&H)"))->addAction(m_actions[ID_APP_ABOUT]);
}

void CMainFrame::CreateToolBar() {
    QToolBar *toolBar = addToolBar(tr("Standard"));
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(16, 15));
    toolBar->addAction(m_actions[ID_FILE_OPEN_FOLDER]);
    toolBar->addAction(m_actions[ID_FILE_SAVE_IMAGE]);
    toolBar->addSeparator();
    toolBar->addAction(m_actions[ID_TRANSFER_RECEIVE]);
    toolBar->addAction(m_actions[ID_TRANSFER_CAPTURE]);
    toolBar->addAction(m_actions[ID_REMOTE]);
    toolBar->addSeparator();
    toolBar->addAction(m_actions[ID_SETUP]);
    toolBar->addSeparator();
    toolBar->addAction(m_actions[ID_APP_ABOUT]);
    toolBar->addAction(m_actions[ID_APP_EXIT]);
}

void CMainFrame::CreateStatusBar() {
    m_wndStatusBar = new CProgressStatusBar(this);
    m_wndStatusBar->setFont(OvalineApp()->m_hFixedFont);
    setStatusBar(m_wndStatusBar);
    SetMessageText(AFX_IDS_IDLEMESSAGE);
}

void CMainFrame::SetMessageText(int stringId) {
    m_wndStatusBar->SetPaneText(CProgressStatusBar::kMessagePane, statusPrompt(stringId));
}

void CMainFrame::ShowMessageText(const QString &text, const QString &whole) {
    m_wndStatusBar->SetPaneText(CProgressStatusBar::kMessagePane, text, whole);
}

void CMainFrame::UpdateCommandUI() {
    const bool unitKnown = m_pDoc->IsUnitKnown();
    for (int id : kUnitCommands)
        m_actions[id]->setEnabled(unitKnown);
    m_actions[ID_FILE_REFRESH]->setEnabled(!OvalineApp()->m_strFolder.isEmpty());
}

void CMainFrame::OnClock() {
    const QDateTime now = QDateTime::currentDateTime();
    m_wndStatusBar->SetPaneText(CProgressStatusBar::kDatePane, dateText(now.date()));
    m_wndStatusBar->SetPaneText(CProgressStatusBar::kTimePane, timeText(now.time()));
}

bool CMainFrame::event(QEvent *event) {
    if (event->type() == WM_APP_PROGRESS) {
        m_wndStatusBar->GetProgress()->setValue(static_cast<CProgressEvent *>(event)->Percent());
        return true;
    }
    if (event->type() == QEvent::StatusTip) {
        // The fly-by prompt goes to the message pane; leaving the command
        // brings back the idle text.
        const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
        if (tip.isEmpty())
            SetMessageText(AFX_IDS_IDLEMESSAGE);
        else
            m_wndStatusBar->SetPaneText(CProgressStatusBar::kMessagePane, tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::timerEvent(QTimerEvent *event) {
    if (event->timerId() == m_nClockTimer)
        OnClock();
    QMainWindow::timerEvent(event);
}

void CMainFrame::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (m_bSizedToFrame)
        return;
    // The saved size and the minimum are outer sizes, frame included.
    m_bSizedToFrame = true;
    sizeOnceFramed(this, [this] {
        setMinimumSize(kMinimumSize - frameExtent(this));
        resizeOuter(this, m_savedSize);
    });
}

void CMainFrame::closeEvent(QCloseEvent *event) {
    if (m_nClockTimer != 0)
        killTimer(m_nClockTimer);
    m_nClockTimer = 0;
    const QSize size = outerSize(this);
    ProfileFile &profile = OvalineApp()->GetProfile();
    profile.writeInt(kSizeSection, kWidthKey, size.width());
    profile.writeInt(kSizeSection, kHeightKey, size.height());
    m_pDoc->OnCloseDocument();
    event->accept();
}

} // namespace ovaline::app
