// SPDX-License-Identifier: MIT
// The tests of the program share one application object, as the program
// does; each test starts and ends the program on it.
#include "ovaline_app.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    ovaline::app::COvalineApp app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
