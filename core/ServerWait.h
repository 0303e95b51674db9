// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// What the user is told while a busy server makes a page or a picture wait (a 429 or 503 with a
// Retry-After), on the progress line: "服务器要求等待 5 秒".
std::u16string ServerWaitText(int seconds);
