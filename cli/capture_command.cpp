// SPDX-License-Identifier: MIT
#include "capture_command.h"

#include "cli_text.h"
#include "describe.h"
#include "exit_codes.h"
#include "file_io.h"
#include "interruption.h"
#include "preflight.h"
#include "slot_receive.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace ovaline::cli {
namespace {

constexpr char kNoParameter[] = "  ";

// The map's first empty slot, or 0.
int firstEmptySlot(const std::string &map) {
    for (int slot = 1; slot <= 7; ++slot) {
        if (map[static_cast<std::size_t>(slot)] == '0')
            return slot;
    }
    return 0;
}

// The slot to store into, or a refusal.
Check chooseSlot(const std::string &map, int asked, int &slot) {
    const bool readable = map.size() >= 8;
    slot = asked != 0 ? asked : readable ? firstEmptySlot(map) : 0;
    if (asked == 0 && slot == 0 && readable)
        return Refusal{kUnitFailed,
                       translate("Cli", "every slot holds a picture; --slot N overwrites slot N")};
    return checkSlotInMap(map, SlotUse::Store, slot);
}

// A name in `folder` that no file or link has yet.
std::filesystem::path freeName(const std::filesystem::path &folder, const std::tm &when) {
    for (int n = 1;; ++n) {
        const std::filesystem::path path = folder / captureFileName(when, n);
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(path, error)))
            return path;
    }
}

// Stores the live picture into `slot`: the pointer is switched off while
// the unit stores and on again after the store wait. 0, or the result code.
std::int32_t storeLivePicture(const UnitClient &unit, int slot) {
    std::int32_t code = 0;
    const std::string state = unit.command("QS", '0', kNoParameter, code);
    const bool pointer = code == 0 && state.size() > 4 && state[4] == '1';
    if (pointer)
        unit.command("PO", '0', kNoParameter, code);
    if (code != 0)
        return code;
    unit.command("CE", '0', std::string("0") + static_cast<char>('0' + slot), code);
    if (code != 0)
        return code;
    if (waitForInterruption(std::chrono::milliseconds(kStoreWaitMs)))
        return OVALINE_CANCELLED;
    if (pointer)
        unit.command("PO", '1', kNoParameter, code);
    return code;
}

} // namespace

std::string captureFileName(const std::tm &when, int n) {
    char stem[32];
    std::strftime(stem, sizeof stem, "%Y-%m-%d %H-%M-%S", &when);
    return std::string(stem) + (n < 2 ? "" : " (" + std::to_string(n) + ")") + ".JPG";
}

int capture(const UnitClient &unit, const Options &options) {
    if (const Check refusal = prepareOutputFolder(options.outputFolder))
        return refuse(*refusal);
    std::int32_t code = 0;
    const std::string map = unit.command("QS", '1', kNoParameter, code);
    if (code != 0)
        return reportFailure(unit, translate("Cli", "reading the slot map"), code);
    int slot = 0;
    if (const Check refusal = chooseSlot(map, options.slot, slot))
        return refuse(*refusal);
    // The file is named after the moment the picture was taken.
    const std::time_t taken = std::time(nullptr);
    if ((code = storeLivePicture(unit, slot)) != 0)
        return reportFailure(
            unit, fill(translate("Cli", "storing into slot %1"), {std::to_string(slot)}), code);
    int status = kDone;
    const auto picture = receiveSlotPicture(unit, slot, status);
    if (!picture)
        return status;
    const std::filesystem::path path = freeName(options.outputFolder, *std::localtime(&taken));
    // A signal meanwhile ends the program after both: a picture is never
    // saved unsaid.
    const DeferredInterruptions deferred;
    std::string error;
    if (!writeWhole(path, *picture, error)) {
        complain(error);
        return kFileFailed;
    }
    std::printf("%s\n", path.string().c_str());
    std::fflush(stdout);
    return kDone;
}

} // namespace ovaline::cli
