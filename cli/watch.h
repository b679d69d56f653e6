// SPDX-License-Identifier: MIT
// ovaline-cli watch: keeps a folder in step with the unit's slots, fetching
// each picture that appears or changes, until Ctrl-C or SIGTERM.
#pragma once

#include "cli_options.h"
#include "unit_client.h"

namespace ovaline::cli {

// The exit status: 130 or 143 after the stop signal, or a failure's.
int watch(const UnitClient &unit, const Options &options);

} // namespace ovaline::cli
