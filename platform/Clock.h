// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Milliseconds elapsed since the program started, wrapping like a 32-bit tick count. Some services
// take it as a cache-busting or paging value.
std::uint32_t ProcessMilliseconds();
