// SPDX-License-Identifier: GPL-3.0-or-later
// orvelle-cli on NetEase photo: the album rows of a user with their privacy labels, then one
// album's pictures from the image hosts on disk, against the fixture server.

#include <string>
#include <vector>

#include "cli/SiteCliTest.h"

namespace {

// Where each picture of photos.js lies, and the name it is saved under.
struct Stored {
    const char* host;
    const char* path;
    std::u16string file;
};
const std::vector<Stored> kPictures = {
    {"img12.bimg.126.net", "/photo/abc/1.jpg", u"海边.jpg"}, {"img7.ph.126.net", "/xyz/2.jpg", u"公开.jpg"},
    {"img.bimg.126.net", "/photo/s/3.jpg", u"小图.jpg"},     {"img.ph.126.net", "/n/4.jpg", u"新图.jpg"},
    {"img9.bimg.126.net", "/new/photo/6.jpg", u"中间.jpg"},  {"img.ph.126.net", "/8.jpg", u"无斜杠.jpg"},
};

class NeteaseCli : public SiteCliTest {
protected:
    NeteaseCli() {
        server.Serve("/alice/", GbkFixture("netease", "home.html"));
        server.Serve("/photo/alice/albums.js", GbkFixture("netease", "albums.js"));
        server.Serve("/photo/alice/101.js", GbkFixture("netease", "photos.js"));
        // The remote call names a data file for every non-public album but 108.
        server.Handle("/photo/alice/dwr/call/plaincall/AlbumBean.getAlbumData.dwr",
                      [](const FixtureRequest& request, FixtureReply& reply) {
                          std::string id = request.Param("c0-param0").substr(7);
                          reply.body = id == "108"
                                           ? ""
                                           : "dwr.engine._remoteHandleCallback('1','0',\"s1.ph.126.net/" +
                                                 id + ".js\");";
                      });
        for (std::size_t i = 0; i < kPictures.size(); ++i) {
            server.Serve(kPictures[i].path, PictureBytes(static_cast<char>('a' + i)), "image/jpeg");
        }
    }

    std::vector<std::string> Args(const std::string& command, const std::vector<std::string>& more) const {
        std::vector<std::string> hosts = {"photo.163.com", "s1.ph.126.net"};
        for (const Stored& picture : kPictures) {
            hosts.push_back(picture.host);
        }
        return SiteCliTest::Args(command, hosts, more);
    }
};

TEST_F(NeteaseCli, ListsAlbumsWithTheirAccessThenDownloadsOne) {
    const std::string home = "http://photo.163.com/alice/";
    CliProcess list = CliProcess::Run(Args("list", {home}));
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out,
              "0001\t公开\t  12\t\n"
              "0002\t私密\t   3\t私密相册\n"
              "0003\t好友\t   5\t好友可见\n"
              "0004\t问题\t   5\t加密相册\n"
              "0005\t问题有封面\t   2\t加密相册\n"
              "0006\t密码\t   7\t加密相册\n"
              "0007\t空相册\t   0\t\n"
              "0008\t加密有地址\t   1\t\n"
              "0009\t坏服务器\t   1\t\n");

    CliProcess download =
        CliProcess::Run(Args("download", {"--albums", "1", "--save", save.NativePath(), home}));
    EXPECT_EQ(download.exitCode, 0) << download.err;
    for (std::size_t i = 0; i < kPictures.size(); ++i) {
        SCOPED_TRACE(kPictures[i].path);
        EXPECT_EQ(FileAt(save.Path() + u"alice/公开/" + kPictures[i].file),
                  PictureBytes(static_cast<char>('a' + i)));
    }
}

}  // namespace
