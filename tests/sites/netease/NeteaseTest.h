// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "SiteTest.h"
#include "core/SiteType.h"

// NetEase photo and pp answer from the fixture server under their real host names; the data files
// lie on an image-domain host.
class NeteaseTest : public SiteTest {
public:
    static constexpr std::initializer_list<const char*> kHosts = {"photo.163.com", "alice.pp.163.com",
                                                                  "s1.ph.126.net"};
    static constexpr const char* kRemoteCall = "/photo/alice/dwr/call/plaincall/AlbumBean.getAlbumData.dwr";

    static std::string Fixture(const std::string& name) { return SiteTest::Fixture("netease", name); }

    // The remote call's answer naming a data file.
    static std::string RemoteAnswer(const std::string& file) {
        return "//#DWR-INSERT\r\n//#DWR-REPLY\r\ndwr.engine._remoteHandleCallback('530377','0',\"" + file +
               "\");\r\n";
    }

    // A remote call as sent: its first parameter, and the two parameters by which its tails differ.
    static ExpectedRequest RemoteCall(const std::string& param0, const std::string& param2,
                                      const std::string& param3) {
        return {"photo.163.com",
                kRemoteCall,
                {{"callCount", "1"},
                 {"scriptSessionId", "${scriptSessionId}187"},
                 {"c0-scriptName", "AlbumBean"},
                 {"c0-methodName", "getAlbumData"},
                 {"c0-id", "0"},
                 {"c0-param0", param0},
                 {"c0-param1", "string:"},
                 {"c0-param2", param2},
                 {"c0-param3", param3},
                 {"c0-param4", "boolean:false"},
                 {"batchId", "530377"}},
                {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}};
    }

    // The pictures listed: address and file name.
    std::vector<std::pair<std::string, std::string>> Listed() const {
        std::vector<std::pair<std::string, std::string>> listed;
        for (const PictureRecord& picture : Pictures()) {
            listed.emplace_back(Utf8(picture.url), Utf8(picture.fileName));
        }
        return listed;
    }

protected:
    void SetUp() override {
        SiteTest::SetUp();
        Route(kHosts);
        List().siteType = SITE_NETEASE;
    }
};
