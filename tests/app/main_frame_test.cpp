// SPDX-License-Identifier: MIT
// The main window: commands, panes, status bar, size.
#include "about_dlg.h"
#include "app_events.h"
#include "app_fixture.h"
#include "clock_text.h"
#include "fixed_splitter.h"
#include "pane_view.h"
#include "progress_status_bar.h"
#include "resource_ids.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>

namespace ovaline::test {
namespace {

using app::CProgressStatusBar;

class MainFrame : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        start();
    }
    QString pane(CProgressStatusBar::Pane which) const {
        return frame().GetStatusBar()->GetPaneText(which);
    }
};

TEST_F(MainFrame, MenusReadAsDesignedWithTheirAccelerators) {
    QStringList bar;
    for (QAction *item : frame().menuBar()->actions())
        bar << item->text();
    EXPECT_EQ(bar,
              QStringList({"File(&F)", "Transfer(&T)", "Remote(&R)", "Setup(&S)", "Help(&H)"}));
    QStringList file;
    for (QAction *item : frame().menuBar()->actions()[0]->menu()->actions())
        file << (item->isSeparator() ? "-" : item->text());
    EXPECT_EQ(file,
              QStringList({"Open Folder(&O).", "Refresh(&R)", "Save(&A)...", "-", "Exit(&X)"}));
    EXPECT_EQ(frame().GetAction(res::ID_APP_ABOUT)->text(), "Version(Ovaline) (&V)...");

    const std::pair<int, const char *> keys[] = {
        {res::ID_FILE_OPEN_FOLDER, "Ctrl+O"}, {res::ID_FILE_SAVE_IMAGE, "Ctrl+A"},
        {res::ID_APP_EXIT, "Ctrl+X"},         {res::ID_TRANSFER_RECEIVE, "Ctrl+R"},
        {res::ID_REMOTE, "Ctrl+M"},           {res::ID_SETUP, "Ctrl+S"},
        {res::ID_APP_ABOUT, "Ctrl+V"},        {res::ID_FILE_REFRESH, "F5"},
        {res::ID_TRANSFER_CAPTURE, "Ctrl+T"}};
    for (const auto &[id, key] : keys)
        EXPECT_EQ(frame().GetAction(id)->shortcut(), QKeySequence(key)) << id;
}

TEST_F(MainFrame, TheToolbarHoldsTheCommandsInOrderWithTheirTips) {
    const QToolBar *toolBar = frame().findChild<QToolBar *>("toolBar");
    ASSERT_NE(toolBar, nullptr);
    EXPECT_EQ(toolBar->iconSize(), QSize(16, 15));
    QStringList tips;
    for (QAction *item : toolBar->actions()) {
        tips << (item->isSeparator() ? "|" : item->toolTip());
        if (!item->isSeparator()) {
            EXPECT_FALSE(item->icon().pixmap(16, 15).isNull()) << item->toolTip().toStdString();
        }
    }
    EXPECT_EQ(tips, QStringList({"Open", "Save", "|", "Receive", "Capture", "Remote", "|", "Setup",
                                 "|", "About", "Exit"}));
    EXPECT_FALSE(toolBar->isMovable());
}

TEST_F(MainFrame, PromptsGoToTheMessagePaneAndLeaveItReady) {
    EXPECT_EQ(pane(CProgressStatusBar::kMessagePane), "READY");
    QStatusTipEvent prompt(frame().GetAction(res::ID_SETUP)->statusTip());
    QApplication::sendEvent(&frame(), &prompt);
    EXPECT_EQ(pane(CProgressStatusBar::kMessagePane), "Setup Connector & Baud Rate");
    QStatusTipEvent none{QString()};
    QApplication::sendEvent(&frame(), &none);
    EXPECT_EQ(pane(CProgressStatusBar::kMessagePane), "READY");
    frame().SetMessageText(res::IDS_RECEIVING);
    EXPECT_EQ(pane(CProgressStatusBar::kMessagePane), "Now receiving, [ESC]is Stop");
}

TEST_F(MainFrame, TheProgressEventMovesTheBar) {
    QProgressBar *progress = frame().GetStatusBar()->GetProgress();
    EXPECT_EQ(progress->value(), 0);
    app::CProgressEvent half(50);
    QApplication::sendEvent(&frame(), &half);
    EXPECT_EQ(progress->value(), 50);
    app::CProgressEvent done(100);
    QApplication::sendEvent(&frame(), &done);
    EXPECT_EQ(progress->value(), 100);
}

TEST_F(MainFrame, TheClockShowsTodayAndRuns) {
    const QString today = app::dateText(QDate::currentDate());
    const QString first = pane(CProgressStatusBar::kTimePane);
    EXPECT_TRUE(QRegularExpression("^\\d{1,2}:\\d\\d:\\d\\d [AP]M$").match(first).hasMatch())
        << first.toStdString();
    EXPECT_TRUE(waitUntil([&] { return pane(CProgressStatusBar::kTimePane) != first; }));
    // Only at midnight could the date have moved on meanwhile.
    EXPECT_TRUE(pane(CProgressStatusBar::kDatePane) == today ||
                pane(CProgressStatusBar::kDatePane) == app::dateText(QDate::currentDate()));
}

TEST_F(MainFrame, TheSplitterHasTwoFixedPanes) {
    app::CFixedSplitterWnd *splitter = frame().GetSplitter();
    ASSERT_EQ(splitter->count(), 2);
    EXPECT_EQ(splitter->widget(0), app().m_pMemoryView);
    EXPECT_EQ(splitter->widget(1), app().m_pThumbView);
    EXPECT_EQ(splitter->sizes()[0], 120);
    const QList<int> before = splitter->sizes();

    QSplitterHandle *handle = splitter->handle(1);
    EXPECT_EQ(handle->cursor().shape(), Qt::ArrowCursor);
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(5, 1));
    QTest::mouseMove(handle, QPoint(5, 80));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(5, 80));
    EXPECT_EQ(splitter->sizes(), before);

    // The lower pane takes what the window gains.
    frame().resize(frame().width(), frame().height() + 100);
    EXPECT_TRUE(waitUntil([&] { return splitter->sizes()[1] == before[1] + 100; }));
    EXPECT_EQ(splitter->sizes()[0], 120);
}

TEST_F(MainFrame, TheAboutBoxShowsEachLineWholeInItsDesignedLabel) {
    app::CAboutDlg dlg(&frame());
    dlg.show();
    QStringList lines;
    for (const QLabel *label : dlg.findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        lines << label->text();
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
            << label->text().toStdString();
    }
    EXPECT_EQ(lines, QStringList({"Ovaline Version 2.0", "(C) The Ovaline developers"}));
}

TEST_F(MainFrame, TheWindowKeepsItsMinimumSize) {
    frame().resize(100, 100);
    EXPECT_GE(frame().frameGeometry().width(), 370);
    EXPECT_GE(frame().frameGeometry().height(), 260);
}

class FrameSize : public AppTest {};

TEST_F(FrameSize, OpensCentredAtTheSavedSizeAndSavesItOnClose) {
    writeProfile("[MAIN_WND]\nWIDTH=500\nHEIGHT=400\n");
    start();
    EXPECT_EQ(frame().frameGeometry().size(), QSize(500, 400));
    const QSize screen = frame().screen()->geometry().size();
    const QPoint origin((screen.width() - 500) / 2, (screen.height() - 400) / 2);
    EXPECT_EQ(frame().frameGeometry().topLeft(), origin);
    EXPECT_EQ(QPoint(app().m_xMainWnd, app().m_yMainWnd), origin);
    frame().resize(700, 450);
    const QSize outer = frame().frameGeometry().size();
    EXPECT_GT(outer.width(), 0);
    stop();
    EXPECT_EQ(profileValue("MAIN_WND/WIDTH").toInt(), outer.width());
    EXPECT_EQ(profileValue("MAIN_WND/HEIGHT").toInt(), outer.height());
}

TEST_F(FrameSize, AMaximisedWindowSavesItsMaximisedSize) {
    start();
    frame().showMaximized();
    ASSERT_TRUE(waitUntil([this] { return frame().isMaximized(); }));
    const QSize maximised = frame().frameGeometry().size();
    stop();
    EXPECT_EQ(profileValue("MAIN_WND/WIDTH").toInt(), maximised.width());
    EXPECT_EQ(profileValue("MAIN_WND/HEIGHT").toInt(), maximised.height());
}

} // namespace
} // namespace ovaline::test
