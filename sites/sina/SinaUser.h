// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ListHandoff.h"

// The user whose albums were listed: the blog's numeric user id, or the Weibo user's id, which the
// Weibo picture list sends as the referer's path and builds the small pictures' addresses from.
struct SinaUser : ListHandoff {
    std::u16string userId;
};
