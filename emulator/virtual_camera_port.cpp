// SPDX-License-Identifier: MIT
// The virtual camera behind the device library's port "virtual": a line in
// memory to the camera, which serves it on a thread of its own for the
// length of an exchange. Linked into the library, this installs itself.
#include "counting_line.h"
#include "faulty_line.h"
#include "memory_line.h"
#include "unit_config.h"
#include "unit_server.h"
#include "virtual_port.h"
#include "virtual_unit.h"

#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <thread>

namespace ovaline {
namespace {

std::array<std::atomic<bool>, 4> portInUse{};

// Without a folder the camera lives as long as the process.
emu::VirtualUnit &processUnit(const emu::UnitConfig &config) {
    static emu::VirtualUnit unit(emu::VirtualUnit::Options{config.model, config.speed, {}, {}});
    unit.setModel(config.model);
    unit.setSpeed(config.speed);
    return unit;
}

class VirtualLine final : public OpenLine {
public:
    VirtualLine(std::uint32_t port, std::uint32_t baud, std::chrono::nanoseconds byteTime,
                emu::UnitConfig config)
        : port_(port) {
        auto [host, unit] = MemoryLine::open(byteTime);
        host_ = std::move(host);
        if (config.folder)
            ownUnit_ = std::make_unique<emu::VirtualUnit>(emu::VirtualUnit::Options{
                config.model, config.speed, emu::UnitStore(*config.folder), {}});
        emu::VirtualUnit &model = ownUnit_ ? *ownUnit_ : processUnit(config);
        model.wake();
        thread_ = std::thread([this, end = std::move(unit), faults = config.faults, &model,
                               hears = config.hears(baud)] {
            CountingLine counted(*end);
            emu::FaultyLine line(counted, faults.line, end.get());
            // At a rate other than its own the camera makes nothing of the
            // bytes: it stays ready but silent.
            UnitFaults unitFaults = faults.unit;
            unitFaults.silent = unitFaults.silent || !hears;
            UnitServer server(line, model, unitFaults);
            server.onDataPhase([&line] { line.beginDataPhase(); });
            server.serve([this] { return stop_.load(); }, std::chrono::milliseconds(50));
            // What crossed the line, for tests that check what an exchange moved.
            model.countLineBytes(counted.bytes);
        });
    }

    ~VirtualLine() override {
        stop_ = true;
        host_.reset(); // hangs up the line
        thread_.join();
        portInUse[port_ - 1] = false;
    }

    Transport &transport() override { return *host_; }
    void interrupt() override { host_->interrupt(); }
    void resume() override { host_->resume(); }

private:
    std::uint32_t port_;
    std::unique_ptr<MemoryLine::End> host_;
    std::unique_ptr<emu::VirtualUnit> ownUnit_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

std::unique_ptr<OpenLine> openVirtualCamera(std::uint32_t port, std::uint32_t baud) {
    std::string error;
    const auto config = emu::configFromEnvironment(error);
    if (!config) {
        std::fprintf(stderr, "ovaline: virtual camera: %s\n", error.c_str());
        return nullptr;
    }
    if (portInUse[port - 1].exchange(true))
        return nullptr;
    // Ten bits a byte (start, eight data, stop), sped up by the factor.
    const double seconds = 10.0 / (static_cast<double>(baud) * config->speed);
    const auto byteTime = std::chrono::nanoseconds(std::llround(seconds * 1e9));
    return std::make_unique<VirtualLine>(port, baud, byteTime, *config);
}

[[maybe_unused]] const bool installed = (installVirtualPort(&openVirtualCamera), true);

} // namespace
} // namespace ovaline
