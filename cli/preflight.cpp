// SPDX-License-Identifier: MIT
#include "preflight.h"

#include "command_table.h"
#include "file_io.h"
#include "interruption.h"
#include "slot_prints.h"
#include "temporary_file.h"

#include <turbojpeg.h>

#include <array>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

namespace ovaline::cli {
namespace {

struct Declared {
    int width = 0;
    int height = 0;
    int colourspace = 0; // a TJCS value
};

// The picture each model of the unit takes.
constexpr std::array<PictureSize, 4> kPictureSizes{{
    {"VIKN", 736, 480},
    {"VIKP", 736, 568},
    {"VIHN", 640, 480},
    {"VIHP", 768, 576},
}};

struct HandleCloser {
    void operator()(void *handle) const { tjDestroy(handle); }
};

std::optional<Declared> declared(const std::vector<std::uint8_t> &jpeg) {
    const std::unique_ptr<void, HandleCloser> handle(tjInitDecompress());
    if (!handle || jpeg.empty() || jpeg.size() > ULONG_MAX)
        return std::nullopt;
    Declared header;
    int subsampling = 0;
    if (tjDecompressHeader3(handle.get(), jpeg.data(), jpeg.size(), &header.width, &header.height,
                            &subsampling, &header.colourspace) != 0)
        return std::nullopt;
    return header;
}

std::string slotText(int slot) {
    return "slot " + std::to_string(slot);
}

} // namespace

void complain(const std::string &text) {
    std::fprintf(stderr, "ovaline-cli: %s\n", text.c_str());
}

Refusal unitFailure(const UnitClient &unit, const std::string &what, std::int32_t code) {
    const char *text = OvalineResultText(code);
    std::string message = what + " failed: " + (text ? text : "unknown error") + " (code " +
                          std::to_string(code) + ")";
    if (code == OVALINE_E_OPEN)
        if (const std::string cause = unit.openFailureCause(); !cause.empty())
            message += ". " + cause;
    return {kUnitFailed, message};
}

int refuse(const Refusal &refusal) {
    complain(refusal.message);
    return refusal.status;
}

int reportFailure(const UnitClient &unit, const std::string &what, std::int32_t code) {
    return refuse(unitFailure(unit, what, code));
}

Check prepareOutputFolder(const std::filesystem::path &folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        return Refusal{kFileFailed,
                       "cannot make the folder " + folder.string() + ": " + error.message()};
    // Permissions do not tell (root writes anywhere, a read-only mount
    // refuses everyone): write a file and remove it again.
    if (const TemporaryFile probe(folder / ".ovaline-cli"); !probe.valid())
        return Refusal{kFileFailed,
                       "cannot write in the folder " + folder.string() + ": " + probe.error()};
    sweepStaleTemporaries(folder);
    return std::nullopt;
}

Check checkTarget(const std::filesystem::path &file) {
    if (const auto kind = otherThanFile(file))
        return Refusal{kFileFailed, file.string() + " is " + *kind +
                                        ", not a file a picture can be written over"};
    return std::nullopt;
}

Check checkSlotTargets(const std::filesystem::path &folder) {
    for (int slot = 1; slot <= OVALINE_SLOT_COUNT; ++slot)
        if (Check refusal = checkTarget(slotFile(folder, slot)))
            return refusal;
    return std::nullopt;
}

Check refuseExisting(const std::filesystem::path &file, bool overwrite) {
    if (Check refusal = checkTarget(file))
        return refusal;
    std::error_code error;
    if (overwrite || !std::filesystem::exists(file, error))
        return std::nullopt;
    return Refusal{kFileFailed, file.string() + " exists already; --overwrite replaces it"};
}

Check checkCommandLetters(const std::string &letters) {
    if (letters.size() == 2 && isTransfer(letters[0], letters[1]))
        return Refusal{kWrongUsage, "\"TR\" moves pictures: use receive or send"};
    if (letters.size() == 2 && findCommand(letters[0], letters[1]))
        return std::nullopt;
    std::string known;
    for (const CommandInfo &command : commandTable())
        known += (known.empty() ? "" : " ") + std::string(command.letters);
    return Refusal{kWrongUsage, "the unit knows no command \"" + letters + "\"; it knows " + known};
}

Check checkSlotInMap(const std::string &map, SlotUse use, int slot) {
    if (map.size() < 8 || slot < 1 || slot > 7)
        return Refusal{kUnitFailed, "the unit's slot map cannot be read"};
    const char held = map[static_cast<std::size_t>(slot)];
    if (use == SlotUse::Recall && held == '0')
        return Refusal{kUnitFailed, slotText(slot) + " is empty"};
    if (use != SlotUse::Recall && held == 'P')
        return Refusal{kUnitFailed, slotText(slot) + " is protected"};
    if (use == SlotUse::Store && map[0] != '0')
        return Refusal{kUnitFailed, "the unit is still storing a picture; try again shortly"};
    return std::nullopt;
}

Check checkIsJpeg(const std::vector<std::uint8_t> &jpeg, const std::string &name) {
    const auto header = declared(jpeg);
    if (!header)
        return Refusal{kFileFailed, name + " is not a JPEG picture"};
    if (header->colourspace == TJCS_CMYK || header->colourspace == TJCS_YCCK)
        return Refusal{kFileFailed,
                       name + " is a CMYK picture; the unit takes colour (YCbCr) and grey ones"};
    return std::nullopt;
}

std::optional<PictureSize> pictureSizeOf(const std::string &model) {
    for (const PictureSize &unit : kPictureSizes) {
        if (model.compare(0, 4, unit.model) == 0)
            return unit;
    }
    return std::nullopt;
}

Check checkPictureForModel(const std::vector<std::uint8_t> &jpeg, const std::string &name,
                           const std::string &model) {
    const auto size = declared(jpeg);
    if (!size)
        return Refusal{kFileFailed, name + " is not a JPEG picture"};
    const std::optional<PictureSize> unit = pictureSizeOf(model);
    if (!unit)
        return std::nullopt;
    const auto within = [&](int w, int h) { return size->width <= w && size->height <= h; };
    if (within(unit->width, unit->height) || within(unit->height, unit->width))
        return std::nullopt;
    return Refusal{kFileFailed, name + " is " + std::to_string(size->width) + " x " +
                                    std::to_string(size->height) + " pixels; the unit (" +
                                    unit->model + ") takes pictures of up to " +
                                    std::to_string(unit->width) + " x " +
                                    std::to_string(unit->height) + " (send --fit fits it)"};
}

Check checkSlot(const UnitClient &unit, SlotUse use, int slot) {
    std::int32_t code = 0;
    const std::string map = unit.command("QS", '1', "  ", code);
    if (code != 0)
        return unitFailure(unit, "reading the slot map", code);
    return checkSlotInMap(map, use, slot);
}

Check checkPictureForUnit(const UnitClient &unit, const std::vector<std::uint8_t> &jpeg,
                          const std::string &name) {
    std::int32_t code = 0;
    const std::string model = unit.command("QR", '0', "  ", code);
    if (code != 0)
        return unitFailure(unit, "asking the model", code);
    return checkPictureForModel(jpeg, name, model);
}

} // namespace ovaline::cli
