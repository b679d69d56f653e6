// SPDX-License-Identifier: MIT
// The four units the virtual camera can be: the model reply to "QR" and the
// size of the pictures each one takes.
#pragma once

#include <string_view>

namespace ovaline::emu {

struct UnitModelInfo {
    std::string_view reply; // first four characters of the "QR" reply
    int width;
    int height;
    bool hasSubInput; // the SUB video input exists on this model
};

// VIKN, VIKP, VIHN or VIHP; nullptr for anything else.
const UnitModelInfo *findUnitModel(std::string_view reply);

inline constexpr std::string_view kDefaultUnitModel = "VIHN";

// Whether a picture of width x height fits within the model's picture,
// either way round, so that a portrait picture of the unit's size fits
// too. The unit takes no other upload.
bool fitsPicture(const UnitModelInfo &model, int width, int height);

} // namespace ovaline::emu
