// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/History.h"

#include <algorithm>

#include "settings/SettingsText.h"

namespace History {

bool Add(Entries& entries, std::u16string_view text) {
    if (text.empty() || text.size() >= static_cast<std::size_t>(HISTORY_FIELD_UNITS)) {
        return false;
    }
    for (const std::u16string& entry : entries) {
        if (SettingsText::EqualsIgnoringCase(entry, text)) {
            return false;
        }
    }
    std::move_backward(entries.begin(), entries.end() - 1, entries.end());
    entries.front() = std::u16string(text);
    return true;
}

std::vector<std::u16string> NonEmpty(const Entries& entries) {
    std::vector<std::u16string> out;
    for (const std::u16string& entry : entries) {
        if (!entry.empty()) {
            out.push_back(entry);
        }
    }
    return out;
}

}  // namespace History
