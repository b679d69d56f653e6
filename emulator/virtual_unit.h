// SPDX-License-Identifier: MIT
// The virtual camera: a model of the whole unit behind the unit's side of
// the protocol. It answers every command of the unit, keeps seven slots of
// JPEG data, draws its live picture from its state, stores and recalls.
#pragma once

#include "fingerprint.h"
#include "picture.h"
#include "unit_server.h"
#include "unit_state.h"
#include "unit_store.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace ovaline::emu {

class VirtualUnit final : public UnitModel {
public:
    struct Options {
        std::string model;                 // VIKN, VIKP, VIHN or VIHP
        double speed = 1.0;                // time runs this much faster than real time
        std::optional<UnitStore> store;    // keep the state in a folder
        std::function<double()> wallClock; // seconds; the system clock when empty
    };

    explicit VirtualUnit(Options options);

    // The model and speed may change between connections (they come from
    // the environment at each open).
    void setModel(const std::string &model);
    void setSpeed(double speed);

    CommandAnswer command(const std::uint8_t frame[7]) override;
    SlotPicture picture(int slot) override;
    std::uint8_t canStore(int slot, std::uint32_t size) override;
    bool acceptPicture(const std::uint8_t *data, std::size_t size) override;
    void store(int slot, std::vector<std::uint8_t> picture) override;

    // Loads the state, or makes the first-start pictures, before the line
    // opens: drawing them takes longer than the host waits for an answer.
    void wake();

    // Adds the bytes that crossed the line in one exchange, both ways.
    void countLineBytes(std::uint64_t bytes);

    // Back to the first-start state, whose pictures are kept from the first
    // time they were made. A camera with a folder reads its folder at every
    // command, so this changes nothing there.
    void reset();

    // A copy of the state as it is now, motions applied.
    UnitState snapshot();

    // How long a store keeps the unit reading, in seconds at speed 1.
    static constexpr double kStoreSeconds = 3.0;

private:
    template <typename Change> auto transact(Change change);
    void loadOrCreate();
    void settle(UnitState &state, double now) const;
    CameraView viewOf(const UnitState &state) const;
    std::vector<std::uint8_t> livePicture(const UnitState &state) const;
    CommandAnswer apply(UnitState &state, const std::uint8_t frame[7], double now);
    std::vector<std::uint8_t> controlState(const UnitState &state) const;
    std::vector<std::uint8_t> slotMap(const UnitState &state, double now) const;
    SlotPrints fingerprints(const UnitState &state) const;
    double now() const;

    std::mutex mutex_;
    Options options_;
    UnitState state_;
    bool loaded_ = false;
    std::optional<UnitState> firstStart_;
};

} // namespace ovaline::emu
