// SPDX-License-Identifier: GPL-3.0-or-later
// Pages on which each 56, POCO and Yupoo operation emits more than once, for the stop test over
// the table.

#include "galleries/GalleriesTest.h"

namespace {

std::string GalleriesFixture(const std::string& name) {
    return SiteTest::Fixture("galleries", name);
}

const std::vector<const char*> kHosts(GalleriesTest::kHosts);

const std::u16string kYupooAlbum = u"http://x.yupoo.com/photos/alice/albums/123/";

const bool registered[] = {
    RegisterStopSample({.key = "site56/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{{"/photo/album/index.php",
                                                                 {{"page", "1"}},
                                                                 GalleriesFixture("56_albums.html")}};
                            },
                        .input = u"http://www.56.com/photo/album/index.php?user=alice&perPage=20"}),
    RegisterStopSample({.key = "site56/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/photo/album/", {{"page", "1"}}, GalleriesFixture("56_photos.html")}};
                            },
                        .album = {.name = u"春游", .url = u"9001"}}),
    RegisterStopSample({.key = "pocoAlbums/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/album/album_show_all.htx&user_id=173000&p=1",
                                     {},
                                     SiteTest::Gbk(GalleriesFixture("poco_albums.html"))}};
                            },
                        .input = u"173000"}),
    RegisterStopSample(
        {.key = "pocoAlbums/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{{"/album/album_show_photo_list.php",
                                                  {{"p", "1"}},
                                                  SiteTest::Gbk(GalleriesFixture("poco_photos.html"))}};
             },
         .album = {.name = u"旅行",
                   .url = u"http://my.poco.cn/album/album_show_photo_list.php?user_id=173000&set_hash=h2"}}),
    RegisterStopSample({.key = "pocoActivity/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/act/act_list.htx&user_id=173000&act_type_id=0&p=1",
                                     {},
                                     SiteTest::Gbk(GalleriesFixture("poco_activities.html"))}};
                            },
                        .input = u"http://my.poco.cn/act/act_list.htx&user_id=173000&act_type_id=0"}),
    RegisterStopSample(
        {.key = "pocoActivity/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{
                     {"/act/act_detail.htx&act_id=501",
                      {},
                      SiteTest::Gbk(GalleriesFixture("poco_activity_photos.html"))}};
             },
         .album = {.name = u"春季摄影赛", .url = u"http://my.poco.cn/act/act_detail.htx&act_id=501"}}),
    RegisterStopSample({.key = "yupoo/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{{"/photos/alice/albums/page1/",
                                                                 {},
                                                                 GalleriesFixture("yupoo_albums.html")}};
                            },
                        .input = u"http://www.yupoo.com/photos/alice/albums/"}),
    // The originals' pages are not served: each picture keeps its listed address.
    RegisterStopSample({.key = "yupoo/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{{"/photos/alice/albums/123/page1/",
                                                                 {},
                                                                 GalleriesFixture("yupoo_photos.html")}};
                            },
                        .album = {.name = u"春天", .url = kYupooAlbum}}),
};

}  // namespace
