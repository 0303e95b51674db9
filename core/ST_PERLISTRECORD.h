// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// One album as an adapter found it. Adapters fill one on their own stack; the album list keeps a copy.
struct ST_PERLISTRECORD {
    std::u16string name = {};  // shown in the grid, becomes the album folder; cleaned and made unique on add
    std::u16string url = {};   // whatever the picture-list operation needs to find the album
    std::u16string coverUrl = {};  // the cover picture, for the thumbnail view
    std::u16string key1 = {};      // two texts for the adapter's own use
    std::u16string key2 = {};
    std::int32_t pictureCount = 0;  // -1: the site gives no count ("未知")
    // Not negative: bits 1 encrypted, 2 private, 4 friends only. Negative: shown as "%08u" of the
    // value with the sign bit cleared.
    std::int32_t privacy = 0;
    std::int32_t param4 = 0;  // naming escapes ?4 and ?5
    std::int32_t param5 = 0;
    std::int32_t listIndex = 0;    // position in the album list when added
    std::int32_t imageIndex = -1;  // thumbnail in the preview image list, -1 while none

    // The copy the album list stores: texts and numbers taken over, the list position set, no thumbnail.
    static ST_PERLISTRECORD CopyForList(const ST_PERLISTRECORD& from, std::int32_t listIndex);
};
