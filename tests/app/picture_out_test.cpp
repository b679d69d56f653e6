// SPDX-License-Identifier: MIT
// Pictures out of the program: Ctrl+C and the context menus copy a picture
// to the clipboard (and Paste Picture takes it back into another slot), a
// slot frame dragged out offers its picture as a file, and the slot frame's
// context menu runs its commands by their rules.
#include "app_fixture.h"
#include "file_name_dlg.h"
#include "image_wnd.h"
#include "my_view.h"
#include "ovaline_view.h"
#include "run_process.h"
#include "slot_drag.h"
#include "slot_geometry.h"
#include "unit_state.h"
#include "unit_store.h"

#include <QClipboard>
#include <QDir>
#include <QDrag>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <map>

namespace ovaline::test {
namespace {

using imageview::slotRect;

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The popup menu open now, if any.
QMenu *openMenu() {
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

// A right click as the window system gives it, which opens a context menu.
void rightClick(QWidget *widget, QPoint point) {
    QTest::mouseClick(widget->window()->windowHandle(), Qt::RightButton, {},
                      widget->mapTo(widget->window(), point));
}

// Clicks the entry `text` of the next menu that pops up.
void clickInNextMenu(const QString &text) {
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, text] {
        QMenu *menu = openMenu();
        if (!menu)
            return;
        timer->deleteLater();
        timer->stop();
        for (QAction *action : menu->actions()) {
            if (action->text() == text) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                return;
            }
        }
        ADD_FAILURE() << "no entry " << text.toStdString();
        menu->close();
    });
    timer->start(10);
}

class PictureOut : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        start();
        QGuiApplication::clipboard()->clear();
    }

    app::CMyView &thumbView() const { return *static_cast<app::CMyView *>(app().m_pThumbView); }
    emu::UnitState cameraState() const {
        emu::UnitState state;
        EXPECT_TRUE(emu::UnitStore(folder.path() / "camera1").load(state));
        return state;
    }
    void receive() {
        doc().OnReceive();
        ASSERT_TRUE(
            waitUntil([this] { return app().m_bReceivePending == 0 && app().m_bBusy == 0; }));
    }
    QByteArray slotBytes(int i) const {
        return QByteArray(reinterpret_cast<const char *>(doc().GetSlotData(i)),
                          doc().GetSlotSize(i));
    }
    static const QMimeData *clipboard() { return QGuiApplication::clipboard()->mimeData(); }
    static QByteArray clipboardJpeg() { return clipboard()->data(QStringLiteral("image/jpeg")); }
    // The entries of slot i's context menu and whether each is enabled.
    std::map<QString, bool> slotMenu(int i) const {
        rightClick(memoryView().Strip(), slotRect(i).center());
        std::map<QString, bool> entries;
        QMenu *menu = openMenu();
        if (!menu) {
            ADD_FAILURE() << "no menu";
            return entries;
        }
        for (QAction *action : menu->actions())
            entries[action->text()] = action->isEnabled();
        menu->close();
        return entries;
    }
    void chooseInSlotMenu(int i, const QString &text) const {
        clickInNextMenu(text);
        rightClick(memoryView().Strip(), slotRect(i).center());
        ASSERT_TRUE(waitUntil([] { return openMenu() == nullptr; }));
    }
};

TEST_F(PictureOut, CopyPutsThePictureAndItsUnchangedJpegOnTheClipboard) {
    receive();
    QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
    QTest::keyClick(&frame(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("earlier"))
        << "no slot chosen: nothing copied";

    QTest::mouseClick(memoryView().Strip(), Qt::LeftButton, {}, slotRect(0).center());
    QTest::keyClick(&frame(), Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(clipboard()->hasImage());
    EXPECT_EQ(clipboard()->imageData().value<QImage>().size(), QSize(640, 480));
    EXPECT_EQ(clipboardJpeg(), slotBytes(0));
    EXPECT_TRUE(boxes.texts().isEmpty()) << "Ctrl+C is none of the menu commands' keys";

    chooseInSlotMenu(1, QStringLiteral("Copy Picture"));
    ASSERT_TRUE(waitUntil([this] { return clipboardJpeg() == slotBytes(1); }));
    EXPECT_EQ(clipboard()->imageData().value<QImage>().size(), QSize(640, 480));

    // The image window copies the picture it shows, by key and by its menu.
    QTest::mouseDClick(memoryView().Strip(), Qt::LeftButton, {}, slotRect(2).center());
    QWidget *window = doc().m_pImageWnd->GetWindow();
    ASSERT_NE(window, nullptr);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboardJpeg(), slotBytes(2));
    EXPECT_EQ(clipboard()->imageData().value<QImage>().size(), QSize(640, 480));
    QGuiApplication::clipboard()->clear();
    clickInNextMenu(QStringLiteral("Copy Picture"));
    QWidget *client = window->findChild<QWidget *>(QStringLiteral("client"));
    rightClick(client, QPoint(20, 20));
    ASSERT_TRUE(waitUntil([this] { return clipboardJpeg() == slotBytes(2); }));

    // What was copied pastes into an empty slot of the camera unchanged.
    chooseInSlotMenu(4, QStringLiteral("Paste Picture"));
    ASSERT_TRUE(waitUntil([this] { return memoryView().ThumbShown()[4] == 1 && !app().m_bBusy; }));
    const std::vector<std::uint8_t> five = cameraState().memory[4].jpeg;
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(five.data()), qsizetype(five.size())),
              slotBytes(2));
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

TEST_F(PictureOut, ADraggedSlotOffersItsBytesAsAFileAndTheLowerPaneStillSavesIt) {
    receive();
    const QString pictures = QString::fromStdString((folder.path() / "pictures").string());
    QDir().mkpath(pictures);
    app().m_strFolder = pictures;
    app().m_bRefreshThumbs = 1;

    // Offscreen, a drag ends at once: what it carried is still in hand.
    QTest::mousePress(memoryView().Strip(), Qt::LeftButton, {}, slotRect(0).center());
    QTest::mouseMove(memoryView().Strip(), slotRect(0).center() + QPoint(0, 30));
    const QDrag *drag = memoryView().findChild<QDrag *>();
    ASSERT_NE(drag, nullptr) << "the frame was dragged";
    QMimeData carried;
    for (const QString &format : drag->mimeData()->formats())
        carried.setData(format, drag->mimeData()->data(format));
    QTest::mouseRelease(memoryView().Strip(), Qt::LeftButton, {}, slotRect(0).center());

    ASSERT_EQ(carried.urls().size(), 1);
    const QString file = carried.urls().front().toLocalFile();
    EXPECT_EQ(QFileInfo(file).fileName(), QStringLiteral("Slot 1.JPG"));
    EXPECT_EQ(readFile(file), slotBytes(0));
    EXPECT_EQ(carried.data(QStringLiteral("image/jpeg")), slotBytes(0));
    struct stat folderInfo {};
    ASSERT_EQ(::stat(QFileInfo(file).path().toLocal8Bit().constData(), &folderInfo), 0);
    EXPECT_EQ(folderInfo.st_mode & 0777, 0700u) << "a private folder";

    // Inside the window the designed rules hold: the upper pane takes no
    // slot for a file to send, the lower pane saves it under a typed name.
    QDragEnterEvent ontoSlot(slotRect(6).center(), Qt::CopyAction, &carried, Qt::LeftButton, {});
    QApplication::sendEvent(memoryView().Strip(), &ontoSlot);
    EXPECT_FALSE(ontoSlot.isAccepted());
    QDropEvent dropOnSlot(slotRect(6).center(), Qt::CopyAction, &carried, Qt::LeftButton, {});
    QApplication::sendEvent(memoryView().Strip(), &dropOnSlot);
    QDragEnterEvent ontoGrid(QPoint(40, 40), Qt::CopyAction, &carried, Qt::LeftButton, {});
    QApplication::sendEvent(thumbView().Sheet(), &ontoGrid);
    EXPECT_TRUE(ontoGrid.isAccepted());
    whenModal<imageview::CFileNameDlg>([](imageview::CFileNameDlg *dlg) {
        dlg->findChild<QLineEdit *>()->setText(QStringLiteral("dragged"));
        dlg->findChild<QPushButton *>(QStringLiteral("IDOK"))->click();
    });
    QDropEvent dropOnGrid(QPoint(40, 40), Qt::CopyAction, &carried, Qt::LeftButton, {});
    QApplication::sendEvent(thumbView().Sheet(), &dropOnGrid);
    const QString saved = QDir(pictures).filePath(QStringLiteral("dragged.JPG"));
    ASSERT_TRUE(waitUntil([&] { return app().m_nFiles == 1; }));
    EXPECT_EQ(readFile(saved), slotBytes(0));
    EXPECT_TRUE(cameraState().memory[6].jpeg.empty()) << "nothing was sent into slot 7";
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

TEST_F(PictureOut, TheSlotMenuFollowsTheRulesOfItsCommands) {
    const QString receiveIt = QStringLiteral("Receive this slot");
    const QString copy = QStringLiteral("Copy Picture");
    const QString paste = QStringLiteral("Paste Picture");
    const QString saveAs = QStringLiteral("Save As…");
    const QString show = QStringLiteral("Show");
    using Entries = std::map<QString, bool>;
    EXPECT_EQ(
        slotMenu(0),
        (Entries{{receiveIt, true}, {copy, false}, {paste, true}, {saveAs, false}, {show, false}}))
        << "nothing received yet";

    chooseInSlotMenu(1, receiveIt);
    ASSERT_TRUE(waitUntil([this] { return memoryView().ThumbShown()[1] == 1 && !app().m_bBusy; }));
    EXPECT_EQ(memoryView().ThumbShown()[0], 0) << "that slot alone";
    const std::vector<std::uint8_t> two = cameraState().memory[1].jpeg;
    EXPECT_EQ(slotBytes(1),
              QByteArray(reinterpret_cast<const char *>(two.data()), qsizetype(two.size())));
    EXPECT_EQ(
        slotMenu(1),
        (Entries{{receiveIt, true}, {copy, true}, {paste, true}, {saveAs, true}, {show, true}}));

    app().m_bBusy = 1;
    for (const auto &[text, enabled] : slotMenu(1))
        EXPECT_FALSE(enabled) << text.toStdString() << " during a transfer";
    app().m_bBusy = 0;
    app().m_nUnitModel = 0;
    EXPECT_EQ(
        slotMenu(1),
        (Entries{{receiveIt, false}, {copy, true}, {paste, false}, {saveAs, false}, {show, true}}))
        << "no camera";
    app().m_nUnitModel = 2;

    // Save As writes that slot's bytes unchanged, whichever slot is chosen.
    QTest::mouseClick(memoryView().Strip(), Qt::LeftButton, {}, slotRect(4).center());
    const QString saveFolder = QString::fromStdString((folder.path() / "saved").string());
    QDir().mkpath(saveFolder);
    whenModal<QFileDialog>([saveFolder](QFileDialog *dialog) {
        dialog->setDirectory(saveFolder);
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
            ->setText(QStringLiteral("two"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    chooseInSlotMenu(1, saveAs);
    const QString saved = QDir(saveFolder).filePath(QStringLiteral("two.JPG"));
    ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(saved); }));
    EXPECT_EQ(readFile(saved), slotBytes(1));
    EXPECT_EQ(QDir(saveFolder).entryList(QDir::Files), QStringList{QStringLiteral("two.JPG")});

    chooseInSlotMenu(1, show);
    ASSERT_TRUE(waitUntil([this] { return doc().m_pImageWnd->HasWindow(); }));
    EXPECT_EQ(doc().m_pImageWnd->GetBitmap().size(), QSize(640, 480));
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

// The program as a user runs it, under an ordinary user when the test runs
// as root: the dragged file lies in a folder of that user's alone, and a
// termination signal takes the folder away.
TEST_F(PictureOut, TheDraggedFilesFolderIsPrivateAndGoesWithTheProgramOnASignal) {
    const bool root = ::geteuid() == 0;
    const auto home = folder.path() / "home";
    const auto temp = folder.path() / "tmp";
    std::filesystem::create_directories(home);
    std::filesystem::create_directories(temp);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(home.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(temp.c_str(), 01777), 0);
    env.unset("OVALINE_VIRTUAL_DIR")
        .set("QT_QPA_PLATFORM", "offscreen")
        .set("HOME", home.string())
        .set("TMPDIR", temp.string());
    const Command program =
        asUser({OVALINE_DRAGGING_PROGRAM_PATH,
                {"--virtual", "--nosplash", "--profile", (home / "Ovaline.ini").string()}});
    ChildProcess dragging;
    ASSERT_TRUE(dragging.start(program.program, program.args, 60.0));
    const QFileInfo file(QString::fromStdString(dragging.firstLine()));
    EXPECT_EQ(file.fileName(), QStringLiteral("Slot 1.JPG"));
    EXPECT_EQ(QFileInfo(file.path()).path(), QString::fromStdString(temp.string()));
    struct stat folderInfo {};
    ASSERT_EQ(::stat(file.path().toLocal8Bit().constData(), &folderInfo), 0);
    EXPECT_EQ(folderInfo.st_mode & 0777, 0700u);
    if (root) {
        EXPECT_NE(folderInfo.st_uid, 0u) << "the ordinary user's";
    }
    EXPECT_TRUE(readFile(file.filePath()).startsWith("\xFF\xD8")) << "a JPEG";

    EXPECT_EQ(dragging.stop(SIGTERM), 0);
    EXPECT_FALSE(QFileInfo::exists(file.path())) << "nothing is left behind";
}

} // namespace
} // namespace ovaline::test
