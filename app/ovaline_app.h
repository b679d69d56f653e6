// SPDX-License-Identifier: MIT
// The application object: start-up and exit, the state every window shares,
// and the device operations through which all short commands go.
#pragma once

#include "ovaline.h"
#include "port_devices.h"

#include <QApplication>
#include <QFont>
#include <QString>

#include <array>
#include <memory>
#include <optional>

namespace ovaline::app {

class CMainFrame;
class COvalineDoc;
class DeviceWatch;
class CPaneView;
class ProfileFile;
class TerminationSignals;
class UiTranslations;

// The shared fields, with the values the program starts with. Windows read
// and write them directly.
struct COvalineAppState {
    // The device link.
    int m_nPort = 1;      // 1..4
    int m_nBaudIndex = 2; // 0..6 into kBaudRates
    int m_nLinkOption = OVALINE_LINK_OPTION;
    int m_nUnitModel = 0; // 0 none identified, 1 or 2
    int m_bUnitN = 0;
    alignas(8) TrafficBlock m_block{};
    char m_reply[16] = {};
    char m_savedReply[16] = {};
    int m_bPOSuspended = 0;

    // Start-up and user-interface state.
    int m_bFirstIdle = 1;
    int m_bEscPressed = 0;
    int m_bBusy = 0;
    int m_bShowSplash = 1;
    QFont m_hFixedFont;
    int m_cxUnit = 8;
    int m_cyUnit = 18;
    int m_xMainWnd = 0;
    int m_yMainWnd = 0;
    CPaneView *m_pThumbView = nullptr;
    CPaneView *m_pMemoryView = nullptr;

    // View state shared between the panes.
    int m_bReceivePending = 0;
    int m_bRefreshThumbs = 0;
    int m_bFolderChanged = 0;
    QString m_strFolder;
    std::array<QString, 71> m_strFiles;
    int m_nFiles = 0;
    int m_bDragging = 0;
    int m_bDragCursor = 0;
    int m_nSelItem = 0;

    // Where the machine's serial devices are listed (tests use a folder of
    // their own).
    QString m_strDeviceFolder = QStringLiteral("/dev");
};

class COvalineApp : public QApplication, public COvalineAppState {
    Q_OBJECT
public:
    COvalineApp(int &argc, char **argv);
    ~COvalineApp() override;

    // The whole life of the program: start, event loop, exit.
    int Run();

    // Start-up from a command line (arguments()[0] is the program). Shows
    // the main window; false when the program should end at once.
    bool InitInstance(const QStringList &arguments);
    // Writes the settings back and takes the windows and the document down.
    void ExitInstance();

    // Device operations.
    int QueryUnitModel();
    int QueryStatus(int which);
    int SendCommand(int code, char arg, const char *param);
    void SuspendPO();
    void ResumePO();
    void SaveReply();
    void RestoreReply();

    // Asks for the model at the current rate and, when nothing answers,
    // looks for the rate the unit answers at (FindUnitRate). 1 when a known
    // unit answered.
    int CheckUnit();
    // Tries the other rates, fastest first, for kRateSearchTime in all; the
    // first at which a known unit answers becomes the rate, is written to the
    // profile and is named in the message pane. 1 when found.
    int FindUnitRate();
    // Why the last failure with `result` happened, when the port could not be
    // opened; empty otherwise.
    QString OpenFailureCause(int result) const;
    // Port 1..4 opens `device` from now on (empty: the default); kept in
    // the profile.
    void SetPortDevice(int port, const QString &device);
    // Watches the folder of the current port's device for it to come and go.
    void FollowPortDevice();
    // A long operation (a transfer, a wait) is over, and a failure of it has
    // been reported: a device that came back meanwhile is checked now.
    void OnBusyEnded();

    // Application commands.
    void OnAppAbout();
    void OnAppExit();

    COvalineDoc *GetDocument() const { return m_pDoc.get(); }
    CMainFrame *GetMainFrame() const { return m_pMainWnd.get(); }
    ProfileFile &GetProfile() const { return *m_profile; }

signals:
    // QueryUnitModel has run; m_nUnitModel may have changed.
    void UnitModelChanged();
    // The connection check of the first idle moment has run.
    void FirstIdleDone();
    // Esc released again while busy, after it had already asked to stop.
    void EscapeAgain();
    // Esc released at a window of the program.
    void EscapeReleased();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void InitApplication();
    bool ParseCommandLine(const QStringList &arguments, QString &profilePath);
    void LoadSettings();
    void OnIdle();
    int TakeModelReply(bool sent);
    int ProbeUnitModel(int baudIndex, int milliseconds);
    void SaveBaudIndex();
    void OnDeviceArrived(const QString &device);
    void OnDeviceDeparted(const QString &device);
    // SIGTERM or SIGINT: the program ends, whatever dialog is open.
    void OnTerminationSignal();
    // "COM1" for port 1.
    QString PortText() const;
    // Shows `text` in the message pane, with `whole` in its tip when given.
    void ShowMessage(const QString &text, const QString &whole = {});

    bool m_bIdleScheduled = false;
    QString m_startFolder; // named on the command line
    int m_nLastResult = 0; // the library's result of the last exchange
    std::unique_ptr<DeviceWatch> m_deviceWatch;
    bool m_bUnitCheckDeferred = false; // the device came back during a long operation
    bool m_bEndedBySignal = false;     // closing because of SIGTERM or SIGINT: no one answers a box
    std::unique_ptr<UiTranslations> m_translations;
    std::unique_ptr<ProfileFile> m_profile;
    std::unique_ptr<COvalineDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    std::unique_ptr<TerminationSignals> m_termination;
};

// The one application object.
COvalineApp *OvalineApp();

} // namespace ovaline::app
