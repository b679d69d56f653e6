// SPDX-License-Identifier: MIT
#include "virtual_unit.h"

#include "fingerprint.h"
#include "frame.h"
#include "jpeg_codec.h"
#include "unit_models.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace ovaline::emu {
namespace {

// Rates per second of unit time while a button is held.
const double kZoomRate = std::log(8.0) / 4.0; // widest to tele in four seconds
constexpr double kFocusRate = 0.25;
constexpr double kIrisRate = 0.25;
constexpr double kPadRate = 0.25; // of the picture's width or height

constexpr std::size_t kMaxPicture = 65535;

struct Step {
    double dx;
    double dy;
};

// Pad codes: 1 right, 2 left, 3 up, 4 down, 5 up-right, 6 up-left,
// 7 down-right, 8 down-left.
Step padStep(int code) {
    constexpr double d = 0.70710678118654752;
    switch (code) {
    case 1:
        return {1, 0};
    case 2:
        return {-1, 0};
    case 3:
        return {0, -1};
    case 4:
        return {0, 1};
    case 5:
        return {d, -d};
    case 6:
        return {-d, -d};
    case 7:
        return {d, d};
    case 8:
        return {-d, d};
    default:
        return {0, 0};
    }
}

int moveOf(std::uint8_t arg) {
    return arg == '+' ? 1 : arg == '-' ? -1 : 0;
}

bool isOneOf(std::uint8_t arg, std::string_view allowed) {
    return allowed.find(static_cast<char>(arg)) != std::string_view::npos;
}

std::vector<std::uint8_t> stockPicture(Scene scene, const UnitModelInfo &model) {
    return encodeJpeg(renderScene(scene, CameraView{}, model.width, model.height), kMaxPicture);
}

const UnitModelInfo &modelOrDefault(const std::string &reply) {
    const UnitModelInfo *model = findUnitModel(reply);
    return model ? *model : *findUnitModel(kDefaultUnitModel);
}

} // namespace

VirtualUnit::VirtualUnit(Options options) : options_(std::move(options)) {
    options_.model = std::string(modelOrDefault(options_.model).reply);
}

void VirtualUnit::setModel(const std::string &model) {
    std::lock_guard lock(mutex_);
    options_.model = std::string(modelOrDefault(model).reply);
}

void VirtualUnit::setSpeed(double speed) {
    std::lock_guard lock(mutex_);
    if (speed > 0)
        options_.speed = speed;
}

double VirtualUnit::now() const {
    if (options_.wallClock)
        return options_.wallClock();
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void VirtualUnit::loadOrCreate() {
    if (loaded_)
        return;
    if (options_.store && options_.store->load(state_)) {
        loaded_ = true;
        return;
    }
    // First start: three pictures, a protected one, three empty slots.
    const UnitModelInfo &model = modelOrDefault(options_.model);
    state_ = UnitState{};
    state_.model = options_.model;
    state_.movedAt = now();
    state_.memory[0].hold(stockPicture(Scene::Lesson, model));
    state_.memory[1].hold(stockPicture(Scene::Chart, model));
    state_.memory[2].hold(stockPicture(Scene::Map, model));
    state_.memory[3].hold(stockPicture(Scene::Notice, model));
    state_.memory[3].locked = true;
    firstStart_ = state_;
    loaded_ = true;
    if (options_.store)
        options_.store->save(state_, true);
}

template <typename Change> auto VirtualUnit::transact(Change change) {
    std::lock_guard lock(mutex_);
    std::optional<UnitStore::Lock> folderLock;
    if (options_.store) {
        // Another process may have changed the camera since we last looked.
        folderLock.emplace(options_.store->folder());
        loaded_ = false;
    }
    loadOrCreate();
    state_.model = options_.model;
    const double time = now();
    settle(state_, time);
    bool pictures = false;
    auto result = change(state_, time, pictures);
    if (options_.store)
        options_.store->save(state_, pictures);
    return result;
}

void VirtualUnit::settle(UnitState &s, double time) const {
    const double dt = std::max(0.0, time - s.movedAt) * options_.speed;
    s.movedAt = time;
    if (dt <= 0)
        return;
    s.zoom = std::clamp(s.zoom * std::exp(s.zoomMove * kZoomRate * dt), 1.0, 8.0);
    s.focus = std::clamp(s.focus + s.focusMove * kFocusRate * dt, 0.0, 1.0);
    s.iris = std::clamp(s.iris + s.irisMove * kIrisRate * dt, 0.0, 1.0);
    const Step step = padStep(s.padMove);
    if (s.pointer) {
        s.pointerX = std::clamp(s.pointerX + step.dx * kPadRate * dt, 0.0, 1.0);
        s.pointerY = std::clamp(s.pointerY + step.dy * kPadRate * dt, 0.0, 1.0);
    } else if (s.twice) {
        s.panX = std::clamp(s.panX + step.dx * kPadRate * dt, 0.25, 0.75);
        s.panY = std::clamp(s.panY + step.dy * kPadRate * dt, 0.25, 0.75);
    }
}

CameraView VirtualUnit::viewOf(const UnitState &s) const {
    CameraView view;
    view.zoom = s.zoom;
    view.focus_error = std::min(1.0, std::abs(s.focus - 0.5) * 2.0);
    view.iris = s.iris;
    view.lamp = s.lamp == '2' ? Lamp::Upper : s.lamp == '1' ? Lamp::Base : Lamp::Off;
    view.negative = s.negative;
    view.monochrome = s.monochrome;
    view.pointer = s.pointer;
    view.pointer_x = s.pointerX;
    view.pointer_y = s.pointerY;
    view.twice = s.twice;
    view.pan_x = s.panX;
    view.pan_y = s.panY;
    view.input = s.input;
    return view;
}

std::vector<std::uint8_t> VirtualUnit::livePicture(const UnitState &s) const {
    if (s.recalled >= 1 && s.recalled <= kSlotCount && !s.memory[s.recalled - 1].jpeg.empty())
        return s.memory[s.recalled - 1].jpeg;
    if (s.pause && !s.frozen.empty())
        return s.frozen;
    const UnitModelInfo &model = modelOrDefault(s.model);
    return encodeJpeg(renderScene(Scene::Stage, viewOf(s), model.width, model.height), kMaxPicture);
}

std::vector<std::uint8_t> VirtualUnit::controlState(const UnitState &s) const {
    const auto bit = [](bool on) { return static_cast<std::uint8_t>(on ? '1' : '0'); };
    return {static_cast<std::uint8_t>(s.lamp),
            static_cast<std::uint8_t>('0' + s.input),
            bit(s.negative),
            bit(s.monochrome),
            bit(s.pointer),
            bit(s.twice),
            bit(s.pause),
            bit(s.panelLocked)};
}

std::vector<std::uint8_t> VirtualUnit::slotMap(const UnitState &s, double time) const {
    std::vector<std::uint8_t> map{static_cast<std::uint8_t>(time < s.readingUntil ? '1' : '0')};
    for (const SlotContent &slot : s.memory)
        map.push_back(slot.jpeg.empty() ? '0' : slot.locked ? 'P' : '1');
    return map;
}

SlotPrints VirtualUnit::fingerprints(const UnitState &s) const {
    SlotPrints prints{};
    for (int i = 0; i < kSlotCount; ++i)
        prints[i] = {static_cast<std::uint32_t>(s.memory[i].jpeg.size()), s.memory[i].crc};
    return prints;
}

CommandAnswer VirtualUnit::apply(UnitState &s, const std::uint8_t frame[7], double time) {
    const std::string letters{static_cast<char>(frame[1]), static_cast<char>(frame[2])};
    const std::uint8_t arg = frame[3];
    const CommandAnswer unknown{nak::kUnknown, {}};
    const UnitModelInfo &model = modelOrDefault(s.model);
    // Working the optics or the picture returns the output to the live stage.
    const auto live = [&s] { s.recalled = 0; };

    if (letters == "QR") {
        if (arg != '0')
            return unknown;
        // The model, then the firmware revision.
        std::vector<std::uint8_t> reply(model.reply.begin(), model.reply.end());
        reply.push_back('0');
        reply.push_back('1');
        return {0, reply};
    }
    if (letters == "QS") {
        if (arg == '0')
            return {0, controlState(s)};
        if (arg == '1')
            return {0, slotMap(s, time)};
        return unknown;
    }
    if (isFingerprintQuery(letters[0], letters[1])) {
        if (arg != '0')
            return unknown;
        const SlotPrints prints = fingerprints(s);
        return {0, letters == "QF" ? fingerprintsReply(prints) : stampReply(prints)};
    }
    if (letters == "CE") {
        if (frame[4] != '0' || frame[5] < '1' || frame[5] > '7' || (arg != '0' && arg != '1'))
            return unknown;
        SlotContent &slot = s.memory[frame[5] - '1'];
        if (arg == '1') {
            if (slot.jpeg.empty())
                return unknown;
            s.recalled = frame[5] - '0';
            return {0, slotMap(s, time)};
        }
        if (time < s.readingUntil)
            return {nak::kBusy, {}};
        if (slot.locked)
            return {nak::kProtected, {}};
        std::vector<std::uint8_t> picture = livePicture(s);
        if (picture.empty())
            return {nak::kRefused, {}};
        slot.hold(std::move(picture));
        s.readingUntil = time + kStoreSeconds / options_.speed;
        return {0, slotMap(s, time)};
    }

    if (letters == "AF" && arg == '0') {
        s.focus = 0.5;
        s.focusMove = 0;
        live();
    } else if (letters == "FO" && isOneOf(arg, "+-0")) {
        s.focusMove = moveOf(arg);
        live();
    } else if (letters == "ZO" && isOneOf(arg, "+-0")) {
        s.zoomMove = moveOf(arg);
        live();
    } else if (letters == "IR" && isOneOf(arg, "1+-0")) {
        s.irisMove = moveOf(arg);
        if (arg == '1')
            s.iris = 0.5;
        live();
    } else if (letters == "PL" && isOneOf(arg, "012")) {
        s.lamp = static_cast<char>(arg);
        live();
    } else if (letters == "AV" && isOneOf(arg, model.hasSubInput ? "0123" : "012")) {
        s.input = arg - '0';
        live();
    } else if (letters == "NP" && isOneOf(arg, "01")) {
        s.negative = arg == '1';
        live();
    } else if (letters == "CB" && isOneOf(arg, "01")) {
        s.monochrome = arg == '1';
        live();
    } else if (letters == "PO" && isOneOf(arg, "01")) {
        s.pointer = arg == '1';
    } else if (letters == "PM" && arg >= '0' && arg <= '8') {
        s.padMove = arg - '0';
        if (arg != '0')
            live();
    } else if (letters == "MA" && isOneOf(arg, "01")) {
        s.twice = arg == '1';
        live();
    } else if (letters == "FZ" && isOneOf(arg, "01")) {
        if (arg == '1' && !s.pause)
            s.frozen = livePicture(s);
        if (arg == '0')
            s.frozen.clear();
        s.pause = arg == '1';
    } else if (letters == "LL" && isOneOf(arg, "01")) {
        s.panelLocked = arg == '1';
    } else {
        return unknown;
    }
    return {0, controlState(s)};
}

CommandAnswer VirtualUnit::command(const std::uint8_t frame[7]) {
    return transact([&](UnitState &s, double time, bool &pictures) {
        const std::vector<std::uint8_t> frozenBefore = s.frozen;
        const auto before = s.memory;
        CommandAnswer answer = apply(s, frame, time);
        pictures = s.frozen != frozenBefore ||
                   !std::equal(before.begin(), before.end(), s.memory.begin(),
                               [](auto &a, auto &b) { return a.jpeg == b.jpeg; });
        return answer;
    });
}

SlotPicture VirtualUnit::picture(int slot) {
    if (slot < 1 || slot > kSlotCount)
        return {SlotPicture::State::NoSuchSlot, {}};
    return transact([&](UnitState &s, double, bool &) {
        const SlotContent &content = s.memory[slot - 1];
        if (content.jpeg.empty())
            return SlotPicture{SlotPicture::State::Empty, {}};
        return SlotPicture{SlotPicture::State::Held, content.jpeg};
    });
}

std::uint8_t VirtualUnit::canStore(int slot, std::uint32_t size) {
    if (slot < 1 || slot > kSlotCount)
        return nak::kUnknown;
    if (size == 0 || size > kMaxPicture)
        return nak::kLength;
    return transact([&](UnitState &s, double time, bool &) -> std::uint8_t {
        if (time < s.readingUntil)
            return nak::kBusy;
        return s.memory[slot - 1].locked ? nak::kProtected : 0;
    });
}

bool VirtualUnit::acceptPicture(const std::uint8_t *data, std::size_t size) {
    // The header first: a picture larger than the unit's own is refused
    // before anything is allocated for its pixels.
    const auto declared = readJpegSize(data, size);
    std::string model;
    {
        std::lock_guard lock(mutex_);
        model = options_.model;
    }
    return declared && fitsPicture(modelOrDefault(model), declared->width, declared->height) &&
           decodeJpeg(data, size).has_value();
}

void VirtualUnit::store(int slot, std::vector<std::uint8_t> picture) {
    if (slot < 1 || slot > kSlotCount)
        return;
    transact([&](UnitState &s, double, bool &pictures) {
        if (!s.memory[slot - 1].locked) {
            s.memory[slot - 1].hold(std::move(picture));
            pictures = true;
        }
        return 0;
    });
}

void VirtualUnit::wake() {
    {
        std::lock_guard lock(mutex_);
        // Every command loads a stored state anyway; only a camera that
        // has none yet needs its first-start pictures now.
        if (loaded_ || (options_.store && options_.store->hasState()))
            return;
    }
    transact([](UnitState &, double, bool &) { return 0; });
}

void VirtualUnit::countLineBytes(std::uint64_t bytes) {
    std::lock_guard lock(mutex_);
    if (options_.store)
        options_.store->addLineBytes(bytes);
    else
        state_.lineBytes += bytes;
}

void VirtualUnit::reset() {
    std::lock_guard lock(mutex_);
    if (firstStart_)
        state_ = *firstStart_;
    else
        loaded_ = false;
}

UnitState VirtualUnit::snapshot() {
    return transact([](UnitState &s, double, bool &) { return s; });
}

} // namespace ovaline::emu
