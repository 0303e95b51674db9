#include "download/CoverThumbnail.h"

#include "MyCode/StringCtrl.h"
#include "MyCode/URLSource2.h"
#include "core/WindowPort.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kCoverTimeoutMs = 20000;

}  // namespace

int MakeCoverThumbnail(const std::u16string& programDir, const std::u16string& coverUrl, int k,
                       WindowPort& window) {
    if (coverUrl.empty()) {
        return -1;
    }
    std::u16string folder = programDir + u"tmp";
    FileSystem::CreateDirectories(folder);
    std::u16string file = folder + u"/" + StringCtrl::Format(u"%d", {k}) + u".jpg";
    UrlRequest request(coverUrl, file, kCoverTimeoutMs);
    // An error page or an empty answer is no cover and must not be kept as one.
    request.refuseErrorAnswers = true;
    UrlSource source;
    if (!FetchUrl(request, source, 0)) {
        return -1;
    }
    return window.MakeThumbnail(file);
}
