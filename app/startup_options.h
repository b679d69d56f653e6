// SPDX-License-Identifier: MIT
// The program's command line, read before anything of the user interface
// exists: --help, --version and a mistake must not need a display.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace ovaline::app {

inline constexpr char kProgramName[] = "Ovaline";
inline constexpr char kProgramVersion[] = "2.0";

struct StartupOptions {
    bool virtualPorts = false; // --virtual: all four ports lead to the virtual camera
    QString profilePath;       // --profile FILE, or empty for the usual place
    bool showSplash = true;    // --nosplash turns it off
    QString folder;            // FOLDER: shown in the lower pane at start
};

// Reads the arguments (the first one names the program). Qt's own options
// (-platform NAME and the like) are passed over: the application object
// takes them. Returns the status to end with at once, after printing what
// was asked for (--help, --version: 0) or what is wrong (2); nullopt when
// the program should start with `options`.
std::optional<int> readStartupOptions(const QStringList &arguments, StartupOptions &options);

} // namespace ovaline::app
