// SPDX-License-Identifier: GPL-3.0-or-later
// orvelle: the desktop window.

#include "ui/CVeyraApp.h"

int main(int argc, char** argv) {
    CVeyraApp::PrepareProcess();
    CVeyraApp app(argc, argv);
    return app.Run();
}
