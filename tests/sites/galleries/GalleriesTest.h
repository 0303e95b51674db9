// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>

#include "SiteTest.h"

// 56, POCO and Yupoo answer from the fixture server.
class GalleriesTest : public SiteTest {
public:
    static constexpr std::initializer_list<const char*> kHosts = {"www.56.com", "my.poco.cn", "www.yupoo.com",
                                                                  "x.yupoo.com"};

protected:
    void SetUp() override {
        SiteTest::SetUp();
        Route(kHosts);
    }

    static std::string Fixture(const std::string& name) { return SiteTest::Fixture("galleries", name); }
};
