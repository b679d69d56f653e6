// SPDX-License-Identifier: MIT
#include "setup_dlg.h"

#include "message_box.h"
#include "ovaline_app.h"
#include "port_devices.h"
#include "setup_layout.h"
#include "window_geometry.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ovaline::app {
namespace {

constexpr int kFastestIndex = 6; // 115,200 bit/s

} // namespace

CSetupDlg::CSetupDlg(QWidget *parent)
    : QDialog(parent), m_btnCancel(new QPushButton(tr("CANCEL"), this)),
      m_btnOk(new QPushButton(tr("OK"), this)), m_portLabel(new QLabel(tr("PORT:"), this)),
      m_baudLabel(new QLabel(tr("BAUD RATE:"), this)), m_portList(new QComboBox(this)),
      m_baudList(new QComboBox(this)), m_deviceLabel(new QLabel(tr("Device"), this)),
      m_deviceList(new QComboBox(this)) {
    setWindowTitle(tr("SET UP"));
    m_btnOk->setObjectName(QStringLiteral("IDOK"));
    m_btnCancel->setObjectName(QStringLiteral("IDCANCEL"));
    m_portList->setObjectName(QStringLiteral("IDC_PORT"));
    m_baudList->setObjectName(QStringLiteral("IDC_BAUD"));
    m_deviceList->setObjectName(QStringLiteral("IDC_DEVICE"));
    // Any path may be typed; the list offers the devices the machine has.
    m_deviceList->setEditable(true);
    m_deviceList->setInsertPolicy(QComboBox::NoInsert);
    m_btnOk->setDefault(true);
    // The labels name their lists for screen readers.
    m_portLabel->setBuddy(m_portList);
    m_baudLabel->setBuddy(m_baudList);
    m_deviceLabel->setBuddy(m_deviceList);
    m_deviceList->lineEdit()->setAccessibleName(m_deviceLabel->text());
    connect(m_btnOk, &QPushButton::clicked, this, &CSetupDlg::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &CSetupDlg::reject);
    m_portList->addItems({QStringLiteral("COM1:"), QStringLiteral("COM2:"), QStringLiteral("COM3:"),
                          QStringLiteral("COM4:")});
    FillDeviceList();
    OnInitDialog();
    connect(m_portList, &QComboBox::currentIndexChanged, this, &CSetupDlg::OnPortChanged);
}

void CSetupDlg::FillDeviceList() {
    const QStringList devices = serialDevices(OvalineApp()->m_strDeviceFolder);
    m_deviceList->addItems(devices);
    m_deviceList->addItem(QStringLiteral("virtual"));
    // Long by-id names show whole in the dropped list.
    m_deviceList->view()->setMinimumWidth(m_deviceList->view()->sizeHintForColumn(0));
}

void CSetupDlg::OnPortChanged(int index) {
    m_strShownDevice = portDeviceName(index + 1);
    ShowDevice(m_strShownDevice);
}

void CSetupDlg::ShowDevice(const QString &device) {
    // A device of the list is picked there; any other is shown as typed.
    const int index = m_deviceList->findText(device);
    if (index >= 0)
        m_deviceList->setCurrentIndex(index);
    else
        m_deviceList->setEditText(device);
}

void CSetupDlg::OnInitDialog() {
    COvalineApp *app = OvalineApp();
    const QRect frame = setupDialogFrame(
        parentWidget() ? parentWidget()->frameGeometry().topLeft() : QPoint(), app->m_cyUnit);
    move(frame.topLeft());
    resize(frame.size());
    setFont(app->m_hFixedFont);
    m_baudList->clear();
    m_baudList->addItems(baudRateEntries(app->m_nUnitModel));
    app->m_nBaudIndex = clampBaudIndex(app->m_nUnitModel, app->m_nBaudIndex);
    m_nBaud = app->m_nBaudIndex;
    m_nPortIndex = app->m_nPort - 1;
    m_baudList->setCurrentIndex(m_nBaud);
    m_portList->setCurrentIndex(m_nPortIndex);
    m_strDevice = m_strShownDevice = portDeviceName(app->m_nPort);
    ShowDevice(m_strDevice);
}

void CSetupDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    resizeOuter(this, setupDialogFrame(QPoint(), OvalineApp()->m_cyUnit).size());
}

void CSetupDlg::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    const COvalineApp *app = OvalineApp();
    const int v = app->m_cyUnit;
    const SetupLayout layout =
        setupLayout(rect().adjusted(0, 0, 0, -deviceRowHeight(v)), app->m_cxUnit, v);
    m_btnCancel->setGeometry(layout.cancelButton);
    m_btnOk->setGeometry(layout.okButton);
    m_portLabel->setGeometry(layout.portLabel);
    m_baudLabel->setGeometry(layout.baudLabel);
    // A drop-down list's rectangle includes its dropped part: the closed box
    // is one row high.
    m_portList->setGeometry(layout.portList.adjusted(0, 0, 0, v - layout.portList.height()));
    m_portList->setMaxVisibleItems(droppedRows(layout.portList, v));
    m_baudList->setGeometry(layout.baudList.adjusted(0, 0, 0, v - layout.baudList.height()));
    m_baudList->setMaxVisibleItems(droppedRows(layout.baudList, v));
    const DeviceRowLayout row = deviceRowLayout(rect(), app->m_cxUnit, v);
    m_deviceLabel->setGeometry(row.label);
    m_deviceList->setGeometry(row.list);
}

bool CSetupDlg::UpdateData() {
    if (m_portList->currentIndex() < 0 || m_baudList->currentIndex() < 0)
        return false;
    m_nPortIndex = m_portList->currentIndex();
    m_nBaud = m_baudList->currentIndex();
    m_strDevice = m_deviceList->currentText().trimmed();
    return true;
}

void CSetupDlg::accept() {
    if (!UpdateData())
        return;
    COvalineApp *app = OvalineApp();
    app->m_nPort = m_nPortIndex + 1;
    app->m_nBaudIndex = m_nBaud;
    // A device left as shown stays where it came from (profile, environment
    // or default); a changed one is kept in the profile.
    if (m_strDevice != m_strShownDevice)
        app->SetPortDevice(app->m_nPort, m_strDevice);
    else
        app->FollowPortDevice();
    if (app->m_nUnitModel == 2 && m_nBaud == kFastestIndex)
        messageBox(tr(" When you send the image data from PC to the main unit,\n"
                      "please lower the baud rate."),
                   QMessageBox::Information);
    if (app->CheckUnit() == 0) {
        messageBox(tr("Failed to connect to the main unit. Please set up correctly."),
                   QMessageBox::Information);
        app->m_nUnitModel = 0;
    }
    QDialog::accept();
}

} // namespace ovaline::app
