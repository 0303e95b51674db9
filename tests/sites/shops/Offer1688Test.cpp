// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "shops/ShopsTest.h"
#include "sites/shops/ListedProduct.h"
#include "sites/shops/Offer1688Adapter.h"

namespace {

const std::u16string kOffer = u"http://detail.1688.com/offer/123456.html";
const std::u16string kPageShape = u"获取信息出错(2),请将程序目录下的log.err文件发给作者,以便修改";

class Offer1688 : public ShopsTest {};

TEST_F(Offer1688, OnePageRequestServesTheListAndThePictures) {
    ServePages({{"/offer/123456.html", {}, Page("offer1688.html")}});
    ListAlbums(Offer1688Adapter::AlbumList, kOffer);
    auto albums = Albums();
    ASSERT_EQ(albums.size(), 1u);
    EXPECT_EQ(albums[0].name, u"春季新款连衣裙");
    EXPECT_EQ(albums[0].url, kOffer);
    EXPECT_EQ(albums[0].coverUrl, u"");
    EXPECT_EQ(albums[0].pictureCount, -1);
    EXPECT_EQ(List().ownerName, u"义乌小商品有限公司");

    RunPictures(Offer1688Adapter::PictureList);
    // Every piece after a separator is a picture, the last one too; "//" takes the page's scheme.
    EXPECT_EQ(PictureUrls(), (std::vector<std::u16string>{u"http://cbu01.alicdn.com/img/ibank/1.jpg",
                                                          u"http://cbu01.alicdn.com/img/ibank/2.jpg",
                                                          u"https://cbu01.alicdn.com/img/ibank/3.jpg"}));
    EXPECT_EQ(FileNames(),
              (std::vector<std::u16string>{u"春季新款连衣裙_主图_1.jpg", u"春季新款连衣裙_主图_2.jpg",
                                           u"春季新款连衣裙_主图_3.jpg"}));
    EXPECT_EQ(MessageTexts(), (std::vector<std::u16string>{u"获取商品主图完成，共3张"}));
    ExpectRequests({Get("detail.1688.com", "/offer/123456.html")});
}

TEST_F(Offer1688, CompanyNameFallsBackToTheHiddenChineseName) {
    const std::string title = "<div class=\"box-img\" data-tfs-url=\"x\"><a title=\"点击查看大图：连衣裙\">";
    struct Case {
        std::string page;
        std::u16string owner;  // empty: no album, and the user is told
    } cases[] = {
        {"<div class=\"m_compname\"><a href=\"#\">义乌公司</a></div>" + title, u"义乌公司"},
        {"<div class=\"m_compname\"></div><span class=\"chinaname hidden\" title=\"t\">杭州公司</span>" +
             title,
         u"杭州公司"},
        {"<div class=\"company\"></div>" + title, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        List().albums.Clear();
        List().ownerName.clear();
        int before = static_cast<int>(Messages().size());
        ServePages({{"/offer/1.html", {}, Gbk(c.page)}});
        ListAlbums(Offer1688Adapter::AlbumList, u"http://detail.1688.com/offer/1.html");
        EXPECT_EQ(List().ownerName, c.owner);
        if (c.owner.empty()) {
            EXPECT_TRUE(Albums().empty());
            EXPECT_EQ(static_cast<int>(Messages().size()), before + 1);
        } else {
            ASSERT_EQ(Albums().size(), 1u);
            EXPECT_EQ(Albums()[0].name, u"连衣裙");
        }
    }
}

TEST_F(Offer1688, PageWithoutItsPictureMarkerIsDumpedIntoTheProgramFolder) {
    Handoff<ListedProduct>().page = u"<html>别的网页</html>";
    ListPictures(Offer1688Adapter::PictureList, {.name = u"连衣裙", .url = kOffer});
    EXPECT_TRUE(Pictures().empty());
    EXPECT_EQ(DumpText(u"log.err"), u"<html>别的网页</html>");
    EXPECT_EQ(MessageTexts(), (std::vector<std::u16string>{kPageShape}));
    EXPECT_TRUE(PageShapeReported());
}

TEST_F(Offer1688, PageWithoutPicturesSaysSoNamingTheProduct) {
    Handoff<ListedProduct>().page =
        u"<div data-tfs-url=\"x\"><li style=\"background:image:url(/relative.jpg)\"></li>";
    ListPictures(Offer1688Adapter::PictureList, {.name = u"连衣裙", .url = kOffer});
    EXPECT_TRUE(Pictures().empty());
    EXPECT_EQ(MessageTexts(), (std::vector<std::u16string>{u"没有获取到商品“连衣裙”的主图"}));
}

}  // namespace
