// SPDX-License-Identifier: GPL-3.0-or-later
// Pages on which each Renren operation emits more than once, for the stop test over the table.

#include "renren/RenrenTest.h"

namespace {

std::string RenrenFixture(const std::string& name) {
    return SiteTest::Fixture("renren", name);
}

const std::vector<const char*> kHosts(RenrenTest::kHosts);

ST_PERLISTRECORD Album(const char16_t* url) {
    return ST_PERLISTRECORD{.name = u"Album", .url = url};
}

const std::string kPhotoPages =
    "<script>{\"list\":[{\"position\":3,\"originTitle\":\"\",\"largeurl\":\"http:\\/\\/fmn.rrimg.com\\/"
    "3.jpg\","
    "\"link\":\"http:\\/\\/photo.renren.com\\/photo\\/1\\/photo-2\",\"xLargeUrl\":\"\"},"
    "{\"position\":2,\"originTitle\":\"\",\"largeurl\":\"http:\\/\\/fmn.rrimg.com\\/2.jpg\","
    "\"link\":\"http:\\/\\/photo.renren.com\\/photo\\/1\\/photo-1\",\"xLargeUrl\":\"\"}]}</script>";

const bool registered[] = {
    RegisterStopSample({.key = "renrenPhoto/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/photo/22334455/album/relatives", {}, RenrenFixture("relatives.html")}};
                            },
                        .input = u"22334455"}),
    RegisterStopSample(
        {.key = "renrenPhoto/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{
                     {"/photo/1/album-2", {}, RenrenFixture("album.html")},
                     {"/photo/1/album-2/bypage/ajax", {{"curPage", "0"}}, RenrenFixture("bypage.json")},
                     {"/photo/1/photo-9003/large", {}, RenrenFixture("large.html")}};
             },
         .album = Album(u"http://photo.renren.com/photo/1/album-2")}),
    RegisterStopSample({.key = "renrenSecondPictures/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/photo/1/album-2", {}, RenrenFixture("album.html")},
                                    {"/photo/22334455/photo-9001", {}, kPhotoPages}};
                            },
                        .album = Album(u"http://photo.renren.com/photo/1/album-2")}),
    RegisterStopSample({.key = "renrenZhan/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/meishi", {}, RenrenFixture("zhan_home.html")},
                                    {"/archive/archiveByTag",
                                     {{"page", "0"}},
                                     "{\"html\":\"<div id=\\\"feed1\\\"><h3 class=\\\"title\\\">one<\\/h3>"
                                     "<div id=\\\"feed2\\\"><h3 class=\\\"title\\\">two<\\/h3>\"}"}};
                            },
                        .input = u"http://zhan.renren.com/meishi?tagId=77"}),
    RegisterStopSample(
        {.key = "renrenZhan/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{{"/meishi", {}, RenrenFixture("zhan_post.html")}};
             },
         .album = Album(u"http://zhan.renren.com/meishi?gid=1&ajax=true"),
         .singleEmission = true}),
};

}  // namespace
