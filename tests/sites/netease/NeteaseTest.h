#pragma once

#include <string>
#include <vector>

#include "SiteTest.h"
#include "core/JobContext.h"

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

protected:
    void SetUp() override {
        SiteTest::SetUp();
        Route(kHosts);
        job.siteType = SITE_NETEASE;
    }
};
