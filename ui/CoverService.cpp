#include "ui/CoverService.h"

#include "download/CoverThumbnail.h"
#include "ui/CThumbnailList.h"

int CoverService::Thumbnail(int k, const std::u16string& coverUrl) {
    const std::u16string file = FetchCover(programDir_, coverUrl, k);
    // The image list is safe to fill from any thread; decoding there keeps the window responsive.
    return file.empty() ? -1 : thumbnails_.AddFromFile(file);
}
