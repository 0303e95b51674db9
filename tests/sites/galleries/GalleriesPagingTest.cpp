// Every paging loop of 56 and POCO ends when the server answers each page number with the same page,
// however often that page links on.

#include <string>
#include <vector>

#include "galleries/GalleriesTest.h"
#include "sites/galleries/Photo56Adapter.h"
#include "sites/galleries/PocoActivityAdapter.h"
#include "sites/galleries/PocoAlbumAdapter.h"

namespace {

class GalleriesPaging : public GalleriesTest {};

TEST_F(GalleriesPaging, ARepeatedPageEndsEveryList) {
    struct Case {
        const char* name;
        std::string path;  // a POCO path ends with its page number
        std::string body;
        std::u16string input;  // the album list's input, or the album's address
        AlbumListOp albums;
        PictureListOp pictures;
        int emitted;
    };
    const std::vector<Case> cases = {
        {"56 pictures",
         "/photo/album/",
         Fixture("56_photos.html"),
         u"9001",
         {},
         Photo56Adapter::PictureList,
         2},
        {"poco albums",
         "/album/album_show_all.htx&user_id=173000&p=",
         Gbk(Fixture("poco_albums.html")),
         u"173000",
         PocoAlbumAdapter::AlbumList,
         {},
         2},
        {"poco pictures",
         "/album/album_show_photo_list.php",
         Gbk(Fixture("poco_photos.html")),
         u"http://my.poco.cn/album/album_show_photo_list.php?user_id=173000&set_hash=h2",
         {},
         PocoAlbumAdapter::PictureList,
         2},
        {"poco activities",
         "/act/act_list.htx&user_id=173000&act_type_id=0&p=",
         Gbk(Fixture("poco_activities.html")),
         u"http://my.poco.cn/act/act_list.htx&user_id=173000&act_type_id=0",
         PocoActivityAdapter::AlbumList,
         {},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NextCase();
        std::vector<FixturePage> pages;
        for (int page = 1; page <= 8; ++page) {
            pages.push_back({c.path.back() == '=' ? c.path + std::to_string(page) : c.path, {}, c.body});
        }
        ServePages(pages);

        const int emitted = c.albums
                                ? ListAlbums(c.albums, c.input)
                                : ListPictures(c.pictures, ST_PERLISTRECORD{.name = u"相册", .url = c.input});

        EXPECT_EQ(emitted, c.emitted);
        EXPECT_EQ(server.Requests().size(), 2u);
    }
}

}  // namespace
