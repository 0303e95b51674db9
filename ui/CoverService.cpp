// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CoverService.h"

#include "download/CoverThumbnail.h"
#include "ui/CThumbnailList.h"

QImage CoverService::Fetch(const std::u16string& programDir, int k, const std::u16string& coverUrl) {
    // Decoded from the bytes that came, not from the file, which a later fetch may replace.
    std::string picture;
    if (FetchCover(programDir, coverUrl, k, &picture).empty()) {
        return {};
    }
    return CThumbnailList::Decode(picture);
}

int CoverService::Thumbnail(int k, const std::u16string& coverUrl) {
    // The image list is safe to fill from any thread; decoding there keeps the window responsive.
    return thumbnails_.AddFitted(Fetch(programDir_, k, coverUrl));
}
