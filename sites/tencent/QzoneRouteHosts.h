// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/ListHandoff.h"

// The hosts the route service named for the owner's data centre, kept by the album lists for the
// picture list: the photo list pages an album, the album view answers for protected ones.
struct QzoneRouteHosts : ListHandoff {
    std::u16string photoHost;
    std::u16string viewHost;
};
