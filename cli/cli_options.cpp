// SPDX-License-Identifier: MIT
#include "cli_options.h"

#include "cli_text.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace ovaline::cli {
namespace {

bool parseNumber(const std::string &text, std::uint32_t &out) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    out = static_cast<std::uint32_t>(std::stoul(text));
    return true;
}

bool parseSeconds(const std::string &text, double &out) {
    char *end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(v >= 0.1 && v <= 3600))
        return false;
    out = v;
    return true;
}

bool isRate(std::uint32_t baud) {
    constexpr std::array<std::uint32_t, 7> rates{2400, 4800, 9600, 19200, 38400, 57600, 115200};
    return std::find(rates.begin(), rates.end(), baud) != rates.end();
}

// How many arguments each action takes: at least, at most.
struct Arity {
    const char *action;
    std::size_t least;
    std::size_t most;
};
constexpr std::array<Arity, 10> kActions{{
    {"model", 0, 0},
    {"status", 0, 0},
    {"map", 0, 0},
    {"receive", 0, 1},
    {"send", 2, 2},
    {"store", 1, 1},
    {"recall", 1, 1},
    {"watch", 0, 0},
    {"capture", 0, 0},
    {"command", 2, 3},
}};

} // namespace

const char *usageText() {
    return translate(
        "Cli",
        "Usage: ovaline-cli [--port N] [--baud RATE] [--device NAME] COMMAND\n"
        "\n"
        "Talks to the document camera on serial port N (1..4, default 1) at RATE bit/s\n"
        "(2400, 4800, 9600, 19200, 38400, 57600 or 115200; default 9600).\n"
        "--device names the port's device (a path such as /dev/ttyUSB0, or \"virtual\" for\n"
        "the built-in virtual camera); otherwise OVALINE_COM<N> or /dev/ttyS<N-1> is used.\n"
        "\n"
        "Commands:\n"
        "  model                      the unit's model\n"
        "  status                     the unit's controls, in words\n"
        "  map                        what the seven memory slots hold\n"
        "  receive SLOT [-o DIR]      save slot SLOT (1..7) as DIR/slotSLOT.jpg\n"
        "  receive --all [-o DIR]     save every slot that holds a picture\n"
        "          [--overwrite]      replace files that are there (kept otherwise)\n"
        "  receive --all --new [-o DIR]\n"
        "                             the same, skipping a slot whose DIR/slotN.jpg is\n"
        "                             already its picture (same size and CRC-32) and\n"
        "                             replacing the files that differ\n"
        "  send FILE SLOT             send a JPEG file (at most 65,535 bytes, no larger\n"
        "                             than the unit's picture) into a slot\n"
        "  send --fit FILE SLOT       send any picture: a JPEG of another size, or (in\n"
        "                             the Linux build) a PNG, BMP, GIF, TIFF or WebP;\n"
        "                             it is turned upright by its EXIF orientation,\n"
        "                             scaled into the unit's picture size on black\n"
        "                             margins and sent as the best JPEG a slot holds\n"
        "  store SLOT                 store the live picture into a slot\n"
        "  recall SLOT                show a slot's picture on the unit's output\n"
        "  watch [-o DIR] [--every SECONDS]\n"
        "                             keep DIR/slotN.jpg in step with the unit: ask every\n"
        "                             SECONDS (default 2) what the slots hold and save each\n"
        "                             picture that differs, one line each, until Ctrl-C\n"
        "  capture [-o DIR] [--slot N]\n"
        "                             store the live picture into the first empty slot\n"
        "                             (--slot N: into slot N, overwriting it), receive it\n"
        "                             and save it as DIR/YYYY-MM-DD HH-MM-SS.JPG; prints\n"
        "                             the file's path\n"
        "  command XX A [PP]          send command XX with argument A and parameter PP\n"
        "  --help                     this text\n"
        "  --version                  the program's version\n"
        "\n"
        "Exit status: 0 done, 1 the unit or the line failed, 2 wrong usage, 3 a file failed,\n"
        "130 or 143 interrupted by Ctrl-C or SIGTERM (the exchange is cancelled, no file made).\n");
}

const char *const kVersion = "ovaline-cli 2.0\n";

std::optional<int> parseSlot(const std::string &text) {
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '7')
        return text[0] - '0';
    return std::nullopt;
}

std::optional<Options> parseOptions(const std::vector<std::string> &args, std::string &error) {
    Options options;
    bool everyGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        // `missing` says what the option needs, with the option as %1.
        const auto value = [&](const char *missing) -> const std::string * {
            if (i + 1 >= args.size()) {
                error = fill(missing, {arg});
                return nullptr;
            }
            return &args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        if (arg == "--version") {
            options.version = true;
            return options;
        }
        if (arg == "--port") {
            const std::string *v = value(translate("Cli", "%1 needs a port number"));
            if (!v)
                return std::nullopt;
            if (!parseNumber(*v, options.port) || options.port < 1 || options.port > 4) {
                error = fill(translate("Cli", "the port is 1, 2, 3 or 4, not \"%1\""), {*v});
                return std::nullopt;
            }
        } else if (arg == "--baud") {
            const std::string *v = value(translate("Cli", "%1 needs a rate"));
            if (!v)
                return std::nullopt;
            if (!parseNumber(*v, options.baud) || !isRate(options.baud)) {
                error = fill(translate("Cli", "\"%1\" is not a rate the unit takes"), {*v});
                return std::nullopt;
            }
        } else if (arg == "--device") {
            const std::string *v = value(translate("Cli", "%1 needs a device name"));
            if (!v)
                return std::nullopt;
            options.device = *v;
        } else if (arg == "-o" || arg == "--output") {
            const std::string *v = value(translate("Cli", "%1 needs a folder"));
            if (!v)
                return std::nullopt;
            options.outputFolder = *v;
        } else if (arg == "--all") {
            options.all = true;
        } else if (arg == "--new") {
            options.onlyNew = true;
        } else if (arg == "--every") {
            const std::string *v = value(translate("Cli", "%1 needs a number of seconds"));
            if (!v)
                return std::nullopt;
            everyGiven = true;
            if (!parseSeconds(*v, options.every)) {
                error = fill(translate("Cli", "--every takes seconds from 0.1 to 3600, not \"%1\""),
                             {*v});
                return std::nullopt;
            }
        } else if (arg == "--slot") {
            const std::string *v = value(translate("Cli", "%1 needs a slot"));
            if (!v)
                return std::nullopt;
            const auto slot = parseSlot(*v);
            if (!slot) {
                error = fill(translate("Cli", "the slot is 1..7, not \"%1\""), {*v});
                return std::nullopt;
            }
            options.slot = *slot;
        } else if (arg == "--overwrite") {
            options.overwrite = true;
        } else if (arg == "--fit") {
            options.fit = true;
        } else if (arg.size() > 1 && arg[0] == '-' && options.action != "command") {
            error = fill(translate("Cli", "unknown option %1"), {arg});
            return std::nullopt;
        } else if (options.action.empty()) {
            options.action = arg;
        } else {
            options.arguments.push_back(arg);
        }
    }
    if (options.action.empty()) {
        error = translate("Cli", "no command given");
        return std::nullopt;
    }
    const auto arity = std::find_if(kActions.begin(), kActions.end(),
                                    [&](const Arity &a) { return options.action == a.action; });
    if (arity == kActions.end()) {
        error = fill(translate("Cli", "unknown command \"%1\""), {options.action});
        return std::nullopt;
    }
    if (options.arguments.size() < arity->least || options.arguments.size() > arity->most) {
        error = fill(translate("Cli", "wrong number of arguments for %1"), {options.action});
        return std::nullopt;
    }
    if (options.action == "receive" && options.all == !options.arguments.empty()) {
        error = translate("Cli", "receive takes a slot or --all");
        return std::nullopt;
    }
    if (options.all && options.action != "receive") {
        error = translate("Cli", "--all belongs to receive");
        return std::nullopt;
    }
    if (options.overwrite && options.action != "receive") {
        error = translate("Cli", "--overwrite belongs to receive");
        return std::nullopt;
    }
    if (options.fit && options.action != "send") {
        error = translate("Cli", "--fit belongs to send");
        return std::nullopt;
    }
    if (options.onlyNew && !options.all) {
        error = translate("Cli", "--new belongs to receive --all");
        return std::nullopt;
    }
    if (options.slot != 0 && options.action != "capture") {
        error = translate("Cli", "--slot belongs to capture");
        return std::nullopt;
    }
    if (everyGiven && options.action != "watch") {
        error = translate("Cli", "--every belongs to watch");
        return std::nullopt;
    }
    return options;
}

} // namespace ovaline::cli
