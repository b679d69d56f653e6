// SPDX-License-Identifier: MIT
#include "unit_models.h"

#include <array>

namespace ovaline::emu {
namespace {

constexpr std::array<UnitModelInfo, 4> kModels{{
    {"VIKN", 736, 480, true},
    {"VIKP", 736, 568, true},
    {"VIHN", 640, 480, false},
    {"VIHP", 768, 576, false},
}};

} // namespace

const UnitModelInfo *findUnitModel(std::string_view reply) {
    for (const UnitModelInfo &model : kModels)
        if (model.reply == reply)
            return &model;
    return nullptr;
}

bool fitsPicture(const UnitModelInfo &model, int width, int height) {
    const auto within = [](int w, int h, int maxW, int maxH) {
        return w >= 1 && h >= 1 && w <= maxW && h <= maxH;
    };
    return within(width, height, model.width, model.height) ||
           within(width, height, model.height, model.width);
}

} // namespace ovaline::emu
