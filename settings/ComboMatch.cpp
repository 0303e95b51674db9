// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ComboMatch.h"

#include "settings/SettingsText.h"

namespace ComboMatch {

std::u16string DisplayText(std::u16string_view item) {
    return std::u16string(item.substr(0, item.find(SEPARATOR)));
}

std::vector<std::u16string> Matches(const std::vector<std::u16string>& items, std::u16string_view editText) {
    std::vector<std::u16string> out;
    if (editText.empty()) {
        return out;
    }
    std::u16string wanted = SettingsText::ToLower(editText);
    for (const std::u16string& item : items) {
        if (SettingsText::ToLower(item).find(wanted) != std::u16string::npos) {
            out.push_back(DisplayText(item));
        }
    }
    return out;
}

}  // namespace ComboMatch
