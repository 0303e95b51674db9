// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/PictureList.h"
#include "jobs/JobContext.h"
#include "sites/kit/SiteFamily.h"
#include "support/FixtureServer.h"
#include "support/Handoff.h"
#include "support/RecordingJobEvents.h"
#include "support/TempDir.h"

// A page the fixture server answers: to every request of path whose query holds the given pairs
// (all of them, in any order; an empty query answers any request of the path). The first page
// that fits answers; a request that no page fits gets an empty 200 answer.
struct FixturePage {
    std::string path;
    std::vector<std::pair<std::string, std::string>> query = {};
    std::string body = {};
    std::string contentType = "text/html";
    std::vector<std::pair<std::string, std::string>> headers = {};
};

// A request an operation must send, in order: the host it names, the path, its query pairs in
// the order sent (a value "*" matches any value, such as a cache-busting one), and header lines that
// must be there with these values (a value "" means the header must be absent).
struct ExpectedRequest {
    std::string host;
    std::string path;
    std::vector<std::pair<std::string, std::string>> query = {};
    std::vector<std::pair<std::string, std::string>> headers = {};
};

// An operation fed a server that answers every page number with the same page, one that links on:
// it must stop after page 2, having emitted only what page 1 gives.
struct RepeatedPageCase {
    const char* name = "";
    std::function<std::string(int page)> pagePath = {};
    std::string body = {};
    std::u16string input = {};  // the album list's input, or the album's url for the picture list
    AlbumListOp albums = {};
    PictureListOp pictures = {};
    int emitted = 0;
};

// The query of a request target as sent, decoded, in order.
std::vector<std::pair<std::string, std::string>> QueryPairs(const std::string& target);

// An adapter's world: the fixture server with the sites' hosts routed to it, a job with recording
// events and its program folder in a temporary folder, the retry pauses and waits scaled down, and
// an empty cookie store.
class SiteTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Sends every request for these hosts (port 80) to the fixture server.
    void Route(std::initializer_list<const char*> hosts);
    void ServePages(const std::vector<FixturePage>& pages) { ServePagesOn(server, pages); }
    // Checks the requests received so far against the table, in order, and that no more came.
    void ExpectRequests(const std::vector<ExpectedRequest>& expected) { ExpectRequestsOn(server, expected); }
    // The same on another server (an https one).
    static void ServePagesOn(FixtureServer& on, const std::vector<FixturePage>& pages);
    static void ExpectRequestsOn(const FixtureServer& on, const std::vector<ExpectedRequest>& expected);

    // For the next case of a table within one test: an empty album list and picture list, the album
    // list running, and no request received yet. The window keeps what it recorded.
    void NextCase();

    // Runs each case, each the next case of the test.
    void ExpectRepeatedPagesEnd(const std::vector<RepeatedPageCase>& cases);

    // Runs an album-list operation; the number of albums it added.
    int ListAlbums(const AlbumListOp& op, const std::u16string& input);
    // Puts album into an empty album list, as the only album, with the download job about to list
    // its pictures into the temporary folder.
    void StartDownload(const ST_PERLISTRECORD& album);
    // Runs a picture-list operation for that album as the download job does; the number of
    // pictures it emitted.
    int RunPictures(const PictureListOp& op);
    // Both.
    int ListPictures(const PictureListOp& op, const ST_PERLISTRECORD& album);

    std::vector<ST_PERLISTRECORD> Albums() const;
    std::vector<std::u16string> PictureUrls() const;
    std::vector<PictureRecord> Pictures() const;
    // The folder the pictures of the album being downloaded go to.
    std::u16string AlbumFolder() const;

    // What the album list found and keeps for the downloads: the albums, the owner, the site type
    // and sub-mode, and what the family handed on. A picture list's test sets up there what the
    // album list would have left.
    ListResult& List() { return job.list; }
    const ListResult& List() const { return job.list; }
    // The family's hand-off record of the list: the one the album list kept (an empty one when it
    // kept none), or made for a picture list's test to fill.
    template <typename T>
    const T& Kept() const {
        return KeptIn<T>(job.list);
    }
    template <typename T>
    T& Handoff() {
        return HandoffIn<T>(job.list);
    }
    // The site type the operations serve (its settings slot) and its settings.
    void SetSiteType(int siteType) { job.list.siteType = siteType; }
    NamingSettings& Naming() { return job.settings.Slot(job.list.siteType).naming; }
    ExtensionSettings& Extension() { return job.settings.extension; }
    // The input box's text as a download sees it.
    void SetInput(const std::u16string& input);

    // The user's stop, as the album button or the download button gives it while the job runs.
    void StopList();
    void StopDownload();
    // The album's listing has reached the pictures its previous download began with.
    void EndAlbum();

    // What the operations told or asked the user, in order.
    using Said = RecordingJobEvents::Message;
    std::vector<Said> Messages() const;
    // The answer to the next yes/no question; queued answers are used first, then no.
    void QueueAnswer(bool yes);
    // Where the login browser was opened, in order.
    std::vector<std::u16string> LoginUrls() const;
    // Run where the login browser would open (to set a cookie, say), with its address.
    void SetLoginAction(std::function<void(const std::u16string& url)> action);
    // Forgets what was told and asked, and the queued answers and the login action.
    void ResetWindow();

    // The album button pressed with input for site, as in the window: the site's normalisation,
    // its adapter row and its second list; a single item page is downloaded at once into the
    // save folder. The number of albums listed.
    int ListThroughJob(int site, const std::u16string& input, const std::u16string& saveFolder = {});
    // Then the download button with every album selected, into saveFolder.
    void DownloadThroughJob(const std::u16string& saveFolder);
    // Downloads started by the last ListThroughJob or DownloadThroughJob.
    int DownloadsStarted() const { return downloadsStarted_; }
    // Whether the last picture list reported a page of an unexpected shape, so the download counts
    // its album as not read.
    bool PageShapeReported() const { return pageShapeReported_; }

public:
    // A fixture file of tests/fixtures/<folder>/<name>, as bytes.
    static std::string Fixture(const std::string& folder, const std::string& name);
    static std::string Gbk(const std::string& utf8);
    static std::string Big5(const std::string& utf8);
    static std::string Utf8(const std::u16string& text);
    static void AddCookie(const std::string& domain, const std::string& name, const std::string& value);

protected:
    TempDir dir;
    FixtureServer server;
    RecordingJobEvents events;
    JobContext job;
    // The pictures of the album being downloaded.
    PictureList pictures;

private:
    std::u16string input_;
    int downloadsStarted_ = 0;
    bool pageShapeReported_ = false;
};

// A sample run of one operation for the stop test over the adapter table: pages on which it emits
// at least two albums or pictures (one for an operation that never gives more). key is the row's
// (or second list's) name, then "/albums" or "/pictures": "qzone/albums",
// "renrenSecondPictures/pictures".
struct StopSample {
    std::string key = {};
    std::vector<const char*> hosts = {};
    std::function<std::vector<FixturePage>()> pages = {};  // made when the test runs
    std::u16string input = {};                             // album lists
    ST_PERLISTRECORD album = {};                           // picture lists
    std::function<void(ListResult&)> prepare = {};         // what the album-list job would have kept
    // The site answers over https only: the pages come from an https server whose certificate the
    // HTTP client trusts, with the hosts routed on port 443.
    bool https = false;
    // The operation gives one album or picture by its nature (one post, one item page, the first
    // picture of a post): its sample gives exactly one, and stopped it still gives that one.
    bool singleEmission = false;
};

// Samples register themselves from the family's test files: static bool r = RegisterStopSample(...).
bool RegisterStopSample(StopSample sample);
const std::vector<StopSample>& StopSamples();
