// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/AdapterTable.h"

#include "sites/SiteCatalogue.h"

const AdapterRow* AdapterTable::Find(int siteType, int subMode) const {
    const AdapterRow* any = nullptr;
    for (const AdapterRow& row : rows) {
        if (row.siteType != siteType) {
            continue;
        }
        if (row.subMode == subMode) {
            return &row;
        }
        if (row.subMode == ANY_SUBMODE && any == nullptr) {
            any = &row;
        }
    }
    return any;
}

const AdapterTable& AdapterTable::Default() {
    static const AdapterTable table = [] {
        AdapterTable built;
        for (const SiteFamily* family : SiteFamilies()) {
            built.rows.insert(built.rows.end(), family->rows.begin(), family->rows.end());
        }
        return built;
    }();
    return table;
}
