// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Small text rules shared by the settings store: case folding for the history and the combo box,
// and cutting text to a fixed field.
namespace SettingsText {

// Lower-case form, unit by unit, with the full Unicode mapping of the basic plane (not only ASCII),
// so "Ä" and "ä" or "Ж" and "ж" count as the same letter.
std::u16string ToLower(std::u16string_view text);
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

// The first maxUnits units of text; a surrogate pair that would be split is dropped whole, so the
// field never ends in half a character.
std::u16string KeepUnits(std::u16string_view text, std::size_t maxUnits);

}  // namespace SettingsText
