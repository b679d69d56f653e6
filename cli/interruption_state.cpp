// SPDX-License-Identifier: MIT
#include "interruption_state.h"

#include "cli_text.h"
#include "interruption.h"

namespace ovaline::cli {

namespace interrupted {

std::atomic<int> caught{0};
std::atomic<int> deferring{0};
std::atomic<const char *> temporary{nullptr};
std::string text = "ovaline-cli: interrupted\n";

void prepareText() {
    text = std::string("ovaline-cli: ") + translate("Cli", "interrupted") + "\n";
}

} // namespace interrupted

int interruption() {
    return interrupted::caught;
}

DeferredInterruptions::DeferredInterruptions() {
    ++interrupted::deferring;
}

DeferredInterruptions::~DeferredInterruptions() {
    if (--interrupted::deferring == 0 && interrupted::caught != 0)
        endInterrupted();
}

void removeOnInterruption(const char *path) {
    interrupted::temporary = path;
}

} // namespace ovaline::cli
