// SPDX-License-Identifier: MIT
// Start-up of the program against a plain Qt window with the same chrome,
// both offscreen:
//   startup_vs_same_chrome_qt  median time from process start until the main
//                              window is shown and the unit has answered "QR"
//                              on the virtual camera, over the median time
//                              until a QMainWindow with the same menu bar,
//                              toolbar and status-bar panes (texts included)
//                              is shown and idle
//   startup_program_ms         the program's median, in milliseconds
//   startup_same_chrome_qt_ms  the plain window's median, in milliseconds
// Each start is a fresh process: this program runs itself with --child. The
// virtual line runs 1000 times faster than real time, so that the figure
// measures the program rather than the serial line.
#include "median.h"
#include "ovaline_app.h"
#include "temp_dir.h"

#include <QApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

// The program's images live in a static library; this pulls them in.
static void initResources() {
    Q_INIT_RESOURCE(ovaline);
}

using ovaline::test::median;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 15;

void sayReady() {
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
}

int runProgram(int argc, char **argv, const char *profile) {
    ovaline::app::COvalineApp app(argc, argv);
    QObject::connect(&app, &ovaline::app::COvalineApp::FirstIdleDone, [&app] {
        sayReady();
        app.quit();
    });
    if (!app.InitInstance({QStringLiteral("ovaline"), QStringLiteral("--virtual"),
                           QStringLiteral("--nosplash"), QStringLiteral("--profile"),
                           QString::fromLocal8Bit(profile)}))
        return 1;
    const int code = app.exec();
    app.ExitInstance();
    return code;
}

// A plain window, ready at its first idle moment after it is on the screen.
class BareReady : public QObject {
public:
    explicit BareReady(QWindow *window) : window_(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (!scheduled_ && event->type() == QEvent::Expose && watched == window_ &&
            window_->isExposed()) {
            scheduled_ = true;
            QTimer::singleShot(0, [] {
                sayReady();
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    QWindow *window_;
    bool scheduled_ = false;
};

// The program's chrome built with plain Qt: the same menus and items, the
// same seven toolbar buttons with their 16 x 15 images, and the four status
// panes with their texts, over two empty panes.
void addChrome(QMainWindow &window) {
    const struct {
        const char *menu;
        std::vector<const char *> items;
    } menus[] = {{"File(&F)", {"Open Folder(&O).", "Save(&A)...", nullptr, "Exit(&X)"}},
                 {"Transfer(&T)", {"Receive(&R)"}},
                 {"Remote(&R)", {"Remote(&M)"}},
                 {"Setup(&S)", {}},
                 {"Help(&H)", {"Version(Ovaline) (&V)..."}}};
    for (const auto &menu : menus) {
        if (menu.items.empty()) {
            window.menuBar()->addAction(QString::fromUtf8(menu.menu));
            continue;
        }
        QMenu *items = window.menuBar()->addMenu(QString::fromUtf8(menu.menu));
        for (const char *item : menu.items) {
            if (item)
                items->addAction(QString::fromUtf8(item));
            else
                items->addSeparator();
        }
    }
    QToolBar *toolBar = window.addToolBar(QStringLiteral("Standard"));
    toolBar->setMovable(false);
    toolBar->setIconSize(QSize(16, 15));
    const char *const buttons[] = {"open_folder", "save",  nullptr, "receive", "remote",
                                   nullptr,       "setup", nullptr, "about",   "exit"};
    for (const char *button : buttons) {
        if (button)
            toolBar->addAction(QIcon(QStringLiteral(":/toolbar/%1.png").arg(button)),
                               QString::fromUtf8(button));
        else
            toolBar->addSeparator();
    }
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 0, 0, 0);
    const QDateTime now = QDateTime::currentDateTime();
    for (const QString &text :
         {QStringLiteral("READY"), QString(), now.toString(QStringLiteral("MMM.dd.yyyy")),
          now.toString(QStringLiteral("h:mm:ss AP"))}) {
        if (text.isEmpty()) {
            layout->addWidget(new QProgressBar, 1);
            continue;
        }
        auto *pane = new QLabel(text);
        pane->setMinimumWidth(layout->count() == 0 ? 240 : 80);
        layout->addWidget(pane);
    }
    window.statusBar()->addWidget(row, 1);
    auto *panes = new QSplitter(Qt::Vertical);
    panes->addWidget(new QWidget);
    panes->addWidget(new QWidget);
    window.setCentralWidget(panes);
}

int runSameChrome(int argc, char **argv) {
    QApplication app(argc, argv);
    initResources();
    QMainWindow window;
    addChrome(window);
    window.resize(640, 480);
    window.winId();
    BareReady ready(window.windowHandle());
    app.installEventFilter(&ready);
    window.show();
    return app.exec();
}

// Seconds from spawning `mode` until it says it is ready; negative on failure.
double timeStart(const char *self, const char *mode, const char *profile) {
    int fds[2];
    if (::pipe(fds) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char *> argv{const_cast<char *>(self), const_cast<char *>("--child"),
                             const_cast<char *>(mode), const_cast<char *>(profile), nullptr};
    const auto begin = Clock::now();
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, self, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    double seconds = -1;
    if (spawned == 0) {
        pollfd wait{fds[0], POLLIN, 0};
        char line[16] = {};
        if (::poll(&wait, 1, 60000) == 1 && ::read(fds[0], line, sizeof line - 1) > 0 &&
            std::strncmp(line, "ready", 5) == 0)
            seconds = std::chrono::duration<double>(Clock::now() - begin).count();
        else
            ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
    ::close(fds[0]);
    return seconds;
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        int childArgc = 1;
        return std::strcmp(argv[2], "program") == 0 ? runProgram(childArgc, argv, argv[3])
                                                    : runSameChrome(childArgc, argv);
    }
    ovaline::test::TempDir folder;
    const std::string profile = (folder.path() / "Ovaline.ini").string();
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("OVALINE_VIRTUAL_DIR", (folder.path() / "camera").c_str(), 1);
    ::setenv("OVALINE_VIRTUAL_SPEED", "1000", 1);
    ::unsetenv("OVALINE_VIRTUAL_FAULTS");

    // The first start of each makes the camera and warms the file caches.
    std::vector<double> program, bare;
    for (int round = -1; round < kRounds; ++round) {
        const double b = timeStart(argv[0], "chrome", profile.c_str());
        const double p = timeStart(argv[0], "program", profile.c_str());
        if (b < 0 || p < 0) {
            std::fprintf(stderr, "startup_bench: a start did not get ready\n");
            return 1;
        }
        if (round >= 0) {
            bare.push_back(b);
            program.push_back(p);
        }
    }
    std::printf("startup_vs_same_chrome_qt: %.2f\n", median(program) / median(bare));
    std::printf("startup_program_ms: %.1f\n", median(program) * 1000);
    std::printf("startup_same_chrome_qt_ms: %.1f\n", median(bare) * 1000);
    return 0;
}
