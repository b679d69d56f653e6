// SPDX-License-Identifier: MIT
#include "watch.h"

#include "describe.h"
#include "exit_codes.h"
#include "file_io.h"
#include "interruption.h"
#include "preflight.h"
#include "slot_prints.h"

#include <cstdio>
#include <optional>

namespace ovaline::cli {
namespace {

void reportCode(const std::string &what, std::int32_t code) {
    if (code == OVALINE_CANCELLED)
        endInterrupted(); // nothing of the picture was written
    complain(unitFailure(what, code).message);
}

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
            return code == OVALINE_E_NAK ? refused() : kDone;
        if (seen_ && *seen_ == stamp)
            return kDone;
        std::uint32_t tableStamp = 0;
        const auto prints = queryPrints(unit_, code, tableStamp);
        if (!answered(code))
            return code == OVALINE_E_NAK ? refused() : kDone;
        seen_ = tableStamp;
        for (int i = 0; i < OVALINE_SLOT_COUNT && !interruption(); ++i) {
            if (!OvalineSamePrint((*prints)[i], held_[i]))
                if (const int result = fetch(i + 1, (*prints)[i]); result != kDone)
                    return result;
        }
        return kDone;
    }

private:
    // False for a failed exchange, said once until the unit answers again.
    bool answered(std::int32_t code) {
        if (code == 0) {
            if (lineDown_)
                complain("the unit answers again");
            lineDown_ = false;
            return true;
        }
        if (!lineDown_ && code != OVALINE_E_NAK)
            reportCode("asking the unit what its slots hold", code);
        lineDown_ = true;
        return false;
    }

    static int refused() {
        complain("the unit does not tell what its slots hold (it refuses the fingerprint "
                 "query), so it cannot be watched");
        return kUnitFailed;
    }

    int fetch(int slot, const OvalineFingerprint &print) {
        const std::filesystem::path path = slotFile(folder_, slot);
        if (print.size == 0) {
            std::printf("slot %d: empty on the unit (%s kept)\n", slot, path.c_str());
            std::fflush(stdout);
            held_[slot - 1] = print;
            return kDone;
        }
        std::int32_t code = 0;
        const std::vector<std::uint8_t> picture = unit_.receive(slot, {}, code);
        if (code != 0) {
            reportCode("receiving slot " + std::to_string(slot), code);
            seen_.reset(); // try again at the next poll
            return kDone;
        }
        std::string error;
        if (!writeWhole(path, picture, error)) {
            complain(error);
            return kFileFailed;
        }
        held_[slot - 1] = OvalineFingerprintOf(picture.data(), picture.size());
        std::printf("slot %d: %s bytes -> %s\n", slot, groupDigits(picture.size()).c_str(),
                    path.c_str());
        std::fflush(stdout);
        return kDone;
    }

    const UnitClient &unit_;
    std::filesystem::path folder_;
    SlotPrints held_{};
    std::optional<std::uint32_t> seen_; // stamp of the last table read
    bool lineDown_ = false;
};

} // namespace

int watch(const UnitClient &unit, const Options &options) {
    if (const Check refusal = prepareOutputFolder(options.outputFolder)) {
        complain(refusal->message);
        return refusal->status;
    }
    Watcher watcher(unit, options.outputFolder);
    const auto period = std::chrono::milliseconds(static_cast<long long>(options.every * 1000));
    char periodText[32];
    std::snprintf(periodText, sizeof periodText, "%g", options.every);
    complain(std::string("watching the unit's slots every ") + periodText + " s into " +
             options.outputFolder + "; Ctrl-C ends");
    do {
        if (const int result = watcher.poll(); result != kDone)
            return result;
    } while (!waitForInterruption(period));
    endInterrupted();
}

} // namespace ovaline::cli
