// SPDX-License-Identifier: MIT
#include "ovaline_app.h"

#include "about_dlg.h"
#include "accessibility.h"
#include "device_watch.h"
#include "fixed_font.h"
#include "main_frame.h"
#include "message_box.h"
#include "ovaline_doc.h"
#include "port_devices.h"
#include "profile_file.h"
#include "splash_screen_wnd.h"
#include "startup_options.h"
#include "termination_signals.h"
#include "ui_translations.h"

#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <utility>

// Resources live in a static library; this pulls them in.
static void initResources() {
    Q_INIT_RESOURCE(ovaline);
}

namespace ovaline::app {
namespace {

const QString kPortSection = QStringLiteral("COM_PORT");
const QString kPortKey = QStringLiteral("COM");
const QString kSpeedSection = QStringLiteral("COM_SPEED");
const QString kSpeedKey = QStringLiteral("SPEED");
const QString kPortsSection = QStringLiteral("PORTS");
constexpr int kPortCount = 4;

} // namespace

COvalineApp *OvalineApp() {
    return static_cast<COvalineApp *>(QCoreApplication::instance());
}

COvalineApp::COvalineApp(int &argc, char **argv) : QApplication(argc, argv) {
    initResources();
    setApplicationName(QLatin1String(kProgramName));
    setApplicationVersion(QLatin1String(kProgramVersion));
    // The installed desktop entry, which names the icon of the running window.
    setDesktopFileName(QStringLiteral("org.ovaline.Ovaline"));
    setWindowIcon(QIcon(QStringLiteral(":/icon/ovaline_48.png")));
    installAccessibility();
}

COvalineApp::~COvalineApp() = default;

int COvalineApp::Run() {
    if (!InitInstance(arguments()))
        return 1;
    const int code = exec();
    ExitInstance();
    return code;
}

void COvalineApp::InitApplication() {
    m_hFixedFont = courierFont(14);
    m_cyUnit = 18;
    m_cxUnit = 8;
}

bool COvalineApp::ParseCommandLine(const QStringList &arguments, QString &profilePath) {
    StartupOptions options;
    if (readStartupOptions(arguments, options))
        return false;
    m_startFolder = options.folder;
    m_bShowSplash = options.showSplash ? 1 : 0;
    profilePath = options.profilePath.isEmpty() ? ProfileFile::defaultPath() : options.profilePath;
    if (options.virtualPorts) {
        for (int port = 1; port <= kPortCount; ++port)
            OvalineSetPortName(port, "virtual");
    }
    return true;
}

bool COvalineApp::InitInstance(const QStringList &arguments) {
    InitApplication();
    m_translations = std::make_unique<UiTranslations>();
    QString profilePath;
    if (!ParseCommandLine(arguments, profilePath))
        return false;
    m_profile = std::make_unique<ProfileFile>(profilePath);
    if (const QString problem = m_profile->healthMessage(); !problem.isEmpty())
        messageBox(problem, QMessageBox::Warning);
    LoadSettings();
    imageview::CSplashScreenWnd::EnableSplash(m_bShowSplash != 0);

    installEventFilter(this);
    m_termination = std::make_unique<TerminationSignals>();
    m_pDoc = std::make_unique<COvalineDoc>();
    m_pMainWnd = std::make_unique<CMainFrame>(m_pDoc.get());
    connect(m_termination.get(), &TerminationSignals::received, this,
            &COvalineApp::OnTerminationSignal);
    connect(this, &COvalineApp::UnitModelChanged, m_pDoc.get(), &COvalineDoc::OnUnitModelChanged);
    m_pDoc->OpenStartFolder(m_startFolder);
    m_pMainWnd->show();
    m_deviceWatch = std::make_unique<DeviceWatch>();
    connect(m_deviceWatch.get(), &DeviceWatch::arrived, this, &COvalineApp::OnDeviceArrived);
    connect(m_deviceWatch.get(), &DeviceWatch::departed, this, &COvalineApp::OnDeviceDeparted);
    FollowPortDevice();
    return true;
}

void COvalineApp::LoadSettings() {
    m_nPort = m_profile->readInt(kPortSection, kPortKey, 1, 1, kPortCount);
    m_nBaudIndex = m_profile->readInt(kSpeedSection, kSpeedKey, 2, 0, 6);
    for (int port = 1; port <= kPortCount; ++port) {
        const QString name =
            m_profile->readString(kPortsSection, QStringLiteral("COM%1").arg(port));
        if (!name.isEmpty())
            OvalineSetPortName(port, name.toLocal8Bit().constData());
    }
}

void COvalineApp::SaveBaudIndex() {
    m_profile->writeInt(kSpeedSection, kSpeedKey, m_nBaudIndex);
    m_profile->flush();
}

void COvalineApp::SetPortDevice(int port, const QString &device) {
    if (port < 1 || port > kPortCount)
        return;
    OvalineSetPortName(port, device.isEmpty() ? nullptr : device.toLocal8Bit().constData());
    m_profile->writeString(kPortsSection, QStringLiteral("COM%1").arg(port), device);
    m_profile->flush();
    FollowPortDevice();
}

void COvalineApp::FollowPortDevice() {
    if (m_deviceWatch)
        m_deviceWatch->follow(portDeviceName(m_nPort));
}

void COvalineApp::OnDeviceArrived(const QString &device) {
    // The first check is still to come.
    if (m_bFirstIdle)
        return;
    // The unit is not asked in the middle of a long operation, but once it
    // is over.
    if (m_bBusy) {
        m_bUnitCheckDeferred = true;
        return;
    }
    // Whatever unit was known: the device that came back may be another.
    if (CheckUnit())
        ShowMessage(tr("Main unit on %1").arg(PortText()),
                    tr("Main unit on %1: %2").arg(PortText(), device));
}

void COvalineApp::OnBusyEnded() {
    if (std::exchange(m_bUnitCheckDeferred, false) && m_deviceWatch && m_deviceWatch->present())
        OnDeviceArrived(m_deviceWatch->device());
}

void COvalineApp::OnDeviceDeparted(const QString &device) {
    m_bUnitCheckDeferred = false;
    m_nUnitModel = 0;
    emit UnitModelChanged();
    ShowMessage(tr("%1 device removed").arg(PortText()),
                tr("The device %1 of %2 was removed.").arg(device, PortText()));
}

QString COvalineApp::PortText() const {
    return QStringLiteral("COM%1").arg(m_nPort);
}

void COvalineApp::ShowMessage(const QString &text, const QString &whole) {
    if (m_pMainWnd)
        m_pMainWnd->ShowMessageText(text, whole);
}

void COvalineApp::ExitInstance() {
    m_profile->writeInt(kPortSection, kPortKey, m_nPort);
    m_profile->writeInt(kSpeedSection, kSpeedKey, m_nBaudIndex);
    if (!m_profile->flush() && !m_profile->leftAsItIs()) {
        if (m_bEndedBySignal)
            std::fprintf(stderr, "ovaline: %s\n", qPrintable(m_profile->writeFailureMessage()));
        else
            messageBox(m_profile->writeFailureMessage(), QMessageBox::Warning);
    }
    removeEventFilter(this);
    m_deviceWatch.reset();
    m_termination.reset();
    m_pMainWnd.reset();
    m_pDoc.reset();
    m_translations.reset();
    m_bIdleScheduled = false;
    m_bEndedBySignal = false;
}

bool COvalineApp::eventFilter(QObject *watched, QEvent *event) {
    if (imageview::CSplashScreenWnd::FilterAppMessage(event))
        return true;
    switch (event->type()) {
    case QEvent::KeyRelease:
        if (const auto *key = static_cast<QKeyEvent *>(event);
            key->key() == Qt::Key_Escape && !key->isAutoRepeat()) {
            // A release reaches its window first and then widget after
            // widget: count it once, at the window.
            if (watched->isWindowType() && m_bEscPressed && m_bBusy)
                emit EscapeAgain();
            m_bEscPressed = 1;
            if (watched->isWindowType())
                emit EscapeReleased();
        }
        break;
    case QEvent::Expose:
        // The first idle moment after the main window is on the screen.
        if (m_bFirstIdle && !m_bIdleScheduled && m_pMainWnd &&
            watched == m_pMainWnd->windowHandle() && m_pMainWnd->windowHandle()->isExposed()) {
            m_bIdleScheduled = true;
            QTimer::singleShot(0, this, &COvalineApp::OnIdle);
        }
        break;
    default:
        break;
    }
    return QApplication::eventFilter(watched, event);
}

void COvalineApp::OnIdle() {
    if (!m_bFirstIdle)
        return;
    if (CheckUnit() == 0)
        messageBox(tr("Failed to connect to the main unit.\n Please set up correctly."),
                   QMessageBox::Information);
    m_bFirstIdle = 0;
    emit FirstIdleDone();
}

void COvalineApp::OnTerminationSignal() {
    m_bEndedBySignal = true;
    // As the close box does: the window's size is written.
    m_pMainWnd->close();
    // A message box or a dialog need not belong to the main window: each is
    // closed as its own close box does (a question is answered as by Esc),
    // so that none keeps the program alive.
    closeAllWindows();
}

void COvalineApp::OnAppExit() {
    if (messageBox(tr("Program Exit?"), QMessageBox::Question,
                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        m_pMainWnd->close();
}

void COvalineApp::OnAppAbout() {
    CAboutDlg dlg(m_pMainWnd.get());
    dlg.exec();
}

} // namespace ovaline::app
