// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ListHandoff.h"

// What a POCO activity list typed by a user's address leaves for its downloads: the user's id.
struct PocoUser : ListHandoff {
    std::u16string userId;
};
