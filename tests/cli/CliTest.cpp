// SPDX-License-Identifier: GPL-3.0-or-later
// orvelle-cli as scripts see it: its output, its exit codes, and the Qzone road from the album list
// to the files on disk, against the fixture server.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/CliProcess.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/ProgramSettings.h"
#include "settings/SettingsFile.h"
#include "sites/tencent/QzoneGtk.h"
#include "support/FixtureServer.h"
#include "support/RawServer.h"
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

// A byte that would drive a terminal: a control character other than the line and column breaks
// the output is made of.
bool HasControlBytes(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F;
    });
}

// Qzone's album list with these names, as the site answers it.
std::string AlbumList(const std::vector<std::string>& names) {
    std::string list = "_Callback(\n{\n   \"code\" : 0,\n   \"data\" : {\n      \"album\" : [\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
        list += "         {\n            \"id\" : \"V" + std::to_string(i) +
                "\",\n            \"name\" : \"" + names[i] +
                "\",\n            \"pre\" : \"\",\n            \"priv\" : 1,\n" +
                "            \"total\" : 2,\n            \"modifytime\" : 1400000000\n         }" +
                (i + 1 < names.size() ? ",\n" : "\n");
    }
    return list + "      ]\n   }\n}\n);\n";
}

// Qzone's photo list of these pictures (name, address), without fallback addresses.
std::string PhotoList(const std::vector<std::pair<std::string, std::string>>& pictures) {
    std::string list = "shine0_Callback(\n{\n   \"code\" : 0,\n   \"data\" : {\n      \"photoList\" : [\n";
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        list += "         {\n            \"batchId\" : \"" + std::to_string(i + 1) +
                "\",\n            \"name\" : \"" + pictures[i].first +
                "\",\n            \"pre\" : \"\",\n            \"raw\" : \"" + pictures[i].second +
                "\",\n            \"raw_upload\" : 1,\n            \"origin_url\" : \"\"\n         }" +
                (i + 1 < pictures.size() ? ",\n" : "\n");
    }
    return list + "      ]\n   }\n}\n);\n";
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

    // Every album lists these pictures instead of the fixture's: the list, or the list for the
    // owner's QQ number.
    void ServePhotoList(std::string list) {
        ServePhotoList([list = std::move(list)](const std::string&) { return list; });
    }
    void ServePhotoList(std::function<std::string(const std::string& qq)> listFor) {
        auto photos = [listFor = std::move(listFor)](const FixtureRequest& request, FixtureReply& reply) {
            bool firstPage = request.Param("pageStart").empty() || request.Param("pageStart") == "0";
            reply.body = firstPage ? listFor(request.Param("hostUin")) : "shine0_Callback({\"code\":0});";
        };
        server.Handle("/fcgi-bin/cgi_list_photo", photos);
        server.Handle("/cgi-bin/common/cgi_view_album_v2", photos);
    }

    // The settings a user would have chosen in the window, stored where the program reads them.
    void SetThreadCount(std::uint16_t threads) {
        ProgramSettings settings;
        settings.programDir = program.Path();
        SettingsFile::Load(settings);
        settings.siteSettings[SITE_TENCENT].download.threadCount = threads;
        ASSERT_TRUE(SettingsFile::Save(settings));
    }

    // The pictures' host, sent to the misbehaving server.
    std::string PictureHostRule() const {
        return "m1.photo.store.qq.com:80:127.0.0.1:" + std::to_string(raw.Port());
    }

    FixtureServer server;
    RawServer raw;
    TempDir program;
    TempDir save;
    std::atomic<bool> refuse{false};
};

TEST_F(Cli, HelpShowsTheUsage) {
    CliProcess run = CliProcess::Run({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(Contains(run.out, "Usage: orvelle-cli list [options] INPUT")) << run.out;
    for (const char* code : {"Exit codes:", "  1 ", "  2 ", "  3 ", "  130 "}) {
        EXPECT_TRUE(Contains(run.out, code)) << code;
    }
}

// Scripts and bug reports read the version from stdout; it is the package's version.
TEST_F(Cli, VersionPrintsTheProgramAndItsVersion) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--version"}, std::vector<std::string>{"list", "--version"}}) {
        CliProcess run = CliProcess::Run(args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, "orvelle-cli " ORVELLE_VERSION "\n");
        EXPECT_EQ(run.err, "");
    }
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
        // An empty INPUT is bad usage, not a list that found nothing.
        {"list", ""},
        {"download", " \t "},
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

    ProgramSettings saved;
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

// A FIFO given as the cookies file would hold the program until something writes to it, a device
// may never end, and a folder is no file: each is refused before anything is read or asked.
TEST_F(Cli, ACookiesPathThatIsNoRegularFileIsRefused) {
    const std::u16string fifo = program.Path() + u"cookies.fifo";
    ASSERT_EQ(::mkfifo(FileSystem::NativePath(fifo).c_str(), 0600), 0);
    const std::u16string folder = program.Path() + u"cookies.d";
    ASSERT_TRUE(FileSystem::CreateDirectories(folder));
    for (const std::u16string& path : {fifo, folder, std::u16string(u"/dev/zero")}) {
        SCOPED_TRACE(CodePage::ToUtf8(path));
        server.ClearRequests();
        CliProcess run =
            CliProcess::Run(Args("list", {"--cookies", CodePage::ToUtf8(path), "123456"}), {}, 20);
        EXPECT_EQ(run.exitCode, 3) << run.err;
        EXPECT_TRUE(Contains(run.err, "is not a regular file")) << run.err;
        EXPECT_TRUE(server.Requests().empty());
    }
}

// Whether process pid blocks SIGINT and SIGTERM, as orvelle-cli does once it watches for them: a
// signal sent before that would end it as the signal's default does.
bool WatchesSignals(int pid) {
    std::string status;
    FileSystem::ReadFile(CodePage::FromUtf8("/proc/" + std::to_string(pid) + "/status"), status);
    std::size_t at = status.find("SigBlk:");
    if (at == std::string::npos) {
        return false;
    }
    const unsigned long long blocked = std::stoull(status.substr(at + 7), nullptr, 16);
    const unsigned long long wanted = (1ull << (SIGINT - 1)) | (1ull << (SIGTERM - 1));
    return (blocked & wanted) == wanted;
}

// A signal while a large cookies file is taken in ends the program at once, before any request,
// and keeps nothing of the file.
TEST_F(Cli, ASignalDuringTheCookieImportEndsItAtOnce) {
    // Cookies of one site take curl longest to take in; these would take many seconds.
    std::string file = "# Netscape HTTP Cookie File\n";
    for (int i = 0; i < 40000; ++i) {
        file += ".qq.com\tTRUE\t/\tFALSE\t0\tc" + std::to_string(i) + "\tv" + std::to_string(i) + "\n";
    }
    const std::u16string cookies = program.Path() + u"many.txt";
    ASSERT_TRUE(FileSystem::WriteFileAtomic(cookies, file));
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        std::chrono::steady_clock::time_point signalled;
        CliProcess run = CliProcess::Run(Args("list", {"--cookies", CodePage::ToUtf8(cookies), "123456"}), {},
                                         60, [&](int pid, const CliProcess::WaitForErr&) {
                                             for (int i = 0; i < 5000 && !WatchesSignals(pid); ++i) {
                                                 std::this_thread::sleep_for(std::chrono::milliseconds(2));
                                             }
                                             // Well into the import, which takes many seconds.
                                             std::this_thread::sleep_for(std::chrono::milliseconds(300));
                                             signalled = std::chrono::steady_clock::now();
                                             ::kill(pid, signal);
                                         });
        const auto after = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - signalled);
        EXPECT_EQ(run.exitCode, 128 + signal) << run.err;
        EXPECT_LT(after.count(), 1500);
        EXPECT_TRUE(server.Requests().empty());
        EXPECT_TRUE(run.out.empty()) << run.out;
        EXPECT_FALSE(FileSystem::Exists(program.Path() + u"cookies.txt"));
    }
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

// Every line of stdout as a JSON object; a line that does not parse fails the test.
std::vector<nlohmann::json> JsonLinesOf(const std::string& out) {
    std::vector<nlohmann::json> objects;
    std::size_t start = 0;
    for (std::size_t end = out.find('\n'); end != std::string::npos; end = out.find('\n', start)) {
        std::string line = out.substr(start, end - start);
        start = end + 1;
        nlohmann::json object = nlohmann::json::parse(line, nullptr, false);
        EXPECT_TRUE(object.is_object()) << line;
        objects.push_back(object);
    }
    EXPECT_EQ(start, out.size()) << "the last line has no line break";
    return objects;
}

TEST_F(Cli, JsonListsOneObjectPerAlbum) {
    CliProcess run = CliProcess::Run(Args("list", {"--json", "123456"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<nlohmann::json> albums = JsonLinesOf(run.out);
    ASSERT_EQ(albums.size(), 2u) << run.out;
    EXPECT_EQ(albums[0]["row"], 1);
    EXPECT_EQ(albums[0]["name"], "Summer");
    EXPECT_EQ(albums[0]["count"], 12);
    EXPECT_EQ(albums[0]["remark"], "私密相册");
    EXPECT_TRUE(albums[0]["privacy"].is_number_integer());
    EXPECT_TRUE(albums[0]["url"].is_string());
    EXPECT_TRUE(albums[0]["cover"].is_string());
    EXPECT_EQ(albums[1]["row"], 2);
    EXPECT_EQ(albums[1]["name"], "Beach");
    EXPECT_EQ(albums[1]["remark"], "");
    // The humans' lines stay on stderr.
    EXPECT_TRUE(Contains(run.err, "获取相册列表完成，共2个")) << run.err;
}

TEST_F(Cli, JsonTellsEveryEventOfTheDownload) {
    ServePhotoList(PhotoList({{"sunset", "http://r1.photo.store.qq.com/pics/sunset.jpg"},
                              {"gone", "http://r1.photo.store.qq.com/pics/gone.jpg"}}));
    CliProcess run =
        CliProcess::Run(Args("download", {"--json", "--albums", "2", "--save", save.NativePath(), "123456"}));
    EXPECT_EQ(run.exitCode, 1) << run.err;
    std::vector<nlohmann::json> events = JsonLinesOf(run.out);
    std::vector<std::string> kinds;
    for (const nlohmann::json& event : events) {
        kinds.push_back(event.value("event", ""));
    }
    // The two pictures' events come in the order the workers end them.
    ASSERT_EQ(kinds.size(), 5u) << run.out;
    EXPECT_EQ(kinds.front(), "album-started");
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "picture-saved"), 1);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "picture-not-saved"), 1);
    EXPECT_EQ(kinds[3], "album-ended");
    EXPECT_EQ(kinds[4], "job-ended");

    EXPECT_EQ(events[0]["row"], 2);
    EXPECT_EQ(events[0]["name"], "Beach");
    EXPECT_EQ(events[0]["position"], 1);
    EXPECT_EQ(events[0]["albums"], 1);
    for (const nlohmann::json& event : events) {
        if (event["event"] == "picture-saved") {
            // The file named is the one on disk.
            EXPECT_EQ(event["row"], 2);
            EXPECT_EQ(event["file"], save.NativePath() + "123456/Beach/sunset.jpg");
            EXPECT_TRUE(SameBytes(CodePage::FromUtf8(event["file"].get<std::string>()), PictureBytes('a')));
            EXPECT_EQ(event["url"], "http://r1.photo.store.qq.com/pics/sunset.jpg");
        } else if (event["event"] == "picture-not-saved") {
            EXPECT_EQ(event["result"], "failed");
            EXPECT_EQ(event["reason"], "HTTP 404");
            EXPECT_EQ(event["url"], "http://r1.photo.store.qq.com/pics/gone.jpg");
        }
    }
    EXPECT_EQ(events[3]["saved"], 1);
    EXPECT_EQ(events[3]["failed"], 1);
    EXPECT_EQ(events[3]["skipped"], 0);
    EXPECT_EQ(events[4]["saved"], 1);
    EXPECT_EQ(events[4]["failed"], 1);
    EXPECT_EQ(events[4]["end"], "finished");
    EXPECT_EQ(events[4]["exit_code"], 1);
    EXPECT_TRUE(Contains(run.err, "下载完毕：成功 1 张，失败 1 张，跳过 0 张")) << run.err;
}

// The format fix renames a picture after the pool saved it; the event names the file on disk.
TEST_F(Cli, JsonNamesTheFileTheFormatFixLeft) {
    ProgramSettings settings;
    settings.programDir = program.Path();
    SettingsFile::Load(settings);
    settings.siteSettings[SITE_TENCENT].naming.options = OPT_FIX_FORMAT;
    ASSERT_TRUE(SettingsFile::Save(settings));
    const std::string png = "\x89PNG\r\n\x1a\n" + std::string(2000, 'p');
    server.Serve("/pics/sunset.jpg", png, "image/jpeg");

    CliProcess run =
        CliProcess::Run(Args("download", {"--json", "--albums", "2", "--save", save.NativePath(), "123456"}));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> files;
    for (const nlohmann::json& event : JsonLinesOf(run.out)) {
        if (event["event"] == "picture-saved") {
            files.push_back(event["file"].get<std::string>());
        }
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{save.NativePath() + "123456/Beach/dawn.jpg",
                                               save.NativePath() + "123456/Beach/sunset.png"}));
    for (const std::string& file : files) {
        EXPECT_TRUE(FileSystem::Exists(CodePage::FromUtf8(file))) << file;
    }
}

// At a terminal the progress is one line redrawn in place; the outcome lines print above it.
TEST_F(Cli, ATerminalGetsOneProgressLine) {
    if (int probe = posix_openpt(O_RDWR | O_NOCTTY); probe < 0) {
        GTEST_SKIP() << "this machine has no pseudo-terminals";
    } else {
        close(probe);
    }
    std::vector<std::string> args =
        Args("download", {"--albums", "2", "--save", save.NativePath(), "123456"});
    CliProcess run = CliProcess::RunOnTerminal(args, 60);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(Contains(run.err, "\r相册 1/1 Beach  已下载 2/2  ")) << run.err;
    EXPECT_TRUE(Contains(run.err, "/s\x1b[K")) << run.err;
    // The summary clears the line first and stands on a line of its own.
    EXPECT_TRUE(Contains(run.err, "\r\x1b[KBeach：成功 2 张，失败 0 张，跳过 0 张\n")) << run.err;
    EXPECT_TRUE(Contains(run.err, "\r\x1b[K下载完毕：成功 2 张，失败 0 张，跳过 0 张\n")) << run.err;
    EXPECT_EQ(run.err.substr(run.err.rfind("下载完毕：")), "下载完毕：成功 2 张，失败 0 张，跳过 0 张\n")
        << "nothing is drawn after the summary";
    EXPECT_FALSE(Contains(run.err, "已下载2/2")) << "the pool's own lines are not printed";
    // Every redraw fits the 60 columns: a wrapped line could not be redrawn.
    std::size_t from = 0;
    while ((from = run.err.find('\r', from)) != std::string::npos) {
        std::size_t end = run.err.find_first_of("\r\n", from + 1);
        std::u16string line = CodePage::FromUtf8(run.err.substr(from + 1, end - from - 1));
        int columns = 0;
        for (char16_t c : line) {
            columns += c >= 0x2E80 ? 2 : 1;
        }
        EXPECT_LT(columns - 3, 60) << CodePage::ToUtf8(line);  // "\x1b[K" is not shown
        from = end;
    }

    // Not at a terminal, the lines stay as they were.
    CliProcess piped = CliProcess::Run(args);
    EXPECT_FALSE(Contains(piped.err, "\r")) << piped.err;
    EXPECT_TRUE(Contains(piped.err, "已下载2/2")) << piped.err;
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
            ProgramSettings old;
            old.programDir = home.Path() + u"Orvelle/";
            ASSERT_TRUE(FileSystem::CreateDirectories(old.programDir));
            ASSERT_TRUE(SettingsFile::Save(old));
        }

        CliProcess run = CliProcess::RunCopy(installed, Routed("download", {"--albums", "2", "123456"}), env,
                                             work.NativePath());
        EXPECT_EQ(run.exitCode, 0) << run.err;

        ProgramSettings saved;
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

// For each answer of the picture server: the file on disk or not, the failure told on stderr with
// its reason, the marker only for an album that is all there, and the exit code. One worker, so the
// second picture goes out on the connection the first one leaves. The cases run side by side, each
// for an owner of its own, since every failed picture costs the program's retry pause.
TEST_F(Cli, MisbehavingPictureServer) {
    using Answer = std::function<void(RawServer::Connection&)>;
    struct Case {
        const char* label;
        Answer answer;
        const char* reason;  // null: the picture is saved
    };
    const std::string bad = PictureBytes('b');
    const std::string page = "<html><head><title>Not Found</title></head><body>gone</body></html>";
    const std::vector<Case> cases = {
        {"reset", [](RawServer::Connection& c) { c.Reset(); }, "连接中断"},
        {"404 page", [&](RawServer::Connection& c) { c.Send(RawServer::Answer(404, page, "text/html")); },
         "HTTP 404"},
        {"500 page", [&](RawServer::Connection& c) { c.Send(RawServer::Answer(500, page, "text/html")); },
         "HTTP 500"},
        {"empty 200", [](RawServer::Connection& c) { c.Send(RawServer::Answer(200, "")); }, "内容为空"},
        {"more bytes than announced",
         [&](RawServer::Connection& c) {
             c.Send(RawServer::Answer(200, bad));
             c.Pause(std::chrono::milliseconds(150));
             c.Send("bytes the answer never announced\r\n");
         },
         nullptr},
        {"fewer bytes than announced",
         [&](RawServer::Connection& c) {
             c.Send(RawServer::Answer(200, bad, "image/jpeg", 10000));
             c.Close();
         },
         "连接中断"},
    };
    SetThreadCount(1);
    auto qqOf = [](std::size_t n) { return std::to_string(100001 + n); };
    auto address = [](const std::string& qq, const char* name) {
        return "http://m1.photo.store.qq.com/" + qq + "/" + name + ".jpg";
    };
    ServePhotoList([&](const std::string& qq) {
        return PhotoList({{"bad", address(qq, "bad")}, {"good", address(qq, "good")}});
    });
    for (std::size_t n = 0; n < cases.size(); ++n) {
        const std::string qq = qqOf(n);
        raw.Handle("/" + qq + "/bad.jpg",
                   [&c = cases[n]](const RawServer::Request&, RawServer::Connection& connection) {
                       c.answer(connection);
                   });
        raw.Handle("/" + qq + "/good.jpg", [](const RawServer::Request&, RawServer::Connection& connection) {
            connection.Send(RawServer::Answer(200, PictureBytes('g')));
        });
    }
    std::vector<CliProcess> runs(cases.size());
    {
        std::vector<std::thread> threads;
        for (std::size_t n = 0; n < cases.size(); ++n) {
            threads.emplace_back([&, n] {
                runs[n] = CliProcess::Run(Args("download", {"--connect-to", PictureHostRule(), "--albums",
                                                            "2", "--save", save.NativePath(), qqOf(n)}));
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
    }
    for (std::size_t n = 0; n < cases.size(); ++n) {
        const Case& c = cases[n];
        const CliProcess& run = runs[n];
        SCOPED_TRACE(c.label);
        const std::u16string folder = save.Path() + CodePage::FromUtf8(qqOf(n)) + u"/Beach/";
        const bool saved = c.reason == nullptr;
        EXPECT_EQ(run.exitCode, saved ? 0 : 1) << run.err;
        EXPECT_TRUE(SameBytes(folder + u"good.jpg", PictureBytes('g')));
        if (saved) {
            EXPECT_TRUE(SameBytes(folder + u"bad.jpg", bad));
            EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"bad.jpg", "good.jpg", "pic.zmw"}));
            EXPECT_TRUE(Contains(run.err, "下载完毕：成功 2 张，失败 0 张，跳过 0 张\n")) << run.err;
        } else {
            EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"good.jpg"});
            EXPECT_TRUE(Contains(
                run.err, std::string("失败：bad.jpg（") + c.reason + "） " + address(qqOf(n), "bad") + "\n"))
                << run.err;
            EXPECT_TRUE(Contains(run.err, "Beach：成功 1 张，失败 1 张，跳过 0 张\n")) << run.err;
            EXPECT_TRUE(Contains(run.err, "下载完毕：成功 1 张，失败 1 张，跳过 0 张\n")) << run.err;
        }
        EXPECT_FALSE(HasControlBytes(run.err));
    }
}

// A download that cannot start exits 3: no album to take, or a save folder that cannot be made.
TEST_F(Cli, ADownloadThatCannotStartExitsThree) {
    ASSERT_TRUE(FileSystem::WriteFileAtomic(save.Path() + u"file", "x"));
    struct Case {
        const char* label;
        bool refused;
        std::vector<std::string> args;
        const char* told;
    };
    const Case cases[] = {
        {"rows past the list", false, {"--albums", "3-4", "--save", save.NativePath()}, "只有2个相册"},
        {"no album found", true, {"--save", save.NativePath()}, "没有获取到相册"},
        {"save folder under a file",
         false,
         {"--save", save.NativePath() + "file/sub"},
         "请检测设置的保存路径是否有误"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        refuse = c.refused;
        std::vector<std::string> more = c.args;
        more.push_back("123456");
        CliProcess run = CliProcess::Run(Args("download", more));
        EXPECT_EQ(run.exitCode, 3) << run.err;
        EXPECT_TRUE(Contains(run.err, c.told)) << run.err;
        EXPECT_FALSE(Contains(run.err, "下载完毕：")) << run.err;
    }
    // A list that finds nothing has done what was asked.
    refuse = true;
    EXPECT_EQ(CliProcess::Run(Args("list", {"123456"})).exitCode, 0);
}

// Ctrl-C (and SIGTERM) stop a download as the stop button does: the picture in flight lands whole,
// no other starts, the summary is printed, nothing half-written stays, and the exit code is the
// one shells expect of a command ended by that signal.
TEST_F(Cli, AnInterruptStopsTheDownloadCleanly) {
    struct Case {
        int signal;
        int exitCode;
    };
    SetThreadCount(1);
    ServePhotoList(PhotoList({{"one", "http://m1.photo.store.qq.com/m/1.jpg"},
                              {"two", "http://m1.photo.store.qq.com/m/2.jpg"},
                              {"three", "http://m1.photo.store.qq.com/m/3.jpg"}}));
    std::atomic<bool> arrived{false};
    std::atomic<bool> release{false};
    for (const char* path : {"/m/1.jpg", "/m/2.jpg", "/m/3.jpg"}) {
        raw.Handle(path, [&](const RawServer::Request&, RawServer::Connection& connection) {
            arrived = true;
            while (!release && connection.Pause(std::chrono::milliseconds(2))) {
            }
            connection.Send(RawServer::Answer(200, PictureBytes('p')));
        });
    }
    for (Case c : {Case{SIGINT, 130}, Case{SIGTERM, 143}}) {
        SCOPED_TRACE(c.signal);
        arrived = false;
        release = false;
        TempDir into;
        CliProcess run = CliProcess::Run(Args("download", {"--connect-to", PictureHostRule(), "--albums", "2",
                                                           "--save", into.NativePath(), "123456"}),
                                         {}, 60, [&](int pid, const CliProcess::WaitForErr& waitForErr) {
                                             // The first picture is in flight: interrupt, and let it arrive
                                             // once the stop is taken.
                                             for (int i = 0; i < 5000 && !arrived; ++i) {
                                                 std::this_thread::sleep_for(std::chrono::milliseconds(2));
                                             }
                                             ::kill(pid, c.signal);
                                             waitForErr("正在终止", 10000);
                                             release = true;
                                         });
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_TRUE(Contains(run.err, "已终止下载：成功 1 张，失败 0 张，跳过 0 张，未下载 2 张\n"))
            << run.err;
        EXPECT_FALSE(Contains(run.err, "下载完毕")) << run.err;
        const std::u16string folder = into.Path() + u"123456/Beach/";
        EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"one.jpg"});
        EXPECT_TRUE(SameBytes(folder + u"one.jpg", PictureBytes('p')));
    }
    release = true;
}

// A page that puts NUL, BS, ESC, DEL or BEL into album names: every album is listed, the names and
// folders are clean, and nothing from the site drives the terminal; a picture address holding an
// escape sequence is shown with the escape made visible.
TEST_F(Cli, ControlCharactersFromASiteNeverReachNamesOrTheTerminal) {
    const std::vector<std::string> names = {std::string("Nul\0Name", 8),
                                            "Back\bspace",
                                            "Esc\x1b[31mRed",
                                            "Del\x7F"
                                            "ete",
                                            "Bell\x07",
                                            "Plain",
                                            "Last"};
    server.Handle("/fcgi-bin/fcg_list_album_v2",
                  [&](const FixtureRequest&, FixtureReply& reply) { reply.body = AlbumList(names); });
    CliProcess list = CliProcess::Run(Args("list", {"123456"}));
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_FALSE(HasControlBytes(list.out));
    EXPECT_FALSE(HasControlBytes(list.err));
    EXPECT_EQ(list.out,
              "0001\tNul\xEF\xBF\xBDName\t   2\t\n"
              "0002\tBackspace\t   2\t\n"
              "0003\tEsc[31mRed\t   2\t\n"
              "0004\tDelete\t   2\t\n"
              "0005\tBell\t   2\t\n"
              "0006\tPlain\t   2\t\n"
              "0007\tLast\t   2\t\n");

    ServePhotoList(PhotoList({{"sunset", "http://r1.photo.store.qq.com/pics/sunset.jpg"},
                              {"trap\x1b[2J", "http://r1.photo.store.qq.com/pics/\x1b[2Jgone.jpg"}}));
    CliProcess download =
        CliProcess::Run(Args("download", {"--albums", "3", "--save", save.NativePath(), "123456"}));
    EXPECT_EQ(download.exitCode, 1) << download.err;  // the trap is not there
    EXPECT_FALSE(HasControlBytes(download.err));
    EXPECT_TRUE(Contains(download.err,
                         "失败：trap[2J.jpg（HTTP 404） http://r1.photo.store.qq.com/pics/\\x1B[2Jgone.jpg"))
        << download.err;
    EXPECT_EQ(FolderEntries(save.Path() + u"123456/"), std::vector<std::string>{"Esc[31mRed"});
    EXPECT_TRUE(SameBytes(save.Path() + u"123456/Esc[31mRed/sunset.jpg", PictureBytes('a')));
}

}  // namespace
