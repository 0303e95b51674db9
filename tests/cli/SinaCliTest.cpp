// orvelle-cli on the Sina blog: the photo categories of a blog listed, then one downloaded page by
// page into save folder, owner and album.

#include <string>
#include <vector>

#include "cli/SiteCliTest.h"

namespace {

class SinaCli : public SiteCliTest {
protected:
    SinaCli() {
        server.Serve("/xiaowang", Fixture("sina", "blog_home.html"));
        server.Serve("/services/ctg_list_ctg.php", Fixture("sina", "categories.json"));
        server.Serve("/category/u/1234567/s/1/page1", Fixture("sina", "category_page1.html"));
        server.Serve("/category/u/1234567/s/1/page2", Fixture("sina", "category_page2.html"));
        server.Serve("/orignal/stamp.jpg", PictureBytes('s'), "image/jpeg");
        server.Serve("/orignal/4a01&690", PictureBytes('4'), "image/jpeg");
        server.Serve("/orignal/last.jpg", PictureBytes('l'), "image/jpeg");
    }

    std::vector<std::string> Args(const std::string& command, const std::vector<std::string>& more) const {
        return SiteCliTest::Args(
            command,
            {"blog.sina.com.cn", "photo.blog.sina.com.cn", "s1.sinaimg.cn", "s2.sinaimg.cn", "s3.sinaimg.cn"},
            more);
    }
};

TEST_F(SinaCli, ListThenDownloadABlogPhotoCategory) {
    const std::string input = "http://blog.sina.com.cn/xiaowang";
    CliProcess list = CliProcess::Run(Args("list", {input}));
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "0001\t旅行\t  25\t\n0002\tFamily\t   0\t\n");

    CliProcess run = CliProcess::Run(Args("download", {"--albums", "1", "--save", save.NativePath(), input}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("下载完毕"), std::string::npos) << run.err;
    const std::u16string album = save.Path() + u"小王的博客/旅行/";
    EXPECT_TRUE(SameBytes(album + u"海边.jpg", PictureBytes('s')));
    EXPECT_TRUE(SameBytes(album + u"Sunset.jpg", PictureBytes('4')));
    EXPECT_TRUE(SameBytes(album + u"最后.jpg", PictureBytes('l')));
    EXPECT_FALSE(FileSystem::Exists(save.Path() + u"小王的博客/Family"));
    // The full picture, its query as the site meant it.
    auto stamp = server.RequestsTo("/orignal/stamp.jpg");
    ASSERT_EQ(stamp.size(), 1u);
    EXPECT_EQ(stamp[0].target, "/orignal/stamp.jpg?a=1&b=2");
}

}  // namespace
