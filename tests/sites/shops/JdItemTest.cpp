// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "shops/ShopsTest.h"
#include "sites/shops/JdItemAdapter.h"
#include "sites/shops/ListedProduct.h"

namespace {

const std::u16string kItem = u"http://item.jd.com/1234.html";

class JdItem : public ShopsTest {
protected:
    void SetUp() override {
        ShopsTest::SetUp();
        List().siteType = SITE_JD;
    }
};

TEST_F(JdItem, ItemPageGivesOneAlbumOfItsFullSizeThumbnails) {
    ServePages({{"/1234.html", {}, Page("jd_item.html")}});
    ListAlbums(JdItemAdapter::AlbumList, kItem);
    auto albums = Albums();
    ASSERT_EQ(albums.size(), 1u);
    EXPECT_EQ(albums[0].name, u"联想笔记本电脑");
    EXPECT_EQ(albums[0].url, kItem);
    EXPECT_EQ(albums[0].pictureCount, -1);
    EXPECT_EQ(List().ownerName, u"京东");

    RunPictures(JdItemAdapter::PictureList);
    EXPECT_EQ(PictureUrls(), (std::vector<std::u16string>{u"http://img10.360buyimg.com/n0/jfs/t1/a.jpg",
                                                          u"http://img10.360buyimg.com/n0/jfs/t1/b.jpg"}));
    EXPECT_EQ(FileNames(), (std::vector<std::u16string>{u"主图_1.jpg", u"主图_2.jpg"}));
    EXPECT_EQ(MessageTexts(), (std::vector<std::u16string>{u"获取商品主图完成，共2张"}));
    ExpectRequests({Get("item.jd.com", "/1234.html")});
}

TEST_F(JdItem, PageWithoutTitleListsNothingAndTellsTheUser) {
    ServePages({{"/1234.html", {}, Gbk("<div id=\"product-intro\"><div class=\"spec-items\"></div>")}});
    ListAlbums(JdItemAdapter::AlbumList, kItem);
    EXPECT_TRUE(Albums().empty());
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::u16string>{u"没有获取到商品信息，请确认输入的是商品详情页的网址"}));
}

TEST_F(JdItem, PageWithoutThumbnailStripIsDumpedIntoTheProgramFolder) {
    Handoff<ListedProduct>().page = u"<h1>联想</h1>";
    ListPictures(JdItemAdapter::PictureList, {.name = u"联想", .url = kItem});
    EXPECT_TRUE(Pictures().empty());
    EXPECT_EQ(DumpText(u"log.err"), u"<h1>联想</h1>");
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::u16string>{u"获取信息出错(2),请将程序目录下的log.err文件发给作者,以便修改"}));
    // The album is not read, not empty: the download counts it as failed.
    EXPECT_TRUE(PageShapeReported());
}

// A page of today: the title in its sku-name block, the pictures' paths in the script and in a strip
// quoted with single quotes, which the picture list reads when the script has none.
TEST_F(JdItem, TodaysItemPageGivesEachPictureOnceInFullSize) {
    std::string withoutList = SiteTest::Fixture("shops", "jd_item_2018.html");
    const std::size_t list = withoutList.find("imageList");
    withoutList.erase(list, withoutList.find('\n', list) - list);
    struct Case {
        const char* label;
        std::string page;
    } cases[] = {
        {"the script's list", Page("jd_item_2018.html")},
        {"the strip", Gbk(withoutList)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        NextCase();
        ResetWindow();
        ServePages({{"/5001.html", {}, c.page}});
        ListAlbums(JdItemAdapter::AlbumList, u"http://item.jd.com/5001.html");
        auto albums = Albums();
        ASSERT_EQ(albums.size(), 1u);
        EXPECT_EQ(albums[0].name, u"不锈钢保温杯 500ml");
        EXPECT_EQ(List().ownerName, u"京东");

        RunPictures(JdItemAdapter::PictureList);
        EXPECT_EQ(PictureUrls(),
                  (std::vector<std::u16string>{u"http://img10.360buyimg.com/n0/jfs/t18157/222/1822300674/"
                                               u"231514/6c179af8/5ad87390N086a3c91.jpg",
                                               u"http://img10.360buyimg.com/n0/jfs/t19333/101/1700000000/"
                                               u"100000/aa00bb11/5ad8739aN0cup2.jpg"}));
        EXPECT_EQ(FileNames(), (std::vector<std::u16string>{u"主图_1.jpg", u"主图_2.jpg"}));
        EXPECT_EQ(MessageTexts(), (std::vector<std::u16string>{u"获取商品主图完成，共2张"}));
    }
}

}  // namespace
