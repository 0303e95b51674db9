// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "shops/ShopsTest.h"
#include "sites/shops/ItemPrice.h"
#include "sites/shops/TaobaoShopAdapter.h"

namespace {

const std::u16string kItem = u"http://item.taobao.com/item.htm?id=1";
const std::u16string kShop = u"http://shop123.taobao.com/?search=y";

class Taobao : public ShopsTest {
protected:
    ST_PERLISTRECORD ItemAlbum() const { return {.name = u"纯棉T恤", .url = kItem}; }

    static ExpectedRequest ShopPage(const std::string& page) {
        return Get("shop123.taobao.com", "/", {{"search", "y"}, {"viewType", "grid"}, {"pageNum", page}});
    }

    // A listing page with one item of its own.
    static std::string ListingPage(const std::string& id, const std::string& tail) {
        return "<html><body>排序：<dl class=\"item\"><a href=\"//item.taobao.com/item.htm?id=" + id +
               "\"><img src=\"//img.alicdn.com/" + id + ".jpg\"/></a><a class=\"item-name\" href=\"#\">宝贝" +
               id + "</a><em>1</em></dl>" + tail + "</body></html>";
    }
};

TEST_F(Taobao, ItemPageIsOneAlbumNamedByItsTitle) {
    struct Case {
        std::string title;
        std::u16string name;
    } cases[] = {
        {"纯棉T恤男短袖 圆领-夏装-淘宝网", u"纯棉T恤男短袖 圆领-夏装"},
        {"-淘宝网", u"-淘宝网"},  // a dash at the start only is no site suffix
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        List().albums.Clear();
        std::string page = SiteTest::Fixture("shops", "taobao_item.html");
        page.replace(page.find("纯棉T恤男短袖 圆领-夏装-淘宝网"),
                     std::string("纯棉T恤男短袖 圆领-夏装-淘宝网").size(), c.title);
        ServePages({{"/item.htm", {}, Gbk(page)}});
        ListAlbums(TaobaoShopAdapter::AlbumList, kItem);
        auto albums = Albums();
        ASSERT_EQ(albums.size(), 1u);
        EXPECT_EQ(albums[0].name, c.name);
        EXPECT_EQ(albums[0].url, kItem);
        EXPECT_EQ(albums[0].pictureCount, -1);
        EXPECT_EQ(List().ownerName, u"小店铺");
    }
}

TEST_F(Taobao, MainPicturesAreNamedWithThePriceWhenAsked) {
    struct Case {
        bool priceInName;
        int adjust;
        std::u16string prefix;
    } cases[] = {
        {false, 0, u""},
        {true, 0, u"价格12.50元_"},
        {true, -2, u"价格10.50元_"},
    };
    ServePages({{"/item.htm", {}, Page("taobao_item.html")}});
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.prefix));
        Extension().priceInName = c.priceInName;
        Extension().priceAdjust = c.adjust;
        ListPictures(TaobaoShopAdapter::PictureList, ItemAlbum());
        // The size suffix of each thumbnail goes; one without it is no main picture.
        EXPECT_EQ(PictureUrls(),
                  (std::vector<std::u16string>{u"http://img.alicdn.com/imgextra/i1/12345/a.jpg",
                                               u"http://img.alicdn.com/imgextra/i2/12345/b.jpg",
                                               u"https://img.alicdn.com/imgextra/i4/12345/d.jpg"}));
        EXPECT_EQ(FileNames(),
                  (std::vector<std::u16string>{c.prefix + u"主图_1.jpg", c.prefix + u"主图_2.jpg",
                                               c.prefix + u"主图_4.jpg"}));
        // The price the item page shows, and the part of the names it gives.
        const std::u16string price =
            ItemPrice::Read(CodePage::Decode(Page("taobao_item.html"), CodePage::GBK));
        EXPECT_EQ(price, u"12.50");
        EXPECT_EQ(ItemPrice::NamePrefix(Extension(), price), c.prefix);
        EXPECT_EQ(Messages().back().text, u"获取商品主图完成，共3张");
    }
}

TEST_F(Taobao, ThePriceOfEveryGenerationsScript) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"var g_config = { price:12.50, x:1 }", u"12.50"},
        {u"{\n    reservePrice     : '9.90',\n    price            : 38.00\n};", u"38.00"},
        {u"{\n    price            : '45.00',\n}", u"45.00"},
        {u"{ reservePrice : 9.90 }", u""},  // another field's price is not the item's
        {u"no price here", u""},
    };
    for (const auto& [page, price] : cases) {
        EXPECT_EQ(ItemPrice::Read(page), price) << CodePage::ToUtf8(page);
    }
    EXPECT_EQ(ItemPrice::Read(CodePage::Decode(Page("taobao_item_2020.html"), CodePage::GBK)), u"38.00");
}

TEST_F(Taobao, DescriptionOnlyOptionEmitsNoMainPicture) {
    ServePages({{"/item.htm", {}, Page("taobao_item.html")}});
    Naming().options = OPT_DESCRIPTION_ONLY;
    ListPictures(TaobaoShopAdapter::PictureList, ItemAlbum());
    EXPECT_TRUE(Pictures().empty());
    EXPECT_TRUE(Messages().empty());
    ExpectRequests({Get("item.taobao.com", "/item.htm", {{"id", "1"}})});
}

TEST_F(Taobao, ItemPageMustLinkItsDescription) {
    struct Case {
        std::string link;
        bool item;
    } cases[] = {
        {"descUrl:\"http://dsc.taobaocdn.com/i1/desc.htm\"", true},
        {"descUrl:\"https://dsc.taobaocdn.com/i1/desc.htm\"", true},
        {"descUrl:\"//dsc.taobaocdn.com/i1/desc.htm\"", true},
        {"descUrl:\"\"", false},
    };
    const std::string thumbs =
        "<ul id=\"J_UlThumb\"><li><img src=\"//img.alicdn.com/a.jpg_60x60.jpg\" /></li></ul>";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        FileSystem::Remove(dir.Path() + u"log.err");
        ServePages({{"/item.htm", {}, Gbk("<script>" + c.link + "</script>" + thumbs)}});
        ListPictures(TaobaoShopAdapter::PictureList, ItemAlbum());
        EXPECT_EQ(PictureUrls().size(), c.item ? 1u : 0u);
        EXPECT_EQ(DumpText(u"log.err").empty(), c.item);
        EXPECT_EQ(PageShapeReported(), !c.item);
        EXPECT_EQ(Messages().back().text,
                  c.item ? u"获取商品主图完成，共1张"
                         : u"获取信息出错(2),请将程序目录下的log.err文件发给作者,以便修改");
    }
}

TEST_F(Taobao, ShopListingReadsPagesAndSwitchesItsItemMarker) {
    ServePages({{"/", {{"pageNum", "1"}}, Page("taobao_shop_1.html")},
                {"/", {{"pageNum", "2"}}, Page("taobao_shop_2.html")}});
    ListAlbums(TaobaoShopAdapter::AlbumList, kShop);

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(albums[0].name, u"宝贝一");
    EXPECT_EQ(albums[0].url, u"http://item.taobao.com/item.htm?id=1");
    EXPECT_EQ(albums[0].coverUrl, u"http://img.alicdn.com/bao/1.jpg_240x240.jpg");
    EXPECT_EQ(albums[0].param5, 35);
    EXPECT_EQ(albums[0].pictureCount, -1);
    EXPECT_EQ(albums[1].name, u"宝贝二");
    EXPECT_EQ(albums[1].coverUrl, u"http://img.alicdn.com/bao/2.jpg_240x240.jpg");
    EXPECT_EQ(albums[1].param5, 7);
    // The second page marks its items the newer way.
    EXPECT_EQ(albums[2].name, u"宝贝三");
    EXPECT_EQ(albums[2].url, u"http://detail.tmall.com/item.htm?id=3");
    EXPECT_EQ(albums[2].param5, 120);
    EXPECT_EQ(List().ownerName, u"小店铺");
    EXPECT_EQ(List().ownerSuffix, u"首页全部宝贝");
    ExpectRequests({ShopPage("1"), ShopPage("2")});
}

TEST_F(Taobao, ShopListingFollowsOnlyALiveNextPageLink) {
    const std::string padding = "<html><body>0123456789";
    struct Case {
        std::string tail;
        int pages;
    } cases[] = {
        {"<a class=\"next\">下一页</a>", 2},
        {"<a class=\"next\">下一页</a><span>没有下一页</span>", 1},
        {"<a class=\"next\">下一页</a><span class=\"disable\">下一页</span>", 1},
        {"<span>下一页</span>", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail);
        List().albums.Clear();
        server.ClearRequests();
        ServePages({{"/", {{"pageNum", "1"}}, Gbk(padding + ListingPage("1", c.tail))},
                    {"/", {{"pageNum", "2"}}, Gbk(ListingPage("2", ""))}});
        ListAlbums(TaobaoShopAdapter::AlbumList, kShop);
        EXPECT_EQ(static_cast<int>(server.Requests().size()), c.pages);
        EXPECT_EQ(static_cast<int>(Albums().size()), c.pages);
    }
}

TEST_F(Taobao, ListingOfNoItemsEnds) {
    ServePages({{"/", {}, Gbk(ListingPage("1", "<p>很抱歉，搜索到“<em>0</em>”个宝贝</p><a>下一页</a>"))}});
    ListAlbums(TaobaoShopAdapter::AlbumList, kShop);
    EXPECT_TRUE(Albums().empty());
    ExpectRequests({ShopPage("1")});
}

TEST_F(Taobao, ListingPageWithoutItemsIsDumpedIntoTheProgramFolder) {
    ServePages({{"/", {}, Gbk("<html><body><p>请登录</p><div class=\"sort\">排序：无</div></body></html>")}});
    ListAlbums(TaobaoShopAdapter::AlbumList, kShop);
    EXPECT_TRUE(Albums().empty());
    EXPECT_EQ(DumpText(u"taobao.tmp"), u"排序：无</div></body></html>");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(Taobao, HttpsShopAndProtocolRelativeAddressesWork) {
    secure.Handle("/", [](const FixtureRequest& request, FixtureReply& reply) {
        reply.body = Page(request.Param("pageNum") == "1" ? "taobao_shop_1.html" : "taobao_shop_2.html");
    });
    secure.Serve("/item.htm", Page("taobao_item.html"));
    ListAlbums(TaobaoShopAdapter::AlbumList, u"https://shop123.taobao.com/?search=y");

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);
    // Links without a scheme take the listing's.
    EXPECT_EQ(albums[0].url, u"https://item.taobao.com/item.htm?id=1");
    EXPECT_EQ(albums[0].coverUrl, u"https://img.alicdn.com/bao/1.jpg_240x240.jpg");
    EXPECT_EQ(albums[1].url, u"http://item.taobao.com/item.htm?id=2");
    EXPECT_EQ(albums[2].url, u"https://detail.tmall.com/item.htm?id=3");
    EXPECT_FALSE(FileSystem::Exists(dir.Path() + u"log.err"));
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(secure.RequestsTo("/").size(), 2u);

    ListPictures(TaobaoShopAdapter::PictureList, albums[0]);
    EXPECT_EQ(PictureUrls(),
              (std::vector<std::u16string>{u"https://img.alicdn.com/imgextra/i1/12345/a.jpg",
                                           u"http://img.alicdn.com/imgextra/i2/12345/b.jpg",
                                           u"https://img.alicdn.com/imgextra/i4/12345/d.jpg"}));
    EXPECT_EQ(secure.RequestsTo("/item.htm").size(), 1u);
    EXPECT_TRUE(server.Requests().empty());
}

// Today's item pages, Taobao's and Tmall's, and a Taobao page without its script's list: the
// picture list reads the strip instead.
TEST_F(Taobao, TodaysItemPagesGiveEachMainPictureOnceInFullSize) {
    std::string withoutList = SiteTest::Fixture("shops", "taobao_item_2020.html");
    const std::size_t list = withoutList.find("auctionImages");
    withoutList.erase(list, withoutList.find('\n', list) - list);
    const std::vector<std::u16string> taobao = {
        u"http://gd4.alicdn.com/imgextra/i4/77001/TB2cup_!!77001.jpg",
        u"http://gd3.alicdn.com/imgextra/i3/77001/TB2lid_!!77001.jpg"};
    struct Case {
        const char* label;
        std::string page;
        std::vector<std::u16string> urls;
    } cases[] = {
        {"Taobao, the script's list", Page("taobao_item_2020.html"), taobao},
        {"Taobao, the strip", Gbk(withoutList), taobao},
        {"Tmall",
         Page("tmall_item_2020.html"),
         {u"http://img.alicdn.com/imgextra/i1/88002/O1CN01bskt_!!0-item_pic.jpg",
          u"http://img.alicdn.com/imgextra/i2/88002/O1CN01side_!!88002.jpg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ResetWindow();
        ServePages({{"/item.htm", {}, c.page}});
        ListPictures(TaobaoShopAdapter::PictureList, ItemAlbum());
        EXPECT_EQ(PictureUrls(), c.urls);
        EXPECT_EQ(FileNames(), (std::vector<std::u16string>{u"主图_1.jpg", u"主图_2.jpg"}));
        EXPECT_EQ(MessageTexts(), (std::vector<std::u16string>{u"获取商品主图完成，共2张"}));
    }
}

TEST_F(Taobao, TodaysItemPagesNameTheSellerDecoded) {
    std::string noNick = SiteTest::Fixture("shops", "taobao_item_2020.html");
    const std::string nick = "'\\u6ce5\\u571f\\u5c0f\\u94fa',";
    ASSERT_NE(noNick.find(nick), std::string::npos);
    noNick.replace(noNick.find(nick), nick.size(), "'',");
    struct Case {
        const char* label;
        std::string page;
        std::u16string name;
        std::u16string owner;
    } cases[] = {
        {"Taobao's nick, escaped", Page("taobao_item_2020.html"), u"手工陶瓷茶杯 复古", u"泥土小铺"},
        {"Taobao's shop name, escaped", Gbk(noNick), u"手工陶瓷茶杯 复古", u"泥土小铺的店"},
        {"Tmall's, percent-encoded in an address", Page("tmall_item_2020.html"), u"竹编收纳篮 家用",
         u"竹声家居"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        List().albums.Clear();
        ServePages({{"/item.htm", {}, c.page}});
        ListAlbums(TaobaoShopAdapter::AlbumList, kItem);
        auto albums = Albums();
        ASSERT_EQ(albums.size(), 1u);
        EXPECT_EQ(albums[0].name, c.name);
        EXPECT_EQ(List().ownerName, c.owner);
    }
}

}  // namespace
