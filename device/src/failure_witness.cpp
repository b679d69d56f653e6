// SPDX-License-Identifier: MIT
#include "failure_witness.h"

#include "ovaline.h"

namespace ovaline {

FailureWitness::FailureWitness(Transport &line, FrameReader &reader)
    : line_(line), reader_(reader), baseline_(line.lineErrors()) {}

void FailureWitness::progressed() {
    baseline_ = line_.lineErrors();
    reader_.clearDamage();
    nak_ = false;
    unexpected_ = false;
}

std::int32_t FailureWitness::code(std::int32_t silence) {
    const LineErrors now = line_.lineErrors();
    if (now.framing > baseline_.framing)
        return OVALINE_E_FRAMING;
    if (now.overrun > baseline_.overrun)
        return OVALINE_E_OVERRUN;
    if (now.queueOverflow > baseline_.queueOverflow)
        return OVALINE_E_QUEUE_OVERFLOW;
    if (nak_)
        return OVALINE_E_NAK;
    const Damage &damage = reader_.damage();
    if (damage.misplaced)
        return OVALINE_E_FRAME;
    if (damage.badCheck || unexpected_)
        return OVALINE_E_INVALID_ACK;
    return silence;
}

} // namespace ovaline
