// SPDX-License-Identifier: MIT
// The program speaks the user's language: Japanese under LANGUAGE=ja or a
// Japanese locale, English, as the texts are written, everywhere else.
#include "app_fixture.h"
#include "bitmap_button.h"
#include "language_cases.h"
#include "progress_status_bar.h"
#include "remote_controls.h"
#include "remote_wnd.h"
#include "resource_ids.h"

#include <QAction>
#include <QFile>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QPushButton>

namespace ovaline::test {
namespace {

using Language = AppTest;

struct Seen {
    QString menuTitle;
    QString statusText;
    QStringList exitQuestion;
    QString remoteTitle;
    QString teleTip;
    QString cancelButton;
};

TEST_F(Language, JapaneseWhereTheUserAsksForItAndEnglishElsewhere) {
    const bool qtTranslated =
        QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm");
    const Seen japanese{
        "ファイル(&F)", "準備完了",          {"プログラムを終了しますか？"},
        "リモコン",     "テレ (ズームイン)", qtTranslated ? "キャンセル" : "Cancel"};
    const Seen english{"File(&F)", "READY", {"Program Exit?"}, "REMOTE CONTROL", "TELE", "Cancel"};
    for (const LanguageCase &c : kLanguageCases) {
        const std::string label = useLanguage(env, c);
        const Seen &expected = c.japanese ? japanese : english;
        start();
        Seen seen;
        seen.menuTitle = frame().menuBar()->actions().constFirst()->text();
        seen.statusText =
            frame().GetStatusBar()->GetPaneText(app::CProgressStatusBar::kMessagePane);
        boxes.clear();
        boxes.answerNext(QMessageBox::No);
        frame().GetAction(res::ID_APP_EXIT)->trigger();
        seen.exitQuestion = boxes.texts();
        frame().GetAction(res::ID_REMOTE)->trigger();
        seen.remoteTitle = doc().m_pRemoteWnd->windowTitle();
        if (const QWidget *tele = doc().m_pRemoteWnd->GetControl(control::IDC_TELE))
            seen.teleTip = tele->toolTip();
        doc().m_pRemoteWnd->DestroyWindow();
        // Qt's own buttons, as in any dialog of Qt's.
        QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Ok | QMessageBox::Cancel);
        seen.cancelButton = box.button(QMessageBox::Cancel)->text();
        stop();

        EXPECT_EQ(seen.menuTitle, expected.menuTitle) << label;
        EXPECT_EQ(seen.statusText, expected.statusText) << label;
        EXPECT_EQ(seen.exitQuestion, expected.exitQuestion) << label;
        EXPECT_EQ(seen.remoteTitle, expected.remoteTitle) << label;
        EXPECT_EQ(seen.teleTip, expected.teleTip) << label;
        EXPECT_EQ(seen.cancelButton, expected.cancelButton) << label;
    }
}

} // namespace
} // namespace ovaline::test
