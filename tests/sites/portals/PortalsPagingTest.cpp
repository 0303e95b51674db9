// SPDX-License-Identifier: GPL-3.0-or-later
// Every paging loop of the portals ends when the server answers each page number with the same page,
// however often that page links on.

#include <string>

#include "portals/PortalsTest.h"
#include "sites/portals/PchomeAlbumAdapter.h"
#include "sites/portals/ZolAlbumAdapter.h"

namespace {

class PortalsPaging : public PortalsTest {};

std::string Numbered(const std::string& before, int page, const std::string& after = {}) {
    return before + std::to_string(page) + after;
}

TEST_F(PortalsPaging, ARepeatedPageEndsEveryList) {
    ExpectRepeatedPagesEnd({
        {.name = "zol albums",
         .pagePath = [](int page) { return Numbered("/bob/album_", page, ".html"); },
         .body = Gbk(Fixture("zol_albums.html")),
         .input = u"bob",
         .albums = ZolAlbumAdapter::AlbumList,
         .emitted = 2},
        {.name = "zol pictures",
         .pagePath = [](int page) { return Numbered("/bob/album_11_", page, ".html"); },
         .body = Gbk(Fixture("zol_photos.html") + "<a class=\"nor\">下一页</a>"),
         .input = u"/bob/album_11_",
         .pictures = ZolAlbumAdapter::PictureList,
         .emitted = 4},
        {.name = "pchome albums",
         .pagePath = [](int page) { return Numbered("/carol*", page); },
         .body = Big5(Fixture("pchome_albums.html")),
         .input = u"carol",
         .albums = PchomeAlbumAdapter::AlbumList,
         .emitted = 2},
        {.name = "pchome pictures",
         .pagePath = [](int page) { return Numbered("/carol/1*", page); },
         .body = Big5(Fixture("pchome_photos.html")),
         .input = u"/carol/1",
         .pictures = PchomeAlbumAdapter::PictureList,
         .emitted = 2},
    });
}

}  // namespace
