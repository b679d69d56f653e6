// SPDX-License-Identifier: MIT
// Runs a piece of a test as an ordinary user, for whom file permissions
// hold: in a child process that gives up root (to nobody, 65534) where the
// test runs as root, as it does in CI.
#pragma once

#include <functional>
#include <string>

namespace ovaline::test {

// What `work` returns, run in that child; "as-user failed: ..." when the
// child could not run it.
std::string asOrdinaryUser(const std::function<std::string()> &work);

} // namespace ovaline::test
