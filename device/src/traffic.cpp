// SPDX-License-Identifier: MIT
// The library's entry points.
#include "ovaline.h"

#include "host_session.h"
#include "open_failure.h"
#include "open_line.h"
#include "port_names.h"
#include "request.h"
#include "running_exchanges.h"

#include <algorithm>
#include <new>
#include <string>

namespace {

using namespace ovaline;

std::uint32_t *field(TrafficBlock *block, std::size_t offset) {
    return reinterpret_cast<std::uint32_t *>(reinterpret_cast<char *>(block) + offset);
}

void publishProgress(TrafficBlock *block, std::uint32_t bytes) {
    __atomic_store_n(field(block, offsetof(TrafficBlock, progress)), bytes, __ATOMIC_RELEASE);
}

std::int32_t exchange(HostSession &session, const Request &request, TrafficBlock *block,
                      RunningExchange &running) {
    std::uint32_t shown = 0;
    const ProgressFn progress = [block, &shown](std::uint32_t bytes) {
        // Progress only ever rises, even when blocks are fetched again.
        if (bytes > shown) {
            shown = bytes;
            publishProgress(block, bytes);
        }
    };
    switch (request.kind) {
    case Request::Kind::Receive:
        publishProgress(block, 0);
        return session.receive(request.frame, request.data, request.length, progress,
                               [&running](const std::uint8_t *picture, std::uint32_t length) {
                                   running.publishPrefix(picture, length);
                               });
    case Request::Kind::Send:
        publishProgress(block, 0);
        return session.send(request.frame, request.data, request.length, progress);
    case Request::Kind::Command:
        break;
    }
    return session.command(request.frame, request.data, request.length);
}

std::int32_t perform(TrafficBlock *block, TimePoint limit) {
    RunningExchange running(block);
    Request request;
    if (const std::int32_t code = readRequest(*block, request))
        return code;
    if (running.cancelled())
        return OVALINE_CANCELLED;
    std::int32_t code = OVALINE_OK;
    const auto line = openPort(request.port, request.baud, code);
    if (!line)
        return code;

    HostSession session(line->transport());
    session.setLimit(limit);
    {
        // Detached on every way out, before the line closes.
        running.attach(*line);
        const struct Attached {
            RunningExchange &running;
            ~Attached() { running.detach(); }
        } attached{running};
        code = exchange(session, request, block, running);
    }
    // An exchange that was over before the cancel took hold keeps its result.
    if (code == OVALINE_OK || !running.cancelled())
        return code;
    line->resume();
    session.abort();
    return OVALINE_CANCELLED;
}

std::int32_t traffic(TrafficBlock *block, TimePoint limit) {
    if (block == nullptr)
        return OVALINE_E_SETUP;
    std::int32_t code = OVALINE_E_SETUP;
    try {
        code = perform(block, limit);
    } catch (const std::bad_alloc &) {
        code = OVALINE_E_QUEUE_OVERFLOW;
    } catch (...) {
        code = OVALINE_E_SETUP;
    }
    // The result is in place before busy goes to 0.
    __atomic_store_n(field(block, offsetof(TrafficBlock, result)), static_cast<std::uint32_t>(code),
                     __ATOMIC_RELEASE);
    __atomic_store_n(field(block, offsetof(TrafficBlock, busy)), 0u, __ATOMIC_RELEASE);
    return code;
}

// A text into the caller's buffer, cut to fit and terminated; its whole length.
std::int32_t copyOut(const std::string &text, char *buffer, size_t size) {
    if (buffer && size > 0) {
        const size_t kept = std::min(text.size(), size - 1);
        text.copy(buffer, kept);
        buffer[kept] = '\0';
    }
    return static_cast<std::int32_t>(text.size());
}

} // namespace

extern "C" OVALINE_API std::int32_t OVALINE_CALL OvalineTraffic(TrafficBlock *block) {
    return traffic(block, TimePoint::max());
}

extern "C" OVALINE_API std::int32_t OVALINE_CALL OvalineTrafficWithin(TrafficBlock *block,
                                                                      std::uint32_t milliseconds) {
    return traffic(block, Clock::now() + std::chrono::milliseconds(milliseconds));
}

extern "C" OVALINE_API std::int32_t OVALINE_CALL OvalineCancel(TrafficBlock *block) {
    if (block == nullptr)
        return -1;
    return ovaline::cancelExchange(block) ? 0 : -1;
}

extern "C" OVALINE_API std::int32_t OVALINE_CALL OvalineReceivedPrefix(const TrafficBlock *block,
                                                                       std::uint8_t *buffer,
                                                                       std::uint32_t size) {
    if (block == nullptr)
        return -1;
    return ovaline::copyReceivedPrefix(block, buffer, buffer ? size : 0);
}

extern "C" OVALINE_API std::int32_t OVALINE_CALL OvalineSetPortName(std::int32_t port,
                                                                    const char *name) {
    return ovaline::setPortName(port, name);
}

extern "C" OVALINE_API std::int32_t OVALINE_CALL OvalineGetPortName(std::int32_t port, char *buffer,
                                                                    size_t size) {
    if (port < 1 || port > 4)
        return -1;
    return copyOut(ovaline::portName(static_cast<std::uint32_t>(port)), buffer, size);
}

extern "C" OVALINE_API std::int32_t OVALINE_CALL OvalineOpenFailureCause(const char *name,
                                                                         char *buffer,
                                                                         size_t size) {
    return copyOut(ovaline::openFailureCause(name ? name : ""), buffer, size);
}
