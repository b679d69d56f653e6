// SPDX-License-Identifier: MIT
#include "watch.h"

#include "cli_text.h"
#include "exit_codes.h"
#include "file_io.h"
#include "interruption.h"
#include "line_claim.h"
#include "preflight.h"
#include "slot_prints.h"

#include <array>
#include <cstdio>
#include <optional>

namespace ovaline::cli {
namespace {

class Watcher {
public:
    Watcher(const UnitClient &unit, std::filesystem::path folder)
        : unit_(unit), folder_(std::move(folder)) {
        // What the folder holds already counts as received.
        for (int i = 0; i < OVALINE_SLOT_COUNT; ++i)
            held_[i] = filePrint(slotFile(folder_, i + 1));
    }

    // One poll: the short stamp, and the whole table and the changed
    // pictures only when it moved. kDone, or a failure that ends the watch.
    int poll() {
        std::int32_t code = 0;
        const std::uint32_t stamp = queryStamp(unit_, code);
        if (!answered(code))
            return kDone;
        if (seen_ && *seen_ == stamp)
            return kDone;
        std::uint32_t tableStamp = 0;
        const auto prints = queryPrints(unit_, code, tableStamp);
        if (!answered(code))
            return kDone;
        seen_ = tableStamp;
        for (int i = 0; i < OVALINE_SLOT_COUNT && !interruption(); ++i) {
            if (!OvalineSamePrint((*prints)[i], held_[i]))
                if (const int result = fetch(i + 1, (*prints)[i]); result != kDone)
                    return result;
        }
        return kDone;
    }

private:
    // False for a failed exchange (silence, a refusal, a busy line), said
    // once until the unit answers again; the next poll asks again.
    bool answered(std::int32_t code) {
        if (code == 0) {
            if (lineDown_)
                complain(translate("Cli", "the unit answers again"));
            lineDown_ = false;
            return true;
        }
        if (!lineDown_)
            complain(fill(
                translate("Cli", "%1; asking again at every poll"),
                {unitFailure(unit_, translate("Cli", "asking the unit what its slots hold"), code)
                     .message}));
        lineDown_ = true;
        return false;
    }

    // A slot that could not be saved is said once, and tried again at the
    // next poll.
    void failed(int slot, const std::string &message) {
        if (!failureSaid_[slot - 1])
            complain(fill(translate("Cli", "%1; trying again at every poll"), {message}));
        failureSaid_[slot - 1] = true;
        seen_.reset();
    }

    int fetch(int slot, const OvalineFingerprint &print) {
        const std::filesystem::path path = slotFile(folder_, slot);
        if (print.size == 0) {
            std::puts(fill(translate("Cli", "slot %1: empty on the unit (%2 kept)"),
                           {std::to_string(slot), path.string()})
                          .c_str());
            held_[slot - 1] = print;
            failureSaid_[slot - 1] = false;
            return kDone;
        }
        if (const Check refusal = checkTarget(path)) {
            failed(slot, refusal->message);
            return kDone;
        }
        std::int32_t code = 0;
        const std::vector<std::uint8_t> picture = unit_.receive(slot, {}, code);
        if (code != 0) {
            failed(slot,
                   unitFailure(unit_,
                               fill(translate("Cli", "receiving slot %1"), {std::to_string(slot)}),
                               code)
                       .message);
            return kDone;
        }
        std::string error;
        if (!savePicture(slot, path, picture, error)) {
            complain(error);
            return kFileFailed;
        }
        held_[slot - 1] = OvalineFingerprintOf(picture.data(), picture.size());
        failureSaid_[slot - 1] = false;
        return kDone;
    }

    const UnitClient &unit_;
    std::filesystem::path folder_;
    SlotPrints held_{};
    std::array<bool, OVALINE_SLOT_COUNT> failureSaid_{};
    std::optional<std::uint32_t> seen_; // stamp of the last table read
    bool lineDown_ = false;
};

} // namespace

int watch(const UnitClient &unit, const Options &options) {
    Check refusal = prepareOutputFolder(options.outputFolder);
    if (!refusal)
        refusal = checkSlotTargets(options.outputFolder);
    if (refusal) {
        complain(refusal->message);
        return refusal->status;
    }
    const LineClaim claim(unit.deviceName());
    if (!claim.refusal().empty()) {
        complain(claim.refusal());
        return kUnitFailed;
    }
    Watcher watcher(unit, options.outputFolder);
    const auto period = std::chrono::milliseconds(static_cast<long long>(options.every * 1000));
    char periodText[32];
    std::snprintf(periodText, sizeof periodText, "%g", options.every);
    complain(fill(translate("Cli", "watching the unit's slots every %1 s into %2; Ctrl-C ends"),
                  {periodText, options.outputFolder}));
    do {
        if (const int result = watcher.poll(); result != kDone)
            return result;
    } while (!waitForInterruption(period));
    endInterrupted();
}

} // namespace ovaline::cli
