// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class QWidget;

// The main window's size and place on the screen, kept from one run to the next in "window.ini"
// in the program folder (beside soft.dat, whose fixed layout has no room for them).
namespace WindowPlacement {

// The file that keeps them in programDir.
std::u16string PathIn(const std::u16string& programDir);
// Puts the window where the last run left it; a first run, an unreadable file or a place on a
// screen that is no longer there leaves it as it is.
void Restore(QWidget& window, const std::u16string& programDir);
// Keeps where the window is now; false when the file could not be written.
bool Save(const QWidget& window, const std::u16string& programDir);

}  // namespace WindowPlacement
