// orvelle-cli as scripts see it: its output, its exit codes, and the Qzone road from the album list
// to the files on disk, against the fixture server.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "cli/CliProcess.h"
#include "core/JobContext.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/SettingsFile.h"
#include "sites/tencent/QzoneGtk.h"
#include "support/FixtureServer.h"
#include "support/TempDir.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Fixture(const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(
        FileSystem::ReadFile(CodePage::FromUtf8(std::string(ORVELLE_FIXTURES) + "/cli/" + name), bytes))
        << name;
    return bytes;
}

std::string PictureBytes(char seed) {
    std::string bytes = "\xFF\xD8\xFF\xE0";
    for (int i = 0; i < 3000; ++i) {
        bytes.push_back(static_cast<char>(seed + i % 97));
    }
    return bytes;
}

// Compared quietly: a mismatch names the file instead of printing kilobytes of picture.
::testing::AssertionResult SameBytes(const std::u16string& path, const std::string& expected) {
    std::string bytes;
    if (!FileSystem::ReadFile(path, bytes)) {
        return ::testing::AssertionFailure() << CodePage::ToUtf8(path) << " is missing";
    }
    if (bytes != expected) {
        return ::testing::AssertionFailure()
               << CodePage::ToUtf8(path) << " holds " << bytes.size() << " other bytes";
    }
    return ::testing::AssertionSuccess();
}

class Cli : public ::testing::Test {
protected:
    Cli() {
        server.Serve("/GetRoute", Fixture("route.json"), "application/json");
        server.Handle("/fcgi-bin/fcg_list_album_v2", [this](const FixtureRequest&, FixtureReply& reply) {
            reply.body = refuse ? "_Callback({\"code\":-3000,\"msg\" : \"对不起，您没有权限访问\"});"
                                : Fixture("albums.jsonp");
        });
        server.Serve("/fcgi-bin/fcg_list_album_v3", "shine1_Callback({\"code\":0});");
        auto photos = [](const FixtureRequest& request, FixtureReply& reply) {
            bool firstPage = request.Param("pageStart").empty() || request.Param("pageStart") == "0";
            reply.body = firstPage ? Fixture("photos.jsonp") : "shine0_Callback({\"code\":0});";
        };
        server.Handle("/fcgi-bin/cgi_list_photo", photos);
        server.Handle("/cgi-bin/common/cgi_view_album_v2", photos);
        server.Serve("/pics/sunset.jpg", PictureBytes('a'), "image/jpeg");
        server.Serve("/pics/dawn.jpg", PictureBytes('d'), "image/jpeg");
    }

    // The command with the program folder and every Qzone host sent to the fixture server.
    std::vector<std::string> Args(const std::string& command, std::vector<std::string> more) const {
        std::vector<std::string> args{"--program-dir", program.NativePath()};
        args.insert(args.end(), more.begin(), more.end());
        return Routed(command, args);
    }

    // The command with every Qzone host sent to the fixture server.
    std::vector<std::string> Routed(const std::string& command, std::vector<std::string> more) const {
        std::vector<std::string> args{command};
        for (const char* host :
             {"route.store.qq.com", "user.qzone.qq.com", "alist.photo.qq.com", "szplist.photo.qq.com",
              "sznu.photo.qq.com", "r1.photo.store.qq.com", "a1.photo.store.qq.com"}) {
            args.push_back("--connect-to");
            args.push_back(std::string(host) + ":80:127.0.0.1:" + std::to_string(server.Port()));
        }
        args.insert(args.end(), more.begin(), more.end());
        return args;
    }

    FixtureServer server;
    TempDir program;
    TempDir save;
    std::atomic<bool> refuse{false};
};

TEST_F(Cli, HelpShowsTheUsage) {
    CliProcess run = CliProcess::Run({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(Contains(run.out, "Usage: orvelle-cli list [options] INPUT")) << run.out;
}

// The manual page is written by hand; an option added to the usage must not be missing there.
TEST_F(Cli, ManualPageNamesEveryOption) {
    std::string page;
    ASSERT_TRUE(FileSystem::ReadFile(CodePage::FromUtf8(ORVELLE_MAN_PAGE), page));
    std::string usage = CliProcess::Run({"--help"}).out;
    std::regex option("--[a-z][a-z-]*");
    int options = 0;
    for (auto it = std::sregex_iterator(usage.begin(), usage.end(), option); it != std::sregex_iterator();
         ++it, ++options) {
        // roff writes a hyphen as "\-".
        std::string written = std::regex_replace(it->str(), std::regex("-"), "\\-");
        EXPECT_TRUE(Contains(page, ".BI " + written) || Contains(page, ".BR " + written) ||
                    Contains(page, ".B " + written))
            << it->str() << " has no entry in the manual page";
    }
    EXPECT_GE(options, 9);
}

TEST_F(Cli, BadOptionsGiveTheUsageAndExitTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"list"},
        {"fetch", "123456"},
        {"list", "123456", "654321"},
        {"list", "--site", "17", "123456"},
        {"list", "--site", "one", "123456"},
        {"list", "--submode", "3", "123456"},
        {"download", "--albums", "3-1", "123456"},
        {"download", "--albums", "1,,2", "123456"},
        {"download", "--albums", "0", "123456"},
        {"list", "--answer", "maybe", "123456"},
        {"list", "--connect-to", "nonsense", "123456"},
        {"list", "--frobnicate", "123456"},
        {"list", "123456", "--save"},
    };
    for (const auto& args : cases) {
        std::string line;
        for (const std::string& arg : args) {
            line += arg + " ";
        }
        SCOPED_TRACE(line);
        CliProcess run = CliProcess::Run(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(Contains(run.err, "Usage: orvelle-cli")) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
    }
}

TEST_F(Cli, ListPrintsTheAlbumRowsAndKeepsTheInput) {
    // No --site: the address says Qzone.
    CliProcess run = CliProcess::Run(Args("list", {" http://user.qzone.qq.com/123456/main "}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "0001\tSummer\t  12\t私密相册\n0002\tBeach\t   2\t\n");
    EXPECT_TRUE(Contains(run.err, "正在获取相册列表，请稍等...")) << run.err;
    EXPECT_TRUE(Contains(run.err, "获取相册列表完成，共2个")) << run.err;

    JobContext saved;
    saved.programDir = program.Path();
    ASSERT_TRUE(SettingsFile::Load(saved));
    EXPECT_EQ(CodePage::ToUtf8(saved.inputHistory[0]), "http://user.qzone.qq.com/123456/main");
}

TEST_F(Cli, RefusedListEndsWithTheHelpAndExitsZero) {
    refuse = true;
    CliProcess no = CliProcess::Run(Args("list", {"123456"}));
    EXPECT_EQ(no.exitCode, 0);
    EXPECT_TRUE(no.out.empty()) << no.out;
    EXPECT_TRUE(Contains(no.err, "[提示] 加密或非公开空间，是否进行身份验证?")) << no.err;
    EXPECT_TRUE(Contains(no.err, "[Orvelle] 没有获取到相册，原因如下：")) << no.err;
    EXPECT_FALSE(Contains(no.err, "http://user.qzone.qq.com/123456\n")) << no.err;

    // Yes opens the login browser, which the command line can only point at.
    CliProcess yes = CliProcess::Run(Args("list", {"--answer", "yes", "123456"}));
    EXPECT_EQ(yes.exitCode, 0);
    EXPECT_TRUE(Contains(yes.err, "http://user.qzone.qq.com/123456\n")) << yes.err;
    EXPECT_TRUE(Contains(yes.err, "--cookies")) << yes.err;
}

TEST_F(Cli, AddressRequiredForOtherSites) {
    CliProcess run = CliProcess::Run(Args("list", {"--site", "4", "12345"}));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.empty());
    EXPECT_TRUE(Contains(run.err, "[提示] 请输入相册所在页面的完整网址")) << run.err;
    EXPECT_TRUE(Contains(run.err, "获取相册列表完成，共0个")) << run.err;
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(Cli, ImportedCookiesCarryTheToken) {
    std::u16string cookies = program.Path() + u"exported.txt";
    ASSERT_TRUE(FileSystem::WriteFileAtomic(
        cookies, "# Netscape HTTP Cookie File\n.qq.com\tTRUE\t/\tFALSE\t4102444800\tskey\t@Ab3xYz9\n"));
    CliProcess run = CliProcess::Run(Args("list", {"--cookies", CodePage::ToUtf8(cookies), "123456"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<FixtureRequest> lists = server.RequestsTo("/fcgi-bin/fcg_list_album_v2");
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].Param("g_tk"), std::to_string(QzoneGtk(u"@Ab3xYz9")));

    CliProcess missing =
        CliProcess::Run(Args("list", {"--cookies", CodePage::ToUtf8(cookies) + ".none", "123456"}));
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.exitCode, 2);
}

TEST_F(Cli, DownloadFetchesTheChosenAlbumIntoSaveOwnerAlbum) {
    CliProcess run =
        CliProcess::Run(Args("download", {"--albums", "2", "--save", save.NativePath(), "123456"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_TRUE(Contains(run.err, "下载完毕")) << run.err;
    EXPECT_TRUE(SameBytes(save.Path() + u"123456/Beach/sunset.jpg", PictureBytes('a')));
    EXPECT_TRUE(SameBytes(save.Path() + u"123456/Beach/dawn.jpg", PictureBytes('d')));
    EXPECT_FALSE(FileSystem::Exists(save.Path() + u"123456/Summer"));
}

TEST_F(Cli, DownloadTakesEveryAlbumIntoTheProgramFolderByDefault) {
    CliProcess run = CliProcess::Run(Args("download", {"123456"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // The private album is read through the album view, the open one through the photo list.
    EXPECT_TRUE(SameBytes(program.Path() + u"123456/Summer/sunset.jpg", PictureBytes('a')));
    EXPECT_TRUE(SameBytes(program.Path() + u"123456/Beach/dawn.jpg", PictureBytes('d')));
    EXPECT_FALSE(server.RequestsTo("/cgi-bin/common/cgi_view_album_v2").empty());
}

TEST_F(Cli, RowsPastTheListAreReported) {
    CliProcess run =
        CliProcess::Run(Args("download", {"--albums", "2-5", "--save", save.NativePath(), "123456"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.err, "只有2个相册")) << run.err;
    EXPECT_TRUE(FileSystem::Exists(save.Path() + u"123456/Beach/sunset.jpg"));
}

// A copy outside the build tree runs as an installed program: its settings go to the user's data
// folder, or stay in ~/Orvelle/ when an earlier run left them there, and pictures go to the
// pictures folder.
TEST_F(Cli, InstalledCopyKeepsItsFilesInTheUsersFolders) {
    TempDir root;
    std::filesystem::path bin = std::filesystem::path(root.NativePath()) / "usr/bin";
    std::filesystem::create_directories(bin);
    std::string installed = (bin / "orvelle-cli").string();
    std::filesystem::copy_file(ORVELLE_CLI_PATH, installed);
    std::filesystem::permissions(installed, std::filesystem::perms::owner_all);
    TempDir work;

    struct Case {
        const char* name;
        bool oldSettings;         // ~/Orvelle/soft.dat from a run before the install
        const char* dataHome;     // XDG_DATA_HOME, relative to the home; nullptr for unset
        std::u16string settings;  // where soft.dat must be, relative to the home
        std::u16string pictures;  // the save folder, relative to the home
    };
    const Case cases[] = {
        {"fresh", false, nullptr, u".local/share/Orvelle/", u"Pictures/Orvelle/"},
        {"data-home", false, "data", u"data/Orvelle/", u"Pictures/Orvelle/"},
        // The save folder stays where the earlier runs put the pictures.
        {"old-home-folder", true, nullptr, u"Orvelle/", u"Orvelle/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir home;
        ASSERT_TRUE(FileSystem::CreateDirectories(home.Path() + u"Pictures"));
        std::vector<std::string> env{"HOME=" + home.NativePath(), "XDG_CONFIG_HOME", "XDG_PICTURES_DIR"};
        env.push_back(c.dataHome ? "XDG_DATA_HOME=" + home.NativePath() + c.dataHome : "XDG_DATA_HOME");
        if (c.oldSettings) {
            JobContext old;
            old.programDir = home.Path() + u"Orvelle/";
            ASSERT_TRUE(FileSystem::CreateDirectories(old.programDir));
            ASSERT_TRUE(SettingsFile::Save(old));
        }

        CliProcess run = CliProcess::RunCopy(installed, Routed("download", {"--albums", "2", "123456"}), env,
                                             work.NativePath());
        EXPECT_EQ(run.exitCode, 0) << run.err;

        JobContext saved;
        saved.programDir = home.Path() + c.settings;
        ASSERT_TRUE(FileSystem::Exists(saved.programDir + u"soft.dat"));
        ASSERT_TRUE(SettingsFile::Load(saved));
        EXPECT_EQ(CodePage::ToUtf8(saved.inputHistory[0]), "123456");
        struct stat folder {};
        ASSERT_EQ(stat(FileSystem::NativePath(saved.programDir).c_str(), &folder), 0);
        if (!c.oldSettings) {
            EXPECT_EQ(folder.st_mode & 0777, 0700u);
        }
        EXPECT_EQ(FileSystem::Exists(home.Path() + u".local/share/Orvelle"),
                  c.settings == u".local/share/Orvelle/");
        EXPECT_TRUE(SameBytes(home.Path() + c.pictures + u"123456/Beach/dawn.jpg", PictureBytes('d')));
        EXPECT_FALSE(FileSystem::Exists(work.Path() + u"soft.dat"));
    }
}

}  // namespace
