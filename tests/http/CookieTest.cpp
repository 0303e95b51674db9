// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>

#include "MyCode/ConnectToRules.h"
#include "MyCode/Cookie.h"
#include "MyCode/CookieStore.h"
#include "MyCode/URLSource2.h"
#include "http/HttpTestUtil.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace {

using CookieTest = HttpTest;

std::int64_t InAnHour() {
    return static_cast<std::int64_t>(std::time(nullptr)) + 3600;
}

}  // namespace

namespace {

Cookie MakeCookie(std::string domain, bool sub, std::string path, bool secure, std::int64_t expires,
                  std::string name, std::string value, bool httpOnly = false) {
    Cookie c;
    c.domain = std::move(domain);
    c.includeSubdomains = sub;
    c.path = std::move(path);
    c.secure = secure;
    c.expires = expires;
    c.name = std::move(name);
    c.value = std::move(value);
    c.httpOnly = httpOnly;
    return c;
}

}  // namespace

TEST(Cookie, ReadsNetscapeLinesAsExportersWriteThem) {
    struct Case {
        std::string line;
        bool ok;
        Cookie cookie;
    } cases[] = {
        {".qq.com\tTRUE\t/\tFALSE\t1900000000\tskey\t@abc\r", true,
         MakeCookie("qq.com", true, "/", false, 1900000000, "skey", "@abc")},
        {"#HttpOnly_user.qzone.qq.com\tFALSE\t/p\tTRUE\t0\tuin\to0123", true,
         MakeCookie("user.qzone.qq.com", false, "/p", true, 0, "uin", "o0123", true)},
        {"weibo.com\tFALSE\t/\tFALSE\t1900000000.5\tSUB\t", true,
         MakeCookie("weibo.com", false, "/", false, 1900000000, "SUB", "")},
        {"weibo.com\tFALSE\t/\tFALSE\t1900000000\tempty", true,
         MakeCookie("weibo.com", false, "/", false, 1900000000, "empty", "")},
        {"# Netscape HTTP Cookie File", false, {}},
        {"", false, {}},
        {"qq.com\tTRUE\t/\tFALSE\tsoon\tskey\tv", false, {}},
        {"qq.com TRUE / FALSE 0 skey v", false, {}},
        {"\tTRUE\t/\tFALSE\t0\tskey\tv", false, {}},
    };
    for (const Case& c : cases) {
        Cookie cookie;
        ASSERT_EQ(Cookie::FromNetscapeLine(c.line, cookie), c.ok) << c.line;
        if (!c.ok) {
            continue;
        }
        const Cookie& e = c.cookie;
        EXPECT_EQ(cookie.domain, e.domain);
        EXPECT_EQ(cookie.includeSubdomains, e.includeSubdomains);
        EXPECT_EQ(cookie.path, e.path);
        EXPECT_EQ(cookie.secure, e.secure);
        EXPECT_EQ(cookie.expires, e.expires);
        EXPECT_EQ(cookie.name, e.name);
        EXPECT_EQ(cookie.value, e.value);
        EXPECT_EQ(cookie.httpOnly, e.httpOnly);
        Cookie again;
        ASSERT_TRUE(Cookie::FromNetscapeLine(cookie.ToNetscapeLine(), again));
        EXPECT_EQ(again.ToNetscapeLine(), cookie.ToNetscapeLine());
    }
}

TEST_F(CookieTest, GetUrlCookieMatchesDomainPathSecureAndExpiry) {
    auto add = [](std::string domain, bool sub, std::string path, bool secure, std::int64_t expires,
                  std::string name, std::string value) {
        ASSERT_TRUE(CookieStore::Instance().Add(MakeCookie(domain, sub, path, secure, expires, name, value)))
            << name;
    };
    add("example.com", true, "/", false, InAnHour(), "d", "1");
    add("photo.example.com", false, "/", false, 0, "h", "2");
    add("photo.example.com", false, "/album", false, InAnHour(), "p", "3");
    add("example.com", true, "/", true, InAnHour(), "s", "4");
    add("example.com", true, "/", false, 1000, "old", "x");
    add("other.org", false, "/", false, InAnHour(), "f", "5");
    add("other.org", false, "/", false, InAnHour(), "f", "6");  // replaces the one before

    struct Case {
        std::u16string url;
        std::vector<std::u16string> pairs;
    } cases[] = {
        {u"http://photo.example.com/album/1", {u"d=1", u"h=2", u"p=3"}},
        {u"http://photo.example.com/album", {u"d=1", u"h=2", u"p=3"}},
        {u"http://photo.example.com/albums", {u"d=1", u"h=2"}},
        {u"http://PHOTO.example.com:8080/", {u"d=1", u"h=2"}},
        {u"http://example.com/", {u"d=1"}},
        {u"http://www.photo.example.com/", {u"d=1"}},
        {u"https://a.example.com/", {u"d=1", u"s=4"}},
        {u"http://badexample.com/", {}},
        {u"http://other.org/x?y=1", {u"f=6"}},
        {u"not a url", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Pairs(GetUrlCookie(c.url)), c.pairs) << std::string(c.url.begin(), c.url.end());
    }
    // The most specific path comes first, as curl sends them.
    EXPECT_EQ(GetUrlCookie(u"http://photo.example.com/album/2").rfind(u"p=3", 0), 0u);

    Cookie bad;
    bad.domain = "example.com";
    bad.name = "tab\tin name";
    EXPECT_FALSE(CookieStore::Instance().Add(bad));
}

TEST_F(CookieTest, SetCookieIsSavedAndLoadedFromTheProgramFolder) {
    server.Handle("/login", [](const FixtureRequest&, FixtureReply& reply) {
        reply.headers = {{"Set-Cookie", "sid=abc; Max-Age=3600; Path=/"},
                         {"Set-Cookie", "tmp=1; Path=/"},
                         {"Set-Cookie", "hid=2; Max-Age=3600; Path=/; HttpOnly"}};
        reply.body = "welcome";
    });
    server.Handle("/logout", [](const FixtureRequest&, FixtureReply& reply) {
        reply.headers = {{"Set-Cookie", "sid=; Max-Age=0; Path=/"}};
    });
    server.Handle("/echo", [](const FixtureRequest& request, FixtureReply& reply) {
        reply.body = request.Header("Cookie");
    });
    TempDir dir;
    std::u16string file = dir.Path() + u"cookies.txt";
    ASSERT_TRUE(CookieStore::Instance().SetProgramFolder(dir.Path()));
    EXPECT_FALSE(FileSystem::Exists(file));  // an empty store writes nothing

    UrlSource source;
    ASSERT_TRUE(FetchUrl(Req("/login"), source, 0));
    EXPECT_EQ(Pairs(GetUrlCookie(server.BaseUrl16() + u"/")),
              (std::vector<std::u16string>{u"hid=2", u"sid=abc", u"tmp=1"}));
    std::string saved;
    ASSERT_TRUE(FileSystem::ReadFile(file, saved));
    EXPECT_NE(saved.find("\tsid\tabc\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("#HttpOnly_127.0.0.1\t"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("tmp"), std::string::npos) << "session cookies end with the program run";
    struct stat st {};
    ASSERT_EQ(::stat(FileSystem::NativePath(file).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // A later run loads the file and sends what it holds.
    CookieStore::Instance().SetProgramFolder(u"");
    CookieStore::Instance().Clear();
    ASSERT_TRUE(CookieStore::Instance().SetProgramFolder(dir.Path()));
    ASSERT_TRUE(FetchUrl(Req("/echo"), source, 0));
    EXPECT_EQ(Pairs(CodePage::FromUtf8(source.body)), (std::vector<std::u16string>{u"hid=2", u"sid=abc"}));

    // A cookie the server deletes leaves the file too.
    ASSERT_TRUE(FetchUrl(Req("/logout"), source, 0));
    ASSERT_TRUE(FileSystem::ReadFile(file, saved));
    EXPECT_EQ(saved.find("sid"), std::string::npos) << saved;
    EXPECT_NE(saved.find("hid"), std::string::npos) << saved;
}

TEST_F(CookieTest, ImportedCookiesTravelToRoutedHosts) {
    TempDir dir;
    std::u16string path = dir.Path() + u"exported cookies.txt";
    std::string file =
        "\xEF\xBB\xBF# Netscape HTTP Cookie File\r\n"
        "# exported by a browser extension\r\n"
        "\r\n"
        ".example.com\tTRUE\t/\tFALSE\t1900000000\tskey\t@Ab12\r\n"
        "#HttpOnly_photo.example.com\tFALSE\t/album\tFALSE\t0\tuin\to0042\r\n"
        "photo.example.com\tFALSE\t/\tFALSE\t1900000000\tnovalue\r\n"
        "photo.example.com\tFALSE\t/\tTRUE\t1900000000\tsecure\tonly-https\r\n"
        "broken line without tabs\r\n";
    ASSERT_TRUE(FileSystem::WriteFileAtomic(path, file));
    EXPECT_EQ(CookieStore::Instance().ImportFile(path), 4);
    EXPECT_EQ(CookieStore::Instance().ImportFile(dir.Path() + u"missing.txt"), -1);

    server.Route("photo.example.com");
    server.Handle("/album/1", [](const FixtureRequest& request, FixtureReply& reply) {
        reply.body = request.Header("Host") + "|" + request.Header("Cookie");
    });
    UrlRequest request(u"http://photo.example.com/album/1", u"", 3000);
    UrlSource source;
    ASSERT_TRUE(FetchUrl(request, source, 0));
    std::size_t bar = source.body.find('|');
    ASSERT_NE(bar, std::string::npos);
    EXPECT_EQ(source.body.substr(0, bar), "photo.example.com");
    EXPECT_EQ(Pairs(CodePage::FromUtf8(source.body.substr(bar + 1))),
              (std::vector<std::u16string>{u"novalue=", u"skey=@Ab12", u"uin=o0042"}));
    EXPECT_EQ(Pairs(GetUrlCookie(u"http://photo.example.com/album/1")),
              (std::vector<std::u16string>{u"novalue=", u"skey=@Ab12", u"uin=o0042"}));
}

TEST(ConnectToRules, AcceptsCurlSyntaxAndReplacesTheRuleForAHost) {
    struct Case {
        std::string rule;
        bool ok;
    } cases[] = {
        {"h5.qzone.qq.com:80:127.0.0.1:8080", true},
        {"::127.0.0.1:", true},
        {"[::1]:80:[::1]:8080", true},
        {"photo.test:443:127.0.0.1:1", true},
        {"h5.qzone.qq.com:80:127.0.0.1", false},
        {"a:80:b:1:2", false},
        {"a:http:b:1", false},
        {"a:80:b:70000", false},
        {"a b:80:b:1", false},
        {"[::1:80:b:1", false},
    };
    ConnectToRules& rules = ConnectToRules::Instance();
    for (const Case& c : cases) {
        EXPECT_EQ(rules.Add(c.rule), c.ok) << c.rule;
        rules.Remove(c.rule);
    }
    ASSERT_TRUE(rules.Add("replace.test:80:127.0.0.1:1"));
    ASSERT_TRUE(rules.Add("replace.test:80:127.0.0.1:2"));
    auto list = rules.List();
    EXPECT_EQ(std::count_if(list.begin(), list.end(),
                            [](const std::string& r) { return r.rfind("replace.test:", 0) == 0; }),
              1);
    EXPECT_NE(std::find(list.begin(), list.end(), "replace.test:80:127.0.0.1:2"), list.end());
    rules.Remove("replace.test:80");
    list = rules.List();
    EXPECT_EQ(std::find(list.begin(), list.end(), "replace.test:80:127.0.0.1:2"), list.end());
}
