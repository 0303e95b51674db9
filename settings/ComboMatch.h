// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The auto-completion rule of the history combo boxes, free of any toolkit.
namespace ComboMatch {

// An item holding this text is shown only up to it.
inline constexpr char16_t SEPARATOR[] = u"zmw?!oxff";

// The shown part of an item: everything before the separator.
std::u16string DisplayText(std::u16string_view item);

// The shown texts of the items whose lower-case form contains the lower-case edit text, in item
// order. Items keep their own letter case, since paths and addresses can be case-sensitive and a
// chosen suggestion must name the same folder or page. An empty edit text matches nothing (the
// drop-down closes).
std::vector<std::u16string> Matches(const std::vector<std::u16string>& items, std::u16string_view editText);

}  // namespace ComboMatch
