// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests run under GoogleTest inside one application object. Without a display they use
// Qt's offscreen platform; QT_QPA_PLATFORM=xcb under xvfb-run shows real windows instead.

#include <gtest/gtest.h>

#include <cstdlib>

#include "ui/CVeyraApp.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    CVeyraApp::PrepareProcess();
    CVeyraApp app(argc, argv);
    return RUN_ALL_TESTS();
}
