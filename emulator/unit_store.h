// SPDX-License-Identifier: MIT
// Keeps the virtual camera's state in a folder, so that separate processes
// (the program, the command-line client, tests) see the same camera.
//
// Layout: state.txt (key=value lines), slot1.jpg .. slot7.jpg for the slots
// that hold a picture, frozen.jpg while paused, line_bytes (the bytes that
// crossed the in-memory line so far), and .lock, which every
// process holds while it reads and changes the state.
#pragma once

#include "folder_lock.h"
#include "unit_state.h"

#include <filesystem>
#include <string>

namespace ovaline::emu {

class UnitStore {
public:
    explicit UnitStore(std::filesystem::path folder);

    // Holds the folder's lock for one read-change-write of the state.
    using Lock = FolderLock;

    // Makes the folder when it is missing and checks that files can be
    // written in it; false, saying why in `error`, when the camera could
    // not keep what it is given there.
    static bool prepareFolder(const std::filesystem::path &folder, std::string &error);

    const std::filesystem::path &folder() const { return folder_; }

    // Whether the folder holds a camera's state already.
    bool hasState() const;

    // False when the folder holds no state yet (or holds one that cannot be read).
    bool load(UnitState &state) const;
    // Writes each file whole (through a temporary file and a rename); the
    // pictures only when `pictures` says they changed.
    bool save(const UnitState &state, bool pictures) const;

    // Adds to the count of bytes that crossed the line (the file line_bytes),
    // under the folder's lock, without touching the rest of the state.
    bool addLineBytes(std::uint64_t bytes) const;

private:
    std::filesystem::path folder_;
};

} // namespace ovaline::emu
