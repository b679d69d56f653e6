// SPDX-License-Identifier: MIT
#include "unit_store.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

namespace ovaline::emu {
namespace fs = std::filesystem;
namespace {

// Modification time in nanoseconds since the epoch; 0 when the file is
// missing.
std::int64_t modifiedAt(const fs::path &path) {
    std::error_code error;
    const fs::file_time_type modified = fs::last_write_time(path, error);
    if (error)
        return 0;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               fs::file_time_type::clock::to_sys(modified).time_since_epoch())
        .count();
}

bool readFile(const fs::path &path, std::vector<std::uint8_t> &out) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size < 0)
        return false;
    out.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char *>(out.data()), size);
    return static_cast<std::streamoff>(in.gcount()) == size;
}

bool writeFileWhole(const fs::path &path, const void *data, std::size_t size) {
    const fs::path temporary = path.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(static_cast<const char *>(data), static_cast<std::streamsize>(size));
        out.flush();
        if (!out)
            return false;
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    return !error;
}

bool writeOrRemove(const fs::path &path, const std::vector<std::uint8_t> &bytes) {
    if (!bytes.empty())
        return writeFileWhole(path, bytes.data(), bytes.size());
    std::error_code error;
    fs::remove(path, error);
    return !error;
}

fs::path slotPath(const fs::path &folder, int index) {
    return folder / ("slot" + std::to_string(index + 1) + ".jpg");
}

// "size:crc:mtime" of each slot, comma-separated, as the state file keeps
// them: the CRC-32 holds for the file of that size and modification time.
std::string printsText(const UnitState &state,
                       const std::array<std::int64_t, kSlotCount> &fileTimes) {
    std::string text;
    char item[64];
    for (int i = 0; i < kSlotCount; ++i) {
        const SlotContent &slot = state.memory[i];
        std::snprintf(item, sizeof item, "%s%zu:%08x:%lld", text.empty() ? "" : ",",
                      slot.jpeg.size(), static_cast<unsigned>(slot.crc),
                      static_cast<long long>(fileTimes[i]));
        text += item;
    }
    return text;
}

// A slot's picture read back with the CRC-32 the state file kept for it.
// A file whose size or modification time differs from the kept ones (it was
// replaced in the folder), or one modified no earlier than the state file
// was written (a change in the same tick of the clock would not show), has
// its CRC-32 worked out anew.
void holdRead(SlotContent &slot, std::vector<std::uint8_t> bytes, std::int64_t modified,
              std::int64_t stateWritten, std::istringstream &prints) {
    std::string item;
    std::size_t size = 0;
    unsigned crc = 0;
    long long kept = 0;
    if (std::getline(prints, item, ',') &&
        std::sscanf(item.c_str(), "%zu:%x:%lld", &size, &crc, &kept) == 3 && size == bytes.size() &&
        kept == modified && modified < stateWritten)
        slot.hold(std::move(bytes), crc);
    else
        slot.hold(std::move(bytes));
}

std::uint64_t readLineBytes(const fs::path &folder) {
    std::ifstream in(folder / "line_bytes");
    std::uint64_t bytes = 0;
    return in >> bytes ? bytes : 0;
}

} // namespace

UnitStore::UnitStore(fs::path folder) : folder_(std::move(folder)) {}

bool UnitStore::prepareFolder(const fs::path &folder, std::string &error) {
    std::error_code made;
    fs::create_directories(folder, made);
    if (made) {
        error = "cannot make the folder " + folder.string() + ": " + made.message();
        return false;
    }
    // Permissions do not tell (root writes anywhere, a read-only mount
    // refuses everyone): write a file and remove it again.
    const fs::path probe = folder / (".probe-" + std::to_string(std::random_device{}()));
    errno = 0;
    if (!std::ofstream(probe, std::ios::binary)) {
        error = "cannot write in the folder " + folder.string() + ": " + std::strerror(errno);
        return false;
    }
    fs::remove(probe, made);
    return true;
}

bool UnitStore::hasState() const {
    std::error_code error;
    return fs::exists(folder_ / "state.txt", error);
}

bool UnitStore::load(UnitState &state) const {
    std::ifstream in(folder_ / "state.txt");
    if (!in)
        return false;
    std::map<std::string, std::string> values;
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos)
            values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    if (values.count("model") == 0)
        return false;
    UnitState loaded;
    try {
        const auto number = [&](const char *key, double fallback) {
            const auto it = values.find(key);
            return it == values.end() ? fallback : std::stod(it->second);
        };
        const auto flag = [&](const char *key) {
            const auto it = values.find(key);
            return it != values.end() && it->second == "1";
        };
        loaded.model = values["model"];
        loaded.lamp = values["lamp"].empty() ? '0' : values["lamp"][0];
        loaded.input = static_cast<int>(number("input", 0));
        loaded.negative = flag("negative");
        loaded.monochrome = flag("monochrome");
        loaded.pointer = flag("pointer");
        loaded.twice = flag("twice");
        loaded.pause = flag("pause");
        loaded.panelLocked = flag("panel_locked");
        loaded.zoom = number("zoom", 1);
        loaded.focus = number("focus", 0.5);
        loaded.iris = number("iris", 0.5);
        loaded.pointerX = number("pointer_x", 0.5);
        loaded.pointerY = number("pointer_y", 0.5);
        loaded.panX = number("pan_x", 0.5);
        loaded.panY = number("pan_y", 0.5);
        loaded.zoomMove = static_cast<int>(number("zoom_move", 0));
        loaded.focusMove = static_cast<int>(number("focus_move", 0));
        loaded.irisMove = static_cast<int>(number("iris_move", 0));
        loaded.padMove = static_cast<int>(number("pad_move", 0));
        loaded.movedAt = number("moved_at", 0);
        loaded.recalled = static_cast<int>(number("recalled", 0));
        loaded.readingUntil = number("reading_until", 0);
        const std::string locked = values["locked"];
        std::istringstream prints(values["prints"]);
        const std::int64_t stateWritten = modifiedAt(folder_ / "state.txt");
        for (int i = 0; i < kSlotCount; ++i) {
            loaded.memory[i].locked = i < static_cast<int>(locked.size()) && locked[i] == 'P';
            std::vector<std::uint8_t> bytes;
            loaded.slotFileTimes[i] = modifiedAt(slotPath(folder_, i));
            readFile(slotPath(folder_, i), bytes);
            holdRead(loaded.memory[i], std::move(bytes), loaded.slotFileTimes[i], stateWritten,
                     prints);
        }
        if (loaded.pause)
            readFile(folder_ / "frozen.jpg", loaded.frozen);
        loaded.lineBytes = readLineBytes(folder_);
    } catch (const std::exception &) {
        return false;
    }
    state = std::move(loaded);
    return true;
}

bool UnitStore::save(const UnitState &state, bool pictures) const {
    std::error_code error;
    fs::create_directories(folder_, error);
    bool ok = true;
    std::array<std::int64_t, kSlotCount> fileTimes = state.slotFileTimes;
    if (pictures) {
        for (int i = 0; i < kSlotCount; ++i) {
            ok = writeOrRemove(slotPath(folder_, i), state.memory[i].jpeg) && ok;
            fileTimes[i] = modifiedAt(slotPath(folder_, i));
        }
        ok = writeOrRemove(folder_ / "frozen.jpg", state.frozen) && ok;
    }

    std::ostringstream text;
    text.precision(17);
    std::string locked;
    for (const SlotContent &slot : state.memory)
        locked += slot.locked ? 'P' : '-';
    text << "model=" << state.model << "\nlamp=" << state.lamp << "\ninput=" << state.input
         << "\nnegative=" << state.negative << "\nmonochrome=" << state.monochrome
         << "\npointer=" << state.pointer << "\ntwice=" << state.twice << "\npause=" << state.pause
         << "\npanel_locked=" << state.panelLocked << "\nzoom=" << state.zoom
         << "\nfocus=" << state.focus << "\niris=" << state.iris << "\npointer_x=" << state.pointerX
         << "\npointer_y=" << state.pointerY << "\npan_x=" << state.panX << "\npan_y=" << state.panY
         << "\nzoom_move=" << state.zoomMove << "\nfocus_move=" << state.focusMove
         << "\niris_move=" << state.irisMove << "\npad_move=" << state.padMove
         << "\nmoved_at=" << state.movedAt << "\nrecalled=" << state.recalled
         << "\nreading_until=" << state.readingUntil << "\nlocked=" << locked
         << "\nprints=" << printsText(state, fileTimes) << "\n";
    const std::string body = text.str();
    return writeFileWhole(folder_ / "state.txt", body.data(), body.size()) && ok;
}

bool UnitStore::addLineBytes(std::uint64_t bytes) const {
    const Lock lock(folder_);
    const std::string text = std::to_string(readLineBytes(folder_) + bytes) + "\n";
    return lock.held() && writeFileWhole(folder_ / "line_bytes", text.data(), text.size());
}

} // namespace ovaline::emu
