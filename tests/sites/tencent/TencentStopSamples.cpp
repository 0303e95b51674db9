// SPDX-License-Identifier: GPL-3.0-or-later
// Pages on which each Tencent operation emits more than once, for the stop test over the table.

#include "sites/tencent/QzoneRouteHosts.h"
#include "sites/tencent/TencentWeiboAccount.h"
#include "tencent/TencentTest.h"

namespace {

std::string TencentFixture(const std::string& name) {
    return SiteTest::Fixture("tencent", name);
}

const std::vector<const char*> kHosts(TencentTest::kHosts);

ST_PERLISTRECORD Album(const char16_t* url) {
    ST_PERLISTRECORD album;
    album.name = u"Album";
    album.url = url;
    return album;
}

const std::string kQqGroupAlbums =
    "_Callback({\"data\":{\"album\":["
    "{\"coverurl\" : \"http:\\/\\/c\\/1\",\"id\" : \"a1\",\"title\" : \"one\",\"photocnt\" : 3,},"
    "{\"coverurl\" : \"http:\\/\\/c\\/2\",\"id\" : \"a2\",\"title\" : \"two\",\"photocnt\" : 4,}]}});";

const bool registered[] = {
    RegisterStopSample({.key = "qzone/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/GetRoute", {}, TencentFixture("route.json")},
                                    {"/fcgi-bin/fcg_list_album_v2",
                                     {},
                                     SiteTest::Gbk(TencentFixture("qzone_albums.jsonp"))}};
                            },
                        .input = u"12345"}),
    RegisterStopSample(
        {.key = "qzoneSecondAlbums/albums",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{
                     {"/GetRoute", {}, TencentFixture("route.json")},
                     {"/fcgi-bin/fcg_list_album_v3", {}, TencentFixture("qzone_albums.jsonp")}};
             },
         .input = u"12345"}),
    RegisterStopSample({.key = "qzone/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/fcgi-bin/cgi_list_photo",
                                     {{"pageStart", "0"}},
                                     SiteTest::Gbk(TencentFixture("qzone_photos.jsonp"))}};
                            },
                        .album = Album(u"idcNum=9&hostUin=12345&albumid=V14open"),
                        .prepare =
                            [](ListResult& list) {
                                QzoneRouteHosts& hosts = HandoffIn<QzoneRouteHosts>(list);
                                hosts.photoHost = u"szplist.photo.qq.com";
                                hosts.viewHost = u"sznu.photo.qq.com";
                            }}),
    RegisterStopSample({.key = "qqGroup/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/cgi-bin/upp/qun_list_album_v2", {{"start", "0"}}, kQqGroupAlbums}};
                            },
                        .input = u"778899"}),
    RegisterStopSample({.key = "qqGroup/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{{"/cgi-bin/upp/qun_list_photo_v2",
                                                                 {{"start", "0"}},
                                                                 TencentFixture("qqgroup_photos.jsonp")}};
                            },
                        .album = Album(u"qunId=778899&albumId=a01&uin=1&g_tk=5381")}),
    RegisterStopSample(
        {.key = "tencentWeibo/albums",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{
                     {"/app/qzphoto/alice", {}, TencentFixture("weibo_guest.html")},
                     {"/asyn/gettopicalbum.php", {{"page", "1"}}, TencentFixture("weibo_albums.json")}};
             },
         .input = u"alice"}),
    RegisterStopSample(
        {.key = "tencentWeibo/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{
                     {"/asyn/gettopicalbum.php", {{"page", "1"}}, TencentFixture("weibo_photos.json")}};
             },
         .album = Album(u"t100"),
         .prepare = [](ListResult& list) { HandoffIn<TencentWeiboAccount>(list).userId = u"99887"; }}),
};

}  // namespace
