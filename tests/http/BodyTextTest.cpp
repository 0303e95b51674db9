// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "MyCode/URLSource2.h"
#include "http/HttpTestUtil.h"

using namespace std::string_literals;

namespace {

const std::string kPage = "<html><title>相册 &amp; 照片</title>" + std::string(3000, '.') + "</html>";
const std::u16string kPageText =
    u"<html><title>相册 & 照片</title>" + std::u16string(3000, u'.') + u"</html>";

}  // namespace

TEST_F(HttpTest, CompressedMeansTheContentEncodingSaysSo) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> headers;
        std::string body;
        bool compressed;
    } cases[] = {
        {"gzip", {{"Content-Encoding", "gzip"}}, Gzip(kPage), true},
        {"zlib as deflate", {{"Content-Encoding", "deflate"}}, Deflate(kPage, 15), true},
        {"upper-case x-gzip", {{"content-encoding", "X-GZIP"}}, Gzip(kPage), true},
        {"gzip only in a cookie", {{"Set-Cookie", "pref=gzip"}, {"X-Note", "gzip"}}, kPage, false},
        {"labelled gzip but plain", {{"Content-Encoding", "gzip"}}, kPage, true},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string path = "/enc" + std::to_string(n++);
        server.Handle(path, [c](const FixtureRequest&, FixtureReply& reply) {
            reply.contentType = "application/octet-stream";
            reply.headers = c.headers;
            reply.body = c.body;
        });
        UrlRequest request = Req(path);
        UrlSource source;
        ASSERT_TRUE(FetchUrl(request, source, 0)) << c.name;
        EXPECT_EQ(source.compressed, c.compressed) << c.name;
        EXPECT_EQ(source.body, c.body) << c.name;
        std::u16string text;
        source.GetText(text, TEXT_INFLATE | TEXT_UTF8);
        EXPECT_EQ(text, kPageText) << c.name;
    }
}

TEST_F(HttpTest, CutMarkersApplyToACompressedPageAfterInflating) {
    server.Handle("/gzcut", [](const FixtureRequest&, FixtureReply& reply) {
        reply.contentType = "application/octet-stream";
        reply.headers = {{"Content-Encoding", "gzip"}};
        reply.body = Gzip("x[a]y[a]wanted(end)z");
    });
    UrlRequest request = Req("/gzcut");
    request.cutStart = "[a]";
    request.cutEnd = "(end)";
    UrlSource source;
    ASSERT_TRUE(FetchUrl(request, source, 0));
    std::u16string text;
    source.GetText(text, TEXT_INFLATE);
    EXPECT_EQ(text, u"wanted");
}

TEST_F(HttpTest, InflatingIsCappedAgainstBombs) {
    // A 100 KiB page inflated from a little over 100 bytes: the request's maxSizeKB caps it.
    std::string big(100 * 1024, 'b');
    server.Handle("/bomb", [&](const FixtureRequest&, FixtureReply& reply) {
        reply.contentType = "application/octet-stream";
        reply.headers = {{"Content-Encoding", "gzip"}};
        reply.body = Gzip(big);
    });
    UrlRequest request = Req("/bomb");
    request.maxSizeKB = 64;
    UrlSource source;
    ASSERT_TRUE(FetchUrl(request, source, 0));
    EXPECT_LT(source.body.size(), 1024u);
    EXPECT_EQ(source.BodyBytes(true).size(), 64u * 1024);
    request.maxSizeKB = 100;
    ASSERT_TRUE(FetchUrl(request, source, 0));
    EXPECT_EQ(source.BodyBytes(true), big);

    // Without maxSizeKB the fixed cap holds.
    std::string huge = Gzip(std::string(kInflateLimitBytes + 4096, 'z'));
    std::string out = "kept:";
    EXPECT_FALSE(InflateBody(huge.data(), huge.size(), out));
    EXPECT_EQ(out.size(), 5 + kInflateLimitBytes);
}

TEST(InflateBody, InflatesWrappedDataAndFailsOtherwise) {
    std::string data = "abc" + std::string(20000, 'q') + "xyz";
    struct Case {
        const char* name;
        std::string input;
        std::size_t limit;
        bool ok;
        std::string out;
    } cases[] = {
        {"gzip", Gzip(data), kInflateLimitBytes, true, data},
        {"zlib", Deflate(data, 15), kInflateLimitBytes, true, data},
        {"raw deflate is not recognised", Deflate(data, -15), kInflateLimitBytes, false, ""},
        {"plain text", "just text", kInflateLimitBytes, false, ""},
        {"exactly at the cap", Gzip(data), data.size(), true, data},
        {"one byte past the cap", Gzip(data), data.size() - 1, false, data.substr(0, data.size() - 1)},
    };
    for (const Case& c : cases) {
        std::string out = ">";
        EXPECT_EQ(InflateBody(c.input.data(), c.input.size(), out, c.limit), c.ok) << c.name;
        EXPECT_EQ(out, ">" + c.out) << c.name;
    }
    // A cut-off stream keeps what inflated before the end.
    std::string truncated = Gzip(data);
    truncated.resize(truncated.size() / 2);
    std::string out;
    EXPECT_FALSE(InflateBody(truncated.data(), truncated.size(), out));
    EXPECT_FALSE(out.empty());
    EXPECT_EQ(data.compare(0, out.size(), out), 0);
}

TEST_F(HttpTest, CharsetFollowsTheFlagsUnlessTheHeadersSayGbk) {
    struct Case {
        const char* name;
        std::string contentType;
        std::string body;
        unsigned flags;
        std::u16string text;
    } cases[] = {
        {"charset=GBK beats TEXT_UTF8", "text/html; charset=GBK", "\xD6\xD0\xCE\xC4", TEXT_UTF8, u"中文"},
        {"no bit is GBK", "text/html", "\xD6\xD0\xCE\xC4", 0, u"中文"},
        {"UTF-8", "text/html", "\xE4\xB8\xAD\xE6\x96\x87", TEXT_INFLATE | TEXT_UTF8, u"中文"},
        {"lower-case gbk is not the rule", "text/html; charset=gbk", "\xE4\xB8\xAD", TEXT_UTF8, u"中"},
        {"Big5", "text/html", "\xA4\xA4\xA4\xE5", TEXT_INFLATE | TEXT_BIG5, u"中文"},
        {"EUC-KR", "text/html", "\xC7\xD1\xB1\xDB", TEXT_EUCKR, u"한글"},
        {"UTF-8 before Big5", "text/html", "\xE4\xB8\xAD", TEXT_UTF8 | TEXT_BIG5, u"中"},
        {"auto takes valid UTF-8", "text/html", "\xE4\xB8\xAD\xE6\x96\x87", TEXT_AUTO, u"中文"},
        {"auto falls back to GBK", "text/html", "\xD6\xD0\xCE\xC4", TEXT_AUTO, u"中文"},
        {"entities decoded, a NUL marked and the text goes on", "text/html",
         "a&lt;b&gt; &quot;c&quot;&#39;\0tail"s, TEXT_UTF8, u"a<b> \"c\"'\uFFFDtail"},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string path = "/cs" + std::to_string(n++);
        server.Serve(path, c.body, c.contentType);
        UrlRequest request = Req(path);
        UrlSource source;
        ASSERT_TRUE(FetchUrl(request, source, 0)) << c.name;
        std::u16string text;
        source.GetText(text, c.flags);
        EXPECT_EQ(text, c.text) << c.name;
    }
}

TEST_F(HttpTest, PagesTheServerGzipsOnRequestReadAsText) {
    server.Serve("/page", kPage, "text/html; charset=utf-8");
    UrlRequest request = Req("/page");
    request.headers = u"Accept-Encoding: gzip, deflate\r\nReferer: " + server.BaseUrl16() + u"/";
    request.cutStart = "<title>";
    request.cutEnd = "</title>";
    UrlSource source;
    ASSERT_TRUE(FetchUrl(request, source, 0));
    EXPECT_TRUE(source.compressed);
    std::u16string text;
    source.GetText(text, TEXT_INFLATE | TEXT_UTF8);
    EXPECT_EQ(text, u"相册 & 照片");
}
