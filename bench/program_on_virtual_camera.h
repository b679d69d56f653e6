// SPDX-License-Identifier: MIT
// The program for a benchmark, off screen, on the virtual camera kept in a
// folder of its own and sped up a thousandfold, with its profile there too.
// A message the program shows is printed, named after the benchmark, and
// counted in `messages` instead of waiting for a user.
#pragma once

#include "ovaline_app.h"
#include "scoped_env.h"
#include "temp_dir.h"

namespace ovaline::bench {

// What the program must find before its application object is made.
struct VirtualCameraFolder {
    VirtualCameraFolder();

    test::TempDir folder;
    test::ScopedEnv env;
};

class ProgramOnVirtualCamera : public VirtualCameraFolder {
public:
    ProgramOnVirtualCamera(int &argc, char **argv, const char *bench);

    // Starts the program past the connection check of its first idle
    // moment, with `options` added to its command line.
    bool Start(const QStringList &options = {});

    app::COvalineApp application;
    int messages = 0;

private:
    const char *m_bench;
};

} // namespace ovaline::bench
