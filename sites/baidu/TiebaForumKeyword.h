// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ListHandoff.h"

// The forum whose albums were listed, by its keyword as the typed address carries it (GBK,
// percent-encoded): the forum's picture list asks for an album's pictures within that forum.
struct TiebaForumKeyword : ListHandoff {
    std::u16string forum;
};
