// SPDX-License-Identifier: MIT
#include "slot_prints.h"

#include "file_io.h"

#include <string>
#include <vector>

namespace ovaline::cli {

std::optional<SlotPrints> queryPrints(const UnitClient &unit, std::int32_t &code,
                                      std::uint32_t &stamp) {
    const std::string reply = unit.command("QF", '0', "  ", code);
    if (code != 0)
        return std::nullopt;
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(reply.data());
    SlotPrints prints{};
    for (int i = 0; i < OVALINE_SLOT_COUNT; ++i)
        prints[i] = OvalineReadFingerprint(bytes, i);
    stamp = OvalineStampOf(bytes);
    return prints;
}

std::uint32_t queryStamp(const UnitClient &unit, std::int32_t &code) {
    const std::string reply = unit.command("QC", '0', "  ", code);
    return code == 0 ? OvalineReadBe32(reinterpret_cast<const std::uint8_t *>(reply.data())) : 0;
}

std::filesystem::path slotFile(const std::filesystem::path &folder, int slot) {
    return folder / ("slot" + std::to_string(slot) + ".jpg");
}

OvalineFingerprint filePrint(const std::filesystem::path &path) {
    std::vector<std::uint8_t> bytes;
    std::string ignored;
    if (!readPicture(path, bytes, ignored))
        return {0, 0};
    return OvalineFingerprintOf(bytes.data(), bytes.size());
}

} // namespace ovaline::cli
