#include "ovaline_app.h"

#include "about_dlg.h"
#include "fixed_font.h"
#include "main_frame.h"
#include "message_box.h"
#include "ovaline_doc.h"
#include "profile_file.h"
#include "termination_signals.h"

#include <QCommandLineParser>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include <cstdio>

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
    setApplicationName(QStringLiteral("Ovaline"));
    setApplicationVersion(QStringLiteral("2.0"));
    setWindowIcon(QIcon(QStringLiteral(":/icon/ovaline_48.png")));
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
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Receives, views and saves the pictures of the document camera."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption virtualOption(
        QStringLiteral("virtual"), QStringLiteral("Use the virtual camera on all four ports."));
    const QCommandLineOption profileOption(QStringLiteral("profile"),
                                           QStringLiteral("Keep the settings in FILE."),
                                           QStringLiteral("FILE"));
    const QCommandLineOption noSplashOption(QStringLiteral("nosplash"),
                                            QStringLiteral("Start without the splash screen."));
    parser.addOptions({virtualOption, profileOption, noSplashOption});
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        return false;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    m_bShowSplash = parser.isSet(noSplashOption) ? 0 : 1;
    profilePath =
        parser.isSet(profileOption) ? parser.value(profileOption) : ProfileFile::defaultPath();
    if (parser.isSet(virtualOption)) {
        for (int port = 1; port <= kPortCount; ++port)
            OvalineSetPortName(port, "virtual");
    }
    return true;
}

bool COvalineApp::InitInstance(const QStringList &arguments) {
    InitApplication();
    QString profilePath;
    if (!ParseCommandLine(arguments, profilePath))
        return false;
    m_profile = std::make_unique<ProfileFile>(profilePath);
    if (const QString problem = m_profile->healthMessage(); !problem.isEmpty())
        messageBox(problem, QMessageBox::Warning);
    LoadSettings();

    installEventFilter(this);
    m_termination = std::make_unique<TerminationSignals>();
    m_pDoc = std::make_unique<COvalineDoc>();
    m_pMainWnd = std::make_unique<CMainFrame>(m_pDoc.get());
    connect(m_termination.get(), &TerminationSignals::received, m_pMainWnd.get(), &QWidget::close);
    m_pMainWnd->show();
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

void COvalineApp::ExitInstance() {
    m_profile->writeInt(kPortSection, kPortKey, m_nPort);
    m_profile->writeInt(kSpeedSection, kSpeedKey, m_nBaudIndex);
    if (!m_profile->flush() && m_profile->health() != ProfileFile::Health::CorruptLeft)
        messageBox(m_profile->writeFailureMessage(), QMessageBox::Warning);
    removeEventFilter(this);
    m_termination.reset();
    m_pMainWnd.reset();
    m_pDoc.reset();
    m_bIdleScheduled = false;
}

bool COvalineApp::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyRelease:
        if (const auto *key = static_cast<QKeyEvent *>(event);
            key->key() == Qt::Key_Escape && !key->isAutoRepeat()) {
            // A release reaches its window first and then widget after
            // widget: count it once, at the window.
            if (watched->isWindowType() && m_bEscPressed && m_bBusy)
                emit EscapeAgain();
            m_bEscPressed = 1;
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
    if (QueryUnitModel() == 0)
        messageBox(QStringLiteral("Failed to connect to the main unit.\n Please set up correctly."),
                   QMessageBox::Information);
    m_bFirstIdle = 0;
    emit FirstIdleDone();
}

void COvalineApp::OnAppExit() {
    if (messageBox(QStringLiteral("Program Exit?"), QMessageBox::Question,
                   QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        m_pMainWnd->close();
}

void COvalineApp::OnAppAbout() {
    CAboutDlg dlg(m_pMainWnd.get());
    dlg.exec();
}

} // namespace ovaline::app
