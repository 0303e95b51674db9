// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A walk through page text that moves a position instead of cutting the front off the text, so a
// walk through a whole page in page order costs the page's length once however many fields it
// takes. Each step answers exactly as the StringCtrl primitive of its name does on the rest of the
// text. The text must outlive the cursor.
class TextCursor {
public:
    explicit TextCursor(std::u16string_view text) : text_(text) {}

    // StringCtrl::GetBetween on the rest; with GB_ADVANCE the rest then starts just after before.
    std::u16string GetBetween(std::u16string_view before, std::u16string_view after, int flags);
    // StringCtrl::SkipPast on the rest: the marker's position in the rest, or -1 and no move.
    int SkipPast(std::u16string_view marker, bool includeMarker = true);

    std::u16string_view Rest() const { return text_.substr(position_); }
    std::size_t Position() const { return position_; }

private:
    std::u16string_view text_;
    std::size_t position_ = 0;
};
