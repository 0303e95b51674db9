// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ListHandoff.h"

// The logged-in member whose cookies the group's album list was read with.
struct QqGroupMember : ListHandoff {
    std::u16string qqNumber;  // as the service wants it: with one leading zero less than the cookie
};
