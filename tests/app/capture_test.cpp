// SPDX-License-Identifier: MIT
// Capture on the virtual camera and on ovaline-unit: the live picture
// stored, received and saved into the folder grid in one step, the question
// before a picture is overwritten, Esc in each phase, and a folder that
// cannot take the file.
#include "app_fixture.h"
#include "capture.h"
#include "capture_slot_dlg.h"
#include "command_link.h"
#include "file_bytes.h"
#include "file_size_limit.h"
#include "folder_dlg.h"
#include "jpeg_codec.h"
#include "my_view.h"
#include "ovaline_view.h"
#include "picture.h"
#include "progress_status_bar.h"
#include "resource_ids.h"
#include "run_process.h"
#include "slow_folder.h"
#include "traffic.h"
#include "unit_state.h"
#include "unit_store.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace ovaline::test {
namespace {

namespace fs = std::filesystem;
using imageview::CCapture;
using imageview::CCaptureSlotDlg;

// The files of a folder, by name.
std::vector<std::string> filesOf(const fs::path &folder) {
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class Capture : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        fs::create_directories(pictures());
        env.set("HOME", (folder.path() / "home").string()).unset("XDG_CONFIG_HOME");
    }
    // Starts the program with the pictures folder open.
    void startWithFolder(QStringList options = {QStringLiteral("--virtual")}) {
        start(options << QString::fromStdString(pictures().string()));
        ASSERT_TRUE(
            waitUntil([this] { return !thumbView().IsLoading() && !app().m_bFolderChanged; }));
        capture().SetStoreWait(200);
    }

    fs::path pictures() const { return folder.path() / "home" / "pictures"; }
    virtual fs::path camera() const { return folder.path() / "camera1"; }
    emu::UnitState cameraState() const {
        emu::UnitState state;
        EXPECT_TRUE(emu::UnitStore(camera()).load(state));
        return state;
    }
    CCapture &capture() const { return *doc().m_pCapture; }
    app::CMyView &thumbView() const { return *static_cast<app::CMyView *>(app().m_pThumbView); }
    QAction *captureAction() const { return frame().GetAction(res::ID_TRANSFER_CAPTURE); }
    QString statusText() const {
        return frame().GetStatusBar()->GetPaneText(app::CProgressStatusBar::kMessagePane);
    }
    std::vector<std::uint8_t> slotBytes(int i) const {
        const std::uint8_t *data = doc().GetSlotData(i);
        return {data, data + doc().GetSlotSize(i)};
    }
    void pressEsc() {
        QTest::keyPress(frame().windowHandle(), Qt::Key_Escape);
        QTest::keyRelease(frame().windowHandle(), Qt::Key_Escape);
    }
    // Presses Esc once, the first time `phase` shows `text`; runs the
    // capture from the menu meanwhile. True when Esc was pressed.
    bool escDuring(CCapture::Phase phase, const QString &text) {
        bool pressed = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!pressed && capture().GetPhase() == phase && statusText() == text) {
                pressed = true;
                pressEsc();
            }
        });
        watch.start(10);
        captureAction()->trigger();
        return pressed;
    }
    // The program is back at rest after a capture.
    void expectAtRest() {
        EXPECT_EQ(capture().GetPhase(), CCapture::Phase::Idle);
        EXPECT_EQ(app().m_bBusy, 0);
        EXPECT_TRUE(frame().isEnabled());
        EXPECT_EQ(frame().GetStatusBar()->GetProgress()->value(), 0);
    }
};

TEST_F(Capture, TheKeyStoresTheLivePictureIntoTheFirstEmptySlotAndSavesItIntoTheGrid) {
    startWithFolder();
    ASSERT_EQ(app().SendCommand(app::kCmdPointer, '1', "  "), 1);
    EXPECT_TRUE(captureAction()->isEnabled());
    frame().activateWindow();
    ASSERT_TRUE(waitUntil([this] { return QApplication::activeWindow() == &frame(); }));

    const emu::UnitState before = cameraState();
    QTest::keyClick(&frame(), Qt::Key_T, Qt::ControlModifier);
    const emu::UnitState after = cameraState();

    // Slots 1 to 3 hold pictures and 4 a protected one: slot 5 takes it,
    // stored without the pointer, which is back on now.
    ASSERT_TRUE(before.memory[4].jpeg.empty());
    ASSERT_FALSE(after.memory[4].jpeg.empty());
    for (int i : {0, 1, 2, 3, 5, 6})
        EXPECT_EQ(after.memory[i].jpeg, before.memory[i].jpeg) << i;
    EXPECT_TRUE(after.pointer);
    emu::CameraView live;
    EXPECT_EQ(after.memory[4].jpeg,
              emu::encodeJpeg(emu::renderScene(emu::Scene::Stage, live, 640, 480), 65535));

    // The file is the slot's picture byte for byte, named by the date and time.
    const std::vector<std::string> files = filesOf(pictures());
    ASSERT_EQ(files.size(), 1u);
    const QString name = QString::fromStdString(files[0]);
    EXPECT_TRUE(
        QRegularExpression(R"(^\d{4}-\d\d-\d\d \d\d-\d\d-\d\d\.JPG$)").match(name).hasMatch())
        << files[0];
    EXPECT_EQ(readAll(pictures() / files[0]), after.memory[4].jpeg);
    EXPECT_EQ(slotBytes(4), after.memory[4].jpeg) << "the slot frame holds it too";
    EXPECT_EQ(memoryView().ThumbShown()[4], 1);
    // It joins the grid at once.
    EXPECT_EQ(app().m_nFiles, 1);
    EXPECT_EQ(app().m_strFiles[0], name);
    EXPECT_FALSE(doc().GetThumb(8).isNull());
    EXPECT_EQ(statusText(), "Saved " + name);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
    expectAtRest();

    // A name taken already (here for every second around now) gets " (2)".
    const QDateTime now = QDateTime::currentDateTime();
    for (int s = -2; s < 60; ++s)
        std::ofstream(pictures() /
                      (now.addSecs(s).toString("yyyy-MM-dd HH-mm-ss") + ".JPG").toStdString());
    captureAction()->trigger();
    const emu::UnitState third = cameraState();
    ASSERT_FALSE(third.memory[5].jpeg.empty()) << "slot 6 was the next empty one";
    // The folder changed behind the grid's back: it is read again, and the
    // grid shows the two pictures of the camera's size.
    ASSERT_TRUE(waitUntil([this] { return !thumbView().IsLoading() && !app().m_bFolderChanged; }));
    ASSERT_EQ(app().m_nFiles, 2) << statusText().toStdString() << "|"
                                 << boxes.texts().join(u'|').toStdString() << "|"
                                 << app().m_strFiles[0].toStdString();
    const QString second = app().m_strFiles[0] == name ? app().m_strFiles[1] : app().m_strFiles[0];
    EXPECT_TRUE(second.endsWith(QStringLiteral(" (2).JPG"))) << second.toStdString();
    EXPECT_EQ(readAll(pictures() / second.toStdString()), third.memory[5].jpeg);
}

TEST_F(Capture, AskedForTheFolderOnceAndBeforeOverwritingAndCancelChangesNothing) {
    start();
    capture().SetStoreWait(200);
    for (int slot : {5, 6, 7})
        ASSERT_EQ(sendSlot(slot, testPicture(640, 480, slot)).code, 0);
    const emu::UnitState full = cameraState();
    const auto unchanged = [&] {
        const emu::UnitState now = cameraState();
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(now.memory[i].jpeg, full.memory[i].jpeg) << i;
        EXPECT_TRUE(filesOf(pictures()).empty());
        expectAtRest();
    };

    // No folder open: Capture asks for one; cancelled, nothing happens.
    whenModal<folder::CFolderDlg>([](folder::CFolderDlg *dlg) { dlg->reject(); });
    captureAction()->trigger();
    EXPECT_TRUE(app().m_strFolder.isEmpty());
    unchanged();

    // Chosen, it is kept; every slot is full, so the slot is asked for:
    // the protected one cannot be chosen. Cancel changes nothing.
    whenModal<folder::CFolderDlg>([this](folder::CFolderDlg *dlg) {
        QTreeWidgetItem *home = dlg->m_tree->topLevelItem(0);
        home->setExpanded(true);
        ASSERT_EQ(home->child(0)->text(0), "pictures");
        dlg->m_tree->setCurrentItem(home->child(0));
        QTest::mouseClick(dlg->findChild<QPushButton *>("IDOK"), Qt::LeftButton);
        whenModal<CCaptureSlotDlg>([](CCaptureSlotDlg *question) {
            for (int slot = 1; slot <= 7; ++slot)
                EXPECT_EQ(question->SlotButton(slot)->isEnabled(), slot != 4) << slot;
            QTest::mouseClick(
                question->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel),
                Qt::LeftButton);
        });
    });
    captureAction()->trigger();
    ASSERT_TRUE(waitUntil([this] { return !doc().IsListing(); }));
    EXPECT_EQ(app().m_strFolder, QString::fromStdString(pictures().string()));
    unchanged();
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();

    // The folder is not asked for again; slot 2 is chosen and overwritten.
    whenModal<CCaptureSlotDlg>([](CCaptureSlotDlg *question) {
        QTest::mouseClick(question->SlotButton(2), Qt::LeftButton);
    });
    captureAction()->trigger();
    const emu::UnitState after = cameraState();
    EXPECT_NE(after.memory[1].jpeg, full.memory[1].jpeg);
    for (int i : {0, 2, 3, 4, 5, 6})
        EXPECT_EQ(after.memory[i].jpeg, full.memory[i].jpeg) << i;
    const std::vector<std::string> files = filesOf(pictures());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(readAll(pictures() / files[0]), after.memory[1].jpeg);
    expectAtRest();
    stop();
    EXPECT_EQ(profileValue("FOLDER/PATH").toString(), QString::fromStdString(pictures().string()));
}

TEST_F(Capture, EscGivesItUpInEachPhaseAndTheNextOneWorks) {
    startWithFolder();
    ASSERT_EQ(app().SendCommand(app::kCmdPointer, '1', "  "), 1);
    doc().OnReceive();
    ASSERT_TRUE(waitUntil([this] { return app().m_bReceivePending == 0 && app().m_bBusy == 0; }));
    ASSERT_EQ(memoryView().ThumbShown()[0], 1);

    // During the store wait: the wait ends at once, the pointer is back on
    // and nothing is received or saved.
    capture().SetStoreWait(60000);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(escDuring(CCapture::Phase::Storing, "Now storing, [ESC]is Stop"));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
    EXPECT_TRUE(cameraState().pointer);
    EXPECT_EQ(memoryView().ThumbShown()[4], 0);
    EXPECT_EQ(doc().GetSlotSize(4), 0);
    EXPECT_TRUE(filesOf(pictures()).empty());
    EXPECT_EQ(statusText(), "READY");
    expectAtRest();

    // During the receive (slow enough to catch at 9,600 bit/s): the picture
    // under way is given up and its frame shows what it showed.
    capture().SetStoreWait(200);
    env.set("OVALINE_VIRTUAL_SPEED", "50");
    EXPECT_TRUE(escDuring(CCapture::Phase::Receiving, "Now receiving, [ESC]is Stop"));
    EXPECT_EQ(memoryView().ThumbShown()[5], 0);
    EXPECT_EQ(doc().GetSlotSize(5), 0);
    EXPECT_TRUE(filesOf(pictures()).empty());
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
    expectAtRest();

    // The next capture works at once, into the next empty slot; Esc as its
    // save begins leaves no file, not even part of one, and the picture in
    // its frame.
    env.set("OVALINE_VIRTUAL_SPEED", "1000");
    ASSERT_TRUE(waitUntil([this] { return app().QueryStatus(1) && app().m_reply[0] == '0'; }));
    const QMetaObject::Connection escAtSave =
        QObject::connect(&capture(), &CCapture::PhaseChanged, [this](CCapture::Phase phase) {
            if (phase == CCapture::Phase::Saving)
                pressEsc();
        });
    captureAction()->trigger();
    QObject::disconnect(escAtSave);
    EXPECT_TRUE(filesOf(pictures()).empty());
    ASSERT_FALSE(cameraState().memory[6].jpeg.empty());
    EXPECT_EQ(slotBytes(6), cameraState().memory[6].jpeg);
    EXPECT_EQ(memoryView().ThumbShown()[6], 1);
    EXPECT_EQ(app().m_nFiles, 0);
    EXPECT_EQ(statusText(), "READY");
    expectAtRest();

    // And the one after it saves, into the slot chosen to be overwritten.
    whenModal<CCaptureSlotDlg>([](CCaptureSlotDlg *question) {
        QTest::mouseClick(question->SlotButton(2), Qt::LeftButton);
    });
    captureAction()->trigger();
    const std::vector<std::string> files = filesOf(pictures());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(readAll(pictures() / files[0]), cameraState().memory[1].jpeg);
    EXPECT_EQ(app().m_nFiles, 1);
    EXPECT_EQ(memoryView().ThumbShown()[0], 1);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u'|').toStdString();
}

TEST_F(Capture, EscEndsASaveIntoAFolderThatStopsAnsweringAtOnce) {
    if (!SlowFolder::available())
        GTEST_SKIP() << "no /dev/fuse here: a file system that hangs cannot be made";
    const fs::path share = folder.path() / "share";
    fs::create_directories(share);
    SlowFolder hung;
    ASSERT_EQ(hung.mount(share, pictures(), SlowFolder::Options::hanging("write")), "");
    startWithFolder();

    // The file's first write hangs for 20 s; Esc ends the capture while it
    // still hangs, and the picture stays in its frame.
    QTimer escOnHang;
    QObject::connect(&escOnHang, &QTimer::timeout, [&] {
        if (hung.waitFor("HANG", 0)) {
            escOnHang.stop();
            pressEsc();
        }
    });
    escOnHang.start(10);
    captureAction()->trigger();
    EXPECT_FALSE(escOnHang.isActive()) << "the write never hung";
    EXPECT_FALSE(hung.waitFor("DONE", 0)) << "the capture waited for the hung write";
    ASSERT_FALSE(cameraState().memory[4].jpeg.empty());
    EXPECT_EQ(slotBytes(4), cameraState().memory[4].jpeg);
    EXPECT_EQ(app().m_nFiles, 0);
    EXPECT_EQ(statusText(), "READY");
    expectAtRest();
}

// Takes on the ordinary user "nobody" while it lives, when run as root.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() : root_(::geteuid() == 0) {
        if (root_) {
            EXPECT_EQ(::setegid(65534), 0);
            EXPECT_EQ(::seteuid(65534), 0);
        }
    }
    ~AsOrdinaryUser() {
        if (root_) {
            EXPECT_EQ(::seteuid(0), 0);
            EXPECT_EQ(::setegid(0), 0);
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser &) = delete;
    AsOrdinaryUser &operator=(const AsOrdinaryUser &) = delete;

private:
    bool root_;
};

// After a file that could not be written: nothing of it in the folder, the
// picture in slot i's frame, the grid as it was.
#define EXPECT_NOTHING_SAVED_FROM(i)                                                               \
    do {                                                                                           \
        EXPECT_EQ(boxes.texts().join(u'|').toStdString(), "Unable to create a file");              \
        EXPECT_TRUE(filesOf(pictures()).empty());                                                  \
        const emu::UnitState stored = cameraState();                                               \
        ASSERT_FALSE(stored.memory[i].jpeg.empty());                                               \
        EXPECT_EQ(slotBytes(i), stored.memory[i].jpeg) << "the picture stays in its frame";        \
        EXPECT_EQ(memoryView().ThumbShown()[i], 1);                                                \
        EXPECT_EQ(app().m_nFiles, 0);                                                              \
        EXPECT_EQ(statusText(), "READY");                                                          \
        expectAtRest();                                                                            \
    } while (false)

TEST_F(Capture, AFolderTheUserCannotWriteLeavesNoFileAndThePictureInItsFrame) {
    startWithFolder();
    // The user reaches the camera's folder and may read the pictures
    // folder, not write it.
    const auto readable = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                          fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(folder.path(), readable);
    fs::permissions(pictures(), readable & ~fs::perms::owner_write);
    for (const auto &entry : fs::recursive_directory_iterator(camera()))
        ASSERT_EQ(::lchown(entry.path().c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(camera().c_str(), 65534, 65534), 0);
    {
        const AsOrdinaryUser user;
        captureAction()->trigger();
    }
    fs::permissions(pictures(), fs::perms::owner_all);
    EXPECT_NOTHING_SAVED_FROM(4);
}

// The camera is ovaline-unit on a pseudo-terminal, another process, which
// the limits of this one do not touch.
class CaptureOnUnit : public Capture {
protected:
    void SetUp() override {
        Capture::SetUp();
        port = startUnit(unit, OVALINE_UNIT_PATH, {"--speed", "1000", "--dir", camera().string()});
        ASSERT_FALSE(port.empty()) << "ovaline-unit did not start";
        env.set("OVALINE_COM1", port);
        writeProfile("[COM_SPEED]\nSPEED=6\n");
        startWithFolder({});
        ASSERT_NE(app().m_nUnitModel, 0);
    }
    void TearDown() override {
        Capture::TearDown();
        unit.stop(SIGTERM);
    }
    fs::path camera() const override { return folder.path() / "unit"; }

    ChildProcess unit;
    std::string port;
};

TEST_F(CaptureOnUnit, AFullDiskLeavesNoPartialFileAndThePictureInItsFrame) {
    {
        const FileSizeLimit full(1000);
        captureAction()->trigger();
    }
    EXPECT_NOTHING_SAVED_FROM(4);
}

} // namespace
} // namespace ovaline::test
