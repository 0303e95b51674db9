// SPDX-License-Identifier: GPL-3.0-or-later
// Pages on which each shop operation emits more than once (its one album, for the album lists of a
// single product), for the stop test over the table.

#include "shops/ShopsTest.h"
#include "sites/shops/ListedProduct.h"

namespace {

const std::vector<const char*> kHosts(ShopsTest::kHosts);

ST_PERLISTRECORD Album(const char16_t* url) {
    ST_PERLISTRECORD album;
    album.name = u"Album";
    album.url = url;
    return album;
}

// What the album list of a single product keeps for its picture list.
std::function<void(ListResult&)> CachedPage(const std::string& name) {
    return [name](ListResult& list) {
        HandoffIn<ListedProduct>(list).page = CodePage::Decode(ShopsTest::Page(name), CodePage::GBK);
    };
}

const bool registered[] = {
    RegisterStopSample({.key = "offer1688/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/offer/123456.html", {}, ShopsTest::Page("offer1688.html")}};
                            },
                        .input = u"http://detail.1688.com/offer/123456.html",
                        .singleEmission = true}),
    RegisterStopSample({.key = "offer1688/pictures",
                        .hosts = kHosts,
                        .pages = [] { return std::vector<FixturePage>{}; },
                        .album = Album(u"http://detail.1688.com/offer/123456.html"),
                        .prepare = CachedPage("offer1688.html")}),
    RegisterStopSample(
        {.key = "jd/albums",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{{"/1234.html", {}, ShopsTest::Page("jd_item.html")}};
             },
         .input = u"http://item.jd.com/1234.html",
         .singleEmission = true}),
    RegisterStopSample({.key = "jd/pictures",
                        .hosts = kHosts,
                        .pages = [] { return std::vector<FixturePage>{}; },
                        .album = Album(u"http://item.jd.com/1234.html"),
                        .prepare = CachedPage("jd_item.html")}),
    RegisterStopSample({.key = "taobao/albums",
                        .hosts = kHosts,
                        .pages =
                            [] {
                                return std::vector<FixturePage>{
                                    {"/", {{"pageNum", "1"}}, ShopsTest::Page("taobao_shop_1.html")}};
                            },
                        .input = u"http://shop123.taobao.com/?search=y"}),
    RegisterStopSample(
        {.key = "taobao/pictures",
         .hosts = kHosts,
         .pages =
             [] {
                 return std::vector<FixturePage>{{"/item.htm", {}, ShopsTest::Page("taobao_item.html")}};
             },
         .album = Album(u"http://item.taobao.com/item.htm?id=1")}),
};

}  // namespace
