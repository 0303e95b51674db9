// SPDX-License-Identifier: GPL-3.0-or-later
// What a download did, told and kept: each picture's outcome against a server that misbehaves, the
// marker only for an album that is all there, a disk that fills up, and the covers.

#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <mutex>
#include <set>

#include "EngineFixture.h"
#include "download/CoverThumbnail.h"
#include "download/SideFiles.h"
#include "support/RawServer.h"

namespace {

using namespace std::chrono_literals;

std::vector<std::u16string> Lines(const std::vector<RecordingJobEvents::NotSaved>& notSaved) {
    std::vector<std::u16string> lines;
    for (const auto& picture : notSaved) {
        lines.push_back(picture.line);
    }
    return lines;
}

// A small tmpfs mounted over a folder for one test, so that a disk really fills up or refuses
// files. Mounting needs root and the right to mount; where either is missing the test is skipped.
class SmallDisk {
public:
    SmallDisk(const std::u16string& where, const char* options, unsigned long flags = 0)
        : path_(CodePage::ToUtf8(where)) {
        FileSystem::CreateDirectories(where);
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", flags, options) == 0;
    }
    ~SmallDisk() {
        if (mounted_) {
            ::umount2(path_.c_str(), MNT_DETACH);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool Mounted() const { return mounted_; }

private:
    std::string path_;
    bool mounted_ = false;
};

constexpr const char* kCannotMount =
    "cannot mount a small tmpfs here (it needs root and the right to mount), so this test is skipped";

class Outcomes : public EngineTest {
protected:
    // A picture that stalls costs half a second instead of ten.
    Outcomes() { SetTimeoutScale(0.05); }
    ~Outcomes() override { SetTimeoutScale(1.0); }

    std::u16string Raw(const std::string& path) const { return raw.BaseUrl16() + CodePage::FromUtf8(path); }

    RawServer raw;
};

const std::string kGood = JpegBytes(700, 'g');
const std::string kBad = JpegBytes(600, 'b');

// How the server answers the album's first picture; the second one is always fine.
struct Misbehaviour {
    const char* label;
    std::function<void(RawServer::Connection&)> answer;
    const char16_t* reason;  // the reason the failure line gives; null when the picture is saved
};

void PrintTo(const Misbehaviour& misbehaviour, std::ostream* out) {
    *out << misbehaviour.label;
}

std::string ErrorPage(const std::string& title) {
    std::string page = "<html><head><title>" + title + "</title></head><body>";
    page.resize(1100, ' ');
    return page + "</body></html>";
}

class MisbehavingServer : public Outcomes, public ::testing::WithParamInterface<Misbehaviour> {};

// For each answer: the file on disk or its absence, the outcome counted and told, the marker. One
// worker, so the second picture goes out on the connection the first one leaves.
TEST_P(MisbehavingServer, EachPictureIsSavedWholeOrToldAsFailed) {
    const Misbehaviour& c = GetParam();
    const bool saved = c.reason == nullptr;
    Settings().download.threadCount = 1;
    raw.Handle("/bad.jpg",
               [&c](const RawServer::Request&, RawServer::Connection& connection) { c.answer(connection); });
    raw.Handle("/good.jpg", [](const RawServer::Request&, RawServer::Connection& connection) {
        connection.Send(RawServer::Answer(200, kGood));
    });
    Album(u"Album", {{Raw("/bad.jpg"), u"bad"}, {Raw("/good.jpg"), u"good"}});

    EXPECT_EQ(Run(), 0);

    const std::u16string folder = AlbumDir(u"Album");
    EXPECT_EQ(Content(folder + u"good.jpg"), kGood);
    // Nothing but whole pictures: no error page, no empty file, no temporary, and the marker only
    // when the album is all there.
    std::vector<std::string> expected = {"good.jpg"};
    if (saved) {
        EXPECT_EQ(Content(folder + u"bad.jpg"), kBad);
        expected = {"bad.jpg", "good.jpg", "pic.zmw"};
        EXPECT_EQ(ReadMarker(folder), Raw("/bad.jpg"));
    }
    EXPECT_EQ(FolderEntries(folder), expected);

    std::vector<std::u16string> lines;
    if (!saved) {
        lines.push_back(u"失败：bad.jpg（" + std::u16string(c.reason) + u"） " + Raw("/bad.jpg"));
    }
    EXPECT_EQ(Lines(events.PicturesNotSaved()), lines);
    ASSERT_EQ(events.AlbumsEnded().size(), 1u);
    const DownloadTally tally = events.AlbumsEnded()[0].tally;
    EXPECT_EQ(tally.saved, saved ? 2 : 1);
    EXPECT_EQ(tally.failed, saved ? 0 : 1);
    const std::u16string summary =
        saved ? u"成功 2 张，失败 0 张，跳过 0 张" : u"成功 1 张，失败 1 张，跳过 0 张";
    EXPECT_EQ(events.AlbumsEnded()[0].line, u"Album：" + summary);
    ASSERT_EQ(events.JobsEnded().size(), 1u);
    EXPECT_EQ(events.JobsEnded()[0].line, u"下载完毕：" + summary);
    EXPECT_EQ(events.JobsEnded()[0].end, DownloadEnd::Finished);
    EXPECT_EQ(events.ProgressTexts().end()[-2], saved ? u"已下载2/2......" : u"已下载1/2......");
}

INSTANTIATE_TEST_SUITE_P(
    Engine, MisbehavingServer,
    ::testing::Values(
        Misbehaviour{"Reset", [](RawServer::Connection& c) { c.Reset(); }, u"连接中断"},
        Misbehaviour{"Stall",
                     [](RawServer::Connection& c) {
                         c.Send(RawServer::Answer(200, "\xFF\xD8", "image/jpeg", 600));
                         c.Pause(30s);
                     },
                     u"超时"},
        Misbehaviour{"NotFoundPage",
                     [](RawServer::Connection& c) {
                         c.Send(RawServer::Answer(404, ErrorPage("404 Not Found"), "text/html"));
                     },
                     u"HTTP 404"},
        Misbehaviour{"ServerError",
                     [](RawServer::Connection& c) {
                         c.Send(RawServer::Answer(500, ErrorPage("500 Internal Server Error"), "text/html"));
                     },
                     u"HTTP 500"},
        Misbehaviour{"Empty", [](RawServer::Connection& c) { c.Send(RawServer::Answer(200, "")); },
                     u"内容为空"},
        // More bytes than announced: the picture is what was announced, and the bytes that come
        // after it must not cost the next picture.
        Misbehaviour{"ShortContentLength",
                     [](RawServer::Connection& c) {
                         c.Send(RawServer::Answer(200, kBad));
                         c.Pause(150ms);
                         c.Send("bytes the answer never announced\r\n");
                     },
                     nullptr},
        Misbehaviour{"LongContentLength",
                     [](RawServer::Connection& c) {
                         c.Send(RawServer::Answer(200, kBad, "image/jpeg", 2000));
                         c.Close();
                     },
                     u"连接中断"}),
    [](const auto& info) { return std::string(info.param.label); });

// An error page at the first address sends the picture to its fallback address.
TEST_F(Outcomes, AnErrorAnswerTurnsToTheFallbackAddress) {
    raw.Handle("/gone.jpg", [](const RawServer::Request&, RawServer::Connection& connection) {
        connection.Send(RawServer::Answer(404, ErrorPage("404 Not Found"), "text/html"));
    });
    raw.Handle("/mirror.jpg", [](const RawServer::Request&, RawServer::Connection& connection) {
        connection.Send(RawServer::Answer(200, kGood));
    });
    Album(u"Album", {{Raw("/gone.jpg") + u"\r\n" + Raw("/mirror.jpg"), u"one"}});
    Run();
    EXPECT_EQ(Content(AlbumDir(u"Album") + u"one.jpg"), kGood);
    EXPECT_TRUE(events.PicturesNotSaved().empty());
}

// The measured fault: every picture of an album failed, yet the marker named its first picture,
// and the next download with OPT_SKIP_DOWNLOADED fetched nothing. Now the marker waits for an album
// that is all there, and a partial failure keeps the marker of the last whole download.
TEST_F(Outcomes, AFailedAlbumIsFetchedAgainByTheNextDownload) {
    Settings().naming.options = OPT_SKIP_DOWNLOADED;
    std::mutex mutex;
    std::set<std::string> broken = {"/a.jpg", "/b.jpg", "/c.jpg"};
    std::map<std::string, int> asked;
    for (const char* path : {"/a.jpg", "/b.jpg", "/c.jpg", "/n1.jpg", "/n2.jpg"}) {
        raw.Handle(path, [&, path = std::string(path)](const RawServer::Request&, RawServer::Connection& c) {
            std::unique_lock lock(mutex);
            ++asked[path];
            if (broken.count(path) != 0) {
                lock.unlock();
                c.Reset();
                return;
            }
            lock.unlock();
            c.Send(RawServer::Answer(200, JpegBytes(700, path[1])));
        });
    }
    auto setBroken = [&](std::set<std::string> paths) {
        std::lock_guard lock(mutex);
        broken = std::move(paths);
    };
    const std::u16string folder = AlbumDir(u"Album");
    Album(u"Album", {{Raw("/a.jpg"), u"a"}, {Raw("/b.jpg"), u"b"}, {Raw("/c.jpg"), u"c"}});

    Run();
    EXPECT_FALSE(FileSystem::Exists(MarkerPath(folder)));
    EXPECT_EQ(events.JobsEnded().back().line, u"下载完毕：成功 0 张，失败 3 张，跳过 0 张");

    // The server has recovered: the second download fetches the whole album.
    setBroken({});
    Run();
    for (const char16_t* name : {u"a.jpg", u"b.jpg", u"c.jpg"}) {
        EXPECT_TRUE(FileSystem::Exists(folder + name)) << CodePage::ToUtf8(name);
    }
    EXPECT_EQ(ReadMarker(folder), Raw("/a.jpg"));
    EXPECT_EQ(events.JobsEnded().back().line, u"下载完毕：成功 3 张，失败 0 张，跳过 0 张");

    // Two new pictures on top, one failing: the album is not whole, the old marker stays.
    lists[0].insert(lists[0].begin(), {{Raw("/n1.jpg"), u"n1"}, {Raw("/n2.jpg"), u"n2"}});
    setBroken({"/n2.jpg"});
    Run();
    EXPECT_TRUE(FileSystem::Exists(folder + u"n1.jpg"));
    EXPECT_FALSE(FileSystem::Exists(folder + u"n2.jpg"));
    EXPECT_EQ(ReadMarker(folder), Raw("/a.jpg"));

    setBroken({});
    Run();
    EXPECT_TRUE(FileSystem::Exists(folder + u"n2.jpg"));
    EXPECT_EQ(ReadMarker(folder), Raw("/n1.jpg"));
    std::lock_guard lock(mutex);
    EXPECT_EQ(asked["/a.jpg"], 2);  // the last two downloads stopped at the old first picture
}

// A full disk: the failing picture leaves nothing, the job says "磁盘已满" once, fetches no more
// pictures to write into it, leaves the next album alone and marks nothing.
TEST_F(Outcomes, AFullDiskEndsTheJobAndIsToldOnce) {
    SmallDisk disk(dir.Path() + u"save", "size=256k");
    if (!disk.Mounted()) {
        GTEST_SKIP() << kCannotMount;
    }
    Settings().download.threadCount = 1;
    const std::string picture = JpegBytes(100 * 1024);
    std::vector<ListedPicture> pictures;
    for (int i = 0; i < 20; ++i) {
        std::string path = "/p/" + std::to_string(i) + ".jpg";
        ServePicture(path, picture);
        pictures.emplace_back(Url(path), CodePage::FromUtf8(std::to_string(i)));
    }
    Album(u"Full", pictures);
    Album(u"Next", {{Url("/p/0.jpg"), u"next"}});
    Run();

    const std::u16string folder = AlbumDir(u"Full");
    ASSERT_EQ(events.AlbumsEnded().size(), 1u);
    const DownloadTally tally = events.AlbumsEnded()[0].tally;
    EXPECT_GE(tally.saved, 1);
    EXPECT_LE(tally.saved, 2);
    EXPECT_GE(tally.failed, 1);
    EXPECT_EQ(tally.saved + tally.failed + tally.notTried, 20);
    // What is on disk is whole; the picture that did not fit left no part and no temporary.
    std::vector<std::string> names = FolderEntries(folder);
    EXPECT_EQ(static_cast<int>(names.size()), tally.saved);
    for (const std::string& name : names) {
        EXPECT_EQ(Content(folder + CodePage::FromUtf8(name)), picture) << name;
    }
    int told = 0;
    for (const auto& message : events.Messages()) {
        told += message.text == u"磁盘已满" ? 1 : 0;
    }
    EXPECT_EQ(told, 1);
    bool named = false;
    for (const auto& notSaved : events.PicturesNotSaved()) {
        named = named || notSaved.outcome.error == FetchError::DiskFull;
    }
    EXPECT_TRUE(named);
    EXPECT_LT(server.Requests().size(), 10u);
    EXPECT_EQ(listings.count(1), 0u);
    ASSERT_EQ(events.JobsEnded().size(), 1u);
    EXPECT_EQ(events.JobsEnded()[0].end, DownloadEnd::DiskFull);
    EXPECT_EQ(events.Stage(), u"已终止下载");
}

// A save folder that is there but takes no files fails before any album is listed.
TEST_F(Outcomes, ASaveFolderThatTakesNoFilesIsRefusedAtTheStart) {
    SmallDisk disk(dir.Path() + u"save/owner", "size=64k", MS_RDONLY);
    if (!disk.Mounted()) {
        GTEST_SKIP() << kCannotMount;
    }
    Album(u"Album", {{Url("/p/1.jpg"), u"a"}});
    Run();
    ASSERT_EQ(events.Messages().size(), 1u);
    EXPECT_EQ(events.Messages()[0].text, dir.Path() + u"save/owner\n请检测设置的保存路径是否有误");
    ASSERT_EQ(events.JobsEnded().size(), 1u);
    EXPECT_EQ(events.JobsEnded()[0].end, DownloadEnd::NotStarted);
    EXPECT_TRUE(listings.empty());
}

// Temporaries that a download killed in this folder left behind go when the album is downloaded
// again; the user's own hidden files stay.
TEST_F(Outcomes, AnAlbumDownloadClearsTheTemporariesOfADeadOne) {
    const std::u16string folder = AlbumDir(u"Album");
    ASSERT_TRUE(FileSystem::CreateDirectories(folder));
    pid_t dead = ::fork();
    if (dead == 0) {
        ::_exit(0);
    }
    ::waitpid(dead, nullptr, 0);
    const std::string stale = ".1.jpg.part" + std::to_string(dead) + "_3";
    ASSERT_TRUE(FileSystem::WriteFileAtomic(folder + CodePage::FromUtf8(stale), "half a picture"));
    ASSERT_TRUE(FileSystem::WriteFileAtomic(folder + u".notes", "mine"));
    ServePicture("/p/1.jpg", kGood);
    Album(u"Album", {{Url("/p/1.jpg"), u"1"}});
    Run();
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{".notes", "1.jpg", "pic.zmw"}));
}

// A cover is kept and shown only when a picture came: an error page or an empty answer is none.
TEST_F(Outcomes, ACoverIsKeptOnlyWhenAPictureCame) {
    struct Case {
        const char* label;
        std::string answer;
        bool kept;
    };
    const Case cases[] = {
        {"picture", RawServer::Answer(200, kGood), true},
        {"404 page", RawServer::Answer(404, ErrorPage("404 Not Found"), "text/html"), false},
        {"500 page", RawServer::Answer(500, ErrorPage("500"), "text/html"), false},
        {"empty", RawServer::Answer(200, ""), false},
    };
    int k = 0;
    std::vector<std::u16string> covers;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::string path = "/cover" + std::to_string(k) + ".jpg";
        raw.Handle(path, [answer = c.answer](const RawServer::Request&, RawServer::Connection& connection) {
            connection.Send(answer);
        });
        const std::u16string cover = FetchCover(dir.Path(), Raw(path), k);
        EXPECT_EQ(!cover.empty(), c.kept);
        const std::u16string file = dir.Path() + u"tmp/" + CodePage::FromUtf8(std::to_string(k)) + u".jpg";
        EXPECT_EQ(FileSystem::Exists(file), c.kept);
        if (!cover.empty()) {
            EXPECT_EQ(cover, file);
            covers.push_back(cover);
        }
        ++k;
    }
    // Only the picture goes on to become a thumbnail.
    EXPECT_EQ(covers, std::vector<std::u16string>{dir.Path() + u"tmp/0.jpg"});
}

}  // namespace
