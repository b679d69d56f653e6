// SPDX-License-Identifier: MIT
// Keeps what went wrong since an exchange last made progress, so that a
// failed exchange is reported by its real cause: a line error counted by the
// port, a refusal, a frame out of shape, a damaged or unexpected answer, or
// silence.
#pragma once

#include "frame.h"
#include "transport.h"

#include <cstdint>

namespace ovaline {

class FailureWitness {
public:
    FailureWitness(Transport &line, FrameReader &reader);

    // What happened before no longer explains a failure.
    void progressed();

    void sawNak() { nak_ = true; }
    void sawUnexpected() { unexpected_ = true; }
    // A wait ended without an answer; a later answer clears this.
    void sawSilence() { nak_ = false; }

    // The result code for a failure; `silence` is used when nothing at all arrived.
    std::int32_t code(std::int32_t silence);

private:
    Transport &line_;
    FrameReader &reader_;
    LineErrors baseline_;
    bool nak_ = false;
    bool unexpected_ = false;
};

} // namespace ovaline
