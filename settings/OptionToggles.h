// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "core/NamingSettings.h"

// The option items of the "<设置>" menu and the rules the menu follows.
namespace OptionToggles {

struct OptionItem {
    OptionFlag flag;
    const char16_t* text;
};

// In the order of the option flags.
extern const std::array<OptionItem, 9> ITEMS;

// The shop options belong to site type 11, the Yupoo option to type 7; the rest apply everywhere.
bool IsEnabled(OptionFlag flag, int siteType);

inline bool IsChecked(std::uint16_t options, OptionFlag flag) {
    return (options & flag) != 0;
}

// Flips one bit. Setting "main pictures only" clears "description pictures only" and the other way
// round; clearing either leaves the other alone. Reserved bits are kept.
std::uint16_t Toggle(std::uint16_t options, OptionFlag flag);

}  // namespace OptionToggles
