// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "sites/kit/SiteFamily.h"

// Every adapter, by site type and sub-mode. The jobs call through a table so that tests can put a
// recording table in its place.
struct AdapterTable {
    std::vector<AdapterRow> rows;

    // The row that serves siteType in subMode: the row naming that sub-mode, else the site type's
    // ANY_SUBMODE row; nullptr for a site type without rows.
    const AdapterRow* Find(int siteType, int subMode) const;

    // The rows of every site family.
    static const AdapterTable& Default();
};
