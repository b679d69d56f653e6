// SPDX-License-Identifier: MIT
// What sweepStaleTemporaries looks at, on every system: the names our
// temporary files take, and the age under which one is left to its writer.
#pragma once

#include <chrono>
#include <filesystem>
#include <vector>

namespace ovaline::cli {

// A writer takes its lock just after making the file: one younger than this
// is left alone.
inline constexpr std::chrono::seconds kFreshTemporary{10};

// The files in `folder` named as ours: slotN.jpg.XXXXXX and the folder
// probes .ovaline-cli.XXXXXX.
std::vector<std::filesystem::path> ourTemporaries(const std::filesystem::path &folder);

} // namespace ovaline::cli
