// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "sina/SinaTest.h"
#include "sites/sina/SinaBlogArticleAdapter.h"

namespace {

const std::string kList = "/s/articlelist_1234567_0";

class SinaBlogArticles : public SinaTest {};

// Blogs in the older template mark their articles with a dotted line; once the first page shows
// that, every later page is read the same way.
TEST_F(SinaBlogArticles, OlderTemplateSeparatorHoldsOnLaterPages) {
    ServePages({{kList + "_1.html", {}, Fixture("articles_old.html")},
                {kList + "_2.html", {}, Fixture("articles_old_page2.html")}});

    ListAlbums(SinaBlogArticleAdapter::AlbumList, u"http://blog.sina.com.cn/s/articlelist_1234567_0");

    ExpectRequests({{"blog.sina.com.cn", kList + "_1.html", {}, {{"Accept-Encoding", "gzip, deflate"}}},
                    {"blog.sina.com.cn", kList + "_2.html", {}}});
    EXPECT_EQ(List().ownerName, u"小王的博客");
    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);  // the article without a title is left out
    EXPECT_EQ(albums[0].name, u"第一篇");
    EXPECT_EQ(albums[0].url, u"http://blog.sina.com.cn/s/blog_4a01.html");
    EXPECT_EQ(albums[0].pictureCount, -1);
    EXPECT_EQ(albums[1].name, u"第三篇");
    EXPECT_EQ(albums[2].name, u"第四篇");
    EXPECT_EQ(albums[2].url, u"http://blog.sina.com.cn/s/blog_4a04.html");
}

TEST_F(SinaBlogArticles, NewerTemplateOnePage) {
    ServePages({{kList + "_1.html", {}, Fixture("articles_new.html")}});

    ListAlbums(SinaBlogArticleAdapter::AlbumList, u"http://blog.sina.com.cn/s/articlelist_1234567_0");

    ExpectRequests({{"blog.sina.com.cn", kList + "_1.html", {}}});
    EXPECT_EQ(List().ownerName, u"新的博客");
    auto albums = Albums();
    ASSERT_EQ(albums.size(), 1u);
    EXPECT_EQ(albums[0].name, u"新文");
    EXPECT_EQ(albums[0].url, u"http://blog.sina.com.cn/s/blog_5b01.html");
}

// The article's GBK page gives one picture from its body: the "&url=" link when every image has
// one, else the first image's "real_src".
TEST_F(SinaBlogArticles, OnePicturePerArticleFromItsBody) {
    const std::string head =
        "<img real_src =\"http://s1.sinaimg.cn/mw690/head.jpg\"><div class=\"articalContent  \">";
    const std::string tail =
        "</div><div class=\"shareUp\"><img real_src =\"http://s1.sinaimg.cn/mw690/share.jpg\">";
    struct Case {
        const char* label;
        std::string page;
        std::u16string picture;  // empty: none
    } cases[] = {
        {"link and image once each",
         head +
             "<a "
             "href=\"http://photo.blog.sina.com.cn/showpic.html#blogid=4a01&amp;url=http://album.sina.com.cn/"
             "pic/春天\">"
             "<img real_src =\"http://s1.sinaimg.cn/mw690/a.jpg\"></a>" +
             tail,
         u"http://album.sina.com.cn/pic/春天"},
        {"two images, no link",
         head +
             "<img real_src =\"http://s1.sinaimg.cn/mw690/一.jpg\"><img real_src "
             "=\"http://s1.sinaimg.cn/mw690/二.jpg\">" +
             tail,
         u"http://s1.sinaimg.cn/orignal/一.jpg"},
        {"one link, two images", Fixture("article.html"), u"http://s1.sinaimg.cn/orignal/first&690"},
        {"middle size", head + "<img real_src =\"http://s2.sinaimg.cn/middle/m.jpg\">" + tail,
         u"http://s2.sinaimg.cn/orignal/m.jpg"},
        {"no picture", head + "<p>文字</p>" + tail, u""},
    };
    const std::string article = "/s/blog_4a01.html";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        server.ClearRequests();
        server.Serve(article, Gbk(c.page), "text/html; charset=gb2312");

        ListPictures(
            SinaBlogArticleAdapter::PictureList,
            ST_PERLISTRECORD{
                .name = u"第一篇", .url = u"http://blog.sina.com.cn/s/blog_4a01.html", .pictureCount = -1});

        ExpectRequests({{"blog.sina.com.cn", article, {}}});
        auto pictures = Pictures();
        ASSERT_EQ(pictures.size(), c.picture.empty() ? 0u : 1u);
        if (!c.picture.empty()) {
            EXPECT_EQ(pictures[0].url, c.picture);
            EXPECT_EQ(pictures[0].fileName.rfind(u"第一篇", 0), 0u);
            EXPECT_TRUE(pictures[0].headers.empty());
        }
    }
}

}  // namespace
