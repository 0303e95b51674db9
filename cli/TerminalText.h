// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Site text as it may go to a terminal: every control character (U+0000 to U+001F and U+007F to
// U+009F) shown as a visible escape "\xHH", so a page cannot move the cursor, recolour or clear
// the user's screen. With keepLineBreaks, "\n" stays a line break (the program's own messages
// have several lines).
std::u16string VisibleText(std::u16string_view text, bool keepLineBreaks);
