// SPDX-License-Identifier: MIT
// Ovaline: the companion program of the document camera.
#include "ovaline_app.h"
#include "startup_options.h"

int main(int argc, char **argv) {
    // Before the application object: it needs a display, --help does not.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    ovaline::app::StartupOptions options;
    if (const auto status = ovaline::app::readStartupOptions(arguments, options))
        return *status;
    ovaline::app::COvalineApp app(argc, argv);
    return app.Run();
}
