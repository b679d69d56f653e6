// SPDX-License-Identifier: MIT
// ovaline-unit: the virtual camera on a serial line, for trying Ovaline and
// for tests through real serial I/O.
#include "faulty_line.h"
#include "paced_port.h"
#include "unit_config.h"
#include "unit_models.h"
#include "unit_port.h"
#include "unit_server.h"
#include "virtual_unit.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace ovaline;

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) {
    stopRequested = 1;
}

const char *const kUsage =
    "Usage: ovaline-unit [--pty | --device PATH] [--baud RATE] [--model MODEL]\n"
    "                    [--speed F] [--faults LIST] [--dir DIR]\n"
    "\n"
    "Plays the document camera on a serial line.\n"
    "  --pty           make a pseudo-terminal (the default) and print \"PORT <path>\"\n"
    "                  with the path the host opens\n"
    "  --device PATH   serve a serial device, e.g. a null-modem cable to another PC\n"
    "  --baud RATE     the device's rate (default 9600); a pseudo-terminal follows\n"
    "                  the rate the host sets\n"
    "  --model MODEL   VIKN, VIKP, VIHN (default) or VIHP\n"
    "  --speed F       put the unit's bytes on the line F times faster than real\n"
    "                  time (default 1); the host keeps to the rate it set\n"
    "  --faults LIST   faults on request: flip=R, drop=R, hangup=B, unplug=B, nak=N,\n"
    "                  badack=N, etx=N, silent, nocts, old, seed=S (comma-separated)\n"
    "  --dir DIR       keep the camera's state and slots in DIR\n"
    "Ends on SIGINT or SIGTERM.\n";

struct Settings {
    bool pty = true;
    std::string device;
    std::uint32_t baud = 9600;
    std::string model{emu::kDefaultUnitModel};
    double speed = 1.0;
    emu::FaultSpec faults;
    std::string folder;
};

int usage(const std::string &problem) {
    std::fprintf(stderr, "ovaline-unit: %s\n\n%s", problem.c_str(), kUsage);
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    Settings settings;
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--pty") {
            settings.pty = true;
            continue;
        }
        if (!hasValue)
            return usage(arg == "--device" || arg == "--baud" || arg == "--model" ||
                                 arg == "--speed" || arg == "--faults" || arg == "--dir"
                             ? arg + " needs a value"
                             : "unknown option " + arg);
        const std::string &value = args[++i];
        if (arg == "--device") {
            settings.pty = false;
            settings.device = value;
        } else if (arg == "--baud") {
            settings.baud = static_cast<std::uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
        } else if (arg == "--model") {
            if (!emu::findUnitModel(value))
                return usage("the model is VIKN, VIKP, VIHN or VIHP");
            settings.model = value;
        } else if (arg == "--speed") {
            const auto speed = emu::parseSpeed(value);
            if (!speed)
                return usage("the speed is a number above 0");
            settings.speed = *speed;
        } else if (arg == "--faults") {
            std::string error;
            const auto faults = emu::parseFaults(value, error);
            if (!faults)
                return usage(error);
            settings.faults = *faults;
        } else if (arg == "--dir") {
            settings.folder = value;
        } else {
            return usage("unknown option " + arg);
        }
    }

    std::string error;
    if (!settings.folder.empty() && !emu::UnitStore::prepareFolder(settings.folder, error)) {
        std::fprintf(stderr, "ovaline-unit: %s\n", error.c_str());
        return 2;
    }
    const std::unique_ptr<emu::UnitPort> port =
        settings.pty ? emu::UnitPort::openPty(error)
                     : emu::UnitPort::openDevice(settings.device, settings.baud, error);
    if (!port) {
        std::fprintf(stderr, "ovaline-unit: %s\n", error.c_str());
        return 1;
    }

    // The serving loop looks at the flag at least every 50 ms. (On Windows
    // the C runtime raises SIGINT on the console's Ctrl+C.)
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);

    std::optional<emu::UnitStore> store;
    if (!settings.folder.empty())
        store.emplace(settings.folder);
    emu::VirtualUnit unit(emu::VirtualUnit::Options{settings.model, settings.speed, store, {}});
    unit.wake();
    emu::PacedPort paced(
        port->line(), [&port] { return port->rate(); }, settings.speed);
    emu::FaultyLine line(paced, settings.faults.line, nullptr);
    line.onFired([](const std::string &what) {
        std::fprintf(stderr, "ovaline-unit: %s\n", what.c_str());
        std::fflush(stderr);
    });
    UnitServer server(line, unit, settings.faults.unit);
    server.onDataPhase([&line] { line.beginDataPhase(); });

    std::printf("PORT %s\n", port->hostPath().c_str());
    std::fflush(stdout);
    server.serve([] { return stopRequested != 0; }, std::chrono::milliseconds(50));
    if (!stopRequested) {
        std::fprintf(stderr, "ovaline-unit: the line hung up\n");
        return 1;
    }
    return 0;
}
