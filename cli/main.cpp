// ovaline-cli: the document camera from the command line.
#include "cli_options.h"
#include "describe.h"
#include "file_io.h"
#include "interruption.h"
#include "unit_client.h"

#include <cstdio>
#include <iostream>
#include <unistd.h>

namespace {

using namespace ovaline::cli;

enum ExitCode { kDone = 0, kUnitFailed = 1, kWrongUsage = 2, kFileFailed = 3 };

int reportFailure(const char *what, std::int32_t code) {
    if (code == OVALINE_CANCELLED)
        endInterrupted();
    const char *text = OvalineResultText(code);
    std::fprintf(stderr, "%s failed: %s (code %d)\n", what, text ? text : "unknown error",
                 static_cast<int>(code));
    return kUnitFailed;
}

// A progress line that rewrites itself, on a terminal only.
class ProgressLine {
public:
    ProgressLine(std::string label, std::uint32_t total)
        : label_(std::move(label)), total_(total), tty_(::isatty(STDERR_FILENO) != 0) {}
    ~ProgressLine() {
        if (tty_ && shown_)
            std::fputs("\r\033[K", stderr);
    }
    void operator()(std::uint32_t bytes) {
        if (!tty_)
            return;
        shown_ = true;
        std::string line = "\r" + label_ + ": " + groupDigits(bytes);
        if (total_ > 0)
            line += " of " + groupDigits(total_) + " bytes (" +
                    std::to_string(bytes * 100ull / total_) + "%)";
        else
            line += " bytes";
        std::fputs(line.c_str(), stderr);
        std::fflush(stderr);
    }

private:
    std::string label_;
    std::uint32_t total_;
    bool tty_;
    bool shown_ = false;
};

int receiveSlot(const UnitClient &unit, int slot, const std::string &folder) {
    std::int32_t code = 0;
    std::vector<std::uint8_t> picture;
    {
        ProgressLine line("Receiving slot " + std::to_string(slot), 0);
        picture = unit.receive(slot, std::ref(line), code);
    }
    if (code != 0)
        return reportFailure(("Receiving slot " + std::to_string(slot)).c_str(), code);
    const std::filesystem::path path =
        std::filesystem::path(folder) / ("slot" + std::to_string(slot) + ".jpg");
    std::string error;
    if (!writeWhole(path, picture, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kFileFailed;
    }
    std::printf("slot %d: %s bytes -> %s\n", slot, groupDigits(picture.size()).c_str(),
                path.c_str());
    return kDone;
}

int receive(const UnitClient &unit, const Options &options) {
    std::error_code ignored;
    std::filesystem::create_directories(options.outputFolder, ignored);
    if (!options.all) {
        const auto slot = parseSlot(options.arguments[0]);
        if (!slot) {
            std::fprintf(stderr, "the slot is 1..7\n");
            return kWrongUsage;
        }
        return receiveSlot(unit, *slot, options.outputFolder);
    }
    std::int32_t code = 0;
    const std::string map = unit.command("QS", '1', "  ", code);
    if (code != 0)
        return reportFailure("Reading the slot map", code);
    int result = kDone;
    int received = 0;
    for (int slot = 1; slot <= 7; ++slot) {
        if (map[static_cast<std::size_t>(slot)] == '0')
            continue;
        if (const int r = receiveSlot(unit, slot, options.outputFolder); r != kDone)
            result = r;
        else
            ++received;
    }
    if (received == 0 && result == kDone)
        std::printf("no slot holds a picture\n");
    return result;
}

int send(const UnitClient &unit, const Options &options) {
    const auto slot = parseSlot(options.arguments[1]);
    if (!slot) {
        std::fprintf(stderr, "the slot is 1..7\n");
        return kWrongUsage;
    }
    std::vector<std::uint8_t> picture;
    std::string error;
    if (!readPicture(options.arguments[0], picture, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kFileFailed;
    }
    std::int32_t code = 0;
    {
        ProgressLine line("Sending to slot " + std::to_string(*slot),
                          static_cast<std::uint32_t>(picture.size()));
        code = unit.send(*slot, picture, std::ref(line));
    }
    if (code != 0)
        return reportFailure(("Sending to slot " + std::to_string(*slot)).c_str(), code);
    std::printf("slot %d: %s bytes sent\n", *slot, groupDigits(picture.size()).c_str());
    return kDone;
}

int memory(const UnitClient &unit, const Options &options, char arg) {
    const auto slot = parseSlot(options.arguments[0]);
    if (!slot) {
        std::fprintf(stderr, "the slot is 1..7\n");
        return kWrongUsage;
    }
    std::int32_t code = 0;
    unit.command("CE", arg, std::string("0") + static_cast<char>('0' + *slot), code);
    if (code != 0)
        return reportFailure(arg == '0' ? "Storing" : "Recalling", code);
    std::printf("%s slot %d\n", arg == '0' ? "stored into" : "recalled", *slot);
    return kDone;
}

int rawCommand(const UnitClient &unit, const Options &options) {
    const std::string &letters = options.arguments[0];
    const std::string &arg = options.arguments[1];
    const std::string param = options.arguments.size() > 2 ? options.arguments[2] : "  ";
    if (letters.size() != 2 || arg.size() != 1 || param.size() != 2) {
        std::fprintf(stderr, "command takes two letters, one argument character and an "
                             "optional two-character parameter\n");
        return kWrongUsage;
    }
    std::int32_t code = 0;
    const std::string reply = unit.command(letters, arg[0], param, code);
    if (code != 0)
        return reportFailure(("Command " + letters).c_str(), code);
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
            return reportFailure("Asking the model", code);
        std::printf("%s\n", reply.c_str());
        return kDone;
    }
    if (options.action == "status" || options.action == "map") {
        const bool status = options.action == "status";
        const std::string reply = unit.command("QS", status ? '0' : '1', "  ", code);
        if (code != 0)
            return reportFailure(status ? "Asking the status" : "Asking the slot map", code);
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
    return rawCommand(unit, options);
}

} // namespace

int main(int argc, char **argv) {
    std::string error;
    const auto options = parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "ovaline-cli: %s\n\n%s", error.c_str(), kUsage);
        return kWrongUsage;
    }
    if (options->help) {
        std::fputs(kUsage, stdout);
        return kDone;
    }
    catchInterruptions();
    const int result = run(*options);
    if (interruption())
        endInterrupted();
    return result;
}
