// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "SiteTest.h"

// The Sina blog, its photo service, Weibo and the Weibo photo host answer from the fixture server;
// the cookie store starts empty.
class SinaTest : public SiteTest {
public:
    static constexpr std::initializer_list<const char*> kHosts = {
        "blog.sina.com.cn", "photo.blog.sina.com.cn", "weibo.com", "photo.weibo.com"};

protected:
    void SetUp() override {
        SiteTest::SetUp();
        Route(kHosts);
        List().siteType = SITE_SINA;
    }

    static std::string Fixture(const std::string& name) { return SiteTest::Fixture("sina", name); }
};
