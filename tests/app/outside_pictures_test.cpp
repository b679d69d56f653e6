// SPDX-License-Identifier: MIT
// Pictures from outside the program into the camera's slots: a PNG dropped
// from the desktop and the clipboard's picture pasted with Shift+Insert are
// asked about, fitted and sent by the send rules.
#include "app_fixture.h"
#include "ovaline_view.h"
#include "slot_drag.h"
#include "slot_geometry.h"
#include "unit_state.h"
#include "unit_store.h"

#include <QBuffer>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QTest>

namespace ovaline::test {
namespace {

using imageview::slotRect;

const QString kFitQuestion =
    QStringLiteral("Fit this picture to the camera's 640 x 480 and send it?");

QByteArray encoded(const QImage &image, const char *format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes;
}

// A wide PNG, half transparent.
QImage widePicture() {
    QImage image(400, 100, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(0, 0, 200, 100, QColor(0, 0, 255));
    return image;
}

class OutsidePictures : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        start();
    }
    std::vector<std::uint8_t> cameraSlot(int i) const {
        emu::UnitState state;
        EXPECT_TRUE(emu::UnitStore(folder.path() / "camera1").load(state));
        return state.memory[i].jpeg;
    }
    QString writeFile(const QString &name, const QByteArray &bytes) {
        const QString path = QString::fromStdString((folder.path() / name.toStdString()).string());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // What a file manager's drop delivers to the slot frame.
    void dropFromDesktop(const QString &path, int i) {
        const auto mime = imageview::fileMimeData(path);
        ASSERT_TRUE(mime->hasFormat(QStringLiteral("text/uri-list")));
        QDragEnterEvent enter(slotRect(i).center(), Qt::CopyAction, mime.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(memoryView().Strip(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(slotRect(i).center()), Qt::CopyAction, mime.get(), Qt::LeftButton,
                        {});
        QCoreApplication::sendEvent(memoryView().Strip(), &drop);
        // The drop is handled once the drag is over, from the event loop.
        ASSERT_TRUE(waitUntil([this] { return !boxes.texts().isEmpty(); }));
    }
    void pasteInto(int i) {
        QTest::mouseClick(memoryView().Strip(), Qt::LeftButton, {}, slotRect(i).center());
        frame().activateWindow();
        ASSERT_TRUE(waitUntil([this] { return QApplication::activeWindow() == &frame(); }));
        QTest::keyClick(&frame(), Qt::Key_Insert, Qt::ShiftModifier);
    }
    // The camera holds exactly a 640 x 480 picture that fits a slot.
    static QImage cameraPicture(const std::vector<std::uint8_t> &jpeg) {
        EXPECT_LE(jpeg.size(), 65535u);
        const QImage image = QImage::fromData(jpeg.data(), int(jpeg.size()), "JPG");
        EXPECT_EQ(image.size(), QSize(640, 480));
        return image;
    }
};

TEST_F(OutsidePictures, APngFromTheDesktopIsAskedAboutFittedAndSent) {
    const QString png = writeFile(QStringLiteral("wide.png"), encoded(widePicture(), "PNG"));
    boxes.answerNext(QMessageBox::No);
    dropFromDesktop(png, 5);
    EXPECT_EQ(boxes.texts(), QStringList{kFitQuestion});
    EXPECT_TRUE(cameraSlot(5).empty()) << "No sends nothing";

    boxes.clear();
    dropFromDesktop(png, 5);
    ASSERT_EQ(boxes.texts(), QStringList{kFitQuestion});
    const QImage sent = cameraPicture(cameraSlot(5));
    // 400 x 100 fills the width: 640 x 160 from y = 160.
    EXPECT_GT(sent.pixelColor(100, 240).blue(), 200);
    EXPECT_LT(sent.pixelColor(100, 240).red(), 60);
    EXPECT_GT(sent.pixelColor(500, 240).red(), 200) << "the transparent half lies on white";
    EXPECT_LT(sent.pixelColor(320, 40).red() + sent.pixelColor(320, 40).blue(), 40)
        << "black margins";
    EXPECT_EQ(memoryView().ThumbShown()[5], 1);

    // An occupied slot asks to over-write after the fitting question.
    boxes.clear();
    boxes.answerNext(QMessageBox::Yes);
    boxes.answerNext(QMessageBox::No);
    const auto held = cameraSlot(0);
    dropFromDesktop(png, 0);
    EXPECT_TRUE(waitUntil([this] { return boxes.texts().size() == 2; }));
    EXPECT_EQ(boxes.texts(),
              (QStringList{kFitQuestion, QStringLiteral("Do you want to over-write?")}));
    EXPECT_EQ(cameraSlot(0), held);

    boxes.clear();
    dropFromDesktop(writeFile(QStringLiteral("notes.jpg"), "just some text\n"), 6);
    EXPECT_EQ(boxes.texts(),
              QStringList{QStringLiteral("This file is not a picture Ovaline can read")});
    EXPECT_TRUE(cameraSlot(6).empty());
}

TEST_F(OutsidePictures, ShiftInsertPastesTheClipboardsPictureIntoTheChosenSlot) {
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setImage(widePicture());
    pasteInto(6);
    EXPECT_EQ(boxes.texts(), QStringList{kFitQuestion});
    cameraPicture(cameraSlot(6));
    EXPECT_EQ(memoryView().ThumbShown()[6], 1);

    // A JPEG of the camera's size goes as it is, by the send rules.
    const QByteArray jpeg = encoded(QImage(640, 480, QImage::Format_RGB32), "JPG");
    auto *mime = new QMimeData;
    mime->setData(QStringLiteral("image/jpeg"), jpeg);
    clipboard->setMimeData(mime);
    boxes.clear();
    pasteInto(3);
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Protected")});
    boxes.clear();
    pasteInto(4);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
    EXPECT_EQ(cameraSlot(4), std::vector<std::uint8_t>(jpeg.begin(), jpeg.end()));

    // Damaged picture bytes are refused with the file's message, whichever
    // picture type they claim to be.
    for (const char *type : {"image/jpeg", "image/png"}) {
        auto *damaged = new QMimeData;
        damaged->setData(QString::fromLatin1(type), QByteArray("\xFF\xD8\xFF\xE0 cut short"));
        clipboard->setMimeData(damaged);
        boxes.clear();
        pasteInto(2);
        EXPECT_EQ(boxes.texts(),
                  QStringList{QStringLiteral("This file is not a picture Ovaline can read")})
            << type;
    }
    // A PNG's own bytes are fitted, as a picture copied in another program.
    auto *png = new QMimeData;
    png->setData(QStringLiteral("image/png"), encoded(widePicture(), "PNG"));
    clipboard->setMimeData(png);
    boxes.clear();
    pasteInto(5);
    EXPECT_EQ(boxes.texts(), QStringList{kFitQuestion});
    EXPECT_GT(cameraPicture(cameraSlot(5)).pixelColor(500, 240).red(), 200)
        << "the transparent half lies on white";

    clipboard->clear();
    boxes.clear();
    pasteInto(2);
    EXPECT_EQ(boxes.texts(),
              QStringList{QStringLiteral("The clipboard holds no picture to paste.")});
    clipboard->setText(QStringLiteral("words"));
    boxes.clear();
    pasteInto(2);
    EXPECT_EQ(boxes.texts(),
              QStringList{QStringLiteral("The clipboard holds no picture to paste.")});
}

} // namespace
} // namespace ovaline::test
