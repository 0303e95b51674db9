// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ListHandoff.h"

// The Babytree user id both album lists were given.
struct BabytreeUser : ListHandoff {
    std::u16string userId;
};
