// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "MyCode/URLSource2.h"
#include "core/DownloadRequest.h"
#include "jobs/DownloadJob.h"
#include "jobs/Emission.h"
#include "jobs/JobContext.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "sites/AdapterTable.h"
#include "sites/kit/PictureCall.h"
#include "support/FixtureServer.h"
#include "support/RecordingJobEvents.h"
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

// A download job against the loopback server: Qzone is the listed site, its picture list emits
// what the test put into Album(), the save folder is <temp>/save and the owner folder "owner".
// Run() downloads every album of the list, in list order, telling events.
class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        SetRetryPauseScale(0.0);  // a rejected picture would pause a second otherwise
        job.settings.programDir = dir.Path();
        job.list.siteType = SITE_TENCENT;
        job.list.subMode = TENCENT_QZONE;
        job.list.ownerName = u"owner/";
        Settings().download = DownloadParams{0, 0, 4, 10};
        table.rows = {{.name = "qzone",
                       .siteType = SITE_TENCENT,
                       .subMode = ANY_SUBMODE,
                       .pictures = [this](PictureCall& call) {
                           int album = call.albumIndex();
                           ++listings[album];
                           for (const ListedPicture& picture : lists[album]) {
                               if (!Emit(call, picture)) {
                                   return;
                               }
                           }
                       }}};
    }

    // A listed address with a fallback goes out as the two addresses the kit takes.
    static bool Emit(PictureCall& call, const ListedPicture& picture) {
        const std::u16string_view url(picture.url);
        const std::size_t cut = url.find(u"\r\n");
        if (cut == std::u16string_view::npos) {
            return call.Picture(url, picture.description, picture.headers);
        }
        return call.PictureOr(url.substr(0, cut), url.substr(cut + 2), picture.description, picture.headers);
    }

    SiteSettings& Settings() { return job.settings.Slot(SITE_TENCENT); }

    // Adds an album to the list; its pictures are what the listing emits.
    int Album(const std::u16string& name, std::vector<ListedPicture> pictures) {
        ST_PERLISTRECORD record;
        record.name = name;
        JobEvents listing;  // the album list's events are not the download's
        EmitAlbum(record, job.list, listing);
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

    // Every album of the list, in list order, into the save folder.
    DownloadRequest Request() const {
        DownloadRequest request;
        request.saveFolder = dir.Path() + u"save";
        for (int k = 0; k < static_cast<int>(job.list.albums.Size()); ++k) {
            request.albums.push_back(k);
        }
        return request;
    }
    int Run() { return Run(Request()); }
    int Run(const DownloadRequest& request) { return DownloadJobFunc(request, job, table, events); }

    std::u16string AlbumDir(const std::u16string& album) const {
        return dir.Path() + u"save/owner/" + album + u"/";
    }
    static std::string Content(const std::u16string& path) {
        std::string bytes;
        FileSystem::ReadFile(path, bytes);
        return bytes;
    }
    // The files the pool told as saved for album, in the order its listing gave the pictures (a
    // pass may have renamed them since).
    std::vector<std::u16string> SavedFiles(int album) const {
        std::vector<RecordingJobEvents::Saved> saved;
        for (const RecordingJobEvents::Saved& picture : events.PicturesSaved()) {
            if (picture.album == album) {
                saved.push_back(picture);
            }
        }
        auto position = [this, album](const std::u16string& url) {
            const auto found = lists.find(album);
            if (found != lists.end()) {
                for (std::size_t i = 0; i < found->second.size(); ++i) {
                    if (found->second[i].url.substr(0, found->second[i].url.find(u"\r\n")) == url) {
                        return i;
                    }
                }
            }
            return std::size_t(-1);
        };
        std::stable_sort(saved.begin(), saved.end(),
                         [&](const auto& a, const auto& b) { return position(a.url) < position(b.url); });
        std::vector<std::u16string> files;
        for (const RecordingJobEvents::Saved& picture : saved) {
            files.push_back(picture.file);
        }
        return files;
    }

    // The server is declared after what its handlers use, so it goes first.
    TempDir dir;
    std::map<int, std::vector<ListedPicture>> lists;
    std::map<int, int> listings;  // how often each album was listed
    FixtureServer server;
    RecordingJobEvents events;
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
