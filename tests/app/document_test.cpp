// SPDX-License-Identifier: MIT
// The document: its commands, Save's files, and writing a slot safely.
#include "app_fixture.h"
#include "file_size_limit.h"
#include "folder_dlg.h"
#include "pane_view.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTreeWidget>

#include <cstring>

namespace ovaline::test {
namespace {

// A pane that counts what the document tells it.
class CountingView : public app::CPaneView {
public:
    using CPaneView::CPaneView;
    void OnUpdate(CPaneView *) override { ++updates; }
    int updates = 0;
};

class Document : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        saveFolder = QString::fromStdString((folder.path() / "saved").string());
        QDir().mkpath(saveFolder);
    }

    // Puts `size` bytes, a pattern of the slot, into slot i.
    static QByteArray fill(app::COvalineDoc &doc, int i, int size) {
        QByteArray bytes(size, '\0');
        for (int k = 0; k < size; ++k)
            bytes[k] = static_cast<char>((k * 7 + i) & 0xFF);
        std::memcpy(doc.GetSlotData(i), bytes.constData(), static_cast<std::size_t>(size));
        doc.SetSlotSize(i, size);
        return bytes;
    }
    static QByteArray read(const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Answers a file dialog as a user typing `name` in `folder` would.
    static void choose(QFileDialog *dialog, const QString &folder, const QString &name) {
        dialog->setDirectory(folder);
        dialog->findChild<QLineEdit *>("fileNameEdit")->setText(name);
        QMetaObject::invokeMethod(dialog, "accept");
    }
    QStringList saved() const { return QDir(saveFolder).entryList(QDir::Files, QDir::Name); }
    QString in(const QString &name) const { return saveFolder + u'/' + name; }

    app::COvalineDoc document;
    QString saveFolder;
};

TEST_F(Document, WholeMemorySavesOneFilePerFilledSlot) {
    const QByteArray two = fill(document, 1, 5000);
    const QByteArray five = fill(document, 4, 65535);
    document.SaveSlots(in("PIC.jpg"));
    EXPECT_EQ(saved(), QStringList({"PIC2.JPG", "PIC5.JPG"}));
    EXPECT_EQ(read(in("PIC2.JPG")), two);
    EXPECT_EQ(read(in("PIC5.JPG")), five);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Document, WholeMemoryNamesDropAJpgEndingOnly) {
    fill(document, 0, 10);
    document.SaveSlots(in("photo"));
    document.SaveSlots(in("other.JPG"));
    document.SaveSlots(in("third.jpeg"));
    EXPECT_EQ(saved(), QStringList({"other1.JPG", "photo1.JPG", "third.jpeg1.JPG"}));
}

TEST_F(Document, ASingleSlotIsSavedUnderTheChosenNameWithJpgAdded) {
    document.m_bSingleSlot = 1;
    const QByteArray three = fill(document, 2, 300);
    app().m_nSelItem = 3;
    std::memcpy(app().m_reply, "011100000", 8);
    document.SaveSlots(in("photo.jpeg"));
    EXPECT_EQ(saved(), QStringList({"photo.jpeg.JPG"}));
    EXPECT_EQ(read(in("photo.jpeg.JPG")), three);
}

TEST_F(Document, ASingleSlotTheUnitNoLongerHoldsOrNoSlotPickedSavesNothing) {
    document.m_bSingleSlot = 1;
    fill(document, 2, 300);
    const QString message =
        "No image in the main unit memory\nRe-send the image to PC from the main unit";
    std::memcpy(app().m_reply, "01101111", 8);
    app().m_nSelItem = 3;
    document.SaveSlots(in("photo"));
    app().m_nSelItem = 9; // a file thumbnail, no camera slot
    document.SaveSlots(in("photo"));
    EXPECT_EQ(boxes.texts(), QStringList({message, message}));
    EXPECT_TRUE(saved().isEmpty());
}

TEST_F(Document, AFailedWriteKeepsTheEarlierFileByteForByte) {
    const QString path = in("PIC1.JPG");
    {
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("the earlier picture");
    }
    fill(document, 0, 20000);
    {
        FileSizeLimit fullDisk(4096);
        EXPECT_EQ(document.WriteSlotFile(path, 0), 0);
    }
    EXPECT_EQ(read(path), "the earlier picture");
    EXPECT_EQ(saved(), QStringList({"PIC1.JPG"})); // no half-written file left beside it
    EXPECT_EQ(boxes.texts(), QStringList({"Unable to create a file"}));
    EXPECT_EQ(boxes.shown()[0].icon, QMessageBox::Warning);
}

TEST_F(Document, AFailedSlotDoesNotStopTheOthers) {
    fill(document, 0, 20000);
    const QByteArray small = fill(document, 1, 100);
    {
        FileSizeLimit fullDisk(4096);
        document.SaveSlots(in("PIC.JPG"));
    }
    EXPECT_EQ(saved(), QStringList({"PIC2.JPG"}));
    EXPECT_EQ(read(in("PIC2.JPG")), small);
    EXPECT_EQ(boxes.texts(), QStringList({"Unable to create a file"}));

    boxes.clear();
    EXPECT_EQ(document.WriteSlotFile(in("missing/PIC.JPG"), 1), 0);
    EXPECT_EQ(boxes.texts(), QStringList({"Unable to create a file"}));
}

TEST_F(Document, AnEmptySlotWritesNothingAndSaysNothing) {
    EXPECT_EQ(document.WriteSlotFile(in("PIC.JPG"), 3), 0);
    EXPECT_TRUE(saved().isEmpty());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Document, ReceiveAsksTheMemoryViewOnlyAndStartsAWholeReceiveEmpty) {
    CountingView memoryView(&document);
    CountingView thumbView(&document);
    app().m_pMemoryView = &memoryView;
    app().m_pThumbView = &thumbView;
    fill(document, 0, 10);
    document.OnReceive();
    EXPECT_EQ(app().m_bReceivePending, 1);
    EXPECT_EQ(app().m_bRefreshThumbs, 1);
    EXPECT_EQ(document.GetSlotSize(0), 0);
    EXPECT_EQ(memoryView.updates, 1);
    EXPECT_EQ(thumbView.updates, 0);

    document.m_bSingleSlot = 1;
    fill(document, 0, 10);
    document.OnReceive();
    EXPECT_EQ(document.GetSlotSize(0), 10);
}

TEST_F(Document, ReceiveAndSaveAreRefusedWhileBusy) {
    app().m_bBusy = 1;
    document.m_bReceived = 1;
    document.OnReceive();
    document.OnSave();
    EXPECT_EQ(app().m_bReceivePending, 0);
    const QString refusal = "Unable to save the data when sending.";
    EXPECT_EQ(boxes.texts(), QStringList({refusal, refusal}));
}

TEST_F(Document, SaveBeforeAnyReceiveSaysSo) {
    document.OnSave();
    EXPECT_EQ(boxes.texts(), QStringList({"No data received from the main unit"}));
}

class RunningDocument : public Document {
protected:
    void SetUp() override {
        Document::SetUp();
        start();
    }
};

TEST_F(RunningDocument, OpenFolderTellsOnlyTheThumbnailViewOfTheChosenFolder) {
    env.set("HOME", folder.path().string());
    CountingView memoryView(&doc());
    CountingView thumbView(&doc());
    app::CPaneView *const realViews[] = {app().m_pMemoryView, app().m_pThumbView};
    app().m_pMemoryView = &memoryView;
    app().m_pThumbView = &thumbView;
    whenModal<folder::CFolderDlg>([](folder::CFolderDlg *dlg) {
        QTreeWidgetItem *home = dlg->m_tree->topLevelItem(0);
        home->setExpanded(true);
        for (int i = 0; i < home->childCount(); ++i)
            if (home->child(i)->text(0) == "saved")
                dlg->m_tree->setCurrentItem(home->child(i));
        dlg->accept();
    });
    doc().OnOpenFolder();
    ASSERT_TRUE(waitUntil([this] { return !doc().IsListing(); }));
    app().m_pMemoryView = realViews[0];
    app().m_pThumbView = realViews[1];
    EXPECT_EQ(app().m_strFolder, saveFolder);
    EXPECT_EQ(app().m_bFolderChanged, 1);
    EXPECT_EQ(thumbView.updates, 1);
    EXPECT_EQ(memoryView.updates, 0);
}

TEST_F(RunningDocument, SaveAsksForANameAndWritesTheSlots) {
    doc().m_bReceived = 1;
    const QByteArray one = fill(doc(), 0, 1234);
    whenModal<QFileDialog>(
        [this](QFileDialog *dialog) { choose(dialog, saveFolder, "camera.jpg"); });
    doc().OnSave();
    EXPECT_EQ(saved(), QStringList({"camera1.JPG"}));
    EXPECT_EQ(read(in("camera1.JPG")), one);
    EXPECT_TRUE(boxes.shown().empty());
}

} // namespace
} // namespace ovaline::test
