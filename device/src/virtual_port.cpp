// SPDX-License-Identifier: MIT
#include "virtual_port.h"

#include <atomic>

namespace ovaline {
namespace {

std::atomic<VirtualPortOpener> installed{nullptr};

} // namespace

void installVirtualPort(VirtualPortOpener opener) {
    installed = opener;
}

std::unique_ptr<OpenLine> openVirtualPort(std::uint32_t port, std::uint32_t baud) {
    const VirtualPortOpener opener = installed;
    return opener ? opener(port, baud) : nullptr;
}

} // namespace ovaline
