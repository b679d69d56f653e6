// SPDX-License-Identifier: MIT
// The thumbnail view in the program: the load pass over a folder, the cells
// it draws, sends from the grid to the virtual camera, saves of a camera
// slot into the folder, the image window, and the file-name dialog.
#include "app_fixture.h"
#include "file_name_dlg.h"
#include "file_size_limit.h"
#include "image_wnd.h"
#include "jpeg_codec.h"
#include "my_view.h"
#include "ovaline_view.h"
#include "picture.h"
#include "progress_status_bar.h"
#include "resource_ids.h"
#include "setup_dlg.h"
#include "slot_drag.h"
#include "slot_geometry.h"
#include "thumb_grid.h"
#include "thumb_loader.h"
#include "unit_state.h"
#include "unit_store.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

namespace ovaline::test {
namespace {

using folder::cellRect;
using folder::pictureOrigin;

class ThumbView : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        start();
        pictures = QString::fromStdString((folder.path() / "pictures").string());
        QDir().mkpath(pictures);
    }

    app::CMyView &view() const { return *static_cast<app::CMyView *>(app().m_pThumbView); }
    emu::UnitState cameraState() const {
        emu::UnitState state;
        EXPECT_TRUE(emu::UnitStore(folder.path() / "camera1").load(state));
        return state;
    }
    QString statusText() const {
        return frame().GetStatusBar()->GetPaneText(app::CProgressStatusBar::kMessagePane);
    }
    static QByteArray picture(int width, int height, emu::Scene scene = emu::Scene::Chart) {
        const auto jpeg =
            emu::encodeJpeg(emu::renderScene(scene, emu::CameraView{}, width, height), 65535);
        return QByteArray(reinterpret_cast<const char *>(jpeg.data()), qsizetype(jpeg.size()));
    }
    QString write(const QString &name, const QByteArray &bytes) const {
        QFile file(QDir(pictures).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    // What the folder listing hands over: the names, in this order.
    void choose(const QStringList &names, const QString &path = {}) {
        app().m_strFolder = path.isEmpty() ? pictures : path;
        for (int i = 0; i < names.size(); ++i)
            app().m_strFiles[i] = names[i];
        app().m_nFiles = int(names.size());
        app().m_bRefreshThumbs = 1;
        app().m_bFolderChanged = 1;
        view().update();
    }
    void load(const QStringList &names) {
        choose(names);
        ASSERT_TRUE(waitUntil([this] { return !app().m_bFolderChanged && !view().IsLoading(); }));
    }
    QStringList listed() const {
        return QStringList(app().m_strFiles.begin(), app().m_strFiles.begin() + app().m_nFiles);
    }
    // Answers the next file-name dialog with `text`, by OK or by CANCEL.
    static void typeName(const QString &text, bool ok = true) {
        whenModal<imageview::CFileNameDlg>([text, ok](imageview::CFileNameDlg *dlg) {
            dlg->findChild<QLineEdit *>()->setText(text);
            dlg->findChild<QPushButton *>(ok ? QStringLiteral("IDOK") : QStringLiteral("IDCANCEL"))
                ->click();
        });
    }
    void receive() {
        doc().OnReceive();
        ASSERT_TRUE(
            waitUntil([this] { return app().m_bReceivePending == 0 && app().m_bBusy == 0; }));
    }
    // Slot n (1..7) of this window, as its frame's drag carries it.
    QByteArray slotPicture(int n) const {
        return QByteArray(reinterpret_cast<const char *>(doc().GetSlotData(n - 1)),
                          doc().GetSlotSize(n - 1));
    }
    // A slot's drag carrying `jpeg` (from this window or another one)
    // released over the grid, as Qt hands it to the grid; returns once the
    // drop has been acted on.
    void dropSlot(int n, const QByteArray &jpeg) {
        const auto mime = imageview::slotMimeData({n, jpeg});
        const QPoint at = cellRect(20).center();
        QDragEnterEvent enter(at, Qt::CopyAction, mime.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(view().Sheet(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDragMoveEvent move(at, Qt::CopyAction, mime.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(view().Sheet(), &move);
        QDropEvent drop(QPointF(at), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(view().Sheet(), &drop);
        ASSERT_TRUE(drop.isAccepted());
        // The save runs once the drag is over.
        QCoreApplication::sendPostedEvents(&view(), QEvent::MetaCall);
    }

    QString pictures;
};

TEST_F(ThumbView, APassKeepsTheFirst35FilesOfTheCameraSizeInListOrder) {
    QStringList names;
    for (int i = 0; i < 44; ++i) {
        const QString name = QStringLiteral("P%1.JPG").arg(i, 2, 10, QLatin1Char('0'));
        // Every fifth file has another size; 40 keep the camera's 640 x 480.
        const bool other = i % 5 == 4 && i < 20;
        write(name, other ? picture(736, 480) : picture(640, 480));
        names << name;
    }
    bool sawReading = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (view().IsLoading() && statusText() == QStringLiteral("Now File Reading") &&
            QApplication::overrideCursor() &&
            QApplication::overrideCursor()->shape() == Qt::WaitCursor)
            sawReading = true;
    });
    watch.start(1);
    load(names);
    watch.stop();
    EXPECT_TRUE(sawReading) << "the wait cursor and \"Now File Reading\" cover the pass";
    EXPECT_EQ(statusText(), QStringLiteral("READY"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QStringList expected;
    for (const QString &name : names)
        if (!(name.mid(1, 2).toInt() % 5 == 4 && name.mid(1, 2).toInt() < 20))
            expected << name;
    expected = expected.first(35);
    EXPECT_EQ(listed(), expected) << "compacted to the accepted files, in list order";
    for (int k = 0; k < 35; ++k)
        EXPECT_EQ(doc().GetThumb(8 + k).size(), QSize(60, 45)) << k;
    EXPECT_EQ(view().verticalScrollBar()->value(), 0);
}

TEST_F(ThumbView, EachModelAndStandardShowsOnlyItsOwnPictureSize) {
    const QSize sizes[] = {{736, 480}, {736, 568}, {640, 480}, {768, 576}};
    QStringList names;
    for (const QSize &size : sizes)
        names << QFileInfo(write(QStringLiteral("%1x%2.jpg").arg(size.width()).arg(size.height()),
                                 picture(size.width(), size.height())))
                     .fileName();
    const struct {
        int model, n;
        QStringList shown;
        int thumbHeight;
    } cases[] = {{1, 1, {names[0]}, 39},
                 {1, 0, {names[1]}, 46},
                 {2, 1, {names[2]}, 45},
                 {2, 0, {names[3]}, 45},
                 {0, 1, {}, 0}};
    for (const auto &c : cases) {
        app().m_nUnitModel = c.model;
        app().m_bUnitN = c.n;
        load(names);
        EXPECT_EQ(listed(), c.shown) << c.model << c.n;
        EXPECT_EQ(doc().GetThumb(8).height(), c.thumbHeight) << c.model << c.n;
        EXPECT_EQ(statusText(), QStringLiteral("READY"));
    }
}

TEST_F(ThumbView, TheGridKeepsItsCellsWhileTheUnitIsLostAndFollowsOnlyItsPictureSize) {
    write(QStringLiteral("vga.jpg"), picture(640, 480));
    write(QStringLiteral("wide.jpg"), picture(736, 480));
    doc().OpenStartFolder(pictures); // as named on the command line
    const auto loaded = [this] {
        return !doc().IsListing() && !app().m_bFolderChanged && !view().IsLoading();
    };
    ASSERT_TRUE(waitUntil(loaded));
    ASSERT_EQ(listed(), QStringList{QStringLiteral("vga.jpg")});
    const qint64 cell = doc().GetThumb(8).cacheKey();
    // Setup confirmed with OK checks the unit again.
    const auto checkUnit = [this] {
        whenModal<app::CSetupDlg>([](app::CSetupDlg *dlg) {
            QTest::mouseClick(dlg->findChild<QPushButton *>(QStringLiteral("IDOK")),
                              Qt::LeftButton);
        });
        frame().GetAction(res::ID_SETUP)->trigger();
    };

    unplug();
    checkUnit();
    ASSERT_EQ(app().m_nUnitModel, 0);
    EXPECT_EQ(app().m_bFolderChanged, 0) << "the lost unit's grid is not listed again";
    EXPECT_TRUE(waitUntil(loaded));
    EXPECT_EQ(listed(), QStringList{QStringLiteral("vga.jpg")});
    EXPECT_EQ(doc().GetThumb(8).cacheKey(), cell);

    for (int port = 1; port <= 4; ++port)
        OvalineSetPortName(port, "virtual");
    checkUnit();
    ASSERT_EQ(app().m_nUnitModel, 2);
    EXPECT_EQ(app().m_bFolderChanged, 0) << "the same unit back: nothing is read again";
    EXPECT_EQ(doc().GetThumb(8).cacheKey(), cell);

    useCamera("VIKN"); // 736 x 480
    checkUnit();
    ASSERT_EQ(app().m_nUnitModel, 1);
    ASSERT_TRUE(waitUntil(loaded));
    EXPECT_EQ(listed(), QStringList{QStringLiteral("wide.jpg")});
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral(
                                 "Failed to connect to the main unit. Please set up correctly.")});
}

TEST_F(ThumbView, HostileFilesAreSkippedWithoutHangOrCrash) {
    const QByteArray good = picture(640, 480);
    write(QStringLiteral("good1.jpg"), good);
    write(QStringLiteral("cut.jpg"), good.first(good.size() / 2));
    QByteArray scrambled = good;
    for (qsizetype i = scrambled.size() / 3; i < scrambled.size() - 2; i += 7)
        scrambled[i] = char(0xFF);
    write(QStringLiteral("scrambled.jpg"), scrambled);
    write(QStringLiteral("empty.jpg"), {});
    write(QStringLiteral("text.jpg"), "not a picture");
    write(QStringLiteral("long.jpg"), good + QByteArray(65536, '\0'));
    ASSERT_EQ(::mkfifo(QDir(pictures).filePath("fifo.jpg").toLocal8Bit().constData(), 0644), 0);
    QDir(pictures).mkdir(QStringLiteral("dir.jpg"));
    std::filesystem::create_symlink("loop.jpg", folder.path() / "pictures" / "loop.jpg");
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = QDir(pictures).filePath("socket.jpg").toLocal8Bit();
    std::strncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    write(QStringLiteral("good2.jpg"), good);
    load({QStringLiteral("good1.jpg"), QStringLiteral("cut.jpg"), QStringLiteral("scrambled.jpg"),
          QStringLiteral("empty.jpg"), QStringLiteral("text.jpg"), QStringLiteral("long.jpg"),
          QStringLiteral("fifo.jpg"), QStringLiteral("dir.jpg"), QStringLiteral("loop.jpg"),
          QStringLiteral("socket.jpg"), QStringLiteral("vanished.jpg"),
          QString::fromLatin1("\xE9t\xE9.jpg"), QStringLiteral("good2.jpg")});
    ::close(sock);
    EXPECT_EQ(listed(), (QStringList{QStringLiteral("good1.jpg"), QStringLiteral("good2.jpg")}));
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

TEST_F(ThumbView, ANewFolderDuringAPassStartsItsOwnPassCleanly) {
    QStringList first, second;
    for (int i = 0; i < 30; ++i) {
        first << QFileInfo(write(QStringLiteral("a%1.jpg").arg(i), picture(640, 480))).fileName();
    }
    for (int i = 0; i < 3; ++i)
        second << QFileInfo(
                      write(QStringLiteral("b%1.jpg").arg(i), picture(640, 480, emu::Scene::Map)))
                      .fileName();
    choose(first);
    ASSERT_TRUE(waitUntil([this] { return view().IsLoading(); }));
    load(second);
    EXPECT_EQ(listed(), second);
    EXPECT_EQ(statusText(), QStringLiteral("READY"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(doc().GetThumb(8 + 3).isNull()) << "nothing of the first folder is left";
}

TEST_F(ThumbView, CellsAreDrawnAtTheirPixelsWithBlueCaptions) {
    QStringList names;
    for (int i = 0; i < 8; ++i)
        names << QFileInfo(write(QStringLiteral("LONGNAME%1.JPG").arg(i), picture(640, 480)))
                     .fileName();
    load(names);
    const QImage shot = view().Sheet()->grab().toImage();
    const QRect eighth = cellRect(7);
    EXPECT_EQ(shot.pixelColor(eighth.topLeft()), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(eighth.left() + 84, eighth.top() + 50), QColor(127, 127, 127));
    EXPECT_EQ(shot.pixelColor(eighth.left() + 2, eighth.top() + 50), QColor(Qt::white));
    const QPoint picture = pictureOrigin(7);
    EXPECT_EQ(shot.pixelColor(picture + QPoint(30, 20)), doc().GetThumb(8 + 7).pixelColor(30, 20));
    int blue = 0;
    for (int y = picture.y() + 60; y < picture.y() + 78; ++y)
        for (int x = picture.x(); x < picture.x() + 70; ++x)
            blue += shot.pixelColor(x, y) == QColor(0, 0, 255);
    EXPECT_GT(blue, 20) << "the caption, in blue";
    EXPECT_EQ(shot.pixelColor(cellRect(8).topLeft()), shot.pixelColor(1, 1)) << "no ninth cell";
}

TEST_F(ThumbView, AThumbnailDraggedOntoASlotIsSentByTheSendRules) {
    load({QFileInfo(write(QStringLiteral("one.jpg"), picture(640, 480))).fileName(),
          QFileInfo(write(QStringLiteral("two.jpg"), picture(640, 480, emu::Scene::Map)))
              .fileName()});
    QTest::mousePress(view().Sheet(), Qt::LeftButton, {}, cellRect(1).center());
    EXPECT_EQ(app().m_nSelItem, 9);
    EXPECT_EQ(app().m_bDragging, 1);
    EXPECT_EQ(app().m_bDragCursor, 1);
    QTest::mouseRelease(view().Sheet(), Qt::LeftButton, {}, cellRect(1).center());
    EXPECT_EQ(app().m_bDragging, 0) << "released over its own pane";

    app().m_bBusy = 1;
    QTest::mousePress(view().Sheet(), Qt::LeftButton, {}, cellRect(0).center());
    EXPECT_EQ(app().m_nSelItem, 9) << "a press during a transfer changes nothing";
    app().m_bBusy = 0;
    QTest::mouseRelease(view().Sheet(), Qt::LeftButton, {}, cellRect(0).center());

    const QString two = QDir(pictures).filePath(app().m_strFiles[app().m_nSelItem - 8]);
    memoryView().DropFile(two, imageview::slotRect(5).center());
    const QByteArray bytes = picture(640, 480, emu::Scene::Map);
    EXPECT_EQ(cameraState().memory[5].jpeg, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    EXPECT_EQ(memoryView().ThumbShown()[5], 1);
    memoryView().DropFile(two, imageview::slotRect(3).center());
    app().m_nBaudIndex = 6;
    memoryView().DropFile(two, imageview::slotRect(6).center());
    app().m_nBaudIndex = 2;
    // A file from the desktop passes the same filter as the grid.
    memoryView().DropFile(write(QStringLiteral("wide.jpg"), picture(736, 480)),
                          imageview::slotRect(6).center());
    memoryView().DropFile(write(QStringLiteral("notes.jpg"), "plain text"),
                          imageview::slotRect(6).center());
    const QString wrong = QStringLiteral(
        "The file is not a JPEG picture of 640 x 480 pixels, the main unit's size: nothing "
        "was sent.");
    app().m_nUnitModel = 0;
    memoryView().DropFile(two, imageview::slotRect(6).center());
    ASSERT_EQ(boxes.texts().size(), 5);
    EXPECT_EQ(boxes.texts()[4],
              QStringLiteral("The main unit's model is not known: nothing was sent."));
    EXPECT_EQ(boxes.texts()[0], QStringLiteral("Protected"));
    EXPECT_TRUE(boxes.texts()[1].contains(QStringLiteral("115,200")));
    EXPECT_EQ(boxes.texts()[2], wrong);
    EXPECT_EQ(boxes.texts()[3], wrong);
    EXPECT_TRUE(cameraState().memory[6].jpeg.empty());
}

TEST_F(ThumbView, ASlotIsSavedUnderATypedNameByTheNameRules) {
    receive();
    write(QStringLiteral("photo.JPG"), picture(640, 480));
    write(QStringLiteral("other.JPG"), picture(736, 480)); // in the folder, not listed
    load({QStringLiteral("photo.JPG"), QStringLiteral("other.JPG")});
    ASSERT_EQ(listed(), QStringList{QStringLiteral("photo.JPG")});
    const auto fileBytes = [this](const QString &name) {
        QFile file(QDir(pictures).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };

    typeName(QStringLiteral("photo.jpg"));
    dropSlot(1, slotPicture(1));
    EXPECT_EQ(fileBytes(QStringLiteral("photo.jpg.JPG")), slotPicture(1));
    EXPECT_EQ(listed().last(), QStringLiteral("photo.jpg.JPG"));
    EXPECT_EQ(doc().GetThumb(8 + 1), doc().GetThumb(0)) << "the new cell shows the slot at once";
    EXPECT_EQ(view().m_strNewFile, QStringLiteral("photo.jpg.JPG"));

    // Slots of another window: the picture each drag carries is saved, not
    // this window's slot of that number, held or empty.
    const QByteArray theirs = picture(640, 480, emu::Scene::Map);
    ASSERT_NE(theirs, slotPicture(2));
    typeName(QStringLiteral(" photo2"));
    dropSlot(2, theirs);
    EXPECT_EQ(fileBytes(QStringLiteral("photo2.JPG")), theirs) << "leading blank dropped";
    EXPECT_EQ(doc().GetThumb(8 + 2).size(), QSize(60, 45));
    EXPECT_NE(doc().GetThumb(8 + 2), doc().GetThumb(1)) << "the cell shows the carried picture";
    ASSERT_EQ(doc().GetSlotSize(5), 0);
    typeName(QStringLiteral("photo6"));
    dropSlot(6, theirs);
    EXPECT_EQ(fileBytes(QStringLiteral("photo6.JPG")), theirs);
    EXPECT_EQ(app().m_nFiles, 4);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();

    const QByteArray other = fileBytes(QStringLiteral("other.JPG"));
    typeName(QStringLiteral("PHOTO"));
    dropSlot(1, slotPicture(1));
    typeName(QStringLiteral("other"));
    dropSlot(1, slotPicture(1));
    EXPECT_EQ(boxes.texts(), QStringList(2, QStringLiteral("Same file name exists")));
    EXPECT_EQ(boxes.shown().back().icon, QMessageBox::Warning);
    EXPECT_EQ(fileBytes(QStringLiteral("other.JPG")), other) << "an unlisted file is kept";
    boxes.clear();

    typeName(QStringLiteral("   "));
    dropSlot(1, slotPicture(1));
    typeName(QStringLiteral("kept"), false);
    dropSlot(1, slotPicture(1));
    EXPECT_FALSE(QFileInfo::exists(QDir(pictures).filePath("kept.JPG")));
    EXPECT_TRUE(boxes.texts().isEmpty());
    // A drag that carries no picture is refused before a name is asked for.
    dropSlot(5, {});
    dropSlot(3, "no picture");
    EXPECT_EQ(
        boxes.texts(),
        QStringList(2, QStringLiteral("The dragged slot holds no picture: nothing was saved.")));
    EXPECT_EQ(app().m_nFiles, 4);
}

TEST_F(ThumbView, SavesThatCannotBeMadeSaySoAndLeaveNoFile) {
    receive();
    dropSlot(1, slotPicture(1));
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("The destination folder is not selected")});
    EXPECT_EQ(boxes.shown().back().icon, QMessageBox::Question);
    boxes.clear();

    QStringList many;
    for (int i = 0; i < 36; ++i)
        many << QFileInfo(write(QStringLiteral("m%1.jpg").arg(i), picture(640, 480))).fileName();
    load(many);
    ASSERT_EQ(app().m_nFiles, 35);
    dropSlot(1, slotPicture(1));
    EXPECT_EQ(boxes.texts(),
              QStringList{QStringLiteral("More than 35 images cannot be displayed")});
    boxes.clear();

    load({});
    {
        FileSizeLimit fullDisk(1024);
        typeName(QStringLiteral("full"));
        dropSlot(1, slotPicture(1));
    }
    typeName(QStringLiteral("sub/name"));
    dropSlot(1, slotPicture(1));
    app().m_strFolder = QDir(pictures).filePath(QStringLiteral("gone"));
    typeName(QStringLiteral("nowhere"));
    dropSlot(1, slotPicture(1));
    EXPECT_EQ(boxes.texts(), QStringList(3, QStringLiteral("Unable to create a file")));
    EXPECT_EQ(app().m_nFiles, 0);
    EXPECT_EQ(QDir(pictures).entryList({QStringLiteral("full*"), QStringLiteral("*.tmp")},
                                       QDir::Files | QDir::Hidden),
              QStringList())
        << "no partial file";
}

TEST_F(ThumbView, ADoubleClickShowsTheFileInTheImageWindow) {
    load({QFileInfo(write(QStringLiteral("a.jpg"), picture(640, 480))).fileName()});
    imageview::CImageWnd &window = *doc().m_pImageWnd;
    QTest::mouseDClick(view().Sheet(), Qt::LeftButton, {}, cellRect(3).center());
    EXPECT_FALSE(window.HasWindow()) << "no cell there";
    QTest::mouseDClick(view().Sheet(), Qt::LeftButton, {}, cellRect(0).center());
    ASSERT_TRUE(window.HasWindow());
    EXPECT_EQ(window.GetBitmap().size(), QSize(640, 480));
    EXPECT_EQ(window.GetOwnerView(), &view());
    QFile::remove(QDir(pictures).filePath("a.jpg"));
    QTest::mouseDClick(view().Sheet(), Qt::LeftButton, {}, cellRect(0).center());
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("File Not Open")});
    window.DestroyWindow();
}

TEST_F(ThumbView, BothPanesKeepTheirDesignedScrollSteps) {
    frame().resize(900, 700);
    ASSERT_TRUE(waitUntil([this] { return view().viewport()->width() > 300; }));
    frame().resize(420, 300);
    QApplication::processEvents();
    for (const QScrollArea *pane :
         {static_cast<QScrollArea *>(&view()), static_cast<QScrollArea *>(&memoryView())}) {
        EXPECT_EQ(pane->horizontalScrollBar()->pageStep(), 88);
        EXPECT_EQ(pane->verticalScrollBar()->pageStep(), 100);
        EXPECT_EQ(pane->horizontalScrollBar()->singleStep(), 88);
        EXPECT_EQ(pane->verticalScrollBar()->singleStep(), 50);
    }
    EXPECT_EQ(view().Sheet()->minimumSize(), QSize(620, 600));
}

TEST_F(ThumbView, TheFileNameDialogKeepsItsPlaceHoweverItCloses) {
    frame().show();
    QPoint first;
    {
        imageview::CFileNameDlg dlg(&frame());
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("INPUT FOLDER"));
        for (const QWidget *child : dlg.findChildren<QWidget *>())
            EXPECT_EQ(child->font(), app().m_hFixedFont) << child->objectName().toStdString();
        const QPoint centred = frame().frameGeometry().center() - QPoint(176, 72);
        first = dlg.pos();
        EXPECT_EQ(first, centred + QPoint(80, 180));
        whenModal<imageview::CFileNameDlg>([](imageview::CFileNameDlg *open) {
            open->move(open->pos() + QPoint(15, 25));
            open->findChild<QPushButton *>(QStringLiteral("IDCANCEL"))->click();
        });
        EXPECT_EQ(dlg.exec(), QDialog::Rejected);
        EXPECT_TRUE(dlg.m_strName.isEmpty());
    }
    QPoint moved;
    {
        imageview::CFileNameDlg dlg(&frame());
        moved = dlg.pos();
        EXPECT_EQ(moved, first + QPoint(15, 25)) << "reopens where CANCEL left it";
        whenModal<imageview::CFileNameDlg>([](imageview::CFileNameDlg *open) {
            open->findChild<QLineEdit *>()->setText(QStringLiteral(" name"));
            open->move(open->pos() - QPoint(40, 10));
            QTest::keyClick(open->findChild<QLineEdit *>(), Qt::Key_Return);
        });
        EXPECT_EQ(dlg.exec(), QDialog::Accepted);
        EXPECT_EQ(dlg.m_strName, QStringLiteral(" name"));
    }
    stop();
    EXPECT_EQ(profileValue(QStringLiteral("SAVE_DLG/LEFT")).toInt(), moved.x() - 40);
    EXPECT_EQ(profileValue(QStringLiteral("SAVE_DLG/TOP")).toInt(), moved.y() - 10);
}

TEST(ThumbLoaderPass, HandsBackInListOrderStopsAtTheLimitAndDropsAStoppedPass) {
    TempDir dir;
    const QString path = QString::fromStdString(dir.str());
    const auto jpeg =
        emu::encodeJpeg(emu::renderScene(emu::Scene::Stage, emu::CameraView{}, 640, 480), 65535);
    QStringList names;
    for (int i = 0; i < 12; ++i) {
        names << QStringLiteral("f%1.jpg").arg(i);
        QFile file(path + u'/' + names.back());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // Every third file is missing.
        if (i % 3 != 2)
            file.write(reinterpret_cast<const char *>(jpeg.data()), qint64(jpeg.size()));
        else
            file.remove();
    }
    folder::ThumbLoader loader;
    std::vector<int> order;
    int accepted = 0;
    int passes = 0;
    loader.start(
        path, names, QSize(640, 480), 5,
        [&](int index, const QImage &thumb) {
            order.push_back(index);
            accepted += !thumb.isNull();
        },
        [&] { ++passes; });
    EXPECT_TRUE(order.empty()) << "nothing is handed back inside start";
    ASSERT_TRUE(waitUntil([&] { return passes == 1; }));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6})) << "five accepted, two skipped";
    EXPECT_EQ(accepted, 5);
    EXPECT_FALSE(loader.isRunning());

    order.clear();
    loader.start(
        path, names, QSize(640, 480), 35,
        [&](int index, const QImage &) { order.push_back(index); }, [&] { ++passes; });
    loader.stop();
    QCoreApplication::processEvents();
    EXPECT_TRUE(order.empty()) << "a stopped pass hands nothing back";
    EXPECT_EQ(passes, 1);
}

} // namespace
} // namespace ovaline::test
