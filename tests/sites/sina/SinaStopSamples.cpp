// SPDX-License-Identifier: GPL-3.0-or-later
// Pages on which each Sina operation emits more than once, for the stop test over the table.

#include "sina/SinaTest.h"
#include "sites/sina/SinaUser.h"

namespace {

std::string SinaFixture(const std::string& name) {
    return SiteTest::Fixture("sina", name);
}

const std::vector<const char*> kHosts(SinaTest::kHosts);

ST_PERLISTRECORD Album(const char16_t* url, int count = -1) {
    return ST_PERLISTRECORD{.name = u"Album", .url = url, .pictureCount = count};
}

const bool registered[] = {
    RegisterStopSample({.key = "sinaBlogAlbums/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/xiaowang", {}, SinaFixture("blog_home.html")},
                                    {"/services/ctg_list_ctg.php", {}, SinaFixture("categories.json")}};
                            },
                        .input = u"http://blog.sina.com.cn/xiaowang"}),
    RegisterStopSample({.key = "sinaBlogAlbums/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/category/1/page1", {}, SinaFixture("category_page1.html")}};
                            },
                        .album = Album(u"http://photo.blog.sina.com.cn/category/1")}),
    RegisterStopSample({.key = "sinaBlogArticles/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/s/articlelist_1_0_1.html", {}, SinaFixture("articles_old.html")}};
                            },
                        .input = u"http://blog.sina.com.cn/s/articlelist_1_0"}),
    RegisterStopSample({.key = "sinaBlogArticles/pictures",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/s/blog_1.html", {}, SiteTest::Gbk(SinaFixture("article.html"))}};
                            },
                        .album = Album(u"http://blog.sina.com.cn/s/blog_1.html"),
                        .singleEmission = true}),
    RegisterStopSample({.key = "sinaWeibo/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/u/1001", {}, "<html>$CONFIG['oid']='1001';$CONFIG['onick']='x';"},
                                    {"/albums/get_all", {}, SinaFixture("weibo_albums.json")}};
                            },
                        .input = u"http://weibo.com/u/1001"}),
    RegisterStopSample(
        {.key = "sinaWeibo/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{
                     {"/photos/get_all", {{"page", "1"}}, SinaFixture("weibo_photos.json")}};
             },
         .album =
             Album(u"http://photo.weibo.com/photos/get_all?uid=1001&album_id=1&count=32&type=3&page=", 3),
         .prepare = [](ListResult& list) { HandoffIn<SinaUser>(list).userId = u"1001"; }}),
    RegisterStopSample({.key = "sinaWeiboMobile/albums",
                        .hosts = {"m.weibo.cn"},
                        .pages =
                            [] {
                                return std::vector<FixturePage>{{"/api/container/getIndex",
                                                                 {{"type", "uid"}},
                                                                 SinaFixture("weibo_mobile_user.json"),
                                                                 "application/json"}};
                            },
                        .input = u"https://m.weibo.cn/u/1001",
                        .https = true,
                        .singleEmission = true}),
    RegisterStopSample({.key = "sinaWeiboMobile/pictures",
                        .hosts = {"m.weibo.cn"},
                        .pages =
                            [] {
                                return std::vector<FixturePage>{{"/api/container/getIndex",
                                                                 {{"page", "1"}},
                                                                 SinaFixture("weibo_mobile_posts_1.json"),
                                                                 "application/json"}};
                            },
                        .album = Album(u"https://m.weibo.cn/api/container/getIndex?type=uid&value=1001&"
                                       u"containerid=1076031001&page="),
                        .https = true}),
};

}  // namespace
