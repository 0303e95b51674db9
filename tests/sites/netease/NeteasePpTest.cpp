// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "netease/NeteaseTest.h"
#include "sites/netease/NeteasePpAdapter.h"

namespace {

class NeteasePp : public NeteaseTest {};

TEST_F(NeteasePp, AlbumsOfTheUsersPage) {
    ServePages({{"/", {}, Gbk(Fixture("pp_user.html"))}});

    ListAlbums(NeteasePpAdapter::AlbumList, u"http://alice.pp.163.com/");

    // The album without a link gives no row.
    auto albums = Albums();
    ASSERT_EQ(albums.size(), 2u);
    EXPECT_EQ(Utf8(albums[0].name), "春天");
    EXPECT_EQ(albums[0].url, u"http://alice.pp.163.com/photo/111/");
    EXPECT_EQ(albums[0].coverUrl, u"http://img.pp.163.com/c1.jpg");
    EXPECT_EQ(albums[0].pictureCount, 12);
    EXPECT_EQ(Utf8(albums[1].name), "夏天");
    EXPECT_EQ(albums[1].url, u"http://alice.pp.163.com/photo/222/");
    EXPECT_EQ(albums[1].pictureCount, 5);
    for (const ST_PERLISTRECORD& album : albums) {
        EXPECT_EQ(album.privacy, 0);
    }
    // The nickname as a folder name.
    EXPECT_EQ(Utf8(List().ownerName), "小猫咪");
    ExpectRequests({{"alice.pp.163.com", "/", {}, {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}}});
}

TEST_F(NeteasePp, NicknameThatCleansToNothingBecomesTheTime) {
    server.Serve("/", Gbk("<script>var PP = {nickName : '/:?'};</script>"));
    ListAlbums(NeteasePpAdapter::AlbumList, u"http://alice.pp.163.com/");
    EXPECT_EQ(List().ownerName.size(), 14u) << Utf8(List().ownerName);
}

TEST_F(NeteasePp, PicturesBetweenTheListMarkers) {
    server.Serve("/photo/111/", Gbk(Fixture("pp_album.html")));

    ListPictures(NeteasePpAdapter::PictureList,
                 ST_PERLISTRECORD{.name = u"春天", .url = u"http://alice.pp.163.com/photo/111/"});

    // Nothing before the list nor after it; the broken last entry has no address and is skipped.
    EXPECT_EQ(Listed(), (std::vector<std::pair<std::string, std::string>>{
                            {"http://img.pp.163.com/1.jpg", "一.jpg"},
                            {"http://img.pp.163.com/2.jpg", "春天.jpg"},
                        }));
    ExpectRequests({{"alice.pp.163.com", "/photo/111/", {}, {{"Accept-Encoding", "gzip, deflate"}}}});
}

}  // namespace
