// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The steps the site types' normalisations share.
namespace InputRules {

bool HasScheme(std::u16string_view text);
// Skips past the first "http://" or "https://", whichever comes first.
void SkipScheme(std::u16string& text);
bool IsAllDigits(std::u16string_view text);

}  // namespace InputRules
