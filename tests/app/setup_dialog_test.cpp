// SPDX-License-Identifier: MIT
// The setup dialog: its layout, the rates it offers, and OK's checks.
#include "app_fixture.h"
#include "resource_ids.h"
#include "setup_dlg.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace ovaline::test {
namespace {

const QString kWarning = " When you send the image data from PC to the main unit,\n"
                         "please lower the baud rate.";
const QString kNoUnit = "Failed to connect to the main unit. Please set up correctly.";

class SetupDialog : public AppTest {
protected:
    static QComboBox *baudList(app::CSetupDlg &dlg) {
        return dlg.findChild<QComboBox *>("IDC_BAUD");
    }
    static QComboBox *portList(app::CSetupDlg &dlg) {
        return dlg.findChild<QComboBox *>("IDC_PORT");
    }
    static void clickOk(app::CSetupDlg &dlg) {
        QTest::mouseClick(dlg.findChild<QPushButton *>("IDOK"), Qt::LeftButton);
    }
};

TEST_F(SetupDialog, ModelOneClampsAStoredFastRateEvenWhenCancelled) {
    useCamera("VIKN");
    writeProfile("[COM_SPEED]\nSPEED=6\n");
    start();
    ASSERT_EQ(app().m_nUnitModel, 1);
    {
        app::CSetupDlg dlg(&frame());
        EXPECT_EQ(baudList(dlg)->count(), 5);
        EXPECT_EQ(baudList(dlg)->currentText(), "38,400");
        EXPECT_EQ(app().m_nBaudIndex, 4);
        dlg.show();
        QTest::mouseClick(dlg.findChild<QPushButton *>("IDCANCEL"), Qt::LeftButton);
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
    EXPECT_EQ(app().m_nBaudIndex, 4);
    stop();
    EXPECT_EQ(profileValue("COM_SPEED/SPEED").toInt(), 4);
}

TEST_F(SetupDialog, ModelTwoIsWarnedOf115200BeforeTheConnectionCheck) {
    start();
    ASSERT_EQ(app().m_nUnitModel, 2);
    app::CSetupDlg dlg(&frame());
    dlg.show();
    baudList(dlg)->setCurrentIndex(6);
    unplug();
    clickOk(dlg);
    EXPECT_EQ(boxes.texts(), QStringList({kWarning, kNoUnit}));
    EXPECT_EQ(boxes.shown()[0].icon, QMessageBox::Information);
    EXPECT_EQ(app().m_nBaudIndex, 6);
    EXPECT_EQ(app().m_nUnitModel, 0);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST_F(SetupDialog, WithNoUnitKnownTheFastRateGivesNoWarning) {
    unplug();
    start({});
    boxes.clear();
    app::CSetupDlg dlg(&frame());
    EXPECT_EQ(baudList(dlg)->count(), 7);
    dlg.show();
    baudList(dlg)->setCurrentIndex(6);
    clickOk(dlg);
    EXPECT_EQ(boxes.texts(), QStringList({kNoUnit}));
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(SetupDialog, ChoosingThePortOfTheUnitEnablesItsCommands) {
    unplug();
    start({});
    boxes.clear();
    QAction *receive = frame().GetAction(res::ID_TRANSFER_RECEIVE);
    ASSERT_FALSE(receive->isEnabled());
    OvalineSetPortName(3, "virtual");
    whenModal<app::CSetupDlg>([](app::CSetupDlg *dlg) {
        portList(*dlg)->setCurrentIndex(2);
        clickOk(*dlg);
    });
    frame().GetAction(res::ID_SETUP)->trigger();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(app().m_nPort, 3);
    EXPECT_EQ(app().m_nUnitModel, 2);
    EXPECT_TRUE(waitUntil([receive] { return receive->isEnabled(); }));
    for (int id : {res::ID_FILE_SAVE_IMAGE, res::ID_REMOTE, res::ID_FILE_OPEN_FOLDER})
        EXPECT_TRUE(frame().GetAction(id)->isEnabled()) << id;
}

TEST_F(SetupDialog, ControlsKeepTheirGridPlacesWhateverTheFont) {
    start();
    app::CSetupDlg dlg(&frame());
    dlg.setFont(QFont("DejaVu Serif", 30));
    dlg.show();
    // The designed size, grown by the device row below the designed controls.
    EXPECT_EQ(dlg.frameGeometry().size(), QSize(260, 160 + 27));
    EXPECT_EQ(dlg.frameGeometry().topLeft(), frame().frameGeometry().topLeft() + QPoint(160, 160));
    const QPushButton *ok = dlg.findChild<QPushButton *>("IDOK");
    EXPECT_EQ(ok->geometry(), QRect(144, dlg.height() - 27 - 36, 72, 27));
    EXPECT_EQ(dlg.findChild<QPushButton *>("IDCANCEL")->geometry().left(), 32);
    EXPECT_EQ(portList(dlg)->geometry(), QRect(32, 36, 72, 18));
    EXPECT_EQ(portList(dlg)->maxVisibleItems(), 4);
    EXPECT_EQ(baudList(dlg)->maxVisibleItems(), 5);
}

} // namespace
} // namespace ovaline::test
