// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "MyCode/URLSource2.h"
#include "SiteTest.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

// The shops answer from the fixture servers: their page hosts and picture hosts are routed to
// server for http and to secure, whose certificate the HTTP client trusts, for https. Their pages
// are GBK.
class ShopsTest : public SiteTest {
public:
    static constexpr std::initializer_list<const char*> kHosts = {
        "detail.1688.com", "cbu01.alicdn.com", "item.jd.com",        "img10.360buyimg.com",
        "item.taobao.com", "detail.tmall.com", "shop123.taobao.com", "img.alicdn.com"};

    // A fixture page of tests/fixtures/shops as the sites send it, in GBK.
    static std::string Page(const std::string& name) { return Gbk(SiteTest::Fixture("shops", name)); }

protected:
    void SetUp() override {
        SiteTest::SetUp();
        Route(kHosts);
        for (const char* host : kHosts) {
            secure.Route(host, 443);
        }
        SetTrustedCertificates(FixtureServer::TestCertificate());
        List().siteType = SITE_SHOP;
    }

    void TearDown() override {
        SetTrustedCertificates({});
        SiteTest::TearDown();
    }

    // A dump the adapters wrote into the program folder, as text; empty when there is none.
    std::u16string DumpText(const std::u16string& name) const {
        std::string bytes;
        if (!FileSystem::ReadFile(dir.Path() + name, bytes) || bytes.size() < 2 ||
            bytes.substr(0, 2) != "\xFF\xFE") {
            return {};
        }
        std::u16string text;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
        return text;
    }

    std::vector<std::u16string> MessageTexts() const {
        std::vector<std::u16string> texts;
        for (const Said& message : Messages()) {
            texts.push_back(message.text);
        }
        return texts;
    }

    std::vector<std::u16string> FileNames() const {
        std::vector<std::u16string> names;
        for (const PictureRecord& picture : Pictures()) {
            names.push_back(picture.fileName);
        }
        return names;
    }

    static ExpectedRequest Get(const std::string& host, const std::string& path,
                               std::vector<std::pair<std::string, std::string>> query = {}) {
        return {host, path, std::move(query), {{"Accept-Encoding", "gzip, deflate"}, {"Referer", ""}}};
    }

    FixtureServer secure{FixtureServer::Scheme::Https};
};
