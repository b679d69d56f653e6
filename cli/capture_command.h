// SPDX-License-Identifier: MIT
// ovaline-cli capture: the unit's live picture into a file in one step. The
// picture is stored into a slot as the program stores it (the pointer off
// while the unit stores, the store wait, the pointer back on), received,
// and written into the output folder under the date and time it was taken.
#pragma once

#include "cli_options.h"
#include "unit_client.h"

#include <ctime>
#include <string>

namespace ovaline::cli {

// How long the unit is given to store its picture.
inline constexpr int kStoreWaitMs = 6000;

// "2026-12-08 14-03-22.JPG"; the n-th name of the same second (n >= 2) is
// "2026-12-08 14-03-22 (n).JPG".
std::string captureFileName(const std::tm &when, int n);

// Without --slot the first empty slot is used; with it, that slot is
// overwritten. Prints the file's path.
int capture(const UnitClient &unit, const Options &options);

} // namespace ovaline::cli
