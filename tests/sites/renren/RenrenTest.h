// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "SiteTest.h"
#include "core/SiteType.h"

// The Renren photo and zhan hosts answer from the fixture server; the cookie store starts empty.
class RenrenTest : public SiteTest {
public:
    static constexpr std::initializer_list<const char*> kHosts = {"photo.renren.com", "zhan.renren.com",
                                                                  "www.renren.com", "page.renren.com"};

protected:
    void SetUp() override {
        SiteTest::SetUp();
        Route(kHosts);
        List().siteType = SITE_RENREN;
    }

    static std::string Fixture(const std::string& name) { return SiteTest::Fixture("renren", name); }
};
