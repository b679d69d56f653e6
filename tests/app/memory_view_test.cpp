// SPDX-License-Identifier: MIT
// The camera-memory view on the virtual camera: receiving, the transfer's
// progress and messages, thumbnails, and files dropped on the slots.
#include "app_events.h"
#include "app_fixture.h"
#include "image_wnd.h"
#include "jpeg_codec.h"
#include "main_frame.h"
#include "ovaline_view.h"
#include "picture.h"
#include "progress_status_bar.h"
#include "resource_ids.h"
#include "save_names.h"
#include "slot_drag.h"
#include "slot_geometry.h"
#include "traffic.h"
#include "unchanged_slots.h"
#include "unit_state.h"
#include "unit_store.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileDialog>
#include <QTest>
#include <QWindow>

#include <fstream>
#include <functional>

namespace ovaline::test {
namespace {

using imageview::slotRect;

// Keeps the progress values the main frame is sent.
class ProgressLog : public QObject {
public:
    std::vector<int> values;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == app::WM_APP_PROGRESS)
            values.push_back(static_cast<app::CProgressEvent *>(event)->Percent());
        return false;
    }
};

class MemoryView : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        start();
    }

    std::filesystem::path camera() const { return folder.path() / "camera1"; }
    emu::UnitState cameraState() const {
        emu::UnitState state;
        EXPECT_TRUE(emu::UnitStore(camera()).load(state));
        return state;
    }
    void clickSlot(int i) {
        QTest::mouseClick(memoryView().Strip(), Qt::LeftButton, {}, slotRect(i).center());
    }
    // Picks Receive and waits until it is over.
    void receive() {
        frame().GetAction(res::ID_TRANSFER_RECEIVE)->trigger();
        ASSERT_TRUE(
            waitUntil([this] { return app().m_bReceivePending == 0 && app().m_bBusy == 0; }));
    }
    QString statusText() const {
        return frame().GetStatusBar()->GetPaneText(app::CProgressStatusBar::kMessagePane);
    }
    QString writeFile(const QString &name, const std::vector<std::uint8_t> &bytes) {
        const QString path = QString::fromStdString((folder.path() / name.toStdString()).string());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path;
    }
    static std::vector<std::uint8_t> picture(int width, int height) {
        return emu::encodeJpeg(
            emu::renderScene(emu::Scene::Chart, emu::CameraView{}, width, height), 65535);
    }
    std::vector<std::uint8_t> slotBytes(int i) const {
        const std::uint8_t *data = doc().GetSlotData(i);
        return {data, data + doc().GetSlotSize(i)};
    }
};

TEST_F(MemoryView, ReceivingTheWholeMemoryFetchesEveryHeldSlotProtectedOnesToo) {
    const emu::UnitState camera = cameraState();
    receive();
    for (int i = 0; i < 7; ++i) {
        const bool held = !camera.memory[i].jpeg.empty();
        EXPECT_EQ(memoryView().ThumbShown()[i], held ? 1 : 0) << i;
        EXPECT_EQ(slotBytes(i), camera.memory[i].jpeg) << i;
        if (held) {
            EXPECT_EQ(doc().GetThumb(i).size(), QSize(60, 45)) << "640 x 480 gives 60 x 45";
        }
    }
    EXPECT_EQ(doc().m_bReceived, 1);
    EXPECT_TRUE(frame().isEnabled());
    EXPECT_EQ(statusText(), QStringLiteral("READY"));
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

TEST_F(MemoryView, APortraitPictureMakesATallThumbnail) {
    ASSERT_EQ(sendSlot(6, picture(480, 640)).code, 0);
    receive();
    EXPECT_EQ(doc().GetThumb(5).size(), QSize(60, 80));
}

TEST_F(MemoryView, AChosenSlotIsReceivedAloneAndTheOthersKeepTheirData) {
    receive();
    const auto three = slotBytes(2);
    ASSERT_EQ(sendSlot(1, picture(640, 480)).code, 0);
    clickSlot(0);
    EXPECT_EQ(doc().m_bSingleSlot, 1);
    EXPECT_EQ(memoryView().Selected()[0], 1);
    receive();
    EXPECT_EQ(slotBytes(0), picture(640, 480));
    EXPECT_EQ(slotBytes(2), three) << "a single-slot receive leaves the other slots alone";
    EXPECT_EQ(doc().m_bSingleSlot, 0);
}

TEST_F(MemoryView, AChosenEmptySlotSaysSoAndStaysEmpty) {
    clickSlot(4);
    receive();
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("No image in the main unit memory.")});
    EXPECT_EQ(memoryView().ThumbShown()[4], 0);
    EXPECT_EQ(doc().m_bSingleSlot, 0);
}

TEST_F(MemoryView, ARefusedSlotIsReportedWithItsNumberAndTheNextIsStillReceived) {
    env.set("OVALINE_VIRTUAL_FAULTS", "nakslot=2");
    receive();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(boxes.texts().front(),
              QStringLiteral("DLL failed sending or receiving data [2] \n  DLL ERROR CODE : "
                             "104\n  (Received NAK)"));
    EXPECT_EQ(boxes.shown().front().icon, QMessageBox::Information);
    EXPECT_EQ(memoryView().ThumbShown()[1], 0);
    EXPECT_EQ(memoryView().ThumbShown()[2], 1) << "slot 3 after the failed slot 2";
    EXPECT_EQ(memoryView().ThumbShown()[3], 1);
}

TEST_F(MemoryView, EscDuringASlotStopsTheReceiveAfterIt) {
    env.set("OVALINE_VIRTUAL_SPEED", "50"); // a slot takes over half a second at 9,600 bit/s
    bool sawStopped = false;
    QTimer watch;
    bool released = false;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!app().m_bBusy)
            return;
        if (!released) {
            released = true;
            QTest::keyPress(frame().windowHandle(), Qt::Key_Escape);
            QTest::keyRelease(frame().windowHandle(), Qt::Key_Escape);
        } else if (statusText() == QStringLiteral("Now Stoped")) {
            sawStopped = true;
        }
    });
    watch.start(20);
    receive();
    watch.stop();
    EXPECT_EQ(memoryView().ThumbShown()[0], 1) << "the slot being received is finished";
    EXPECT_EQ(memoryView().ThumbShown()[1], 0);
    EXPECT_EQ(memoryView().ThumbShown()[2], 0);
    EXPECT_TRUE(sawStopped) << "the status turns to \"Now Stoped\" while the slot finishes";
    EXPECT_EQ(statusText(), QStringLiteral("READY"));
}

TEST_F(MemoryView, ASecondEscGivesUpThePictureUnderWayAndAStoppedReceiveLosesNothing) {
    receive();
    std::vector<std::vector<std::uint8_t>> earlier;
    for (int i = 0; i < 4; ++i)
        earlier.push_back(slotBytes(i));
    // Slots 2 and 3 change in the camera; slot 1 does not, and is kept.
    ASSERT_EQ(sendSlot(2, picture(480, 640)).code, 0);
    ASSERT_EQ(sendSlot(3, picture(640, 480)).code, 0);
    env.set("OVALINE_VIRTUAL_SPEED", "1"); // a slot takes about a minute at 9,600 bit/s
    int released = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!app().m_bBusy || released == 2 ||
            statusText() != (released == 0 ? QStringLiteral("Now receiving, [ESC]is Stop")
                                           : QStringLiteral("Now Stoped")))
            return;
        ++released;
        QTest::keyPress(frame().windowHandle(), Qt::Key_Escape);
        QTest::keyRelease(frame().windowHandle(), Qt::Key_Escape);
    });
    watch.start(20);
    receive();
    watch.stop();
    EXPECT_EQ(released, 2) << "both Escs fell in slot 2's transfer";
    EXPECT_EQ(statusText(), QStringLiteral("Slot 1 unchanged"));
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
    EXPECT_TRUE(frame().isEnabled());
    // The slot given up and the slots never reached show, and Save writes,
    // the pictures the program held before.
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(memoryView().ThumbShown()[i], 1) << i;
        EXPECT_EQ(slotBytes(i), earlier[i]) << i;
    }
    const QString saved = QString::fromStdString((folder.path() / "saved.jpg").string());
    whenModal<QFileDialog>([&saved](QFileDialog *dialog) {
        dialog->selectFile(saved);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    frame().GetAction(res::ID_FILE_SAVE_IMAGE)->trigger();
    for (int i = 0; i < 4; ++i) {
        QFile file(app::memorySlotFileName(saved, i));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << i;
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), earlier[i]) << i;
    }

    // The next receive fetches every picture the camera holds.
    env.set("OVALINE_VIRTUAL_SPEED", "1000");
    receive();
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(memoryView().ThumbShown()[i], 1) << i;
        EXPECT_EQ(slotBytes(i), cameraState().memory[i].jpeg) << i;
    }
    EXPECT_EQ(statusText(), QStringLiteral("Slots 1 and 4 unchanged"));
}

TEST_F(MemoryView, ProgressStartsAtZeroRisesThenEndsWithHundredAndZero) {
    env.set("OVALINE_VIRTUAL_SPEED", "20");
    ProgressLog log;
    frame().installEventFilter(&log);
    clickSlot(1);
    receive();
    frame().removeEventFilter(&log);
    const std::vector<int> &v = log.values;
    ASSERT_GE(v.size(), 4u);
    EXPECT_EQ(v.front(), 0);
    EXPECT_EQ(v[v.size() - 2], 100);
    EXPECT_EQ(v.back(), 0);
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end() - 1));
    // A receive counts against the slot's whole capacity of 65,535 bytes.
    const int reached = v[v.size() - 3];
    EXPECT_LE(reached, doc().GetSlotSize(1) * 100 / 65535);
    EXPECT_GT(reached, 0);
}

TEST_F(MemoryView, AnUnreadablePictureKeepsItsBytesAndSaysLoadMemoryError) {
    auto broken = cameraState().memory[0].jpeg;
    broken.resize(broken.size() / 2);
    ASSERT_EQ(sendSlot(5, broken).code, OVALINE_E_WRONG_DATA) << "the camera checks sends";
    // So put the cut picture into the camera's own folder.
    {
        std::ofstream out(camera() / "slot5.jpg", std::ios::binary);
        out.write(reinterpret_cast<const char *>(broken.data()),
                  static_cast<std::streamsize>(broken.size()));
    }
    clickSlot(4);
    receive();
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Load Memory Error!")});
    EXPECT_EQ(boxes.shown().front().icon, QMessageBox::NoIcon);
    EXPECT_EQ(doc().GetSlotSize(4), static_cast<int>(broken.size()));
    EXPECT_TRUE(doc().GetThumb(4).isNull());
}

TEST_F(MemoryView, TheFramesAndTheChosenSlotAreDrawnAtTheirPixels) {
    clickSlot(2);
    const QImage shot = memoryView().Strip()->grab().toImage();
    const auto at = [&](int x, int y) { return shot.pixelColor(x, y); };
    for (int i : {0, 2, 6}) {
        const int x = 5 + 88 * i;
        EXPECT_EQ(at(x, 10), QColor(Qt::black)) << i;
        EXPECT_EQ(at(x + 85, 100), QColor(Qt::black)) << i;
        EXPECT_EQ(at(x + 84, 50), QColor(127, 127, 127)) << i;
        EXPECT_EQ(at(x + 2, 50), QColor(Qt::white)) << i;
        EXPECT_EQ(at(x + 40, 2 + 10), QColor(Qt::white)) << i;
        const QColor highlight = i == 2 ? QColor(0, 0, 255) : QColor(191, 191, 191);
        EXPECT_EQ(at(x + 4, 50), highlight) << i;
        EXPECT_EQ(at(x + 81, 14), highlight) << i;
    }
}

TEST_F(MemoryView, AFileDroppedOnAnEmptySlotIsSentWithoutAQuestion) {
    const auto bytes = picture(640, 480);
    memoryView().DropFile(writeFile("a.jpg", bytes), slotRect(5).center());
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
    EXPECT_EQ(cameraState().memory[5].jpeg, bytes);
    EXPECT_EQ(slotBytes(5), bytes);
    EXPECT_EQ(memoryView().ThumbShown()[5], 1);
    EXPECT_EQ(statusText(), QStringLiteral("READY"));
}

TEST_F(MemoryView, AFileFromTheDesktopIsDroppedThroughQtDragAndDrop) {
    const auto bytes = picture(640, 480);
    const auto mime = imageview::fileMimeData(writeFile("desk.jpg", bytes));
    QDragEnterEvent enter(slotRect(6).center(), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(memoryView().Strip(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(slotRect(6).center()), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
    QCoreApplication::sendEvent(memoryView().Strip(), &drop);
    EXPECT_TRUE(waitUntil([&] { return cameraState().memory[6].jpeg == bytes; }));
    EXPECT_EQ(memoryView().ThumbShown()[6], 1);
}

TEST_F(MemoryView, AnOccupiedSlotAsksFirstAndAProtectedOneRefuses) {
    const auto bytes = picture(640, 480);
    const QString path = writeFile("a.jpg", bytes);
    const auto before = cameraState().memory[0].jpeg;
    boxes.answerNext(QMessageBox::No);
    memoryView().DropFile(path, slotRect(0).center());
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Do you want to over-write?")});
    EXPECT_EQ(cameraState().memory[0].jpeg, before);
    EXPECT_EQ(app().m_bRefreshThumbs, 1);
    boxes.clear();
    boxes.answerNext(QMessageBox::Yes);
    memoryView().DropFile(path, slotRect(0).center());
    EXPECT_EQ(cameraState().memory[0].jpeg, bytes);

    boxes.clear();
    memoryView().DropFile(path, slotRect(3).center());
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Protected")});
    EXPECT_EQ(boxes.shown().front().icon, QMessageBox::Warning);
    EXPECT_NE(cameraState().memory[3].jpeg, bytes);

    boxes.clear();
    memoryView().DropFile(path, QPoint(3, 3)); // outside every frame
    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_EQ(statusText(), QStringLiteral("READY"));
}

TEST_F(MemoryView, NothingIsSentAt115200OrFromAFileThatDoesNotFit) {
    const QString good = writeFile("a.jpg", picture(640, 480));
    app().m_nBaudIndex = 6;
    memoryView().DropFile(good, slotRect(5).center());
    EXPECT_EQ(boxes.texts(),
              QStringList{QStringLiteral(" You can not send the image data from PC to the main "
                                         "unit \nat this baud rate(115,200). \n Please lower the "
                                         "baud rate to 57,600.")});
    app().m_nBaudIndex = 5;
    boxes.clear();
    memoryView().DropFile(writeFile("empty.jpg", {}), slotRect(5).center());
    memoryView().DropFile(writeFile("big.jpg", std::vector<std::uint8_t>(65536, 0xFF)),
                          slotRect(5).center());
    memoryView().DropFile(good + QStringLiteral(".missing"), slotRect(5).center());
    EXPECT_EQ(
        boxes.texts(),
        (QStringList{QStringLiteral("The file is empty: nothing was sent."),
                     QStringLiteral("The file is larger than 65,535 bytes: nothing was sent."),
                     QStringLiteral("File Not Open")}));
    EXPECT_TRUE(cameraState().memory[5].jpeg.empty());
    EXPECT_TRUE(frame().isEnabled());
}

TEST_F(MemoryView, AFailedSendKeepsTheSlotAndSwitchesThePointerBackOn) {
    receive();
    const auto first = slotBytes(0);
    ASSERT_EQ(command("PO", '1').code, 0);
    env.set("OVALINE_VIRTUAL_FAULTS", "nakslot=1");
    boxes.answerNext(QMessageBox::Yes);
    memoryView().DropFile(writeFile("a.jpg", picture(640, 480)), slotRect(0).center());
    EXPECT_EQ(boxes.texts().size(), 2) << boxes.texts().join(u'|').toStdString();
    EXPECT_EQ(slotBytes(0), first) << "the slot keeps the picture it had";
    env.set("OVALINE_VIRTUAL_FAULTS", "");
    EXPECT_EQ(command("QS", '0').reply[4], '1') << "the pointer is on again";
    EXPECT_TRUE(frame().isEnabled());
}

TEST_F(MemoryView, ADoubleClickShowsTheSlotFullSizeAndRefreshesAnOpenWindow) {
    receive();
    imageview::CImageWnd &window = *doc().m_pImageWnd;
    QTest::mouseDClick(memoryView().Strip(), Qt::LeftButton, {}, slotRect(5).center());
    EXPECT_FALSE(window.HasWindow()) << "an empty slot shows nothing";
    QTest::mouseDClick(memoryView().Strip(), Qt::LeftButton, {}, slotRect(0).center());
    ASSERT_TRUE(window.HasWindow());
    EXPECT_EQ(window.GetBitmap().size(), QSize(640, 480));
    EXPECT_EQ(window.GetOwnerView(), &memoryView());
    QWidget *open = window.GetWindow();
    ASSERT_EQ(sendSlot(2, picture(480, 640)).code, 0);
    clickSlot(1);
    receive();
    QTest::mouseDClick(memoryView().Strip(), Qt::LeftButton, {}, slotRect(1).center());
    EXPECT_EQ(window.GetWindow(), open) << "the open window shows the new picture";
    EXPECT_EQ(window.GetBitmap().size(), QSize(480, 640));
    EXPECT_EQ(app().m_bDragging, 0);
    app().m_bRefreshThumbs = 0;
    window.GetWindow()->move(window.GetWindow()->pos() + QPoint(7, 3));
    EXPECT_TRUE(waitUntil([this] { return app().m_bRefreshThumbs == 1; }))
        << "a moved image window has the thumbnails redrawn";
    window.DestroyWindow();
}

TEST_F(MemoryView, ASlotDraggedOutCarriesItsNumberAndPicture) {
    receive();
    const auto mime =
        imageview::slotMimeData({2, QByteArray(reinterpret_cast<const char *>(doc().GetSlotData(1)),
                                               doc().GetSlotSize(1))});
    const auto slot = imageview::draggedSlot(mime.get());
    ASSERT_TRUE(slot);
    EXPECT_EQ(slot->slot, 2);
    EXPECT_EQ(slot->jpeg.size(), doc().GetSlotSize(1));
    EXPECT_FALSE(imageview::draggedSlot(imageview::fileMimeData(QStringLiteral("/x.jpg")).get()));
    EXPECT_EQ(imageview::draggedFile(imageview::fileMimeData(QStringLiteral("/tmp/x.jpg")).get()),
              QStringLiteral("/tmp/x.jpg"));
}

TEST_F(MemoryView, PressesAndDropsWhileBusyAreIgnored) {
    app().m_bBusy = 1;
    clickSlot(2);
    EXPECT_EQ(memoryView().Selected()[2], 0);
    memoryView().DropFile(writeFile("a.jpg", picture(640, 480)), slotRect(5).center());
    EXPECT_TRUE(cameraState().memory[5].jpeg.empty());
    app().m_bBusy = 0;
}

TEST_F(MemoryView, ReceiveAgainMovesOnlyWhatChangedOnTheLine) {
    receive();
    const auto moved = [this](const std::function<void()> &act) {
        const std::uint64_t before = cameraState().lineBytes;
        act();
        return cameraState().lineBytes - before;
    };
    EXPECT_LT(moved([this] { receive(); }), 300u) << "nothing changed: two short queries";
    EXPECT_EQ(statusText(), QStringLiteral("Slots 1, 2, 3 and 4 unchanged"));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(memoryView().ThumbShown()[i], 1) << i;
        EXPECT_EQ(slotBytes(i), cameraState().memory[i].jpeg) << i;
    }
    EXPECT_EQ(doc().m_bReceived, 1);

    ASSERT_EQ(sendSlot(2, picture(480, 640)).code, 0);
    const std::size_t two = cameraState().memory[1].jpeg.size();
    const std::uint64_t changed = moved([this] { receive(); });
    EXPECT_GE(changed, two);
    EXPECT_LT(changed, two + 4000) << "slot 2 alone crossed the line";
    EXPECT_EQ(slotBytes(1), picture(480, 640));
    EXPECT_EQ(doc().GetThumb(1).size(), QSize(60, 80));
    EXPECT_EQ(statusText(), QStringLiteral("Slots 1, 3 and 4 unchanged"));

    clickSlot(0);
    EXPECT_GE(moved([this] { receive(); }), cameraState().memory[0].jpeg.size())
        << "a chosen slot is always received";
    EXPECT_EQ(statusText(), QStringLiteral("READY"));
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

TEST_F(MemoryView, AnOldCameraHasEverySlotReceivedAgain) {
    env.set("OVALINE_VIRTUAL_FAULTS", "old");
    receive();
    const emu::UnitState camera = cameraState();
    std::uint64_t pictures = 0;
    for (const emu::SlotContent &slot : camera.memory)
        pictures += slot.jpeg.size();
    receive();
    EXPECT_GE(cameraState().lineBytes - camera.lineBytes, pictures);
    EXPECT_EQ(statusText(), QStringLiteral("READY"));
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(memoryView().ThumbShown()[i], 1) << i;
}

TEST(SlotPrints, ASlotIsUnchangedOnlyWhenHeldWithTheSameSizeAndCrc) {
    const imageview::SlotPrints unit{
        {{100, 1}, {100, 2}, {0, 0}, {50, 7}, {100, 1}, {9, 9}, {0, 0}}};
    const imageview::SlotPrints held{{{100, 1}, {100, 3}, {0, 0}, {51, 7}, {0, 0}, {9, 9}, {8, 8}}};
    const imageview::SlotFlags unchanged = imageview::UnchangedSlots(unit, held);
    EXPECT_EQ(unchanged, (imageview::SlotFlags{true, false, false, false, false, true, false}));
    EXPECT_EQ(imageview::UnchangedText(unchanged), QStringLiteral("Slots 1 and 6 unchanged"));
    EXPECT_EQ(imageview::UnchangedText({false, false, true}), QStringLiteral("Slot 3 unchanged"));
    EXPECT_EQ(imageview::UnchangedText({true, true, false, true}),
              QStringLiteral("Slots 1, 2 and 4 unchanged"));
    EXPECT_TRUE(imageview::UnchangedText({}).isEmpty());
}

} // namespace
} // namespace ovaline::test
