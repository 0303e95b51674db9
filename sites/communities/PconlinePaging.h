// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ListHandoff.h"

// What a PConline list leaves of its paging: the user part of the address it was made from, and
// the page marker ("_p3_") put into the list template last, by the input's own page number or by
// the album list's latest page.
struct PconlinePaging : ListHandoff {
    std::u16string user;
    std::u16string pageMarker;
};
