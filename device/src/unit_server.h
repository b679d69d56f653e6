// SPDX-License-Identifier: MIT
// The unit's side of the protocol: answers commands and serves picture
// transfers for a model of the unit (the virtual camera), over any line.
#pragma once

#include "frame.h"
#include "link_timing.h"
#include "transport.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace ovaline {

struct CommandAnswer {
    std::uint8_t nak = 0; // a Nak reason, or 0 for a reply
    std::vector<std::uint8_t> reply;
};

struct SlotPicture {
    enum class State { Held, Empty, NoSuchSlot } state = State::Empty;
    std::vector<std::uint8_t> bytes;
};

// What the unit does; the server only carries it over the line.
class UnitModel {
public:
    virtual ~UnitModel() = default;
    // Every command but "TR". `frame` is the 7-byte command frame.
    virtual CommandAnswer command(const std::uint8_t frame[7]) = 0;
    // "TR" '0': the picture of slot 1..7.
    virtual SlotPicture picture(int slot) = 0;
    // "TR" '1': 0 when a picture of `size` bytes may go into the slot, else a Nak reason.
    virtual std::uint8_t canStore(int slot, std::uint32_t size) = 0;
    // A complete picture has arrived: false rejects it as unusable.
    virtual bool acceptPicture(const std::uint8_t *data, std::size_t size) = 0;
    virtual void store(int slot, std::vector<std::uint8_t> picture) = 0;
};

// Misbehaviour of the unit on request, for testing the host.
struct UnitFaults {
    bool silent = false; // answers nothing
    bool noCts = false;  // never raises RTS, so the host's CTS stays low
    int nak = 0;         // refuses the next N commands and blocks
    int badAck = 0;      // answers the next N commands with a frame of the wrong kind
    int badEtx = 0;      // the next N answers to commands lack their ETX
    int nakSlot = 0;     // refuses every transfer of this slot (1..7; 0 none)
    bool old = false;    // predates the fingerprint queries: refuses them as unknown
};

class UnitServer {
public:
    UnitServer(Transport &line, UnitModel &model, UnitFaults faults = {});

    // Called when a data phase begins (for faults that count its bytes).
    void onDataPhase(std::function<void()> fn) { dataPhase_ = std::move(fn); }

    // Serves until the line hangs up or `stop` returns true; `stop` is
    // asked at least every `poll`.
    void serve(const std::function<bool()> &stop, std::chrono::milliseconds poll);

private:
    void handleCommand(const Frame &frame);
    void sendPicture(int slot, std::uint32_t capacity, const Frame &command);
    void takePicture(int slot, std::uint32_t size, const Frame &command);
    // During the transfer that `command` began: true when `frame` ends it,
    // an abort or a command that is not the same one asked again (the host
    // gave the transfer up). A new command is kept, to be served next.
    bool endsTransfer(const Frame &frame, const Frame &command);
    bool answer(FrameKind kind, std::uint16_t seq, const std::vector<std::uint8_t> &payload = {});
    bool refuseNext();
    // The host may change the line's rate between exchanges: time each anew.
    LinkTiming timing() const { return LinkTiming(line_.byteTime()); }

    Transport &line_;
    UnitModel &model_;
    UnitFaults faults_;
    FrameReader reader_;
    std::function<void()> dataPhase_;
    std::optional<Frame> pending_; // a command that ended a transfer
    // The last picture taken whole, to answer a repeated End after our
    // "complete" status was lost.
    std::uint32_t lastSize_ = 0;
    std::uint32_t lastCrc_ = 0;
    bool stopping_ = false;
};

} // namespace ovaline
