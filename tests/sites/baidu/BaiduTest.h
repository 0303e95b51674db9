// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "SiteTest.h"
#include "platform/FileSystem.h"

// The Baidu album service and Tieba answer from the fixture server under their real host names.
class BaiduTest : public SiteTest {
public:
    static constexpr std::initializer_list<const char*> kHosts = {"xiangce.baidu.com", "tieba.baidu.com",
                                                                  "imgsrc.baidu.com"};

    static std::string Fixture(const std::string& name) { return SiteTest::Fixture("baidu", name); }

    struct Album {
        std::u16string name;
        std::u16string url;
        std::u16string coverUrl;
        int pictureCount;
    };

    // Albums of these sites are never marked private.
    static void ExpectAlbums(const std::vector<ST_PERLISTRECORD>& albums,
                             const std::vector<Album>& expected) {
        ASSERT_EQ(albums.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(Utf8(albums[i].name), Utf8(expected[i].name));
            EXPECT_EQ(Utf8(albums[i].url), Utf8(expected[i].url));
            EXPECT_EQ(Utf8(albums[i].coverUrl), Utf8(expected[i].coverUrl));
            EXPECT_EQ(albums[i].pictureCount, expected[i].pictureCount);
            EXPECT_EQ(albums[i].privacy, 0);
        }
    }

    // The pictures' addresses and the base of their file names (named by description).
    static std::vector<std::pair<std::string, std::string>> Listed(
        const std::vector<PictureRecord>& pictures) {
        std::vector<std::pair<std::string, std::string>> listed;
        for (const PictureRecord& picture : pictures) {
            std::u16string stem = picture.fileName;
            StringCtrl::CutAt(stem, u".");
            listed.emplace_back(Utf8(picture.url), Utf8(stem));
        }
        return listed;
    }

protected:
    void SetUp() override {
        SiteTest::SetUp();
        Route(kHosts);
        List().siteType = SITE_BAIDU;
    }
};
