// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "MyCode/ConnectToRules.h"
#include "MyCode/CookieStore.h"
#include "MyCode/StringCtrl.h"
#include "MyCode/TextFlags.h"
#include "MyCode/URLSource2.h"
#include "SiteTest.h"
#include "core/SiteType.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

// The Tencent services answer from the fixture server: every host the adapters can reach is
// routed to it, the hosts that the route fixture names included. The cookie store starts empty.
class TencentTest : public SiteTest {
public:
    static constexpr std::initializer_list<const char*> kHosts = {
        "route.store.qq.com",   "user.qzone.qq.com",    "alist.photo.qq.com", "xalist.photo.qq.com",
        "szplist.photo.qq.com", "xaplist.photo.qq.com", "sznu.photo.qq.com",  "xanu.photo.qq.com",
        "qun.qzone.qq.com",     "qun.photo.qq.com",     "t.qq.com",           "api.t.qq.com"};

protected:
    void SetUp() override {
        SiteTest::SetUp();
        Route(kHosts);
        List().siteType = SITE_TENCENT;
    }

    static std::string Fixture(const std::string& name) { return SiteTest::Fixture("tencent", name); }

    static void AddCookie(const std::string& name, const std::string& value) {
        SiteTest::AddCookie("qq.com", name, value);
    }
};
