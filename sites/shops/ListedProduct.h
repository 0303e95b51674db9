// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ListHandoff.h"

// The one product a 1688 or JD album list found, for its picture list: the product page as the
// list read it, so the page is fetched once.
struct ListedProduct : ListHandoff {
    std::u16string page;
};
