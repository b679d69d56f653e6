// SPDX-License-Identifier: MIT
// ovaline-cli: the document camera from the command line.
#include "capture_command.h"
#include "cli_options.h"
#include "cli_text.h"
#include "describe.h"
#include "exit_codes.h"
#include "file_io.h"
#include "interruption.h"
#include "preflight.h"
#include "progress_line.h"
#include "send_fit.h"
#include "slot_prints.h"
#include "slot_receive.h"
#include "unit_client.h"
#include "watch.h"

#include <array>
#include <cstdio>
#include <iostream>

namespace {

using namespace ovaline::cli;

int receiveSlot(const UnitClient &unit, int slot, const std::string &folder) {
    int status = kDone;
    const auto picture = receiveSlotPicture(unit, slot, status);
    if (!picture)
        return status;
    std::string error;
    if (!savePicture(slot, slotFile(folder, slot), *picture, error)) {
        complain(error);
        return kFileFailed;
    }
    return kDone;
}

// The slots whose file in `folder` is already the unit's picture: same size
// and CRC-32. None when the unit does not tell its fingerprints.
std::array<bool, 7> keptSlots(const UnitClient &unit, const std::string &folder) {
    std::array<bool, 7> kept{};
    std::int32_t code = 0;
    std::uint32_t stamp = 0;
    const auto prints = queryPrints(unit, code, stamp);
    if (!prints) {
        complain(fill(translate("Cli", "the unit does not tell what its slots hold (%1); "
                                       "receiving them all"),
                      {resultText(code)}));
        return kept;
    }
    for (int i = 0; i < 7; ++i)
        kept[i] = OvalineSlotUnchanged((*prints)[i], filePrint(slotFile(folder, i + 1)));
    return kept;
}

int receive(const UnitClient &unit, const Options &options) {
    int chosen = 0;
    if (!options.all) {
        const auto slot = parseSlot(options.arguments[0]);
        if (!slot) {
            complain(translate("Cli", "the slot is 1..7"));
            return kWrongUsage;
        }
        chosen = *slot;
    }
    if (const Check refusal = prepareOutputFolder(options.outputFolder))
        return refuse(*refusal);
    if (options.all)
        if (const Check refusal = checkSlotTargets(options.outputFolder))
            return refuse(*refusal);
    if (!options.all) {
        if (const Check refusal =
                refuseExisting(slotFile(options.outputFolder, chosen), options.overwrite))
            return refuse(*refusal);
        return receiveSlot(unit, chosen, options.outputFolder);
    }
    std::int32_t code = 0;
    const std::string map = unit.command("QS", '1', "  ", code);
    if (code != 0)
        return reportFailure(unit, translate("Cli", "reading the slot map"), code);
    const std::array<bool, 7> kept =
        options.onlyNew ? keptSlots(unit, options.outputFolder) : std::array<bool, 7>{};
    // Every file is checked before the first picture crosses the line.
    for (int held = 1; held <= 7; ++held) {
        if (map[static_cast<std::size_t>(held)] == '0' || kept[held - 1])
            continue;
        // --new asks for the files that differ from the unit's pictures.
        if (const Check refusal = refuseExisting(slotFile(options.outputFolder, held),
                                                 options.overwrite || options.onlyNew))
            return refuse(*refusal);
    }
    int result = kDone;
    int received = 0;
    for (int slot = 1; slot <= 7; ++slot) {
        if (map[static_cast<std::size_t>(slot)] == '0')
            continue;
        if (kept[slot - 1]) {
            std::puts(fill(translate("Cli", "slot %1: unchanged, %2 kept"),
                           {std::to_string(slot), slotFile(options.outputFolder, slot).string()})
                          .c_str());
            ++received;
            continue;
        }
        if (const int r = receiveSlot(unit, slot, options.outputFolder); r != kDone)
            result = r;
        else
            ++received;
    }
    if (received == 0 && result == kDone)
        std::puts(translate("Cli", "no slot holds a picture"));
    return result;
}

int send(const UnitClient &unit, const Options &options) {
    const auto slot = parseSlot(options.arguments[1]);
    if (!slot) {
        complain(translate("Cli", "the slot is 1..7"));
        return kWrongUsage;
    }
    const std::string &name = options.arguments[0];
    std::vector<std::uint8_t> picture;
    std::string error;
    if (options.fit) {
        if (const Check refusal = fitForUnit(unit, name, picture))
            return refuse(*refusal);
    } else {
        if (!readPicture(name, picture, error)) {
            complain(error);
            return kFileFailed;
        }
        if (const Check refusal = checkIsJpeg(picture, name))
            return refuse(*refusal);
        if (const Check refusal = checkPictureForUnit(unit, picture, name))
            return refuse(*refusal);
    }
    if (const Check refusal = checkSlot(unit, SlotUse::Send, *slot))
        return refuse(*refusal);
    std::int32_t code = 0;
    {
        ProgressLine line(fill(translate("Cli", "Sending to slot %1"), {std::to_string(*slot)}),
                          static_cast<std::uint32_t>(picture.size()));
        code = unit.send(*slot, picture, std::ref(line));
    }
    if (code != 0)
        return reportFailure(
            unit, fill(translate("Cli", "sending to slot %1"), {std::to_string(*slot)}), code);
    std::puts(fill(translate("Cli", "slot %1: %2 bytes sent"),
                   {std::to_string(*slot), groupDigits(picture.size())})
                  .c_str());
    return kDone;
}

int memory(const UnitClient &unit, const Options &options, char arg) {
    const auto slot = parseSlot(options.arguments[0]);
    if (!slot) {
        complain(translate("Cli", "the slot is 1..7"));
        return kWrongUsage;
    }
    if (const Check refusal = checkSlot(unit, arg == '0' ? SlotUse::Store : SlotUse::Recall, *slot))
        return refuse(*refusal);
    std::int32_t code = 0;
    unit.command("CE", arg, std::string("0") + static_cast<char>('0' + *slot), code);
    if (code != 0)
        return reportFailure(
            unit, arg == '0' ? translate("Cli", "storing") : translate("Cli", "recalling"), code);
    std::puts(fill(arg == '0' ? translate("Cli", "stored into slot %1")
                              : translate("Cli", "recalled slot %1"),
                   {std::to_string(*slot)})
                  .c_str());
    return kDone;
}

int rawCommand(const UnitClient &unit, const Options &options) {
    const std::string &letters = options.arguments[0];
    const std::string &arg = options.arguments[1];
    const std::string param = options.arguments.size() > 2 ? options.arguments[2] : "  ";
    if (letters.size() != 2 || arg.size() != 1 || param.size() != 2) {
        complain(translate("Cli", "command takes two letters, one argument character and an "
                                  "optional two-character parameter"));
        return kWrongUsage;
    }
    if (const Check refusal = checkCommandLetters(letters))
        return refuse(*refusal);
    std::int32_t code = 0;
    const std::string reply = unit.command(letters, arg[0], param, code);
    if (code != 0)
        return reportFailure(unit, fill(translate("Cli", "command %1"), {letters}), code);
    std::printf("%s\n", reply.c_str());
    return kDone;
}

int run(const Options &options) {
    if (!options.device.empty())
        OvalineSetPortName(static_cast<std::int32_t>(options.port), options.device.c_str());
    const UnitClient unit(options.port, options.baud);
    std::int32_t code = 0;
    if (options.action == "model") {
        const std::string reply = unit.command("QR", '0', "  ", code);
        if (code != 0)
            return reportFailure(unit, translate("Cli", "asking the model"), code);
        std::printf("%s\n", reply.c_str());
        return kDone;
    }
    if (options.action == "status" || options.action == "map") {
        const bool status = options.action == "status";
        const std::string reply = unit.command("QS", status ? '0' : '1', "  ", code);
        if (code != 0)
            return reportFailure(unit,
                                 status ? translate("Cli", "asking the status")
                                        : translate("Cli", "asking the slot map"),
                                 code);
        std::fputs((status ? describeStatus(reply) : describeMap(reply)).c_str(), stdout);
        return kDone;
    }
    if (options.action == "receive")
        return receive(unit, options);
    if (options.action == "send")
        return send(unit, options);
    if (options.action == "store")
        return memory(unit, options, '0');
    if (options.action == "recall")
        return memory(unit, options, '1');
    if (options.action == "watch")
        return watch(unit, options);
    if (options.action == "capture")
        return capture(unit, options);
    return rawCommand(unit, options);
}

} // namespace

int main(int argc, char **argv) {
    std::string error;
    const auto options = parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "ovaline-cli: %s\n\n%s", error.c_str(), usageText());
        return kWrongUsage;
    }
    if (options->help) {
        std::fputs(usageText(), stdout);
        return kDone;
    }
    if (options->version) {
        std::fputs(kVersion, stdout);
        return kDone;
    }
    // Each line goes out whole at once: a signal may end the program anywhere.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    catchInterruptions();
    return run(*options);
}
