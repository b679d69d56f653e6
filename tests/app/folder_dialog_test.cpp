// SPDX-License-Identifier: MIT
// The folder dialog's tree and choice, the folder at start and Refresh.
#include "app_fixture.h"
#include "folder_dlg.h"
#include "jpeg_codec.h"
#include "picture.h"
#include "resource_ids.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>

namespace ovaline::test {
namespace {

namespace fs = std::filesystem;
using folder::CFolderDlg;

class FolderDialog : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        home = folder.path() / "home";
        fs::create_directories(home);
        env.set("HOME", home.string()).unset("XDG_CONFIG_HOME");
    }

    static QTreeWidgetItem *child(QTreeWidgetItem *parent, const QString &text) {
        for (int i = 0; i < parent->childCount(); ++i)
            if (parent->child(i)->text(0) == text)
                return parent->child(i);
        ADD_FAILURE() << "no item " << text.toStdString();
        return nullptr;
    }
    static QTreeWidgetItem *top(CFolderDlg &dlg, const QString &text) {
        return child(dlg.m_tree->invisibleRootItem(), text);
    }
    static QStringList texts(QTreeWidgetItem *parent) {
        QStringList names;
        for (int i = 0; i < parent->childCount(); ++i)
            names << parent->child(i)->text(0);
        return names;
    }
    static QPushButton *button(CFolderDlg &dlg, const char *name) {
        return dlg.findChild<QPushButton *>(name);
    }
    static void writeFile(const fs::path &path, std::size_t size) {
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    }
    // A picture of the virtual camera's size, which the lower pane keeps in
    // its list once the folder is loaded.
    static void writePicture(const fs::path &path) {
        const auto jpeg = emu::encodeJpeg(
            emu::renderScene(emu::Scene::Chart, emu::CameraView{}, 640, 480), 65535);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char *>(jpeg.data()), std::streamsize(jpeg.size()));
    }
    static QString text(const fs::path &path) { return QString::fromStdString(path.string()); }

    fs::path home;
};

TEST_F(FolderDialog, TheTopLevelIsHomeDesktopAndTheMountedFileSystems) {
    fs::create_directories(home / "Desktop");
    start();
    CFolderDlg dlg(&frame());
    dlg.show();
    EXPECT_EQ(texts(dlg.m_tree->invisibleRootItem()), QStringList({"Home", "Desktop", "Computer"}));
    QTreeWidgetItem *computer = top(dlg, "Computer");
    computer->setExpanded(true);
    const QStringList mounts = texts(computer);
    EXPECT_EQ(mounts.filter(QRegularExpression("^.+ \\(/\\)$")).size(), 1)
        << mounts.join(", ").toStdString();
    for (const QString &mount : mounts)
        EXPECT_TRUE(QRegularExpression("^.+ \\(/.*\\)$").match(mount).hasMatch())
            << mount.toStdString();

    // The window: its size, its font, its controls from the layout units.
    EXPECT_EQ(dlg.windowTitle(), "SELECT FOLDER");
    EXPECT_EQ(dlg.frameGeometry().size(), QSize(352, 288));
    EXPECT_EQ(dlg.m_tree->font(), app().m_hFixedFont);
    EXPECT_EQ(dlg.m_tree->geometry(), QRect(16, 18, 320, 180));
    EXPECT_EQ(button(dlg, "IDCANCEL")->geometry(), QRect(48, dlg.height() - 36, 64, 27));
    EXPECT_EQ(button(dlg, "IDOK")->geometry(), QRect(208, dlg.height() - 36, 64, 27));
}

TEST_F(FolderDialog, ABranchIsReadOnceOnItsFirstExpansionFoldersOnlySorted) {
    for (const char *name : {"b", "A", ".hidden", "c", "a2"})
        fs::create_directories(home / name);
    fs::create_directory_symlink(home / "c", home / "link");
    fs::create_symlink("loop", home / "loop");
    writeFile(home / "z.jpg", 10);
    start();
    CFolderDlg dlg(&frame());
    dlg.show();
    QTreeWidgetItem *homeItem = top(dlg, "Home");
    EXPECT_EQ(homeItem->childCount(), 0);
    homeItem->setExpanded(true);
    EXPECT_EQ(texts(homeItem), QStringList({".hidden", "A", "a2", "b", "c", "link"}));

    fs::create_directories(home / "d");
    homeItem->setExpanded(false);
    homeItem->setExpanded(true);
    EXPECT_EQ(homeItem->childCount(), 6);
    // An empty folder loses its expand button once read.
    QTreeWidgetItem *b = child(homeItem, "b");
    EXPECT_EQ(b->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    b->setExpanded(true);
    EXPECT_EQ(b->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

TEST_F(FolderDialog, OkRefusesNothingAndTopLevelItemsAndCancelChangesNothing) {
    fs::create_directories(home / "pics");
    start();
    app().m_strFolder = "/before";
    app().m_strFiles[0] = "kept.jpg";
    app().m_nFiles = 1;
    const QPoint origin = frame().frameGeometry().topLeft();
    {
        CFolderDlg dlg(&frame());
        dlg.show();
        // With no profile entry: 80, 54 right of and below the centred place.
        EXPECT_EQ(dlg.frameGeometry().topLeft(), origin + QPoint(144 + 80, 96 + 54));
        EXPECT_FALSE(button(dlg, "IDOK")->isEnabled());
        QTest::keyClick(dlg.m_tree, Qt::Key_Return);
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible());
        for (const char *name : {"Home", "Computer"}) {
            dlg.m_tree->setCurrentItem(top(dlg, name));
            EXPECT_FALSE(button(dlg, "IDOK")->isEnabled()) << name;
            dlg.accept();
            EXPECT_TRUE(dlg.isVisible());
        }
        QTreeWidgetItem *homeItem = top(dlg, "Home");
        homeItem->setExpanded(true);
        dlg.m_tree->setCurrentItem(child(homeItem, "pics"));
        EXPECT_TRUE(button(dlg, "IDOK")->isEnabled());
        dlg.move(33, 44);
        QTest::mouseClick(button(dlg, "IDCANCEL"), Qt::LeftButton);
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
    EXPECT_EQ(app().m_strFolder, "/before");
    EXPECT_EQ(app().m_strFiles[0], "kept.jpg");
    EXPECT_EQ(app().m_nFiles, 1);
    EXPECT_EQ(app().m_bFolderChanged, 0);
    CFolderDlg again(&frame());
    again.show();
    EXPECT_EQ(again.frameGeometry().topLeft(), QPoint(33, 44));
}

TEST_F(FolderDialog, OkChoosesTheRealPathNineLevelsDownAndListsIt) {
    fs::path deep = home;
    for (int level = 1; level <= 9; ++level)
        deep /= "level" + std::to_string(level);
    fs::create_directories(deep);
    writeFile(deep / "one.jpg", 100);
    start();
    EXPECT_FALSE(frame().GetAction(res::ID_FILE_REFRESH)->isEnabled());
    whenModal<CFolderDlg>([](CFolderDlg *dlg) {
        QTreeWidgetItem *item = top(*dlg, "Home");
        for (int level = 1; level <= 9; ++level) {
            item->setExpanded(true);
            item = child(item, QString("level%1").arg(level));
            ASSERT_NE(item, nullptr);
        }
        dlg->m_tree->setCurrentItem(item);
        QTest::mouseClick(button(*dlg, "IDOK"), Qt::LeftButton);
    });
    frame().GetAction(res::ID_FILE_OPEN_FOLDER)->trigger();
    ASSERT_TRUE(waitUntil([this] { return !doc().IsListing(); }));
    EXPECT_EQ(app().m_strFolder, text(deep));
    EXPECT_EQ(app().m_nFiles, 1);
    EXPECT_EQ(app().m_strFiles[0], "one.jpg");
    EXPECT_EQ(app().m_bFolderChanged, 1);
    EXPECT_TRUE(frame().GetAction(res::ID_FILE_REFRESH)->isEnabled());
    stop();
    EXPECT_EQ(profileValue("FOLDER/PATH").toString(), text(deep));
}

TEST_F(FolderDialog, TheCommandLineFolderOpensAtStartAndAgainNextTimeAndRefreshRereads) {
    const fs::path pics = home / "pics";
    fs::create_directories(pics);
    writePicture(pics / "a.jpg");
    start({"--virtual", text(pics)});
    ASSERT_TRUE(waitUntil([this] { return !doc().IsListing(); }));
    EXPECT_EQ(app().m_strFolder, text(pics));
    // Once the unit is known, the lower pane's load pass keeps the picture
    // of the unit's size.
    EXPECT_TRUE(QTest::qWaitFor([&] { return app().m_nFiles == 1; }, 5000));

    writePicture(pics / "b.jpg");
    app().m_bFolderChanged = 0;
    QTest::keyClick(&frame(), Qt::Key_F5);
    ASSERT_TRUE(waitUntil([this] { return !doc().IsListing(); }));
    EXPECT_EQ(app().m_nFiles, 2);
    EXPECT_EQ(app().m_strFiles[1], "b.jpg");
    EXPECT_EQ(app().m_bFolderChanged, 1);
    stop();
    EXPECT_EQ(profileValue("FOLDER/PATH").toString(), text(pics));

    // The next start opens it again.
    static_cast<app::COvalineAppState &>(app()) = app::COvalineAppState{};
    start();
    ASSERT_TRUE(waitUntil([this] { return !doc().IsListing(); }));
    EXPECT_EQ(app().m_strFolder, text(pics));
    EXPECT_EQ(app().m_nFiles, 2);
    stop();

    // Once it is gone the program starts with no folder, and says nothing.
    fs::remove_all(pics);
    static_cast<app::COvalineAppState &>(app()) = app::COvalineAppState{};
    start();
    ASSERT_TRUE(waitUntil([this] { return !doc().IsListing(); }));
    EXPECT_TRUE(app().m_strFolder.isEmpty());
    EXPECT_EQ(app().m_nFiles, 0);
    EXPECT_FALSE(frame().GetAction(res::ID_FILE_REFRESH)->isEnabled());
    EXPECT_TRUE(boxes.shown().empty());
}

} // namespace
} // namespace ovaline::test
