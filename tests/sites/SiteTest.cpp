// SPDX-License-Identifier: GPL-3.0-or-later
#include "SiteTest.h"

#include <algorithm>
#include <map>
#include <memory>

#include "MyCode/Cookie.h"
#include "MyCode/CookieStore.h"
#include "MyCode/URLSource2.h"
#include "jobs/AlbumListRun.h"
#include "jobs/Emission.h"
#include "jobs/JobController.h"
#include "jobs/PictureListRun.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "sites/AdapterTable.h"

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string Decoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
            i += 2;
        } else if (text[i] == '+') {
            out.push_back(' ');
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

bool Fits(const FixturePage& page, const FixtureRequest& request) {
    auto pairs = QueryPairs(request.target);
    for (const auto& [key, value] : page.query) {
        bool found = std::any_of(pairs.begin(), pairs.end(),
                                 [&](const auto& pair) { return pair.first == key && pair.second == value; });
        if (!found) {
            return false;
        }
    }
    return true;
}

std::vector<StopSample>& Samples() {
    static std::vector<StopSample> samples;
    return samples;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> QueryPairs(const std::string& target) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::size_t question = target.find('?');
    if (question == std::string::npos) {
        return pairs;
    }
    std::string_view query = std::string_view(target).substr(question + 1);
    while (!query.empty()) {
        std::size_t amp = query.find('&');
        std::string_view part = query.substr(0, amp);
        std::size_t eq = part.find('=');
        if (eq == std::string_view::npos) {
            pairs.emplace_back(Decoded(part), "");
        } else {
            pairs.emplace_back(Decoded(part.substr(0, eq)), Decoded(part.substr(eq + 1)));
        }
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    }
    return pairs;
}

void SiteTest::SetUp() {
    SetRetryPauseScale(0.01);
    CookieStore::Instance().SetProgramFolder(u"");
    CookieStore::Instance().Clear();
    job.settings.programDir = dir.Path();
    job.control.listState = LIST_RUNNING;
}

void SiteTest::TearDown() {
    CookieStore::Instance().Clear();
    SetRetryPauseScale(1.0);
}

void SiteTest::Route(std::initializer_list<const char*> hosts) {
    for (const char* host : hosts) {
        server.Route(host);
    }
}

void SiteTest::ServePagesOn(FixtureServer& on, const std::vector<FixturePage>& pages) {
    std::map<std::string, std::vector<FixturePage>> byPath;
    for (const FixturePage& page : pages) {
        byPath[page.path].push_back(page);
    }
    for (auto& [path, list] : byPath) {
        on.Handle(path, [list](const FixtureRequest& request, FixtureReply& reply) {
            for (const FixturePage& page : list) {
                if (Fits(page, request)) {
                    reply.body = page.body;
                    reply.contentType = page.contentType;
                    reply.headers = page.headers;
                    return;
                }
            }
            reply.body.clear();
        });
    }
}

void SiteTest::ExpectRequestsOn(const FixtureServer& on, const std::vector<ExpectedRequest>& expected) {
    std::vector<FixtureRequest> requests = on.Requests();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("request " + std::to_string(i + 1) + ": " + expected[i].path);
        if (i >= requests.size()) {
            ADD_FAILURE() << "was never sent";
            continue;
        }
        const FixtureRequest& request = requests[i];
        const ExpectedRequest& want = expected[i];
        if (!want.host.empty()) {
            EXPECT_EQ(request.Header("Host"), want.host);
        }
        EXPECT_EQ(request.path, want.path);
        auto pairs = QueryPairs(request.target);
        EXPECT_EQ(pairs.size(), want.query.size()) << request.target;
        for (std::size_t q = 0; q < std::min(pairs.size(), want.query.size()); ++q) {
            EXPECT_EQ(pairs[q].first, want.query[q].first) << request.target;
            if (want.query[q].second != "*") {
                EXPECT_EQ(pairs[q].second, want.query[q].second) << want.query[q].first;
            }
        }
        for (const auto& [name, value] : want.headers) {
            EXPECT_EQ(request.Header(name), value) << name;
        }
    }
    EXPECT_EQ(requests.size(), expected.size());
}

void SiteTest::NextCase() {
    job.list.albums.Clear();
    pictures.Clear();
    job.control.listState = LIST_RUNNING;
    job.control.downloadState = DL_IDLE;
    server.ClearRequests();
}

void SiteTest::ExpectRepeatedPagesEnd(const std::vector<RepeatedPageCase>& cases) {
    for (const RepeatedPageCase& c : cases) {
        SCOPED_TRACE(c.name);
        NextCase();
        std::vector<FixturePage> pages;
        for (int page = 1; page <= 8; ++page) {
            pages.push_back({c.pagePath(page), {}, c.body});
        }
        ServePages(pages);

        const int emitted =
            c.albums ? ListAlbums(c.albums, c.input)
                     : ListPictures(c.pictures, ST_PERLISTRECORD{.name = u"Album", .url = c.input});

        EXPECT_EQ(emitted, c.emitted);
        EXPECT_EQ(server.Requests().size(), 2u);
    }
}

int SiteTest::ListAlbums(const AlbumListOp& op, const std::u16string& input) {
    AlbumListRun run(job, events, job.list.siteType);
    return run.Run(op, input);
}

void SiteTest::StartDownload(const ST_PERLISTRECORD& album) {
    job.list.albums.Clear();
    EmitAlbum(album, job.list, events);
    pictures.Clear();
    pictures.SetAlbumDir(dir.Path());
    job.control.downloadState = DL_RUNNING;
}

int SiteTest::RunPictures(const PictureListOp& op) {
    PictureListRun run(job, events, Naming(), pictures, 0, input_);
    const int emitted = run.Run(op);
    pageShapeReported_ = run.PageShapeReported();
    return emitted;
}

int SiteTest::ListPictures(const PictureListOp& op, const ST_PERLISTRECORD& album) {
    StartDownload(album);
    return RunPictures(op);
}

std::vector<ST_PERLISTRECORD> SiteTest::Albums() const {
    std::vector<ST_PERLISTRECORD> albums;
    for (std::size_t i = 0; i < job.list.albums.Size(); ++i) {
        albums.push_back(*job.list.albums.CopyOf(static_cast<int>(i)));
    }
    return albums;
}

std::vector<std::u16string> SiteTest::PictureUrls() const {
    std::vector<std::u16string> urls;
    for (const PictureRecord& picture : Pictures()) {
        urls.push_back(picture.url);
    }
    return urls;
}

std::vector<PictureRecord> SiteTest::Pictures() const {
    std::vector<PictureRecord> pictures;
    for (std::size_t i = 0; i < this->pictures.Size(); ++i) {
        pictures.push_back(this->pictures.Get(i));
    }
    return pictures;
}

std::u16string SiteTest::AlbumFolder() const {
    return pictures.AlbumDir();
}

void SiteTest::SetInput(const std::u16string& input) {
    input_ = input;
}

void SiteTest::StopList() {
    job.control.listState = LIST_STOP;
}

void SiteTest::StopDownload() {
    job.control.downloadState = DL_STOP;
}

void SiteTest::EndAlbum() {
    job.control.downloadState = DL_ALBUM_DONE;
}

std::vector<SiteTest::Said> SiteTest::Messages() const {
    return events.Messages();
}

void SiteTest::QueueAnswer(bool yes) {
    events.QueueAnswer(yes);
}

std::vector<std::u16string> SiteTest::LoginUrls() const {
    return events.LoginUrls();
}

void SiteTest::SetLoginAction(std::function<void(const std::u16string& url)> action) {
    events.SetLoginAction(std::move(action));
}

void SiteTest::ResetWindow() {
    events.Reset();
}

int SiteTest::ListThroughJob(int site, const std::u16string& input, const std::u16string& saveFolder) {
    input_ = input;
    job.control.listState = LIST_IDLE;
    events.Reset();
    JobController controller(job, AdapterTable::Default(), events);
    controller.PressListButton({.siteType = site, .input = input});
    controller.WaitForJobs();
    // An item page's one album is downloaded at once, as the window does.
    const std::vector<RecordingJobEvents::ListEnd> ends = events.ListsEnded();
    if (!ends.empty() && ends.back().downloadAtOnce) {
        controller.PressDownloadButton({.saveFolder = saveFolder, .albums = {0}, .input = input_});
        controller.WaitForJobs();
    }
    downloadsStarted_ = controller.DownloadsStarted();
    return static_cast<int>(job.list.albums.Size());
}

void SiteTest::DownloadThroughJob(const std::u16string& saveFolder) {
    JobController controller(job, AdapterTable::Default(), events);
    std::vector<int> albums;
    for (std::size_t k = 0; k < job.list.albums.Size(); ++k) {
        albums.push_back(static_cast<int>(k));
    }
    controller.PressDownloadButton({.saveFolder = saveFolder, .albums = std::move(albums), .input = input_});
    controller.WaitForJobs();
    downloadsStarted_ = controller.DownloadsStarted();
}

std::string SiteTest::Fixture(const std::string& folder, const std::string& name) {
    std::string bytes;
    EXPECT_TRUE(FileSystem::ReadFile(
        CodePage::FromUtf8(std::string(ORVELLE_FIXTURES) + "/" + folder + "/" + name), bytes))
        << folder << "/" << name;
    return bytes;
}

std::string SiteTest::Gbk(const std::string& utf8) {
    return CodePage::Encode(CodePage::FromUtf8(utf8), CodePage::GBK);
}

std::string SiteTest::Big5(const std::string& utf8) {
    return CodePage::Encode(CodePage::FromUtf8(utf8), CodePage::BIG5);
}

std::string SiteTest::Utf8(const std::u16string& text) {
    return CodePage::ToUtf8(text);
}

void SiteTest::AddCookie(const std::string& domain, const std::string& name, const std::string& value) {
    Cookie cookie;
    cookie.domain = domain;
    cookie.includeSubdomains = true;
    cookie.name = name;
    cookie.value = value;
    CookieStore::Instance().Add(cookie);
}

bool RegisterStopSample(StopSample sample) {
    Samples().push_back(std::move(sample));
    return true;
}

const std::vector<StopSample>& StopSamples() {
    return Samples();
}
