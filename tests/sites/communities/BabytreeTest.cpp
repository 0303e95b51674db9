// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <string>
#include <vector>

#include "communities/CommunitiesTest.h"
#include "sites/communities/BabytreeAlbumAdapter.h"
#include "sites/communities/BabytreeUser.h"

namespace {

const std::string kUserPage = "/user/showuser.php";
const std::string kOldAlbum7 = "/user/showuser.php?uid=uu123&tab=photo&view=album&album_id=7";

std::string PictureBytes(char seed) {
    std::string bytes = "\xFF\xD8\xFF\xE0";
    bytes.append(2000, seed);
    return bytes;
}

class Babytree : public CommunitiesTest {
protected:
    // A photo page showing the large picture big<id>.jpg.
    static std::string PhotoPage(const std::string& id) {
        std::string page = Fixture("babytree_old_photo.html");
        page.replace(page.find("%s"), 2, id);
        return page;
    }

    void ServeOldPages() {
        ServePages({{kUserPage, {{"view", "album_list"}, {"pg", "1"}}, Fixture("babytree_old_albums_1.html")},
                    {kUserPage, {{"view", "album_list"}, {"pg", "2"}}, Fixture("babytree_old_albums_2.html")},
                    {kUserPage, {{"album_id", "7"}, {"pg", "1"}}, Fixture("babytree_old_photos_1.html")},
                    {kUserPage, {{"album_id", "7"}, {"pg", "2"}}, Fixture("babytree_old_photos_2.html")},
                    {kUserPage, {{"photo_id", "1"}, {"show", "big"}}, PhotoPage("1")},
                    {kUserPage, {{"photo_id", "3"}, {"show", "big"}}, PhotoPage("3")},
                    // The new pages of the same user list nothing.
                    {"/u123/photo/list",
                     {},
                     "<html><title>小宝妈妈的相册</title><script>var album_list = [];</script>"},
                    {"/old/big1.jpg", {}, PictureBytes('1'), "image/jpeg"},
                    {"/old/t2.jpg", {}, PictureBytes('2'), "image/jpeg"},
                    {"/old/big3.jpg", {}, PictureBytes('3'), "image/jpeg"}});
    }

    static ExpectedRequest Home(const std::string& path,
                                std::vector<std::pair<std::string, std::string>> query) {
        return {"home.babytree.com", path, std::move(query), {{"Accept-Encoding", "gzip, deflate"}}};
    }
    static ExpectedRequest Main(std::vector<std::pair<std::string, std::string>> query) {
        return {"www.babytree.com", kUserPage, std::move(query), {{"Accept-Encoding", "gzip, deflate"}}};
    }
    static ExpectedRequest OldList(const std::string& page) {
        return Main(
            {{"uid", "uu123"}, {"tab", "photo"}, {"view", "album_list"}, {"order", ""}, {"pg", page}});
    }
    static ExpectedRequest OldPhotos(const std::string& page) {
        return Main({{"uid", "uu123"}, {"tab", "photo"}, {"view", "album"}, {"album_id", "7"}, {"pg", page}});
    }
    static ExpectedRequest OldPhoto(const std::string& id) {
        return Main(
            {{"uid", "uu123"}, {"tab", "photo"}, {"view", "photo"}, {"photo_id", id}, {"show", "big"}});
    }
};

TEST_F(Babytree, NewPagesListTheAlbumsOfThePageScript) {
    ServePages({{"/u123/photo/list", {{"pg", "1"}}, Fixture("babytree_albums_1.html")},
                {"/u123/photo/list", {{"pg", "2"}}, Fixture("babytree_albums_2.html")}});
    ListAlbums(BabytreeAlbumAdapter::AlbumList, u"u123");

    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(albums[0].name, u"宝宝满月");
    // JSON writes "/" as "\/".
    EXPECT_EQ(albums[0].url, u"http://home.babytree.com/u123/album/101");
    EXPECT_EQ(albums[0].coverUrl, u"http://pic.babytree.com/photo/thumbs/c101_sm.jpg");
    EXPECT_EQ(albums[0].pictureCount, 12);
    EXPECT_EQ(albums[1].name, u"春游");
    EXPECT_EQ(albums[2].name, u"生日");
    EXPECT_EQ(List().ownerName, u"小宝妈妈");
    EXPECT_EQ(Kept<BabytreeUser>().userId, u"u123");
    ExpectRequests({Home("/u123/photo/list", {{"pg", "1"}}), Home("/u123/photo/list", {{"pg", "2"}})});
}

TEST_F(Babytree, NewPagePicturesAreTheLargePicturesOfTheirThumbnails) {
    ServePages({{"/u123/albumAjax/101", {{"pg", "1"}}, Fixture("babytree_photos.json")}});
    ListPictures(BabytreeAlbumAdapter::PictureList,
                 {.name = u"宝宝满月", .url = u"http://home.babytree.com/u123/album/101"});

    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].url, u"http://pic.babytree.com/photo/photos/x_b.jpg");
    EXPECT_EQ(pictures[0].fileName, u"first.jpg");
    // The "foto3" pictures keep their folder and have a size of their own.
    EXPECT_EQ(pictures[1].url, u"http://pic.babytree.com/foto3/thumbs/y_nb.jpg");
    EXPECT_EQ(pictures[1].fileName, u"second.jpg");
    // The empty second page ends the list.
    ExpectRequests({Home("/u123/albumAjax/101", {{"format", "json"}, {"pg", "1"}}),
                    Home("/u123/albumAjax/101", {{"format", "json"}, {"pg", "2"}})});
}

TEST_F(Babytree, NewPagePictureServiceThatRepeatsItsLastPageEnds) {
    std::atomic<int> served{0};
    server.Handle("/u123/albumAjax/101", [&](const FixtureRequest&, FixtureReply& reply) {
        reply.body = Fixture("babytree_photos.json");
        // A list that never ends would otherwise hang the test.
        if (++served > 5) {
            StopDownload();
        }
    });
    ListPictures(BabytreeAlbumAdapter::PictureList,
                 {.name = u"宝宝满月", .url = u"http://home.babytree.com/u123/album/101"});
    EXPECT_EQ(PictureUrls().size(), 2u);
    EXPECT_EQ(served.load(), 2);
}

TEST_F(Babytree, OldPageListsReadEveryPage) {
    ServeOldPages();
    ListAlbums(BabytreeAlbumAdapter::OldAlbumList, u"u123");
    auto albums = Albums();
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(albums[0].name, u"旧相册");
    EXPECT_EQ(albums[0].url, u"/user/showuser.php?uid=uu123&tab=photo&view=album&album_id=7");
    EXPECT_EQ(albums[0].coverUrl, u"http://pic.babytree.com/old/c7.jpg");
    EXPECT_EQ(albums[0].pictureCount, 5);
    EXPECT_EQ(albums[2].name, u"第二页");
    EXPECT_EQ(List().ownerName, u"小宝妈妈");
    EXPECT_EQ(Kept<BabytreeUser>().userId, u"u123");
    ExpectRequests({OldList("1"), OldList("2")});
}

TEST_F(Babytree, OldPagePicturesComeFromEachPhotoPage) {
    ServeOldPages();
    ListPictures(BabytreeAlbumAdapter::OldPictureList,
                 {.name = u"旧相册", .url = std::u16string(kOldAlbum7.begin(), kOldAlbum7.end())});
    auto pictures = Pictures();
    ASSERT_EQ(pictures.size(), 3u);
    EXPECT_EQ(pictures[0].url, u"http://pic.babytree.com/old/big1.jpg");
    EXPECT_EQ(pictures[0].fileName, u"one.jpg");
    // A photo page that gives nothing leaves the thumbnail.
    EXPECT_EQ(pictures[1].url, u"http://pic.babytree.com/old/t2.jpg");
    EXPECT_EQ(pictures[2].url, u"http://pic.babytree.com/old/big3.jpg");
    EXPECT_EQ(pictures[2].fileName, u"three.jpg");
    ExpectRequests({OldPhotos("1"), OldPhoto("1"), OldPhoto("2"), OldPhotos("2"), OldPhoto("3")});
}

TEST_F(Babytree, UserWithOnlyOldPagesIsListedAndDownloadedFromThem) {
    ServeOldPages();
    ASSERT_EQ(ListThroughJob(SITE_BABYTREE, u"http://home.babytree.com/u123"), 3);
    EXPECT_EQ(List().subMode, BABYTREE_OLD);
    server.ClearRequests();
    // Only the first album has pictures.
    DownloadThroughJob();
    EXPECT_TRUE(Saved(u"小宝妈妈/旧相册/one.jpg"));
    EXPECT_TRUE(Saved(u"小宝妈妈/旧相册/two.jpg"));
    EXPECT_TRUE(Saved(u"小宝妈妈/旧相册/three.jpg"));
    EXPECT_EQ(server.RequestsTo("/old/big1.jpg").size(), 1u);
    std::vector<FixtureRequest> photoPages;
    for (const FixtureRequest& request : server.RequestsTo(kUserPage)) {
        if (request.Param("view") == "photo") {
            photoPages.push_back(request);
        }
    }
    EXPECT_EQ(photoPages.size(), 3u);
}

}  // namespace
