// SPDX-License-Identifier: MIT
// Ovaline: the companion program of the document camera.
#include "detached_work.h"
#include "ovaline_app.h"
#include "startup_options.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv) {
    // Before the application object: it needs a display, --help does not.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    ovaline::app::StartupOptions options;
    if (const auto status = ovaline::app::readStartupOptions(arguments, options))
        return *status;
    int code = 0;
    {
        ovaline::app::COvalineApp app(argc, argv);
        code = app.Run();
    }
    // A file reader still stuck in a file system that does not answer is
    // left behind: the program ends without the static objects' destructors,
    // which the reader could still meet.
    if (ovaline::folder::detachedThreadsRunning() > 0) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
