#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GridCtrl_src/AlbumGrid.h"
#include "MyCode/Cookie.h"
#include "MyCode/CookieStore.h"
#include "MyCode/StringCtrl.h"
#include "MyCode/URLSource2.h"
#include "core/JobContext.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "sites/Emission.h"
#include "support/FixtureServer.h"
#include "support/RecordingWindowPort.h"
#include "support/TempDir.h"

// The Tencent services answer from the fixture server: every host the adapters can reach is
// routed to it, the hosts that the route fixture names included. The cookie store starts empty.
class TencentTest : public testing::Test {
protected:
    void SetUp() override {
        SetRetryPauseScale(0.01);
        CookieStore::Instance().SetProgramFolder(u"");
        CookieStore::Instance().Clear();
        for (const char* host :
             {"route.store.qq.com", "user.qzone.qq.com", "alist.photo.qq.com", "xalist.photo.qq.com",
              "szplist.photo.qq.com", "xaplist.photo.qq.com", "sznu.photo.qq.com", "xanu.photo.qq.com",
              "qun.qzone.qq.com", "qun.photo.qq.com", "t.qq.com", "api.t.qq.com"}) {
            server.Route(host);
        }
        job.window = &window;
        job.ready = 1;
        job.programDir = dir.Path();
        job.siteType = SITE_TENCENT;
        job.listState = LIST_RUNNING;
        SetUpAlbumGrid(job);
    }

    void TearDown() override {
        CookieStore::Instance().Clear();
        SetRetryPauseScale(1.0);
    }

    static std::string Fixture(const std::string& name) {
        std::string bytes;
        EXPECT_TRUE(FileSystem::ReadFile(
            CodePage::FromUtf8(std::string(ORVELLE_FIXTURES) + "/tencent/" + name), bytes))
            << name;
        return bytes;
    }

    // The photo services answer in GBK; the fixtures are kept in UTF-8.
    static std::string Gbk(const std::string& utf8) {
        return CodePage::Encode(CodePage::FromUtf8(utf8), CodePage::GBK);
    }

    static void AddCookie(const std::string& name, const std::string& value) {
        Cookie cookie;
        cookie.domain = "qq.com";
        cookie.includeSubdomains = true;
        cookie.name = name;
        cookie.value = value;
        CookieStore::Instance().Add(cookie);
    }

    // One album in the list and the download job about to list its pictures.
    void StartDownload(const ST_PERLISTRECORD& album) {
        job.albums.Clear();
        SetUpAlbumGrid(job);
        EmitAlbum(album, job);
        job.pictures.Clear();
        job.pictures.SetAlbumDir(dir.Path());
        job.downloadState = DL_RUNNING;
    }

    std::vector<std::u16string> PictureUrls() const {
        std::vector<std::u16string> urls;
        for (std::size_t i = 0; i < job.pictures.Size(); ++i) {
            urls.push_back(job.pictures.Get(i).url);
        }
        return urls;
    }

    std::vector<ST_PERLISTRECORD> Albums() const {
        std::vector<ST_PERLISTRECORD> albums;
        for (std::size_t i = 0; i < job.albums.Size(); ++i) {
            albums.push_back(*job.albums.Get(i));
        }
        return albums;
    }

    static std::string Utf8(const std::u16string& text) { return CodePage::ToUtf8(text); }

    TempDir dir;
    FixtureServer server;
    RecordingWindowPort window;
    JobContext job;
};
