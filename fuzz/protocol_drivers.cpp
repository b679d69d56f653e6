// SPDX-License-Identifier: MIT
#include "protocol_drivers.h"

#include "command_table.h"
#include "host_session.h"
#include "jpeg_codec.h"
#include "line_script.h"
#include "ovaline.h"
#include "scripted_line.h"
#include "unit_models.h"
#include "unit_server.h"
#include "virtual_unit.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ovaline::fuzz {
namespace {

// One byte at 9,600 bit/s. The scripted line keeps no clock, so the rate
// only sizes the deadlines nobody waits for.
constexpr std::chrono::nanoseconds kByteTime{1'041'667};

void broken(const char *promise) {
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

bool isResultCode(std::int32_t code) {
    return code == OVALINE_OK || (code >= OVALINE_E_OPEN && code <= OVALINE_E_FRAMING);
}

} // namespace

std::int32_t runHostExchange(const std::uint8_t *data, std::size_t size) {
    if (size < 3)
        return OVALINE_OK;
    const int exchange = data[0] % 3;
    const unsigned choice = (data[1] << 8) | data[2];
    ScriptedLine line(decodeLineScript(data + 3, size - 3), kByteTime);
    HostSession host(line);

    std::int32_t code = OVALINE_OK;
    std::uint32_t progress = 0;
    const ProgressFn track = [&progress](std::uint32_t bytes) { progress = bytes; };
    const std::uint32_t length = choice % OVALINE_MAX_IMAGE + 1;
    if (exchange == 0) {
        const auto table = commandTable();
        const CommandInfo &command = table[choice % table.size()];
        const std::uint8_t frame[7] = {OVALINE_STX,
                                       std::uint8_t(command.letters[0]),
                                       std::uint8_t(command.letters[1]),
                                       '0',
                                       ' ',
                                       ' ',
                                       OVALINE_ETX};
        std::vector<std::uint8_t> reply(command.replyLength);
        code = host.command(frame, reply.data(), command.replyLength);
    } else if (exchange == 1) {
        const std::uint8_t frame[7] = {OVALINE_STX, 'T', 'R', '0', '0', '1', OVALINE_ETX};
        std::vector<std::uint8_t> buffer(length);
        code = host.receive(frame, buffer.data(), length, track);
    } else {
        const std::uint8_t frame[7] = {OVALINE_STX, 'T', 'R', '1', '0', '1', OVALINE_ETX};
        std::vector<std::uint8_t> picture(length);
        for (std::size_t i = 0; i < picture.size(); ++i)
            picture[i] = static_cast<std::uint8_t>(i * 7);
        code = host.send(frame, picture.data(), length, track);
    }
    if (!isResultCode(code))
        broken("the result is a code of the table");
    if (progress > length)
        broken("progress stays within the picture");
    if (code == OVALINE_OK && exchange == 2 && progress != length)
        broken("a finished send shows the whole picture sent");
    if (code == OVALINE_OK && exchange == 1 && progress == 0)
        broken("a finished receive shows the picture received");
    if (line.silentReads() >= ScriptedLine::kSilentReadLimit)
        broken("the host gives up on a silent line");
    return code;
}

void runUnitSession(const std::uint8_t *data, std::size_t size) {
    // Making the first-start pictures takes long: one camera, reset for
    // every input, with a clock that stands still.
    static emu::VirtualUnit unit(emu::VirtualUnit::Options{std::string(emu::kDefaultUnitModel), 1.0,
                                                           std::nullopt, [] { return 1000.0; }});
    unit.reset();
    ScriptedLine line(decodeLineScript(data, size), kByteTime);
    UnitServer server(line, unit);
    // Once a read has found the script spent, no frame can follow.
    server.serve([&line] { return line.silentReads() > 0; }, std::chrono::milliseconds(50));
    if (line.silentReads() >= ScriptedLine::kSilentReadLimit)
        broken("the unit gives up on a silent line");
    const emu::UnitModelInfo &model = *emu::findUnitModel(emu::kDefaultUnitModel);
    for (const emu::SlotContent &slot : unit.snapshot().memory) {
        const auto size = emu::readJpegSize(slot.jpeg.data(), slot.jpeg.size());
        if (!slot.jpeg.empty() && (!size || !emu::fitsPicture(model, size->width, size->height)))
            broken("the unit keeps only pictures of its size");
    }
}

} // namespace ovaline::fuzz
