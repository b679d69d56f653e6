// SPDX-License-Identifier: MIT
// Everything the virtual camera remembers: its controls, what is moving, and
// its seven memory slots.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ovaline::emu {

inline constexpr int kSlotCount = 7;

struct SlotContent {
    std::vector<std::uint8_t> jpeg; // empty: the slot holds nothing; change it through hold()
    bool locked = false;            // protected: a picture may not be written over it
    std::uint32_t crc = 0;          // CRC-32 of jpeg, kept with it for the fingerprint query

    // Takes a new picture (empty for none) and its CRC-32.
    void hold(std::vector<std::uint8_t> picture);
    // Takes a picture whose CRC-32 is known already (read back from the store).
    void hold(std::vector<std::uint8_t> picture, std::uint32_t knownCrc);
};

struct UnitState {
    std::string model;
    // Controls, as the control-state query reports them.
    char lamp = '0'; // '0' off, '1' base, '2' upper
    int input = 0;   // 0 main, 1 AV 1, 2 AV 2, 3 SUB
    bool negative = false;
    bool monochrome = false;
    bool pointer = false;
    bool twice = false;
    bool pause = false;
    bool panelLocked = false;
    // Optics, 0..1 except zoom (1..8). The picture is sharp at focus 0.5.
    double zoom = 1.0;
    double focus = 0.5;
    double iris = 0.5;
    double pointerX = 0.5;
    double pointerY = 0.5;
    double panX = 0.5;
    double panY = 0.5;
    // Motions started by a held button: -1, 0 or +1; the pointer pad 0..8.
    int zoomMove = 0;
    int focusMove = 0;
    int irisMove = 0;
    int padMove = 0;
    double movedAt = 0; // wall-clock seconds when the motions were last applied
    // The still shown while paused, and the slot recalled to the output (0 none).
    std::vector<std::uint8_t> frozen;
    int recalled = 0;
    double readingUntil = 0;                    // wall-clock seconds; a store is running until then
    std::array<SlotContent, kSlotCount> memory; // the seven slots
    // Where a folder keeps the camera: each slot file's modification time
    // (nanoseconds) when its picture was read or written, 0 for none.
    std::array<std::int64_t, kSlotCount> slotFileTimes{};
    std::uint64_t lineBytes = 0; // bytes that crossed the in-memory line, both ways, so far
};

} // namespace ovaline::emu
