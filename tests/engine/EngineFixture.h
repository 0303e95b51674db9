#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "GridCtrl_src/AlbumGrid.h"
#include "MyCode/URLSource2.h"
#include "core/DownloadJob.h"
#include "core/JobContext.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "sites/AdapterTable.h"
#include "sites/kit/Emission.h"
#include "sites/kit/PictureCall.h"
#include "support/FixtureServer.h"
#include "support/RecordingWindowPort.h"
#include "support/TempDir.h"

// What a test's picture-list operation emits for one album.
struct ListedPicture {
    ListedPicture(std::u16string_view url_, std::u16string_view description_ = {},
                  std::u16string_view headers_ = {})
        : url(url_), description(description_), headers(headers_) {}
    std::u16string url;  // may carry a fallback after "\r\n"
    std::u16string description;
    std::u16string headers;
};

// Picture bodies whose first bytes say what they are.
inline std::string PngBytes(std::size_t size = 600) {
    std::string bytes = "\x89PNG\r\n\x1a\n";
    bytes.resize(size, 'p');
    return bytes;
}
inline std::string JpegBytes(std::size_t size = 600, char fill = 'j') {
    std::string bytes = "\xFF\xD8\xFF\xE0";
    bytes.resize(size, fill);
    return bytes;
}

// A download job against the loopback server: Qzone is the current site, its picture list emits
// what the test put into Album(), the save path is <temp>/save and the owner folder "owner".
class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        SetRetryPauseScale(0.0);  // a rejected picture would pause a second otherwise
        job.window = &port;
        job.programDir = dir.Path();
        job.ready = 1;
        job.list.siteType = SITE_TENCENT;
        job.list.subMode = TENCENT_QZONE;
        job.list.ownerName = u"owner/";
        Settings().download = DownloadParams{0, 0, 4, 10};
        port.SetControlText(IDC_SAVE_PATH, dir.Path() + u"save");
        SetUpAlbumGrid(job);
        table.rows = {{.name = "qzone",
                       .siteType = SITE_TENCENT,
                       .subMode = ANY_SUBMODE,
                       .pictures = [this](PictureCall& call) {
                           int album = call.albumIndex();
                           ++listings[album];
                           for (const ListedPicture& picture : lists[album]) {
                               if (!call.Picture(picture.url, picture.description, picture.headers)) {
                                   return;
                               }
                           }
                       }}};
    }

    SiteSettings& Settings() { return job.siteSettings[SITE_TENCENT]; }

    // Adds an album to the list and the grid; its pictures are what the listing emits.
    int Album(const std::u16string& name, std::vector<ListedPicture> pictures) {
        ST_PERLISTRECORD record;
        record.name = name;
        EmitAlbum(record, job);
        int index = static_cast<int>(job.list.albums.Size()) - 1;
        lists[index] = std::move(pictures);
        return index;
    }

    std::u16string Url(const std::string& path) const {
        return server.BaseUrl16() + CodePage::FromUtf8(path);
    }
    void ServePicture(const std::string& path, std::string bytes) {
        server.Serve(path, std::move(bytes), "image/jpeg");
    }

    int Run() {
        SelectAllAlbums(job, true);
        return DownloadJobFunc(job, table);
    }

    std::u16string AlbumDir(const std::u16string& album) const {
        return dir.Path() + u"save/owner/" + album + u"/";
    }
    static std::string Content(const std::u16string& path) {
        std::string bytes;
        FileSystem::ReadFile(path, bytes);
        return bytes;
    }
    std::vector<std::u16string> FileNames() const {
        std::vector<std::u16string> names;
        for (std::size_t i = 0; i < job.pictures.Size(); ++i) {
            names.push_back(job.pictures.Get(i).fileName);
        }
        return names;
    }

    // The server is declared after what its handlers use, so it goes first.
    TempDir dir;
    std::map<int, std::vector<ListedPicture>> lists;
    std::map<int, int> listings;  // how often each album was listed
    FixtureServer server;
    RecordingWindowPort port;
    JobContext job;
    AdapterTable table;
};

inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
