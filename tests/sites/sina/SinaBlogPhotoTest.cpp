// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "sina/SinaTest.h"
#include "sites/sina/SinaBlogPhotoAdapter.h"
#include "sites/sina/SinaUser.h"

namespace {

const std::string kCategories = "/services/ctg_list_ctg.php";
const std::string kCategory = "/category/u/1234567/s/1";

class SinaBlogPhoto : public SinaTest {};

TEST_F(SinaBlogPhoto, CategoriesFromThePhotoServiceOfTheBlogsUser) {
    ServePages({{"/xiaowang", {}, Fixture("blog_home.html")}, {kCategories, {}, Fixture("categories.json")}});

    ListAlbums(SinaBlogPhotoAdapter::AlbumList, u"http://blog.sina.com.cn/xiaowang");

    ExpectRequests({{"blog.sina.com.cn", "/xiaowang", {}, {{"Accept-Encoding", "gzip, deflate"}}},
                    {"photo.blog.sina.com.cn", kCategories, {{"format", "gsonv"}, {"uid", "1234567"}}}});
    EXPECT_EQ(List().ownerName, u"小王的博客");
    EXPECT_EQ(Kept<SinaUser>().userId, u"1234567");
    auto albums = Albums();
    ASSERT_EQ(albums.size(), 2u);
    EXPECT_EQ(albums[0].name, u"旅行");
    EXPECT_EQ(albums[0].pictureCount, 25);
    EXPECT_EQ(albums[0].url, u"http://photo.blog.sina.com.cn/category/u/1234567/s/1");
    EXPECT_EQ(albums[0].coverUrl, u"http://s1.sinaimg.cn/big/c1.jpg");
    EXPECT_EQ(albums[1].name, u"Family");
    EXPECT_EQ(albums[1].pictureCount, 0);
    EXPECT_EQ(albums[1].url, u"http://photo.blog.sina.com.cn/category/u/1234567/s/2");
}

// The category pages show thumbnails; their full pictures sit under the site's "orignal". Their
// query comes escaped twice; an "amp" in the name is the name's own.
TEST_F(SinaBlogPhoto, PicturesPageByPageWhileThereIsANextPage) {
    ServePages({{kCategory + "/page1", {}, Fixture("category_page1.html")},
                {kCategory + "/page2", {}, Fixture("category_page2.html")},
                {kCategory + "/page3", {}, Fixture("category_page2.html")}});

    ListPictures(
        SinaBlogPhotoAdapter::PictureList,
        ST_PERLISTRECORD{.name = u"旅行", .url = u"http://photo.blog.sina.com.cn/category/u/1234567/s/1"});

    ExpectRequests({{"photo.blog.sina.com.cn", kCategory + "/page1", {}},
                    {"photo.blog.sina.com.cn", kCategory + "/page2", {}}});
    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0].url, u"http://s1.sinaimg.cn/orignal/stamp.jpg?a=1&b=2");
    EXPECT_EQ(pictures[1].url, u"http://s2.sinaimg.cn/orignal/4a01&690");
    EXPECT_EQ(pictures[2].url, u"http://s3.sinaimg.cn/orignal/last.jpg");
    EXPECT_EQ(pictures[0].fileName.rfind(u"海边", 0), 0u);
    for (const PictureRecord& picture : pictures) {
        EXPECT_TRUE(picture.headers.empty());
    }
}

TEST_F(SinaBlogPhoto, CategoryWithoutANextPageCostsOnePage) {
    ServePages({{kCategory + "/page1", {}, Fixture("category_page2.html")},
                {kCategory + "/page2", {}, Fixture("category_page1.html")}});

    ListPictures(
        SinaBlogPhotoAdapter::PictureList,
        ST_PERLISTRECORD{.name = u"旅行", .url = u"http://photo.blog.sina.com.cn/category/u/1234567/s/1"});

    ExpectRequests({{"photo.blog.sina.com.cn", kCategory + "/page1", {}}});
    EXPECT_EQ(PictureUrls(), std::vector<std::u16string>{u"http://s3.sinaimg.cn/orignal/last.jpg"});
}

}  // namespace
