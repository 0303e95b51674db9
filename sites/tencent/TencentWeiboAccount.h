// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ListHandoff.h"

// The account whose albums were listed: the picture list asks for its photos by the numeric id and
// names it by its name when it asks for a later page.
struct TencentWeiboAccount : ListHandoff {
    std::u16string name;    // as typed, kept by the normalisation
    std::u16string userId;  // the numeric id ("uin") the guest page names, kept by the album list
};
