// SPDX-License-Identifier: MIT
// Starts the program for a benchmark: on the virtual camera kept in
// `folder`, sped up a thousandfold, with its profile there too, past the
// connection check of the first idle moment, with `options` added to its
// command line. A message the program shows is printed, named `bench`, and
// counted in `messages` instead of waiting for a user.
#pragma once

#include "ovaline_app.h"
#include "scoped_env.h"

#include <filesystem>

namespace ovaline::bench {

bool startOnVirtualCamera(app::COvalineApp &application, const std::filesystem::path &folder,
                          const char *bench, int &messages, const QStringList &options = {});

// The environment the program must see before its application object is
// made: the camera's folder and speed, no faults, the default model.
void setVirtualCameraEnvironment(test::ScopedEnv &env, const std::filesystem::path &folder);

} // namespace ovaline::bench
