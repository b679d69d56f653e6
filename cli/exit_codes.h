// SPDX-License-Identifier: MIT
// Exit status of ovaline-cli.
#pragma once

namespace ovaline::cli {

enum ExitCode { kDone = 0, kUnitFailed = 1, kWrongUsage = 2, kFileFailed = 3 };

} // namespace ovaline::cli
