// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ST_PERLISTRECORD.h"

ST_PERLISTRECORD ST_PERLISTRECORD::CopyForList(const ST_PERLISTRECORD& from, std::int32_t listIndex) {
    ST_PERLISTRECORD copy;
    copy.name = from.name;
    copy.url = from.url;
    copy.coverUrl = from.coverUrl;
    copy.key1 = from.key1;
    copy.key2 = from.key2;
    copy.pictureCount = from.pictureCount;
    copy.privacy = from.privacy;
    copy.param4 = from.param4;
    copy.param5 = from.param5;
    copy.listIndex = listIndex;
    copy.imageIndex = -1;
    return copy;
}
