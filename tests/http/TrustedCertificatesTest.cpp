// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "MyCode/URLSource2.h"
#include "support/FixtureServer.h"

namespace {

// https from loopback: the test certificate is refused until it is trusted, and the system's
// authorities come back when the trust is withdrawn.
TEST(TrustedCertificates, HttpsTestServerAnswersOnlyWhenItsCertificateIsTrusted) {
    FixtureServer secure(FixtureServer::Scheme::Https);
    secure.Serve("/page", "secure page");
    secure.Route("item.taobao.com", 443);
    UrlRequest request(u"https://item.taobao.com/page", u"", 5000);
    request.retryPauseSec = 0;
    UrlSource source;

    EXPECT_FALSE(FetchUrl(request, source, 0));
    SetTrustedCertificates(FixtureServer::TestCertificate());
    ASSERT_TRUE(FetchUrl(request, source, 0));
    std::u16string text;
    source.GetText(text, TEXT_INFLATE | TEXT_UTF8);
    EXPECT_EQ(text, u"secure page");
    SetTrustedCertificates({});
    EXPECT_FALSE(FetchUrl(request, source, 0));
}

}  // namespace
