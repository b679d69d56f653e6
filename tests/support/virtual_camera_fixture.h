// SPDX-License-Identifier: MIT
// Each test talks to its own virtual camera on port 1: a fresh folder for the
// camera's state, a fast line, no faults.
#pragma once

#include "ovaline.h"
#include "scoped_env.h"
#include "temp_dir.h"
#include "traffic.h"
#include "unit_state.h"
#include "unit_store.h"

#include <gtest/gtest.h>

namespace ovaline::test {

class VirtualCameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        env.set("OVALINE_VIRTUAL_DIR", folder.str())
            .set("OVALINE_VIRTUAL_SPEED", "1000")
            .unset("OVALINE_VIRTUAL_FAULTS")
            .unset("OVALINE_VIRTUAL_MODEL");
        OvalineSetPortName(1, "virtual");
        // The camera comes to life at the first exchange.
        char reply[8];
        TrafficBlock block = makeBlock(1, 115200, "QR", '0', "  ", reply, 6);
        ASSERT_EQ(OvalineTraffic(&block), 0);
    }
    void TearDown() override { OvalineSetPortName(1, nullptr); }

    emu::UnitState cameraState() const {
        emu::UnitState state;
        EXPECT_TRUE(emu::UnitStore(folder.path()).load(state));
        return state;
    }

    TempDir folder;
    ScopedEnv env;
};

} // namespace ovaline::test
