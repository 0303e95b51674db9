// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

// The request token ("g_tk") of the Qzone and QQ group services, computed from the value of the
// "skey" cookie: h = 5381, then h = h * 33 + c for every UTF-16 unit, wrapping at 32 bits, and the
// top bit cleared. Without the cookie the value is empty and the token 5381.
std::uint32_t QzoneGtk(std::u16string_view skey);
