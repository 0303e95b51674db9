// SPDX-License-Identifier: GPL-3.0-or-later
// orvelle-cli on the shops: a Taobao shop listed item by item, and single products downloaded at
// once, with the price in the picture names when the extension settings ask for it.

#include <string>
#include <vector>

#include "cli/SiteCliTest.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class ShopsCli : public SiteCliTest {
protected:
    ShopsCli() {
        server.Handle("/", [](const FixtureRequest& request, FixtureReply& reply) {
            reply.body = GbkFixture(
                "shops", request.Param("pageNum") == "1" ? "taobao_shop_1.html" : "taobao_shop_2.html");
        });
        server.Serve("/item.htm", GbkFixture("shops", "taobao_item.html"));
        server.Serve("/imgextra/i1/12345/a.jpg", PictureBytes('a'), "image/jpeg");
        server.Serve("/imgextra/i2/12345/b.jpg", PictureBytes('b'), "image/jpeg");
        server.Serve("/1234.html", GbkFixture("shops", "jd_item.html"));
        server.Serve("/n0/jfs/t1/a.jpg", PictureBytes('j'), "image/jpeg");
        server.Serve("/n0/jfs/t1/b.jpg", PictureBytes('k'), "image/jpeg");
    }

    // https goes to the fixture server too, where it fails: no picture may come from the internet.
    std::vector<std::string> Args(const std::string& command, const std::vector<std::string>& more) const {
        return SiteCliTest::Args(command,
                                 {"shop123.taobao.com", "item.taobao.com", "img.alicdn.com", "gd3.alicdn.com",
                                  "gd4.alicdn.com", "item.jd.com", "img10.360buyimg.com"},
                                 more, {80, 443});
    }
};

TEST_F(ShopsCli, ShopIsListedItemByItem) {
    // A front page of the shop becomes its search of all items.
    CliProcess run = CliProcess::Run(Args("list", {"http://shop123.taobao.com/shop/view_shop.htm"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "0001\t宝贝一\t未知\t\n0002\t宝贝二\t未知\t\n0003\t宝贝三\t未知\t\n");
    EXPECT_EQ(server.Requests().front().target, "/?search=y&viewType=grid&pageNum=1");
}

TEST_F(ShopsCli, SingleProductsAreDownloadedAtOnce) {
    // The price goes into the picture names, lowered by 2.
    ASSERT_TRUE(FileSystem::WriteFileAtomic(program.Path() + u"下载器扩展设置.ini",
                                            "[淘宝]\r\n图片名中是否有价格=有\r\n价格增减=-2\r\n"));
    CliProcess taobao = CliProcess::Run(
        Args("download", {"--save", save.NativePath(), "http://item.taobao.com/item.htm?id=1"}));
    // The item's https picture cannot be reached here: it is told as failed, and so is the exit.
    EXPECT_EQ(taobao.exitCode, 1) << taobao.err;
    EXPECT_TRUE(Contains(taobao.err, "成功 2 张，失败 1 张")) << taobao.err;
    EXPECT_TRUE(Contains(taobao.err, "获取商品主图完成，共3张")) << taobao.err;
    EXPECT_TRUE(Contains(taobao.err, "下载完毕")) << taobao.err;
    std::string bytes;
    EXPECT_TRUE(
        FileSystem::ReadFile(save.Path() + u"小店铺/纯棉T恤男短袖 圆领-夏装/价格10.50元_主图_1.jpg", bytes));
    EXPECT_EQ(bytes == PictureBytes('a'), true);
    EXPECT_TRUE(FileSystem::Exists(save.Path() + u"小店铺/纯棉T恤男短袖 圆领-夏装/价格10.50元_主图_2.jpg"));

    // JD is not recognised from the address: the site is given.
    CliProcess jd = CliProcess::Run(
        Args("download", {"--site", "16", "--save", save.NativePath(), "http://item.jd.com/1234.html"}));
    EXPECT_EQ(jd.exitCode, 0) << jd.err;
    EXPECT_TRUE(FileSystem::ReadFile(save.Path() + u"京东/联想笔记本电脑/主图_1.jpg", bytes));
    EXPECT_EQ(bytes == PictureBytes('j'), true);
    EXPECT_TRUE(FileSystem::Exists(save.Path() + u"京东/联想笔记本电脑/主图_2.jpg"));
    // The item page is read once, for the list and the pictures.
    int itemPages = 0;
    for (const FixtureRequest& request : server.Requests()) {
        itemPages += request.path == "/1234.html";
    }
    EXPECT_EQ(itemPages, 1);
}

TEST_F(ShopsCli, TodaysItemPageGivesEachMainPictureOnceInFullSize) {
    server.Serve("/item.htm", GbkFixture("shops", "taobao_item_2020.html"));
    server.Serve("/imgextra/i4/77001/TB2cup_!!77001.jpg", PictureBytes('c'), "image/jpeg");
    server.Serve("/imgextra/i3/77001/TB2lid_!!77001.jpg", PictureBytes('l'), "image/jpeg");
    CliProcess run = CliProcess::Run(
        Args("download", {"--save", save.NativePath(), "http://item.taobao.com/item.htm?id=600100"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.err, "获取商品主图完成，共2张")) << run.err;
    const std::u16string album = save.Path() + u"泥土小铺/手工陶瓷茶杯 复古/";
    EXPECT_TRUE(SameBytes(album + u"主图_1.jpg", PictureBytes('c')));
    EXPECT_TRUE(SameBytes(album + u"主图_2.jpg", PictureBytes('l')));
    EXPECT_FALSE(FileSystem::Exists(album + u"主图_3.jpg"));
    EXPECT_EQ(server.RequestsTo("/imgextra/i4/77001/TB2cup_!!77001.jpg").size(), 1u);
    EXPECT_EQ(server.RequestsTo("/imgextra/i3/77001/TB2lid_!!77001.jpg").size(), 1u);
}

}  // namespace
