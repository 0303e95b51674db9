// SPDX-License-Identifier: GPL-3.0-or-later
#include "MyCode/TextCursor.h"

#include "MyCode/StringCtrl.h"

std::u16string TextCursor::GetBetween(std::u16string_view before, std::u16string_view after, int flags) {
    std::u16string_view rest = Rest();
    std::size_t start = rest.find(before);
    if (start == std::u16string_view::npos) {
        return {};
    }
    std::size_t from = start + before.size();
    std::size_t end = rest.find(after, from);
    std::u16string value;
    if (end != std::u16string_view::npos) {
        value = rest.substr(from, end - from);
    } else if (flags & StringCtrl::GB_REST) {
        value = rest.substr(from);
    }
    if (flags & StringCtrl::GB_ADVANCE) {
        position_ += from;
    }
    return value;
}

int TextCursor::SkipPast(std::u16string_view marker, bool includeMarker) {
    std::size_t pos = Rest().find(marker);
    if (pos == std::u16string_view::npos) {
        return -1;
    }
    position_ += includeMarker ? pos + marker.size() : pos;
    return static_cast<int>(pos);
}
