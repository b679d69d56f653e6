// SPDX-License-Identifier: MIT
#include "preflight.h"

#include "cli_text.h"
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

std::string notJpeg(const std::string &name) {
    return fill(translate("Cli", "%1 is not a JPEG picture"), {name});
}

} // namespace

void complain(const std::string &text) {
    std::fprintf(stderr, "ovaline-cli: %s\n", text.c_str());
}

std::string resultText(std::int32_t code) {
    const char *text = OvalineResultText(code);
    return text ? translate("ResultText", text) : translate("Cli", "unknown error");
}

Refusal unitFailure(const UnitClient &unit, const std::string &what, std::int32_t code) {
    std::string message = fill(translate("Cli", "%1 failed: %2 (code %3)"),
                               {what, resultText(code), std::to_string(code)});
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
        return Refusal{kFileFailed, fill(translate("Cli", "cannot make the folder %1: %2"),
                                         {folder.string(), error.message()})};
    // Permissions do not tell (root writes anywhere, a read-only mount
    // refuses everyone): write a file and remove it again.
    if (const TemporaryFile probe(folder / ".ovaline-cli"); !probe.valid())
        return Refusal{kFileFailed, fill(translate("Cli", "cannot write in the folder %1: %2"),
                                         {folder.string(), probe.error()})};
    sweepStaleTemporaries(folder);
    return std::nullopt;
}

Check checkTarget(const std::filesystem::path &file) {
    if (const auto kind = otherThanFile(file))
        return Refusal{kFileFailed,
                       fill(translate("Cli", "%1 is %2, not a file a picture can be written over"),
                            {file.string(), *kind})};
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
    return Refusal{kFileFailed, fill(translate("Cli", "%1 exists already; --overwrite replaces it"),
                                     {file.string()})};
}

Check checkCommandLetters(const std::string &letters) {
    if (letters.size() == 2 && isTransfer(letters[0], letters[1]))
        return Refusal{kWrongUsage, translate("Cli", "\"TR\" moves pictures: use receive or send")};
    if (letters.size() == 2 && findCommand(letters[0], letters[1]))
        return std::nullopt;
    std::string known;
    for (const CommandInfo &command : commandTable())
        known += (known.empty() ? "" : " ") + std::string(command.letters);
    return Refusal{
        kWrongUsage,
        fill(translate("Cli", "the unit knows no command \"%1\"; it knows %2"), {letters, known})};
}

Check checkSlotInMap(const std::string &map, SlotUse use, int slot) {
    if (map.size() < 8 || slot < 1 || slot > 7)
        return Refusal{kUnitFailed, translate("Cli", "the unit's slot map cannot be read")};
    const char held = map[static_cast<std::size_t>(slot)];
    if (use == SlotUse::Recall && held == '0')
        return Refusal{kUnitFailed,
                       fill(translate("Cli", "slot %1 is empty"), {std::to_string(slot)})};
    if (use != SlotUse::Recall && held == 'P')
        return Refusal{kUnitFailed,
                       fill(translate("Cli", "slot %1 is protected"), {std::to_string(slot)})};
    if (use == SlotUse::Store && map[0] != '0')
        return Refusal{kUnitFailed,
                       translate("Cli", "the unit is still storing a picture; try again shortly")};
    return std::nullopt;
}

Check checkIsJpeg(const std::vector<std::uint8_t> &jpeg, const std::string &name) {
    const auto header = declared(jpeg);
    if (!header)
        return Refusal{kFileFailed, notJpeg(name)};
    if (header->colourspace == TJCS_CMYK || header->colourspace == TJCS_YCCK)
        return Refusal{kFileFailed,
                       fill(translate("Cli", "%1 is a CMYK picture; the unit takes colour (YCbCr) "
                                             "and grey ones"),
                            {name})};
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
        return Refusal{kFileFailed, notJpeg(name)};
    const std::optional<PictureSize> unit = pictureSizeOf(model);
    if (!unit)
        return std::nullopt;
    const auto within = [&](int w, int h) { return size->width <= w && size->height <= h; };
    if (within(unit->width, unit->height) || within(unit->height, unit->width))
        return std::nullopt;
    return Refusal{kFileFailed,
                   fill(translate("Cli", "%1 is %2 x %3 pixels; the unit (%4) takes pictures "
                                         "of up to %5 x %6 (send --fit fits it)"),
                        {name, std::to_string(size->width), std::to_string(size->height),
                         unit->model, std::to_string(unit->width), std::to_string(unit->height)})};
}

Check checkSlot(const UnitClient &unit, SlotUse use, int slot) {
    std::int32_t code = 0;
    const std::string map = unit.command("QS", '1', "  ", code);
    if (code != 0)
        return unitFailure(unit, translate("Cli", "reading the slot map"), code);
    return checkSlotInMap(map, use, slot);
}

Check checkPictureForUnit(const UnitClient &unit, const std::vector<std::uint8_t> &jpeg,
                          const std::string &name) {
    std::int32_t code = 0;
    const std::string model = unit.command("QR", '0', "  ", code);
    if (code != 0)
        return unitFailure(unit, translate("Cli", "asking the model"), code);
    return checkPictureForModel(jpeg, name, model);
}

} // namespace ovaline::cli
