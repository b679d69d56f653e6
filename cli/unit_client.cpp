// SPDX-License-Identifier: MIT
#include "unit_client.h"

#include "interruption.h"
#include "ovaline_fingerprint.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace ovaline::cli {
namespace {

// A text the library copies into a buffer, as OvalineGetPortName does.
template <typename CopyOut> std::string libraryText(CopyOut copyOut) {
    std::string text(static_cast<std::size_t>(std::max(copyOut(nullptr, 0), 0)), '\0');
    copyOut(text.data(), text.size() + 1);
    return text;
}

} // namespace

std::uint32_t replyLength(const std::string &letters) {
    if (letters == "QF")
        return OVALINE_FINGERPRINTS_LENGTH;
    if (letters == "QC")
        return OVALINE_STAMP_LENGTH;
    return letters == "QR" ? 6 : 8;
}

TrafficBlock UnitClient::block(const std::string &letters, char arg, const std::string &param,
                               void *data, std::uint32_t length) const {
    TrafficBlock b{};
    b.port = port_;
    b.baud = baud_;
    b.setting_a = OVALINE_SETTING_A;
    b.setting_b = OVALINE_SETTING_B;
    b.link_option = OVALINE_LINK_OPTION;
    b.setting_d = OVALINE_SETTING_D;
    b.cmd_frame[0] = OVALINE_STX;
    b.cmd_frame[1] = static_cast<std::uint8_t>(letters[0]);
    b.cmd_frame[2] = static_cast<std::uint8_t>(letters[1]);
    b.cmd_frame[3] = static_cast<std::uint8_t>(arg);
    b.cmd_frame[4] = static_cast<std::uint8_t>(param[0]);
    b.cmd_frame[5] = static_cast<std::uint8_t>(param[1]);
    b.cmd_frame[6] = OVALINE_ETX;
    b.length = length;
    b.data = reinterpret_cast<std::uintptr_t>(data);
    b.busy = 1;
    return b;
}

std::int32_t UnitClient::run(TrafficBlock &b, const Progress &progress) const {
    // A signal cancels the exchange; the program ends once it has.
    const DeferredInterruptions deferred;
    if (interruption())
        return OVALINE_CANCELLED;
    std::int32_t code = 0;
    std::thread worker([&] { code = OvalineTraffic(&b); });
    std::uint32_t shown = 0;
    bool cancelled = false;
    while (OvalineLoadBusy(&b) != 0) {
        const std::uint32_t now = OvalineLoadProgress(&b);
        if (progress && now != shown)
            progress(shown = now);
        // A short wait that a signal cuts short: busy is read again.
        if (waitForInterruption(std::chrono::milliseconds(10)) && !cancelled) {
            OvalineCancel(&b);
            cancelled = true;
        }
    }
    worker.join();
    if (progress)
        progress(OvalineLoadProgress(&b));
    return code;
}

std::string UnitClient::command(const std::string &letters, char arg, const std::string &param,
                                std::int32_t &code) const {
    const std::uint32_t length = replyLength(letters);
    std::string reply(length, '\0');
    struct alignas(8) {
        TrafficBlock b;
    } record{block(letters, arg, param, reply.data(), length)};
    code = run(record.b, {});
    return code == 0 ? reply : std::string();
}

std::vector<std::uint8_t> UnitClient::receive(int slot, const Progress &progress,
                                              std::int32_t &code) const {
    std::vector<std::uint8_t> buffer(OVALINE_MAX_IMAGE);
    struct alignas(8) {
        TrafficBlock b;
    } record{block("TR", '0', std::string("0") + static_cast<char>('0' + slot), buffer.data(),
                   OVALINE_MAX_IMAGE)};
    code = run(record.b, progress);
    if (code != 0)
        return {};
    buffer.resize(OvalineLoadProgress(&record.b));
    return buffer;
}

std::int32_t UnitClient::send(int slot, const std::vector<std::uint8_t> &picture,
                              const Progress &progress) const {
    std::vector<std::uint8_t> copy = picture;
    struct alignas(8) {
        TrafficBlock b;
    } record{block("TR", '1', std::string("0") + static_cast<char>('0' + slot), copy.data(),
                   static_cast<std::uint32_t>(copy.size()))};
    return run(record.b, progress);
}

std::string UnitClient::deviceName() const {
    const auto port = static_cast<std::int32_t>(port_);
    return libraryText(
        [port](char *buffer, std::size_t size) { return OvalineGetPortName(port, buffer, size); });
}

std::string UnitClient::openFailureCause() const {
    const std::string device = deviceName();
    return libraryText([&device](char *buffer, std::size_t size) {
        return OvalineOpenFailureCause(device.c_str(), buffer, size);
    });
}

} // namespace ovaline::cli
