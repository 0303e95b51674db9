// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/CoverThumbnail.h"

#include <string>
#include <string_view>
#include <utility>

#include "MyCode/StringCtrl.h"
#include "MyCode/URLSource2.h"
#include "download/PostPasses.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kCoverTimeoutMs = 20000;

// Whether the body starts like a picture. A cover address that has gone answers with an error
// page (HTML or JSON), which must not be kept as the album's thumbnail file.
bool LooksLikePicture(std::string_view body) {
    if (!SignatureExtension(body).empty()) {
        return true;
    }
    return body.size() >= 12 && body.substr(0, 4) == "RIFF" && body.substr(8, 4) == "WEBP";
}

}  // namespace

std::u16string FetchCover(const std::u16string& programDir, const std::u16string& coverUrl, int k,
                          std::string* picture) {
    if (coverUrl.empty()) {
        return {};
    }
    std::u16string folder = programDir + u"tmp";
    FileSystem::CreateDirectories(folder);
    std::u16string file = folder + u"/" + StringCtrl::Format(u"%d", {k}) + u".jpg";
    UrlRequest request(coverUrl, u"", kCoverTimeoutMs);
    // An error page or an empty answer is no cover and must not be kept as one.
    request.refuseErrorAnswers = true;
    UrlSource source;
    if (!FetchUrl(request, source, 0) || !LooksLikePicture(source.body)) {
        // The file of an earlier list at this place is not this album's cover either.
        FileSystem::Remove(file);
        return {};
    }
    if (!FileSystem::WriteFileAtomic(file, source.body)) {
        return {};
    }
    if (picture != nullptr) {
        *picture = std::move(source.body);
    }
    return file;
}
