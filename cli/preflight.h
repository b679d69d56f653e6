// SPDX-License-Identifier: MIT
// What ovaline-cli checks before it puts a picture or a command on the line,
// so that a transfer never starts only to fail at its end, and a refusal
// says in words what is wrong.
#pragma once

#include "exit_codes.h"
#include "unit_client.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ovaline::cli {

// Every message of the program goes to standard error through this, named
// "ovaline-cli: ".
void complain(const std::string &text);

struct Refusal {
    int status;
    std::string message;
};
using Check = std::optional<Refusal>;

// The folder is made when missing, and a file is written in it and removed;
// what killed runs left there is removed too.
Check prepareOutputFolder(const std::filesystem::path &folder);

// A picture is written only where a regular file is, or nothing: a FIFO
// there would block the program, and a folder cannot be replaced.
Check checkTarget(const std::filesystem::path &file);

// The same for the seven slotN.jpg of a folder, before a receive of them
// all or a watch uses the line.
Check checkSlotTargets(const std::filesystem::path &folder);

// A target that is not a regular file is refused; a file that is there
// already is kept unless the user said --overwrite.
Check refuseExisting(const std::filesystem::path &file, bool overwrite);

// Letters of a command the unit knows ("TR" goes through receive and send).
Check checkCommandLetters(const std::string &letters);

enum class SlotUse { Send, Store, Recall };

// The slot map ("QS" '1' reply) against what is to be done with a slot:
// nothing is written into a protected slot or stored while the unit is
// still storing, nothing is recalled from an empty slot.
Check checkSlotInMap(const std::string &map, SlotUse use, int slot);

struct PictureSize {
    const char *model;
    int width;
    int height;
};

// The picture size the unit of this model (the first four characters of
// the "QR" reply) takes; nullopt for a model not known here.
std::optional<PictureSize> pictureSizeOf(const std::string &model);

// The JPEG's header against the picture of the unit's model (the first
// four characters of the "QR" reply): it must fit, either way round. A
// model not known here is left to the unit to judge.
Check checkPictureForModel(const std::vector<std::uint8_t> &jpeg, const std::string &name,
                           const std::string &model);

// The picture's header alone: a JPEG in a colour model the unit takes
// (YCbCr or grey; not CMYK).
Check checkIsJpeg(const std::vector<std::uint8_t> &jpeg, const std::string &name);

// The two above that need the unit: they ask it for its slot map or model.
Check checkSlot(const UnitClient &unit, SlotUse use, int slot);
Check checkPictureForUnit(const UnitClient &unit, const std::vector<std::uint8_t> &jpeg,
                          const std::string &name);

// A result code in words, naming what failed, and for a port that does not
// open, why.
Refusal unitFailure(const UnitClient &unit, const std::string &what, std::int32_t code);

// The library's text of a result code in the user's language.
std::string resultText(std::int32_t code);

// Says why and returns the exit status.
int refuse(const Refusal &refusal);
// The same for a failed exchange.
int reportFailure(const UnitClient &unit, const std::string &what, std::int32_t code);

} // namespace ovaline::cli
