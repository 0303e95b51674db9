// Every paging loop of the portals ends when the server answers each page number with the same page,
// however often that page links on.

#include <functional>
#include <string>
#include <vector>

#include "portals/PortalsTest.h"
#include "sites/portals/PchomeAlbumAdapter.h"
#include "sites/portals/ZolAlbumAdapter.h"

namespace {

class PortalsPaging : public PortalsTest {};

TEST_F(PortalsPaging, ARepeatedPageEndsEveryList) {
    struct Case {
        const char* name;
        std::string pathBeforePage;  // the page number and pathAfterPage follow
        std::string pathAfterPage;
        std::string body;
        std::u16string input;  // the album list's input, or the album's address
        AlbumListOp albums;
        PictureListOp pictures;
        int emitted;
    };
    const std::vector<Case> cases = {
        {"zol albums",
         "/bob/album_",
         ".html",
         Gbk(Fixture("zol_albums.html")),
         u"bob",
         ZolAlbumAdapter::AlbumList,
         {},
         2},
        {"zol pictures",
         "/bob/album_11_",
         ".html",
         Gbk(Fixture("zol_photos.html") + "<a class=\"nor\">下一页</a>"),
         u"/bob/album_11_",
         {},
         ZolAlbumAdapter::PictureList,
         4},
        {"pchome albums",
         "/carol*",
         "",
         Big5(Fixture("pchome_albums.html")),
         u"carol",
         PchomeAlbumAdapter::AlbumList,
         {},
         2},
        {"pchome pictures",
         "/carol/1*",
         "",
         Big5(Fixture("pchome_photos.html")),
         u"/carol/1",
         {},
         PchomeAlbumAdapter::PictureList,
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NextCase();
        std::vector<FixturePage> pages;
        for (int page = 1; page <= 8; ++page) {
            pages.push_back({c.pathBeforePage + std::to_string(page) + c.pathAfterPage, {}, c.body});
        }
        ServePages(pages);

        const int emitted = c.albums
                                ? ListAlbums(c.albums, c.input)
                                : ListPictures(c.pictures, ST_PERLISTRECORD{.name = u"相簿", .url = c.input});

        EXPECT_EQ(emitted, c.emitted);
        EXPECT_EQ(server.Requests().size(), 2u);
    }
}

}  // namespace
