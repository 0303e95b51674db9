// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ProgramSettings.h"

// The address and save-folder histories: five entries, newest first.
namespace History {

using Entries = std::array<std::u16string, HISTORY_SIZE>;

// Puts text in front and drops the oldest entry. Refused (false, nothing changes) when the text is
// empty, has 400 or more units, or equals an entry ignoring case; a known entry is not moved.
bool Add(Entries& entries, std::u16string_view text);

// The non-empty entries in order, as the combo boxes list them.
std::vector<std::u16string> NonEmpty(const Entries& entries);

}  // namespace History
