// SPDX-License-Identifier: GPL-3.0-or-later
// Pages on which each 51, ZOL and PCHome operation emits more than once, for the stop test over the
// table.

#include "portals/PortalsTest.h"
#include "sites/portals/PortalUser.h"

namespace {

std::string PortalsFixture(const std::string& name) {
    return SiteTest::Fixture("portals", name);
}

const std::vector<const char*> kHosts(PortalsTest::kHosts);

const bool registered[] = {
    RegisterStopSample({.key = "site51/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{{"/", {}, PortalsFixture("51_albums.json")}};
                            },
                        .input = u"alice"}),
    RegisterStopSample(
        {.key = "site51/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{{"/", {{"page", "1"}}, PortalsFixture("51_photos.json")}};
             },
         .album = {.name = u"春天", .url = u"101", .pictureCount = 2},
         .prepare = [](ListResult& list) { HandoffIn<PortalUser>(list).userName = u"alice"; }}),
    RegisterStopSample(
        {.key = "zol/albums",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{
                     {"/bob/album_1.html", {}, SiteTest::Gbk(PortalsFixture("zol_albums.html"))}};
             },
         .input = u"bob"}),
    RegisterStopSample(
        {.key = "zol/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{
                     {"/bob/album_11_1.html", {}, SiteTest::Gbk(PortalsFixture("zol_photos.html"))}};
             },
         .album = {.name = u"春节", .url = u"/bob/album_11_"}}),
    RegisterStopSample({.key = "pchome/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/carol*1", {}, SiteTest::Big5(PortalsFixture("pchome_albums.html"))}};
                            },
                        .input = u"carol"}),
    RegisterStopSample(
        {.key = "pchome/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{
                     {"/carol/1*1", {}, SiteTest::Big5(PortalsFixture("pchome_photos.html"))}};
             },
         .album = {.name = u"花蓮", .url = u"/carol/1"},
         .prepare = [](ListResult& list) { HandoffIn<PortalUser>(list).userName = u"carol"; }}),
};

}  // namespace
