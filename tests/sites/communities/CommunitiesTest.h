// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "SiteTest.h"
#include "platform/FileSystem.h"

// The communities answer from the fixture server: their page hosts and picture hosts are routed
// to it.
class CommunitiesTest : public SiteTest {
public:
    static constexpr std::initializer_list<const char*> kHosts = {
        "www.moko.cc",      "img.moko.cc",           "home.babytree.com",  "www.babytree.com",
        "pic.babytree.com", "photo.pconline.com.cn", "my.pconline.com.cn", "img.pconline.com.cn",
        "my.hupu.com",      "i1.hoopchina.com.cn"};

    static std::string Fixture(const std::string& name) { return SiteTest::Fixture("communities", name); }

protected:
    void SetUp() override {
        SiteTest::SetUp();
        Route(kHosts);
    }

    // The download of every album listed, into save/ in the temporary folder.
    void DownloadThroughJob() { SiteTest::DownloadThroughJob(dir.Path() + u"save"); }

    bool Saved(const std::u16string& relative) const {
        return FileSystem::Exists(dir.Path() + u"save/" + relative);
    }
};
