// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <string>

#include "SiteTest.h"

// 51, ZOL and PCHome answer from the fixture server.
class PortalsTest : public SiteTest {
public:
    static constexpr std::initializer_list<const char*> kHosts = {"home.51.com", "my.zol.com.cn",
                                                                  "photo.pchome.com.tw"};

protected:
    void SetUp() override {
        SiteTest::SetUp();
        Route(kHosts);
    }

    static std::string Fixture(const std::string& name) { return SiteTest::Fixture("portals", name); }
};
