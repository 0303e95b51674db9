// SPDX-License-Identifier: GPL-3.0-or-later
// A product address is one album: the album button lists it and its download starts by itself.

#include <string>
#include <vector>

#include "shops/ShopsTest.h"

namespace {

std::string PictureBytes(char seed) {
    std::string bytes = "\xFF\xD8\xFF\xE0";
    bytes.append(3000, seed);
    return bytes;
}

class ProductDownload : public ShopsTest {};

TEST_F(ProductDownload, SingleProductIsDownloadedAtOnce) {
    ServePages({{"/offer/123456.html", {}, Page("offer1688.html")},
                {"/img/ibank/1.jpg", {}, PictureBytes('1'), "image/jpeg"},
                {"/img/ibank/2.jpg", {}, PictureBytes('2'), "image/jpeg"},
                {"/1234.html", {}, Page("jd_item.html")},
                {"/n0/jfs/t1/a.jpg", {}, PictureBytes('a'), "image/jpeg"},
                {"/n0/jfs/t1/b.jpg", {}, PictureBytes('b'), "image/jpeg"},
                {"/item.htm", {}, Page("taobao_item.html")},
                {"/imgextra/i1/12345/a.jpg", {}, PictureBytes('t'), "image/jpeg"},
                {"/imgextra/i2/12345/b.jpg", {}, PictureBytes('u'), "image/jpeg"}});
    secure.Serve("/img/ibank/3.jpg", PictureBytes('3'), "image/jpeg");
    secure.Serve("/imgextra/i4/12345/d.jpg", PictureBytes('v'), "image/jpeg");
    struct Case {
        int site;
        std::u16string input;
        std::vector<std::u16string> files;  // under the save folder
        int pageRequests;                   // the product page is read once, or also by the download
    } cases[] = {
        {SITE_SHOP,
         u"http://detail.1688.com/offer/123456.html",
         {u"义乌小商品有限公司/春季新款连衣裙/春季新款连衣裙_主图_1.jpg",
          u"义乌小商品有限公司/春季新款连衣裙/春季新款连衣裙_主图_2.jpg",
          u"义乌小商品有限公司/春季新款连衣裙/春季新款连衣裙_主图_3.jpg"},
         1},
        {SITE_JD,
         u"http://item.jd.com/1234.html",
         {u"京东/联想笔记本电脑/主图_1.jpg", u"京东/联想笔记本电脑/主图_2.jpg"},
         1},
        {SITE_SHOP,
         u"http://item.taobao.com/item.htm?id=1",
         {u"小店铺/纯棉T恤男短袖 圆领-夏装/主图_1.jpg", u"小店铺/纯棉T恤男短袖 圆领-夏装/主图_2.jpg",
          u"小店铺/纯棉T恤男短袖 圆领-夏装/主图_4.jpg"},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.input));
        server.ClearRequests();
        TempDir save;
        EXPECT_EQ(ListThroughJob(c.site, c.input, save.Path()), 1);
        EXPECT_EQ(DownloadsStarted(), 1);
        for (const std::u16string& file : c.files) {
            EXPECT_TRUE(FileSystem::Exists(save.Path() + file)) << Utf8(file);
        }
        int pageRequests = 0;
        for (const FixtureRequest& request : server.Requests()) {
            pageRequests += request.path.ends_with(".html") || request.path == "/item.htm";
        }
        EXPECT_EQ(pageRequests, c.pageRequests);
    }
}

}  // namespace
