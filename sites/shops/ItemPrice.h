// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "core/ExtensionSettings.h"

// The price of a Taobao or Tmall item as its page shows it, and the part of the picture names it
// gives when the user wants prices in them.
namespace ItemPrice {

// The price text of an item page ("12.50", or a range starting with one); empty when the page
// shows none.
std::u16string Read(std::u16string_view page);

// "价格12.50元_", or with the price moved by the adjustment "价格10.50元_"; empty when prices are
// not wanted or there is no price.
std::u16string NamePrefix(const ExtensionSettings& settings, const std::u16string& price);

}  // namespace ItemPrice
