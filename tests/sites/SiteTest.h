#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/JobContext.h"
#include "sites/kit/SiteFamily.h"
#include "support/FixtureServer.h"
#include "support/RecordingWindowPort.h"
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

// The query of a request target as sent, decoded, in order.
std::vector<std::pair<std::string, std::string>> QueryPairs(const std::string& target);

// An adapter's world: the fixture server with the sites' hosts routed to it, a ready job with a
// recording window and its program folder in a temporary folder, the retry pauses and waits scaled
// down, and an empty cookie store.
class SiteTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Sends every request for these hosts (port 80) to the fixture server.
    void Route(std::initializer_list<const char*> hosts);
    void ServePages(const std::vector<FixturePage>& pages);
    // Checks the requests received so far against the table, in order, and that no more came.
    void ExpectRequests(const std::vector<ExpectedRequest>& expected);

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
    RecordingWindowPort window;
    JobContext job;
};

// A sample run of one operation for the stop test over the adapter table: pages on which it emits
// at least two albums or pictures (one, for the album list of a single item page). key is the row's (or
// second list's) name, then "/albums" or
// "/pictures": "qzone/albums", "renrenSecondPictures/pictures".
struct StopSample {
    std::string key = {};
    std::vector<const char*> hosts = {};
    std::function<std::vector<FixturePage>()> pages = {};  // made when the test runs
    std::u16string input = {};                             // album lists
    ST_PERLISTRECORD album = {};                           // picture lists
    std::function<void(JobContext&)> prepare = {};         // what the album-list job would have kept
    bool singleAlbum = false;  // the album list of one item page: one album is all it ever emits
};

// Samples register themselves from the family's test files: static bool r = RegisterStopSample(...).
bool RegisterStopSample(StopSample sample);
const std::vector<StopSample>& StopSamples();
