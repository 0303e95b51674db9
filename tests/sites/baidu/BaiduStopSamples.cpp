// SPDX-License-Identifier: GPL-3.0-or-later
// Pages on which each Baidu operation emits more than once, for the stop test over the table.

#include "baidu/BaiduTest.h"
#include "sites/baidu/TiebaForumKeyword.h"

namespace {

const std::vector<const char*> kHosts(BaiduTest::kHosts);

std::string BaiduFixture(const std::string& name) {
    return BaiduTest::Fixture(name);
}

const bool registered[] = {
    RegisterStopSample(
        {.key = "baiduAlbums/albums",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{
                     {"/u/alice", {}, BaiduFixture("user_page.html")},
                     {"/album/list/alice", {{"album_sign", ""}}, BaiduFixture("album_list.json")}};
             },
         .input = u"alice"}),
    RegisterStopSample({.key = "baiduAlbums/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/picture/album/list/s1", {{"pn", "0"}}, BaiduFixture("pictures.json")}};
                            },
                        .album = {.name = u"Album", .url = u"s1", .pictureCount = 4}}),
    RegisterStopSample({.key = "tiebaAlbums/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/photo/g", {{"pn", "1"}}, BaiduFixture("forum_albums_1.json")}};
                            },
                        .input = u"abc"}),
    RegisterStopSample(
        {.key = "tiebaAlbums/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{
                     {"/photo/g/bw/picture/list", {{"pn", "1"}}, BaiduFixture("forum_pictures.json")}};
             },
         .album = {.name = u"Album", .url = u"2001"},
         .prepare = [](ListResult& list) { HandoffIn<TiebaForumKeyword>(list).forum = u"abc"; }}),
    RegisterStopSample(
        {.key = "tiebaPage/albums",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{{"/photo/p", {}, BaiduFixture("post_page.html")}};
             },
         .input = u"http://tieba.baidu.com/photo/p?kw=abc",
         .singleEmission = true}),
    RegisterStopSample({.key = "tiebaPage/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{{"/photo/bw/picture/guide",
                                                                 {{"pic_id", ""}},
                                                                 BaiduFixture("guide_1.json")}};
                            },
                        .album = {.name = u"Album", .url = u"http://tieba.baidu.com/photo/p?kw=abc"}}),
};

}  // namespace
