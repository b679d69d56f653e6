// SPDX-License-Identifier: MIT
// A line that counts every byte passing through it, both ways.
#pragma once

#include "forwarding_transport.h"

namespace ovaline {

class CountingLine final : public ForwardingTransport {
public:
    using ForwardingTransport::ForwardingTransport;
    std::size_t bytes = 0;

    IoStatus write(const std::uint8_t *data, std::size_t size, TimePoint deadline) override {
        const IoStatus status = inner_.write(data, size, deadline);
        if (status == IoStatus::Ok)
            bytes += size;
        return status;
    }
    IoStatus read(std::uint8_t *buffer, std::size_t atLeast, std::size_t most, TimePoint deadline,
                  std::size_t &got) override {
        const IoStatus status = inner_.read(buffer, atLeast, most, deadline, got);
        bytes += got;
        return status;
    }
};

} // namespace ovaline
