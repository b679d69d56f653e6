// SPDX-License-Identifier: MIT
#include "slot_receive.h"

#include "cli_text.h"
#include "preflight.h"
#include "progress_line.h"

namespace ovaline::cli {

std::optional<std::vector<std::uint8_t>> receiveSlotPicture(const UnitClient &unit, int slot,
                                                            int &status) {
    std::int32_t code = 0;
    std::vector<std::uint8_t> picture;
    {
        ProgressLine line(fill(translate("Cli", "Receiving slot %1"), {std::to_string(slot)}), 0);
        picture = unit.receive(slot, std::ref(line), code);
    }
    if (code != 0) {
        status = reportFailure(
            unit, fill(translate("Cli", "receiving slot %1"), {std::to_string(slot)}), code);
        return std::nullopt;
    }
    return picture;
}

} // namespace ovaline::cli
