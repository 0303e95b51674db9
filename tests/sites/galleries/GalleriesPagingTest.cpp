// SPDX-License-Identifier: GPL-3.0-or-later
// Every paging loop of 56 and POCO ends when the server answers each page number with the same page,
// however often that page links on.

#include <string>

#include "galleries/GalleriesTest.h"
#include "sites/galleries/Photo56Adapter.h"
#include "sites/galleries/PocoActivityAdapter.h"
#include "sites/galleries/PocoAlbumAdapter.h"

namespace {

class GalleriesPaging : public GalleriesTest {};

TEST_F(GalleriesPaging, ARepeatedPageEndsEveryList) {
    // The 56 and POCO picture lists page by a query parameter, the POCO lists by the path's end.
    ExpectRepeatedPagesEnd({
        {.name = "56 pictures",
         .pagePath = [](int) { return std::string("/photo/album/"); },
         .body = Fixture("56_photos.html"),
         .input = u"9001",
         .pictures = Photo56Adapter::PictureList,
         .emitted = 2},
        {.name = "poco albums",
         .pagePath =
             [](int page) { return "/album/album_show_all.htx&user_id=173000&p=" + std::to_string(page); },
         .body = Gbk(Fixture("poco_albums.html")),
         .input = u"173000",
         .albums = PocoAlbumAdapter::AlbumList,
         .emitted = 2},
        {.name = "poco pictures",
         .pagePath = [](int) { return std::string("/album/album_show_photo_list.php"); },
         .body = Gbk(Fixture("poco_photos.html")),
         .input = u"http://my.poco.cn/album/album_show_photo_list.php?user_id=173000&set_hash=h2",
         .pictures = PocoAlbumAdapter::PictureList,
         .emitted = 2},
        {.name = "poco activities",
         .pagePath =
             [](int page) {
                 return "/act/act_list.htx&user_id=173000&act_type_id=0&p=" + std::to_string(page);
             },
         .body = Gbk(Fixture("poco_activities.html")),
         .input = u"http://my.poco.cn/act/act_list.htx&user_id=173000&act_type_id=0",
         .albums = PocoActivityAdapter::AlbumList,
         .emitted = 2},
    });
}

}  // namespace
