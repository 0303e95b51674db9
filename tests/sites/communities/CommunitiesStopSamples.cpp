// SPDX-License-Identifier: GPL-3.0-or-later
// Pages on which each community operation emits more than once, for the stop test over the table.

#include "communities/CommunitiesTest.h"

namespace {

const std::vector<const char*> kHosts(CommunitiesTest::kHosts);

std::string Page(const std::string& name) {
    return CommunitiesTest::Fixture(name);
}

ST_PERLISTRECORD Album(const char16_t* url) {
    ST_PERLISTRECORD album;
    album.name = u"Album";
    album.url = url;
    return album;
}

const bool registered[] = {
    RegisterStopSample({.key = "moko/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/post/alice/category/11/1.html", {}, Page("moko_category11_1.html")}};
                            },
                        .input = u"http://www.moko.cc/post/alice/category/11/"}),
    RegisterStopSample({.key = "moko/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/post/alice/1001.html", {}, SiteTest::Gbk(Page("moko_post.html"))}};
                            },
                        .album = Album(u"/post/alice/1001.html")}),
    RegisterStopSample({.key = "babytreeNew/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/u123/photo/list", {{"pg", "1"}}, Page("babytree_albums_1.html")}};
                            },
                        .input = u"u123"}),
    RegisterStopSample({.key = "babytreeNew/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/u123/albumAjax/101", {{"pg", "1"}}, Page("babytree_photos.json")}};
                            },
                        .album = Album(u"http://home.babytree.com/u123/album/101")}),
    RegisterStopSample({.key = "babytreeOld/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{{"/user/showuser.php",
                                                                 {{"view", "album_list"}, {"pg", "1"}},
                                                                 Page("babytree_old_albums_1.html")}};
                            },
                        .input = u"u123"}),
    RegisterStopSample({.key = "babytreeOld/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{{"/user/showuser.php",
                                                                 {{"pg", "1"}},
                                                                 Page("babytree_old_photos_1.html")}};
                            },
                        .album = Album(u"/user/showuser.php?uid=uu123&tab=photo&view=album&album_id=7")}),
    RegisterStopSample({.key = "pconline/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/alice/myphoto_p1_n15.html", {}, Page("pconline_albums_1.html")}};
                            },
                        .input = u"http://photo.pconline.com.cn/alice/myphoto_dk1stp_n15.html"}),
    RegisterStopSample({.key = "pconline/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/alice/photo/list_123.html", {}, Page("pconline_photos.html")}};
                            },
                        .album = Album(u"http://photo.pconline.com.cn/alice/photo/list_123.html")}),
    RegisterStopSample({.key = "hupu/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/alice/photo-1", {}, SiteTest::Gbk(Page("hupu_user_1.html"))}};
                            },
                        .input = u"http://my.hupu.com/alice"}),
    RegisterStopSample({.key = "hupu/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/alice/photo/a5-1.html", {}, SiteTest::Gbk(Page("hupu_album_1.html"))}};
                            },
                        .album = Album(u"alice/photo/a5")}),
};

}  // namespace
