// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/SiteType.h"

// What the album button asks for: the albums found from input for a site type.
struct ListRequest {
    std::int32_t siteType = SITE_TENCENT;
    // The sub-mode the user chose where the site type has a choice (site type 0); otherwise unset,
    // and the input decides.
    std::int32_t subMode = SUBMODE_UNSET;
    std::u16string input;  // as typed; the job trims it
};
