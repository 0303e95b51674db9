// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "communities/CommunitiesTest.h"
#include "sites/communities/HupuAlbumAdapter.h"

namespace {

class Hupu : public CommunitiesTest {
protected:
    void ServeHupu(const std::string& secondPage) {
        ServePages({{"/alice/photo-1", {}, Gbk(Fixture("hupu_user_1.html"))},
                    {"/alice/photo-2", {}, Gbk(secondPage)},
                    {"/alice/photo/a5-1.html", {}, Gbk(Fixture("hupu_album_1.html"))},
                    {"/alice/photo/a5-2.html", {}, Gbk(Fixture("hupu_album_2.html"))}});
    }

    std::vector<std::u16string> AlbumUrls() const {
        std::vector<std::u16string> urls;
        for (const ST_PERLISTRECORD& album : Albums()) {
            urls.push_back(album.url);
        }
        return urls;
    }

    static ExpectedRequest Get(const std::string& path) {
        return {"my.hupu.com", path, {}, {{"Accept-Encoding", "gzip, deflate"}}};
    }
};

TEST_F(Hupu, AlbumPageGivesItsOneAlbumAsAPath) {
    ServeHupu(Fixture("hupu_user_2.html"));
    ListAlbums(HupuAlbumAdapter::AlbumList, u"http://my.hupu.com/alice/photo/a5-1.html");
    auto albums = Albums();
    ASSERT_EQ(albums.size(), 1u);
    EXPECT_EQ(albums[0].name, u"湖人");
    EXPECT_EQ(albums[0].url, u"alice/photo/a5");
    EXPECT_EQ(albums[0].coverUrl, u"http://i1.hoopchina.com.cn/c/5.jpg");
    EXPECT_EQ(albums[0].pictureCount, 3);
    EXPECT_EQ(List().ownerName, u"alice");
    ExpectRequests({Get("/alice/photo/a5-1.html")});
}

TEST_F(Hupu, UserListingLinksBecomePathsWhetherAbsoluteOrNot) {
    ServeHupu(Fixture("hupu_user_2.html"));
    ListAlbums(HupuAlbumAdapter::AlbumList, u"http://my.hupu.com/alice?from=home");
    EXPECT_EQ(AlbumUrls(),
              (std::vector<std::u16string>{u"alice/photo/a5", u"alice/photo/a6", u"alice/photo/a7"}));
    auto albums = Albums();
    EXPECT_EQ(albums[0].name, u"湖人");
    EXPECT_EQ(albums[0].coverUrl, u"http://i1.hoopchina.com.cn/c/5.jpg");
    EXPECT_EQ(albums[1].pictureCount, 12);
    EXPECT_EQ(List().ownerName, u"alice");
    ExpectRequests({Get("/alice/photo-1"), Get("/alice/photo-2")});

    // The album the page linked absolutely is read from its own pages.
    server.ClearRequests();
    ListPictures(HupuAlbumAdapter::PictureList, albums[0]);
    EXPECT_EQ(PictureUrls(), (std::vector<std::u16string>{u"http://i1.hoopchina.com.cn/p/1.big.jpg",
                                                          u"http://i1.hoopchina.com.cn/p/2.big.jpg",
                                                          u"http://i1.hoopchina.com.cn/p/3.big.jpg"}));
    EXPECT_EQ(Pictures()[0].fileName, u"扣篮.jpg");
    EXPECT_EQ(Pictures()[2].fileName, u"助攻.jpg");
    ExpectRequests({Get("/alice/photo/a5-1.html"), Get("/alice/photo/a5-2.html")});
}

TEST_F(Hupu, PageUnderMaintenanceEndsTheList) {
    const std::string maintenance = "<html><body><p>当前页面正在维护中</p>" + Fixture("hupu_user_2.html");
    struct Case {
        const char16_t* input;
        std::vector<std::u16string> urls;
    } cases[] = {
        {u"http://my.hupu.com/alice", {u"alice/photo/a5", u"alice/photo/a6"}},
        {u"http://my.hupu.com/alice/photo/a9-1.html", {}},
    };
    ServeHupu(maintenance);
    ServePages({{"/alice/photo/a9-1.html", {}, Gbk(maintenance + Fixture("hupu_album_1.html"))}});
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.input));
        List().albums.Clear();
        ListAlbums(HupuAlbumAdapter::AlbumList, c.input);
        EXPECT_EQ(AlbumUrls(), c.urls);
    }
}

}  // namespace
