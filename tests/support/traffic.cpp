// SPDX-License-Identifier: MIT
#include "traffic.h"

#include "jpeg_codec.h"
#include "ovaline_fingerprint.h"
#include "picture.h"

#include <turbojpeg.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace ovaline::test {

TrafficBlock makeBlock(std::uint32_t port, std::uint32_t baud, const std::string &letters, char arg,
                       const std::string &param, void *data, std::uint32_t length) {
    TrafficBlock block{};
    block.port = port;
    block.baud = baud;
    block.setting_a = OVALINE_SETTING_A;
    block.setting_b = OVALINE_SETTING_B;
    block.link_option = OVALINE_LINK_OPTION;
    block.setting_d = OVALINE_SETTING_D;
    const std::uint8_t frame[7] = {OVALINE_STX,
                                   static_cast<std::uint8_t>(letters.at(0)),
                                   static_cast<std::uint8_t>(letters.at(1)),
                                   static_cast<std::uint8_t>(arg),
                                   static_cast<std::uint8_t>(param.at(0)),
                                   static_cast<std::uint8_t>(param.at(1)),
                                   OVALINE_ETX};
    std::memcpy(block.cmd_frame, frame, sizeof frame);
    block.length = length;
    block.data = reinterpret_cast<std::uintptr_t>(data);
    block.busy = 1;
    return block;
}

CommandResult command(const std::string &letters, char arg, const std::string &param,
                      std::uint32_t port, std::uint32_t baud) {
    const std::uint32_t length = letters == "QF"   ? OVALINE_FINGERPRINTS_LENGTH
                                 : letters == "QC" ? OVALINE_STAMP_LENGTH
                                 : letters == "QR" ? 6
                                                   : 8;
    std::string reply(length, '\0');
    AlignedBlock record;
    record.block = makeBlock(port, baud, letters, arg, param, reply.data(), length);
    CommandResult result;
    result.code = OvalineTraffic(&record.block);
    if (result.code == 0)
        result.reply = reply;
    return result;
}

TransferResult receiveSlot(int slot, std::uint32_t port, std::uint32_t baud,
                           std::uint32_t capacity) {
    std::vector<std::uint8_t> buffer(capacity);
    AlignedBlock record;
    record.block = makeBlock(port, baud, "TR", '0', std::string("0") + char('0' + slot),
                             buffer.data(), capacity);
    TransferResult result;
    result.code = OvalineTraffic(&record.block);
    result.progress = OvalineLoadProgress(&record.block);
    buffer.resize(result.code == 0 ? result.progress : 0);
    result.bytes = std::move(buffer);
    return result;
}

CancelOutcome cancelInDataPhase(TrafficBlock &record) {
    using Clock = std::chrono::steady_clock;
    CancelOutcome outcome;
    std::atomic<Clock::time_point> returned{};
    std::thread worker([&] {
        outcome.code = OvalineTraffic(&record);
        returned = Clock::now();
    });
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    while (OvalineLoadProgress(&record) == 0 && OvalineLoadBusy(&record) != 0 &&
           Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const auto cancelled = Clock::now();
    OvalineCancel(&record);
    worker.join();
    outcome.returned = returned.load();
    outcome.latency = outcome.returned - cancelled;
    return outcome;
}

TransferResult sendSlot(int slot, const std::vector<std::uint8_t> &picture, std::uint32_t port,
                        std::uint32_t baud) {
    std::vector<std::uint8_t> copy = picture;
    AlignedBlock record;
    record.block = makeBlock(port, baud, "TR", '1', std::string("0") + char('0' + slot),
                             copy.data(), static_cast<std::uint32_t>(copy.size()));
    TransferResult result;
    result.code = OvalineTraffic(&record.block);
    result.progress = OvalineLoadProgress(&record.block);
    return result;
}

std::vector<std::uint8_t> testPicture(int width, int height, int seed) {
    emu::CameraView view;
    view.zoom = 1.0 + seed % 5;
    view.negative = seed % 2 == 1;
    return emu::encodeJpeg(emu::renderScene(emu::Scene::Chart, view, width, height), 65535);
}

std::vector<std::uint8_t> cmykTestPicture(int width, int height) {
    std::vector<unsigned char> inks(std::size_t(width) * height * 4);
    for (std::size_t i = 0; i < inks.size(); i += 4) {
        const bool red = int(i / 4 % std::size_t(width)) < width / 2;
        inks[i] = red ? 255 : 0;     // no cyan on red
        inks[i + 1] = 0;             // full magenta
        inks[i + 2] = 0;             // full yellow
        inks[i + 3] = red ? 255 : 0; // no black on red, all of it on black
    }
    tjhandle handle = tjInitCompress();
    unsigned char *out = nullptr;
    unsigned long size = 0;
    const int rc = tjCompress2(handle, inks.data(), width, 0, height, TJPF_CMYK, &out, &size,
                               TJSAMP_444, 95, 0);
    std::vector<std::uint8_t> jpeg;
    if (rc == 0)
        jpeg.assign(out, out + size);
    tjFree(out);
    tjDestroy(handle);
    return jpeg;
}

} // namespace ovaline::test
