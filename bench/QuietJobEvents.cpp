// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/QuietJobEvents.h"

#include <cstdio>

#include "platform/CodePage.h"

void QuietJobEvents::Notice(const std::u16string& text, const std::u16string&) {
    std::fprintf(stderr, "message: %s\n", CodePage::ToUtf8(text).c_str());
}

bool QuietJobEvents::Ask(const std::u16string& text, const std::u16string& caption) {
    Notice(text, caption);
    return false;
}
