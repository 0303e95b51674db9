// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ListHandoff.h"

// The user name a portal's album list was given: the 51 service is asked for an album's pictures
// under it, and the PCHome pictures are served to photo pages under it.
struct PortalUser : ListHandoff {
    std::u16string userName;
};
