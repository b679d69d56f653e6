// SPDX-License-Identifier: MIT
// The command line of ovaline-cli.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ovaline::cli {

struct Options {
    std::uint32_t port = 1;
    std::uint32_t baud = 9600;
    std::string device; // names the port's device; empty keeps the usual name
    std::string action; // model, status, map, receive, send, store, recall, watch, capture, command
    std::vector<std::string> arguments;
    bool all = false;     // receive --all
    bool onlyNew = false; // receive --all --new: skip slots whose file is the same picture
    double every = 2.0;   // watch --every: seconds between polls
    std::string outputFolder = ".";
    bool overwrite = false; // receive may replace files that are there
    int slot = 0;           // capture --slot: the slot to overwrite; 0: the first empty one
    bool fit = false;       // send --fit: any picture, fitted to the unit's size
    bool help = false;
    bool version = false;
};

// Parses argv; on a mistake returns nullopt and says why in `error`.
std::optional<Options> parseOptions(const std::vector<std::string> &args, std::string &error);

// 1..7 from text, or nullopt.
std::optional<int> parseSlot(const std::string &text);

// The usage text, in the user's language.
const char *usageText();
extern const char *const kVersion;

} // namespace ovaline::cli
