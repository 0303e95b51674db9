// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TerminalText.h"

std::u16string VisibleText(std::u16string_view text, bool keepLineBreaks) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
        if (!control || (keepLineBreaks && c == u'\n')) {
            out.push_back(c);
            continue;
        }
        out += u"\\x";
        out.push_back(kHex[(c >> 4) & 0xF]);
        out.push_back(kHex[c & 0xF]);
    }
    return out;
}
