// SPDX-License-Identifier: GPL-3.0-or-later
// Pages on which each NetEase operation emits more than once, for the stop test over the table.

#include "netease/NeteaseTest.h"
#include "sites/netease/NeteasePhotoUser.h"

namespace {

const std::vector<const char*> kHosts(NeteaseTest::kHosts);

std::string NeteaseFixture(const std::string& name) {
    return SiteTest::Gbk(NeteaseTest::Fixture(name));
}

const bool registered[] = {
    RegisterStopSample(
        {.key = "neteasePhoto/albums",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{
                     {"/alice/", {}, NeteaseFixture("home.html")},
                     {"/photo/alice/albums.js", {}, NeteaseFixture("albums.js")},
                     {NeteaseTest::kRemoteCall, {}, NeteaseTest::RemoteAnswer("s1.ph.126.net/x.js")}};
             },
         .input = u"http://photo.163.com/alice/"}),
    RegisterStopSample(
        {.key = "neteasePhoto/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{{"/photo/alice/101.js", {}, NeteaseFixture("photos.js")}};
             },
         .album = {.name = u"Album", .url = u"s1.ph.126.net/photo/alice/101.js"},
         .prepare = [](ListResult& list) { HandoffIn<NeteasePhotoUser>(list).name = u"alice"; }}),
    RegisterStopSample({.key = "neteasePp/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{{"/", {}, NeteaseFixture("pp_user.html")}};
                            },
                        .input = u"http://alice.pp.163.com/"}),
    RegisterStopSample(
        {.key = "neteasePp/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{{"/photo/111/", {}, NeteaseFixture("pp_album.html")}};
             },
         .album = {.name = u"Album", .url = u"http://alice.pp.163.com/photo/111/"}}),
};

}  // namespace
