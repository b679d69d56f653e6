// SPDX-License-Identifier: MIT
// The Setup command's dialog: serial port and line rate. OK puts the choice
// into the application and checks the unit again.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace ovaline::app {

class CSetupDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSetupDlg(QWidget *parent);

    int m_nBaud = 0;          // index into the rate list, as into kBaudRates
    int m_nPortIndex = 0;     // 0..3 for COM1..COM4
    QString m_strDevice;      // what the chosen port opens
    QString m_strShownDevice; // the port's device as the row first showed it

public slots:
    void accept() override; // OK

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void OnInitDialog();
    bool UpdateData();
    void FillDeviceList();
    void OnPortChanged(int index);
    void ShowDevice(const QString &device);

    QPushButton *m_btnCancel;
    QPushButton *m_btnOk;
    QLabel *m_portLabel;
    QLabel *m_baudLabel;
    QComboBox *m_portList;
    QComboBox *m_baudList;
    QLabel *m_deviceLabel;
    QComboBox *m_deviceList;
};

} // namespace ovaline::app
