// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/AlbumList.h"
#include "core/ListHandoff.h"
#include "core/SiteType.h"

// What the last album-list job found, kept for the downloads of its albums: the albums, the owner
// whose folder they go to, the site type and sub-mode whose adapter row serves them, and what the
// family's album list handed on to its picture lists. Only the album-list job writes it, and only
// while no download runs; downloads read it after that job has ended.
struct ListResult {
    std::int32_t siteType = SITE_TENCENT;
    std::int32_t subMode = SUBMODE_UNSET;
    AlbumList albums;
    std::u16string ownerName;    // first folder level under the save folder, escape ?8
    std::u16string ownerSuffix;  // a second folder-name part after ownerName
    std::shared_ptr<ListHandoff> handoff;
};
