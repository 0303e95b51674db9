// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The login cookies the Tencent adapters read themselves: the store's cookie text for an address,
// framed as " name=value; ...;" so that a lookup of " skey=" or " uin=" up to ";" also finds the
// cookie that begins the text or ends it.
namespace TencentCookies {

std::u16string Text(std::u16string_view url);

// The value of the cookie called name in a framed text; empty when there is none.
std::u16string Value(std::u16string_view cookieText, std::u16string_view name);

// The token from the "skey" cookie of a framed text: 5381 without one.
std::uint32_t Token(std::u16string_view cookieText);

}  // namespace TencentCookies
