// SPDX-License-Identifier: GPL-3.0-or-later
// The album-list job's handling of the user's input: which adapter it calls with what, and what it
// leaves in the job context for the download.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MyCode/ConnectToRules.h"
#include "MyCode/URLSource2.h"
#include "jobs/AlbumListJob.h"
#include "jobs/JobContext.h"
#include "listjob/JobHarness.h"
#include "platform/CodePage.h"
#include "sites/baidu/TiebaForumKeyword.h"
#include "sites/communities/PconlinePaging.h"
#include "sites/galleries/PocoUser.h"
#include "sites/tencent/TencentWeiboAccount.h"
#include "support/FixtureServer.h"
#include "support/Handoff.h"
#include "support/RecordingJobEvents.h"
#include "support/TempDir.h"

namespace {

using Call = RecordingAdapters::Call;

struct NormCase {
    const char* label;
    int site;
    int subModeBox;  // the sub-mode box's selection; -1 when it is hidden
    std::u16string input;
    std::vector<Call> calls = {};  // every adapter call, in order
    int subMode = SUBMODE_UNSET;
    std::u16string ownerName = {};
    // Checks what the family's normalisation kept for the picture lists (support/Handoff.h).
    std::function<void(const ListResult&)> kept = {};
    std::u16string message = {};  // the start of the one message box, empty for none
    const char* emits = "";       // the adapter that finds albums
    int emitCount = 1;
    int downloads = 0;  // 1: the job asks for the one album to be downloaded at once
};

void PrintTo(const NormCase& c, std::ostream* os) {
    *os << c.label;
}

const std::u16string kQzoneEmpty = u"没有获取到相册，原因如下";
const std::u16string kAddressRequired = u"请输入相册所在页面的完整网址";

// clang-format off
const std::vector<NormCase> kCases = {
    // Site type 0
    {.label = "QzoneNumber", .site = 0, .subModeBox = 0, .input = u"123456", .calls = {{"qzone", u"123456"}},
     .subMode = 0, .ownerName = u"123456/", .emits = "qzone"},
    {.label = "QzoneAddressKeepsTheNumber", .site = 0, .subModeBox = 0,
     .input = u"  http://user.qzone.qq.com/123456/photo?ptlang=2052  ", .calls = {{"qzone", u"123456"}},
     .subMode = 0, .ownerName = u"123456/", .emits = "qzone"},
    {.label = "QzoneHttpsAddress", .site = 0, .subModeBox = 0,
     .input = u"https://user.qzone.qq.com/98765#!app=4", .calls = {{"qzone", u"98765"}}, .subMode = 0,
     .ownerName = u"98765/", .emits = "qzone"},
    {.label = "QzoneSecondListWhenFirstFindsNothing", .site = 0, .subModeBox = 0, .input = u"123456",
     .calls = {{"qzone", u"123456"}, {"qzoneSecondAlbums", u"123456"}}, .subMode = 0, .ownerName = u"123456/",
     .emits = "qzoneSecondAlbums"},
    {.label = "QzoneNothingFound", .site = 0, .subModeBox = 0, .input = u"123456",
     .calls = {{"qzone", u"123456"}, {"qzoneSecondAlbums", u"123456"}}, .subMode = 0, .ownerName = u"123456/",
     .message = kQzoneEmpty},
    {.label = "QzoneLetterAmongDigits", .site = 0, .subModeBox = 0, .input = u"12a456", .calls = {},
     .subMode = 0, .message = u"请直接输入QQ号进行下载"},
    {.label = "QzoneAddressWithoutNumber", .site = 0, .subModeBox = 0, .input = u"http://user.qzone.qq.com/",
     .calls = {}, .subMode = 0, .message = u"请直接输入QQ号进行下载"},
    {.label = "WeiboBySubMode", .site = 0, .subModeBox = 2, .input = u"http://t.qq.com/alice?pgv_ref=im",
     .calls = {{"tencentWeibo", u"alice"}}, .subMode = 2, .ownerName = u"alice/",
     .kept = [](const ListResult& list) { EXPECT_EQ(KeptIn<TencentWeiboAccount>(list).name, u"alice"); },
     .emits = "tencentWeibo"},
    {.label = "WeiboHostOverridesGroupMode", .site = 0, .subModeBox = 1,
     .input = u"http://t.qq.com/app/qzphoto/bob?preview", .calls = {{"tencentWeibo", u"bob"}}, .subMode = 2,
     .ownerName = u"bob/",
     .kept = [](const ListResult& list) { EXPECT_EQ(KeptIn<TencentWeiboAccount>(list).name, u"bob"); },
     .emits = "tencentWeibo"},
    {.label = "WeiboNothingFound", .site = 0, .subModeBox = 2, .input = u"alice",
     .calls = {{"tencentWeibo", u"alice"}}, .subMode = 2, .ownerName = u"alice/",
     .kept = [](const ListResult& list) { EXPECT_EQ(KeptIn<TencentWeiboAccount>(list).name, u"alice"); },
     .message = u"没有获取到相册，可按以下步骤操作：\n\n1、请先在下载器的登录菜单里登录你的腾讯微博"},
    {.label = "QqGroupAddress", .site = 0, .subModeBox = 1,
     .input = u"http://qun.qzone.qq.com/group#!/246810/photo", .calls = {{"qqGroup", u"246810"}},
     .subMode = 1, .ownerName = u"246810/", .emits = "qqGroup"},
    {.label = "QqGroupNothingFound", .site = 0, .subModeBox = 1, .input = u"246810",
     .calls = {{"qqGroup", u"246810"}}, .subMode = 1, .ownerName = u"246810/",
     .message = u"没有获取到相册，可按以下步骤操作：\n\n1、你哪个号加入了你要下载的QQ群"},

    // Site type 1: Tieba names are GBK percent-encoded ("南京").
    {.label = "TiebaPhotoPageDownloadsItsAlbum", .site = 1, .subModeBox = -1,
     .input = u"http://tieba.baidu.com/photo/p?kw=%C4%CF%BE%A9&ie=utf-8",
     .calls = {{"tiebaPage", u"http://tieba.baidu.com/photo/p?kw=%C4%CF%BE%A9&ie=utf-8"}}, .subMode = 2,
     .ownerName = u"南京/",
     .kept = [](const ListResult& list) {
         EXPECT_EQ(CodePage::ToUtf8(KeptIn<TiebaForumKeyword>(list).forum), "%C4%CF%BE%A9");
     },
     .emits = "tiebaPage", .downloads = 1},
    {.label = "TiebaPhotoPageWithTwoAlbumsWaits", .site = 1, .subModeBox = -1,
     .input = u"http://tieba.baidu.com/photo/p?kw=abc",
     .calls = {{"tiebaPage", u"http://tieba.baidu.com/photo/p?kw=abc"}}, .subMode = 2, .ownerName = u"abc/",
     .kept = [](const ListResult& list) {
         EXPECT_EQ(CodePage::ToUtf8(KeptIn<TiebaForumKeyword>(list).forum), "abc");
     },
     .emits = "tiebaPage", .emitCount = 2},
    {.label = "TiebaAlbums", .site = 1, .subModeBox = -1,
     .input = u"http://tieba.baidu.com/f?kw=%C4%CF%BE%A9&tab=album",
     .calls = {{"tiebaAlbums", u"%C4%CF%BE%A9"}}, .subMode = 1, .ownerName = u"南京/",
     .kept = [](const ListResult& list) {
         EXPECT_EQ(CodePage::ToUtf8(KeptIn<TiebaForumKeyword>(list).forum), "%C4%CF%BE%A9");
     },
     .emits = "tiebaAlbums"},
    {.label = "BaiduAlbumUser", .site = 1, .subModeBox = -1,
     .input = u"http://xiangce.baidu.com/u/alice/album?x=1", .calls = {{"baiduAlbums", u"alice"}},
     .subMode = 0},
    {.label = "BaiduAlbumUserFromPage", .site = 1, .subModeBox = -1, .input = u"http://hi.baidu.com/someone",
     .calls = {{"baiduAlbums", u"carol"}}, .subMode = 0},
    // The page the user's address names did not come: the list says why instead of finding nothing.
    {.label = "BaiduPageFetchFails", .site = 1, .subModeBox = -1, .input = u"http://dead.baidu.com/someone",
     .calls = {}, .message = u"无法连接：dead.baidu.com"},
    {.label = "BaiduBareNameNeedsAddress", .site = 1, .subModeBox = -1, .input = u"alice", .calls = {},
     .message = kAddressRequired},

    // Site type 2
    {.label = "NeteasePp", .site = 2, .subModeBox = -1, .input = u"http://alice.pp.163.com/",
     .calls = {{"neteasePp", u"http://alice.pp.163.com/"}}, .subMode = 1},
    {.label = "NeteasePhotoLeavesSubModeUnset", .site = 2, .subModeBox = -1,
     .input = u"http://photo.163.com/alice/", .calls = {{"neteasePhoto", u"http://photo.163.com/alice/"}}},

    // Site type 3
    {.label = "RenrenAlbumPage", .site = 3, .subModeBox = -1,
     .input = u"http://photo.renren.com/photo/123/album-456?ref=x",
     .calls = {{"renrenPhoto", u"http://photo.renren.com/photo/123/album-456"}}, .subMode = 0},
    {.label = "RenrenZhanNothingFound", .site = 3, .subModeBox = -1,
     .input = u"http://zhan.renren.com/somezhan",
     .calls = {{"renrenZhan", u"http://zhan.renren.com/somezhan"}}, .subMode = 10,
     .message = u"1、没有获取到相册，需要你在登录菜单里登录一个人人帐号"},
    {.label = "RenrenIdParameter", .site = 3, .subModeBox = -1,
     .input = u"http://www.renren.com/profile.php?id=22334455", .calls = {{"renrenPhoto", u"22334455"}},
     .subMode = 0},
    {.label = "RenrenLastPathPart", .site = 3, .subModeBox = -1,
     .input = u"http://www.renren.com/22334455/profile", .calls = {{"renrenPhoto", u"22334455"}},
     .subMode = 0},
    {.label = "RenrenNameOnMainHost", .site = 3, .subModeBox = -1, .input = u"http://www.renren.com/alice",
     .calls = {{"renrenPhoto", u"777"}}, .subMode = 0},
    {.label = "RenrenNameOnPublicPageHost", .site = 3, .subModeBox = -1,
     .input = u"http://page.renren.com/bob", .calls = {{"renrenPhoto", u"888"}}, .subMode = 0},

    // Site type 4
    {.label = "SinaBlogArticle", .site = 4, .subModeBox = -1,
     .input = u"http://blog.sina.com.cn/s/blog_4a5b6c7d0100abcd.html",
     .calls = {{"sinaBlogArticles", u"http://blog.sina.com.cn/s/blog"}}, .subMode = 1,
     .emits = "sinaBlogArticles"},
    // The albums need the login; the user's post pictures are asked for next, through the mobile API.
    {.label = "SinaWeiboNothingFound", .site = 4, .subModeBox = -1, .input = u"http://weibo.com/u/123",
     .calls = {{"sinaWeibo", u"http://weibo.com/u/123"}, {"sinaWeiboMobile", u"http://weibo.com/u/123"}},
     .subMode = 3, .message = u"没有获取到相册，请在登录菜单里登录新浪(微博)帐号后重试"},
    {.label = "SinaWeiboMobile", .site = 4, .subModeBox = -1, .input = u"https://m.weibo.cn/u/123",
     .calls = {{"sinaWeiboMobile", u"https://m.weibo.cn/u/123"}}, .subMode = 3, .emits = "sinaWeiboMobile"},
    {.label = "SinaBlogAlbums", .site = 4, .subModeBox = -1, .input = u"http://photo.blog.sina.com.cn/u/123",
     .calls = {{"sinaBlogAlbums", u"http://photo.blog.sina.com.cn/u/123"}}, .subMode = 0,
     .emits = "sinaBlogAlbums"},
    {.label = "SinaBareNumberNeedsAddress", .site = 4, .subModeBox = -1, .input = u"12345", .calls = {},
     .message = kAddressRequired},

    // Site types 5 to 7
    {.label = "Site56", .site = 5, .subModeBox = -1, .input = u"http://www.56.com/album/alice/list",
     .calls = {{"site56", u"http://www.56.com/photo/album/index.php?user=alice&perPage=20"}},
     .ownerName = u"alice/"},
    {.label = "PocoAlbum", .site = 6, .subModeBox = -1,
     .input = u"http://my.poco.cn/album/album_list.htx&user_id=173000&p=1",
     .calls = {{"pocoAlbums", u"173000"}}, .subMode = 0},
    {.label = "PocoActivityOfUser", .site = 6, .subModeBox = -1,
     .input = u"http://my.poco.cn/id-173000.shtml",
     .calls = {{"pocoActivity", u"http://my.poco.cn/act/act_list.htx&user_id=173000&act_type_id=0"}},
     .subMode = 1,
     .kept = [](const ListResult& list) { EXPECT_EQ(KeptIn<PocoUser>(list).userId, u"173000"); }},
    {.label = "PocoActivityListKeepsOnlyOwnPaging", .site = 6, .subModeBox = -1,
     .input = u"http://my.poco.cn/act/act_list.htx&user_id=173000&p=2",
     .calls = {{"pocoActivity", u"http://my.poco.cn/act/act_list.htx&user_id=173000&zmw=2"}}, .subMode = 1},
    {.label = "YupooUserOnSecondHost", .site = 7, .subModeBox = -1,
     .input = u"http://alice.x.yupoo.com/collections/123",
     .calls = {{"yupoo", u"http://x.yupoo.com/photos/alice/albums/"}}, .emits = "yupoo"},
    {.label = "YupooSecondHostHttps", .site = 7, .subModeBox = -1,
     .input = u"https://x.yupoo.com/photos/alice/albums/page2",
     .calls = {{"yupoo", u"https://x.yupoo.com/photos/alice/albums/"}}, .emits = "yupoo"},
    {.label = "YupooMainHostNothingFound", .site = 7, .subModeBox = -1,
     .input = u"http://www.yupoo.com/photos/bob/albums/?page=3",
     .calls = {{"yupoo", u"http://www.yupoo.com/photos/bob/albums/?"}},
     .message = u"没有获取到相册，如果网址正确，请按以下步骤操作\r\n\r\n"},
    {.label = "YupooUserSubDomain", .site = 7, .subModeBox = -1, .input = u"https://carol.yupoo.com/",
     .calls = {{"yupoo", u"http://www.yupoo.com/photos/carol/albums/"}}, .emits = "yupoo"},

    // Site types 8 to 10
    {.label = "Site51", .site = 8, .subModeBox = -1, .input = u"https://photo.51.com/alice/album",
     .calls = {{"site51", u"alice"}}, .ownerName = u"alice/"},
    {.label = "Zol", .site = 9, .subModeBox = -1, .input = u"http://my.zol.com.cn/bob/photo/",
     .calls = {{"zol", u"bob"}}},
    {.label = "Pchome", .site = 10, .subModeBox = -1, .input = u"http://photo.pchome.com.tw/carol/?page=2",
     .calls = {{"pchome", u"carol"}}, .ownerName = u"carol/"},

    // Site type 11
    {.label = "Offer1688DownloadsItsAlbum", .site = 11, .subModeBox = -1,
     .input = u"http://detail.1688.com/offer/123456.html",
     .calls = {{"offer1688", u"http://detail.1688.com/offer/123456.html"}}, .subMode = 2,
     .emits = "offer1688", .downloads = 1},
    {.label = "Shop1688WithoutOffer", .site = 11, .subModeBox = -1,
     .input = u"http://shop.1688.com/page/x.htm", .calls = {}, .message = u"请输入1688商品详情页的网址"},
    {.label = "TaobaoItemDownloadsItsAlbum", .site = 11, .subModeBox = -1,
     .input = u"http://item.taobao.com/item.htm?id=123",
     .calls = {{"taobao", u"http://item.taobao.com/item.htm?id=123"}}, .emits = "taobao", .downloads = 1},
    {.label = "TaobaoSearchPagingRenamed", .site = 11, .subModeBox = -1,
     .input = u"http://shop1.taobao.com/search.htm?pageNum=3&viewType=grid",
     .calls = {{"taobao", u"http://shop1.taobao.com/search.htm?Zmw1=3&Zmw2=grid"}}, .emits = "taobao",
     .emitCount = 2},
    {.label = "TaobaoCategoryGetsQuery", .site = 11, .subModeBox = -1,
     .input = u"http://shop1.taobao.com/category-123.htm",
     .calls = {{"taobao", u"http://shop1.taobao.com/category-123.htm?"}}, .emits = "taobao", .downloads = 1},
    {.label = "TaobaoShopSearchesWholeShop", .site = 11, .subModeBox = -1,
     .input = u"http://shop1.taobao.com/shop/view_shop.htm",
     .calls = {{"taobao", u"http://shop1.taobao.com/?search=y"}}, .message = u"没有获取到淘宝宝贝，如果是整店下载"},

    // Site types 12 to 16
    {.label = "MokoUser", .site = 12, .subModeBox = -1, .input = u"http://www.moko.cc/alice/indexpage.html",
     .calls = {{"moko", u"http://www.moko.cc/post/alice/list.html"}}},
    {.label = "MokoPostList", .site = 12, .subModeBox = -1,
     .input = u"http://www.moko.cc/post/alice/list.html",
     .calls = {{"moko", u"http://www.moko.cc/post/alice/list.html"}}},
    {.label = "BabytreeNewPage", .site = 13, .subModeBox = -1,
     .input = u"http://home.babytree.com/u12345/journal&x", .calls = {{"babytreeNew", u"u12345"}},
     .subMode = 0, .emits = "babytreeNew"},
    {.label = "BabytreeOldPageWhenNewFindsNothing", .site = 13, .subModeBox = -1,
     .input = u"http://home.babytree.com/u12345",
     .calls = {{"babytreeNew", u"u12345"}, {"babytreeOld", u"u12345"}}, .subMode = 1},
    {.label = "PconlineAlbumPage", .site = 14, .subModeBox = -1,
     .input = u"http://my.pconline.com.cn/photo/1234_p3_5.html",
     .calls = {{"pconline", u"http://my.pconline.com.cn/photo/1234_dk1stp_5.html"}},
     .kept = [](const ListResult& list) { EXPECT_EQ(KeptIn<PconlinePaging>(list).pageMarker, u"_p3_"); }},
    {.label = "PconlinePageWithoutNumberKeepsLastPattern", .site = 14, .subModeBox = -1,
     .input = u"http://photo.pconline.com.cn/a_pb.html",
     .calls = {{"pconline", u"http://photo.pconline.com.cn/a_pb.html"}},
     .kept = [](const ListResult& list) { EXPECT_EQ(KeptIn<PconlinePaging>(list).pageMarker, u"_p99_"); }},
    {.label = "PconlinePersonalAlbums", .site = 14, .subModeBox = -1,
     .input = u"http://my.pconline.com.cn/photo/album1234.html",
     .calls = {{"pconline", u"http://my.pconline.com.cn/photo/album1234_dk1stp_n15.html"}}},
    {.label = "PconlineUser", .site = 14, .subModeBox = -1, .input = u"http://photo.pconline.com.cn/alice/",
     .calls = {{"pconline", u"http://photo.pconline.com.cn/alice/myphoto_dk1stp_n15.html"}},
     .kept = [](const ListResult& list) { EXPECT_EQ(KeptIn<PconlinePaging>(list).user, u"alice"); }},
    {.label = "HupuNothingFound", .site = 15, .subModeBox = -1, .input = u"http://my.hupu.com/alice/photo",
     .calls = {{"hupu", u"http://my.hupu.com/alice/photo"}}, .message = u"请先在登录菜单里登录虎扑帐号后重试"},
    {.label = "JdItemDownloadsItsAlbum", .site = 16, .subModeBox = -1,
     .input = u"http://item.jd.com/1234.html", .calls = {{"jd", u"http://item.jd.com/1234.html"}},
     .emits = "jd", .downloads = 1},
    {.label = "JdNotAnItem", .site = 16, .subModeBox = -1, .input = u"https://www.jd.com/", .calls = {},
     .message = u"请输入京东商品页的网址"},
};
// clang-format on

// Serves the pages that the normalisation itself fetches, under the sites' real host names.
class Normalisation : public ::testing::TestWithParam<NormCase> {
public:
    static void SetUpTestSuite() {
        SetRetryPauseScale(0.01);
        server_ = std::make_unique<FixtureServer>();
        server_->Serve("/someone", "<a href=\"/profile/carol?from=hi\">carol</a>");
        server_->Serve("/alice", "<script>var user = { pid: '777' };</script>");
        server_->Serve("/bob", "<script>var profile_owner = 888;</script>");
        server_->Route("hi.baidu.com");
        server_->Route("www.renren.com");
        server_->Route("page.renren.com");
        // Nothing listens on port 1: the fetch fails at once.
        ConnectToRules::Instance().Add("dead.baidu.com:80:127.0.0.1:1");
    }
    static void TearDownTestSuite() {
        ConnectToRules::Instance().Remove("dead.baidu.com:80:127.0.0.1:1");
        server_.reset();
        SetRetryPauseScale(1.0);
    }

private:
    static std::unique_ptr<FixtureServer> server_;
};

std::unique_ptr<FixtureServer> Normalisation::server_;

TEST_P(Normalisation, CallsTheAdapterWithTheNormalisedInput) {
    const NormCase& c = GetParam();
    JobHarness h;
    RecordingJobEvents& events = h.events;
    JobContext& job = h.job;
    RecordingAdapters& adapters = h.adapters;
    job.list.subMode = SUBMODE_UNSET;
    if (*c.emits != '\0') {
        adapters.EmitFrom(c.emits, c.emitCount);
    }

    GetListFunc(
        {.siteType = c.site, .subMode = c.subModeBox < 0 ? SUBMODE_UNSET : c.subModeBox, .input = c.input},
        job, adapters.table, events);

    EXPECT_EQ(adapters.Calls(), c.calls);
    EXPECT_EQ(job.list.subMode, c.subMode);
    EXPECT_EQ(CodePage::ToUtf8(job.list.ownerName), CodePage::ToUtf8(c.ownerName));
    if (c.kept) {
        c.kept(job.list);
    }
    std::vector<RecordingJobEvents::Message> messages = events.Messages();
    if (c.message.empty()) {
        EXPECT_TRUE(messages.empty()) << CodePage::ToUtf8(messages.front().text);
    } else {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(CodePage::ToUtf8(messages[0].text.substr(0, c.message.size())),
                  CodePage::ToUtf8(c.message));
    }
    // The job asks for the download of an item page's one album when the list ends.
    const std::vector<RecordingJobEvents::ListEnd> ends = events.ListsEnded();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].downloadAtOnce ? 1 : 0, c.downloads);
    if (c.downloads > 0) {
        EXPECT_EQ(ends[0].albumCount, 1);
        EXPECT_EQ(job.list.albums.Size(), 1u);
    }
    EXPECT_EQ(job.control.listState, LIST_IDLE);
}

INSTANTIATE_TEST_SUITE_P(EverySite, Normalisation, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<NormCase>& info) {
                             return std::string(info.param.label);
                         });

}  // namespace
