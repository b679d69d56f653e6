// SPDX-License-Identifier: MIT
#include "open_line.h"

#include "ovaline.h"
#include "port_names.h"
#include "virtual_port.h"

namespace ovaline {

std::unique_ptr<OpenLine> openPort(std::uint32_t port, std::uint32_t baud, std::int32_t &code) {
    code = OVALINE_E_OPEN;
    const std::string name = portName(port);
    if (name == kVirtualPortName)
        return openVirtualPort(port, baud);
    return openSerialPort(name, baud, code);
}

} // namespace ovaline
