// SPDX-License-Identifier: MIT
// The serial device as a Linux user meets it: the rate the unit answers at
// is found, the port's device is chosen in Setup, an adapter plugged in or
// pulled out is followed, and a port that cannot be opened says why.
#include "app_fixture.h"
#include "command_link.h"
#include "port_devices.h"
#include "progress_status_bar.h"
#include "rate_search.h"
#include "resource_ids.h"
#include "run_process.h"
#include "setup_dlg.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ovaline::test {
namespace {

namespace fs = std::filesystem;

const QString kNoUnitAtStart = "Failed to connect to the main unit.\n Please set up correctly.";

class SerialDevice : public AppTest {
protected:
    QString messagePane() const {
        return frame().GetStatusBar()->GetPaneText(app::CProgressStatusBar::kMessagePane);
    }
    // The message pane's text fits it, and its tip holds the whole message.
    void expectWholeInTip(const QString &whole) const {
        const QLabel *pane = frame().GetStatusBar()->findChild<QLabel *>();
        EXPECT_LE(pane->fontMetrics().horizontalAdvance(pane->text()), pane->contentsRect().width())
            << pane->text().toStdString() << " is cut off";
        EXPECT_EQ(pane->toolTip(), whole);
    }
    bool unitCommandsEnabled() const {
        return frame().GetAction(res::ID_TRANSFER_RECEIVE)->isEnabled();
    }
    static void clickOk(QDialog &dlg) {
        QTest::mouseClick(dlg.findChild<QPushButton *>("IDOK"), Qt::LeftButton);
    }
    // A folder standing for /dev.
    fs::path devices() const { return folder.path() / "dev"; }
    static void touch(const fs::path &path) {
        fs::create_directories(path.parent_path());
        std::ofstream(path).put('\n');
    }
};

TEST_F(SerialDevice, TheRateTheUnitAnswersAtIsFoundAtStartAndAfterSetup) {
    env.set("OVALINE_VIRTUAL_RATE", "19200");
    writeProfile("[COM_SPEED]\nSPEED=2\n");
    start();
    EXPECT_TRUE(boxes.shown().empty()) << boxes.texts().join("|").toStdString();
    EXPECT_EQ(app().m_nUnitModel, 2);
    EXPECT_EQ(app().m_nBaudIndex, 3);
    EXPECT_EQ(profileValue("COM_SPEED/SPEED").toInt(), 3) << "written at once, not only at exit";
    EXPECT_EQ(messagePane(), "Main unit at 19,200 bit/s");
    EXPECT_TRUE(unitCommandsEnabled());

    // Setup's choice of a rate the unit does not take ends at its own rate.
    whenModal<app::CSetupDlg>([this](app::CSetupDlg *dlg) {
        dlg->findChild<QComboBox *>("IDC_BAUD")->setCurrentIndex(5);
        clickOk(*dlg);
    });
    frame().GetAction(res::ID_SETUP)->trigger();
    EXPECT_TRUE(boxes.shown().empty()) << boxes.texts().join("|").toStdString();
    EXPECT_EQ(app().m_nBaudIndex, 3);
    EXPECT_EQ(app().m_nUnitModel, 2);
}

TEST_F(SerialDevice, NothingAnsweringAtAnyRateGivesTheDesignedMessageWithinTheBound) {
    env.set("OVALINE_VIRTUAL_FAULTS", "silent");
    start();
    EXPECT_EQ(boxes.texts(), QStringList({kNoUnitAtStart}));
    EXPECT_EQ(app().m_nBaudIndex, 2);
    EXPECT_FALSE(unitCommandsEnabled());

    ASSERT_EQ(app().QueryUnitModel(), 0);
    QElapsedTimer search;
    search.start();
    EXPECT_EQ(app().FindUnitRate(), 0);
    // The bound is a promise to the user, not a speed goal: the last try
    // ends on its deadline, give or take the scheduler.
    EXPECT_LE(search.elapsed(), app::kRateSearchTime.count() + 400);
    EXPECT_EQ(app().m_nBaudIndex, 2);

    // A port that does not open is no question of rates: nothing is tried.
    app().SetPortDevice(1, (devices() / "ttyUSB7").c_str());
    ASSERT_EQ(app().QueryUnitModel(), 0);
    search.restart();
    EXPECT_EQ(app().FindUnitRate(), 0);
    EXPECT_LT(search.elapsed(), 1000);
}

TEST_F(SerialDevice, SetupOffersTheDevicesAndKeepsTheChosenOne) {
    for (const char *name : {"ttyS10", "ttyS2", "ttyACM0", "ttyUSB1", "ttyUSB0", "ttyS0", "null",
                             "serial/by-id/usb-Maker_Adapter_B-if00-port0",
                             "serial/by-id/usb-Maker_Adapter_A-if00-port0"})
        touch(devices() / name);
    app().m_strDeviceFolder = QString::fromStdString(devices().string());
    start();
    const QString dev = QString::fromStdString(devices().string());
    {
        app::CSetupDlg dlg(&frame());
        dlg.show();
        auto *list = dlg.findChild<QComboBox *>("IDC_DEVICE");
        ASSERT_NE(list, nullptr);
        QStringList offered;
        for (int i = 0; i < list->count(); ++i)
            offered << list->itemText(i);
        EXPECT_EQ(offered.join('\n').toStdString(),
                  QStringList({dev + "/serial/by-id/usb-Maker_Adapter_A-if00-port0",
                               dev + "/serial/by-id/usb-Maker_Adapter_B-if00-port0",
                               dev + "/ttyUSB0", dev + "/ttyUSB1", dev + "/ttyACM0", dev + "/ttyS0",
                               dev + "/ttyS2", dev + "/ttyS10", "virtual"})
                      .join('\n')
                      .toStdString());
        EXPECT_EQ(list->currentText(), "virtual") << "the device port 1 opens now";

        // The row lies below the designed controls.
        EXPECT_EQ(list->geometry(), QRect(88, dlg.height() - 27, 128, 18));
        EXPECT_GT(list->geometry().top(),
                  dlg.findChild<QPushButton *>("IDOK")->geometry().bottom());

        // Another port shows its own device; OK keeps the choice for it.
        OvalineSetPortName(2, "/dev/ttyS1");
        dlg.findChild<QComboBox *>("IDC_PORT")->setCurrentIndex(1);
        EXPECT_EQ(list->currentText(), "/dev/ttyS1");
        list->setCurrentIndex(2);
        clickOk(dlg);
    }
    EXPECT_EQ(app().m_nPort, 2);
    EXPECT_EQ(profileValue("PORTS/COM2").toString(), dev + "/ttyUSB0");
    EXPECT_EQ(app::portDeviceName(2), dev + "/ttyUSB0");
    // A regular file is no serial port: the check fails as designed.
    EXPECT_EQ(boxes.texts(),
              QStringList({"Failed to connect to the main unit. Please set up correctly."}));
    EXPECT_EQ(app().m_nUnitModel, 0);
}

TEST_F(SerialDevice, AnAdapterPluggedInIsAskedAndOnePulledOutDisablesTheCommandsInShortMessages) {
    ChildProcess unit;
    const std::string pty = startUnit(
        unit, OVALINE_UNIT_PATH, {"--speed", "1000", "--dir", (folder.path() / "unit").string()});
    ASSERT_FALSE(pty.empty()) << "ovaline-unit did not start";
    const fs::path adapter = devices() / "serial" / "by-id" / "usb-Maker_Adapter-if00-port0";
    fs::create_directories(devices());
    writeProfile(QStringLiteral("[PORTS]\nCOM1=%1\n").arg(adapter.c_str()));
    start({});
    ASSERT_EQ(boxes.texts(), QStringList({kNoUnitAtStart}));
    ASSERT_FALSE(unitCommandsEnabled());
    EXPECT_EQ(messagePane(), "COM1 does not open");
    expectWholeInTip(QStringLiteral("The device %1 does not exist.").arg(adapter.c_str()));

    // Plugged in: the folder of stable names appears with the link in it.
    fs::create_directories(adapter.parent_path());
    fs::create_symlink(pty, adapter);
    ASSERT_TRUE(waitUntil([this] { return unitCommandsEnabled(); }));
    EXPECT_EQ(app().m_nUnitModel, 2);
    EXPECT_EQ(messagePane(), "Main unit on COM1");
    expectWholeInTip(QStringLiteral("Main unit on COM1: %1").arg(adapter.c_str()));
    EXPECT_EQ(boxes.shown().size(), 1u);

    // Something else in the folder changes nothing.
    touch(devices() / "ttyS9");
    QCoreApplication::processEvents();
    EXPECT_TRUE(unitCommandsEnabled());

    // Pulled out: the link and its folder go.
    fs::remove_all(adapter.parent_path());
    ASSERT_TRUE(waitUntil([this] { return !unitCommandsEnabled(); }));
    EXPECT_EQ(app().m_nUnitModel, 0);
    EXPECT_EQ(messagePane(), "COM1 device removed");
    expectWholeInTip(QStringLiteral("The device %1 of COM1 was removed.").arg(adapter.c_str()));
    EXPECT_EQ(boxes.shown().size(), 1u);

    // And in again.
    fs::create_directories(adapter.parent_path());
    fs::create_symlink(pty, adapter);
    EXPECT_TRUE(waitUntil([this] { return unitCommandsEnabled(); }));
    unit.stop(SIGTERM);
}

TEST_F(SerialDevice, TheUnitIsAskedAgainEveryTimeItsDeviceComesBackEvenInAReceive) {
    const std::string unitFolder = (folder.path() / "unit").string();
    const auto startCamera = [&unitFolder](ChildProcess &unit, const char *model) {
        return startUnit(unit, OVALINE_UNIT_PATH,
                         {"--speed", "20", "--model", model, "--dir", unitFolder});
    };
    const fs::path adapter = devices() / "serial" / "by-id" / "usb-Maker_Adapter-if00-port0";
    const auto plugIn = [&adapter](const std::string &pty) {
        fs::create_directories(adapter.parent_path());
        fs::create_symlink(pty, adapter);
    };
    ChildProcess unit;
    plugIn(startCamera(unit, "VIHN"));
    writeProfile(QStringLiteral("[PORTS]\nCOM1=%1\n").arg(adapter.c_str()));
    start({});
    ASSERT_EQ(app().m_nUnitModel, 2);

    // Another camera on an adapter pulled out and plugged in again before the
    // program looked: its folder went and came back.
    ChildProcess other;
    const std::string otherPty = startCamera(other, "VIKN");
    fs::remove_all(adapter.parent_path());
    plugIn(otherPty);
    EXPECT_TRUE(waitUntil([this] { return app().m_nUnitModel == 1; })) << "not asked again";
    // The folder that came back is followed as the first one was.
    fs::remove_all(adapter.parent_path());
    EXPECT_TRUE(waitUntil([this] { return !unitCommandsEnabled(); }));
    other.stop(SIGTERM);

    // The camera killed in the middle of a Receive, and started again.
    plugIn(unit.firstLine().substr(5));
    ASSERT_TRUE(waitUntil([this] { return app().m_nUnitModel == 2; }));
    ChildProcess restarted;
    QTimer kill;
    QObject::connect(&kill, &QTimer::timeout, [&] {
        if (!app().m_bBusy)
            return;
        kill.stop();
        unit.stop(SIGKILL);
        fs::remove_all(adapter.parent_path());
        EXPECT_TRUE(waitUntil([this] { return !unitCommandsEnabled(); }));
        plugIn(startCamera(restarted, "VIHN"));
    });
    kill.start(10);
    doc().OnReceive();
    ASSERT_TRUE(waitUntil([this] { return !app().m_bReceivePending && !app().m_bBusy; }));
    EXPECT_TRUE(restarted.running());
    ASSERT_FALSE(boxes.texts().isEmpty());
    EXPECT_TRUE(boxes.texts().last().startsWith("DLL failed sending or receiving data [1]"))
        << boxes.texts().join('|').toStdString();
    EXPECT_TRUE(waitUntil([this] { return unitCommandsEnabled(); }));
    EXPECT_EQ(app().m_nUnitModel, 2);
    restarted.stop(SIGTERM);
}

// The cause as a user who is not root sees it: the check runs in a child
// that has given up root (or is not root to begin with).
QString causeAsUser(const std::string &device) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(1);
        const QByteArray cause = app::openFailureCause(QString::fromStdString(device)).toUtf8();
        if (::write(pipeFds[1], cause.constData(), static_cast<size_t>(cause.size())) < 0)
            ::_exit(1);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    QByteArray cause;
    char buffer[256];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        cause.append(buffer, got);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return QString::fromUtf8(cause);
}

TEST_F(SerialDevice, APortThatCannotBeOpenedSaysWhy) {
    const std::string missing = (devices() / "ttyUSB3").string();
    EXPECT_EQ(app::openFailureCause(QString::fromStdString(missing)),
              QStringLiteral("The device %1 does not exist.").arg(missing.c_str()));
    touch(devices() / "ttyS0");
    EXPECT_EQ(app::openFailureCause(QString::fromStdString((devices() / "ttyS0").string())),
              QStringLiteral("%1 is no serial device.").arg((devices() / "ttyS0").c_str()));
    EXPECT_EQ(app::openFailureCause("virtual"), "");

    // A real terminal device: readable by its group only, then held by
    // another program that asked for it alone.
    int master = -1, slave = -1;
    char name[64] = {};
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    const group *dialout = ::getgrnam("dialout");
    const gid_t gid = dialout ? dialout->gr_gid : ::getgid();
    const QString groupName =
        dialout ? "dialout" : QString::fromLocal8Bit(::getgrgid(gid)->gr_name);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(name, 0, gid), 0);
    }
    ASSERT_EQ(::chmod(name, ::geteuid() == 0 ? 0660 : 0000), 0);
    EXPECT_EQ(causeAsUser(name), QStringLiteral("Permission denied for %1: join the group "
                                                "\"%2\" and log in again.")
                                     .arg(name, groupName));
    ASSERT_EQ(::chmod(name, 0666), 0);
    ASSERT_EQ(::ioctl(slave, TIOCEXCL), 0);
    EXPECT_EQ(causeAsUser(name), QStringLiteral("%1 is busy with another program.").arg(name));
    ::close(slave);
    ::close(master);

    // The designed message keeps its three lines; the cause is the fourth.
    start({});
    boxes.clear();
    OvalineSetPortName(1, missing.c_str());
    EXPECT_EQ(app().SendCommand(app::kCmdLamp, '1', "  "), 0);
    EXPECT_EQ(boxes.texts(),
              QStringList({"DLL failed sending or receiving data\n  DLL ERROR CODE : 100\n  "
                           "(Failed to open COM)\n  The device " +
                           QString::fromStdString(missing) + " does not exist."}));
}

} // namespace
} // namespace ovaline::test
