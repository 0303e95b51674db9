// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ListHandoff.h"

// What a zhan list leaves for its posts' downloads: the mini-site's id, as its home page names it.
struct ZhanSite : ListHandoff {
    std::u16string siteId;
};
