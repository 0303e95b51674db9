// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWebEngineView>

#include <chrono>
#include <ctime>
#include <functional>
#include <set>

#include "MyCode/CookieStore.h"
#include "MyCode/URLSource2.h"
#include "platform/FileSystem.h"
#include "support/FixtureServer.h"
#include "support/TempDir.h"
#include "ui/CDlgWebOpen.h"
#include "ui/CExplorer1.h"
#include "ui/LoginPages.h"
#include "ui/LoginProfile.h"

namespace {

struct PageCase {
    int id;
    std::u16string input;
    int subMode;
    const char* page;
};

class LoginPageTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(LoginPageTest, OpensTheSitesLoginPage) {
    const PageCase& c = GetParam();
    EXPECT_EQ(LoginPageFor(c.id, c.input, c.subMode), QString::fromUtf8(c.page));
}

INSTANTIATE_TEST_SUITE_P(
    Items, LoginPageTest,
    ::testing::Values(
        // A QQ number in the Qzone sub-mode opens that owner's space.
        PageCase{ID_LOGIN_QZONE, u" 12345678\r\n", 0, "http://user.qzone.qq.com/12345678"},
        PageCase{ID_LOGIN_QZONE, u"12345678", 1, "http://user.qzone.qq.com/"},
        PageCase{ID_LOGIN_QZONE, u"12345678", -1, "http://user.qzone.qq.com/"},
        PageCase{ID_LOGIN_QZONE, u"1234x", 0, "http://user.qzone.qq.com/"},
        PageCase{ID_LOGIN_QZONE, u"  ", 0, "http://user.qzone.qq.com/"},
        PageCase{ID_LOGIN_TENCENT_WEIBO, u"12345678", 0, "http://t.qq.com/"},
        PageCase{ID_LOGIN_YUPOO, u"", 0, "http://www.yupoo.com/account/login/"},
        PageCase{ID_LOGIN_MOKO, u"", 0,
                 "http://www.moko.cc/jsps/common/login.jsp?tourl=http%3A//www.moko.cc/"},
        PageCase{ID_LOGIN_TAOBAO, u"", 0, "https://login.taobao.com/member/login.jhtml"},
        PageCase{ID_LOGIN_56, u"", 0, "http://user.56.com/login/"},
        PageCase{ID_LOGIN_HUPU, u"", 0, "http://passport.hupu.com/login"}, PageCase{12345, u"", 0, ""}));

TEST(LoginMenu, EveryItemHasItsOwnIdAndAPage) {
    std::set<int> ids;
    for (const LoginMenuItem& item : LOGIN_MENU_ITEMS) {
        EXPECT_TRUE(ids.insert(item.id).second) << item.id;
        EXPECT_FALSE(LoginPageFor(item.id, u"", 0).isEmpty()) << item.id;
    }
    EXPECT_EQ(LOGIN_MENU_ITEMS.front().id, ID_LOGIN_QZONE);
    EXPECT_EQ(LOGIN_MENU_ITEMS.back().id, ID_LOGIN_CUSTOM);
}

TEST(LoginCookies, ConvertBothWaysKeepingScope) {
    Cookie hostOnly;
    hostOnly.domain = "user.qzone.qq.com";
    hostOnly.path = "/p";
    hostOnly.expires = 2000000000;
    hostOnly.name = "uin";
    hostOnly.value = "o123";
    hostOnly.httpOnly = true;
    Cookie domain = hostOnly;
    domain.domain = "qq.com";
    domain.includeSubdomains = true;
    domain.secure = true;
    domain.expires = 0;
    for (const Cookie& cookie : {hostOnly, domain}) {
        QUrl origin;
        QNetworkCookie browserCookie = LoginProfile::ToBrowserCookie(cookie, origin);
        EXPECT_EQ(origin.host().toStdString(), cookie.domain);
        EXPECT_EQ(origin.scheme(), cookie.secure ? "https" : "http");
        // The browser gives a host-only cookie its host; the store reads it back as it was.
        if (browserCookie.domain().isEmpty()) {
            browserCookie.setDomain(origin.host());
        }
        Cookie back;
        ASSERT_TRUE(LoginProfile::ToStoreCookie(browserCookie, back));
        EXPECT_EQ(back.ToNetscapeLine(), cookie.ToNetscapeLine());
    }
}

// Polls the event loop until done() or the time is up.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 30000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QTest::qWait(50);
    }
    return true;
}

// The login window against a local site, with the HTTP client's store saving into a folder of its
// own and the browser's profile in another.
class LoginWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Outlives the application object, which the profile lives with.
        static QTemporaryDir profileDir;
        LoginProfile::SetStorageFolder(profileDir.path());
    }

    void SetUp() override {
        CookieStore::Instance().Clear();
        CookieStore::Instance().SetProgramFolder(storeDir_.Path());
    }

    void TearDown() override {
        CookieStore::Instance().SetProgramFolder(u"");
        CookieStore::Instance().Clear();
    }

    QString Url(const char* path) const { return QString::fromStdString(server_.BaseUrl() + path); }

    TempDir storeDir_;
    FixtureServer server_;
};

TEST_F(LoginWindowTest, WithoutAStartAddressShowsTheClipboardAndStaysPut) {
    // The application hands its clipboard to the text helpers.
    const QString before = QApplication::clipboard()->text();
    QApplication::clipboard()->setText(Url("/clip"));
    CDlgWebOpen window(QString(), nullptr);
    QApplication::clipboard()->setText(before);
    window.show();
    EXPECT_EQ(window.windowTitle(), QString::fromUtf16(u"登录成功后手动关闭对话框"));
    auto* address = window.findChild<QLineEdit*>("c1001");
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(address->text(), Url("/clip"));
    QTest::qWait(500);
    EXPECT_TRUE(server_.RequestsTo("/clip").empty());

    // "打开" goes to the address as typed.
    auto* open = window.findChild<QPushButton*>("c1026");
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(open->isDefault());
    address->setText(Url("/typed"));
    open->click();
    EXPECT_TRUE(WaitUntil([&] { return !server_.RequestsTo("/typed").empty(); }));
}

TEST_F(LoginWindowTest, BackReloadAndTheLoadingBar) {
    server_.Serve("/first", "<html><body>first</body></html>");
    server_.Handle("/second", [this](const FixtureRequest&, FixtureReply& reply) {
        server_.Pause(std::chrono::milliseconds(300));  // long enough to see it load
        reply.body = "<html><body>second</body></html>";
    });
    CDlgWebOpen window(Url("/first"), nullptr);
    window.show();
    QToolButton* back = window.BackButton();
    QToolButton* reload = window.ReloadButton();
    QProgressBar* loading = window.LoadProgress();
    ASSERT_TRUE(back && reload && loading);
    EXPECT_EQ(back->text(), QString::fromUtf16(u"后退"));
    EXPECT_EQ(reload->text(), QString::fromUtf16(u"刷新"));
    bool loaded = false;
    QObject::connect(window.Browser(), &QWebEngineView::loadFinished, [&loaded](bool) { loaded = true; });
    ASSERT_TRUE(WaitUntil([&] { return loaded; }));
    EXPECT_FALSE(back->isEnabled());  // nowhere to go back to yet
    EXPECT_FALSE(loading->isVisible());

    bool sawLoading = false;
    QObject::connect(window.Browser(), &QWebEngineView::loadProgress,
                     [&](int) { sawLoading = sawLoading || loading->isVisible(); });
    loaded = false;
    // As the address box goes there (a page's own script going on without a click would be skipped
    // by the engine's back).
    window.AddressBox()->setText(Url("/second"));
    window.findChild<QPushButton*>("c1026")->click();
    ASSERT_TRUE(WaitUntil([&] { return loaded && window.Browser()->url().path() == "/second"; }));
    EXPECT_TRUE(sawLoading);
    EXPECT_FALSE(loading->isVisible());
    EXPECT_TRUE(back->isEnabled());

    // 刷新 asks the page again, 后退 goes to the one before.
    loaded = false;
    reload->click();
    ASSERT_TRUE(WaitUntil([&] { return loaded; }));
    EXPECT_EQ(server_.RequestsTo("/second").size(), 2u);
    back->click();  // a page from the history may come without a new load
    ASSERT_TRUE(WaitUntil([&] { return window.Browser()->url().path() == "/first"; }));
    EXPECT_FALSE(back->isEnabled());
}

TEST_F(LoginWindowTest, ThePagesAndTheBrowsersOwnPagesAreInChinese) {
    server_.Serve("/page", "<html><body>page</body></html>");
    CDlgWebOpen window(Url("/page"), nullptr);
    window.show();
    ASSERT_TRUE(WaitUntil([&] { return !server_.RequestsTo("/page").empty(); }));
    EXPECT_EQ(server_.RequestsTo("/page").front().Header("Accept-Language").rfind("zh-CN", 0), 0u)
        << server_.RequestsTo("/page").front().Header("Accept-Language");

    // A site that cannot be reached: the engine's error page speaks Chinese.
    bool failed = false;
    QObject::connect(window.Browser(), &QWebEngineView::loadFinished, [&failed](bool ok) { failed = !ok; });
    window.Browser()->Navigate(QStringLiteral("http://127.0.0.1:1/"));
    ASSERT_TRUE(WaitUntil([&] { return failed; }));
    QString text;
    bool read = false;
    ASSERT_TRUE(WaitUntil([&] {
        window.Browser()->page()->runJavaScript(
            QStringLiteral("document.body ? document.body.innerText : ''"), [&](const QVariant& result) {
                text = result.toString();
                read = !text.isEmpty();
            });
        QTest::qWait(100);
        return read;
    }));
    EXPECT_TRUE(text.contains(QString::fromUtf16(u"无法访问"))) << text.toStdString();
}

TEST_F(LoginWindowTest, ResizingKeepsTheBrowserAndButtonAtTheEdges) {
    CDlgWebOpen window(QString(), nullptr);
    window.show();
    auto* address = window.findChild<QLineEdit*>("c1001");
    auto* open = window.findChild<QPushButton*>("c1026");
    auto* browser = window.findChild<CExplorer1*>("c1025");
    ASSERT_TRUE(address && open && browser);
    for (QSize size : {QSize(900, 700), QSize(500, 400)}) {
        window.resize(size);
        QApplication::processEvents();
        const QSize client = window.size();
        const QRect view(browser->mapTo(&window, QPoint(0, 0)), browser->size());
        EXPECT_EQ(view.left(), 0);
        EXPECT_GT(view.top(), 0);
        EXPECT_EQ(view.right() + 1, client.width());
        EXPECT_EQ(view.bottom() + 1, client.height());
        const QRect button(open->mapTo(&window, QPoint(0, 0)), open->size());
        EXPECT_EQ(button.right() + 1, client.width());
        const QRect edit(address->mapTo(&window, QPoint(0, 0)), address->size());
        EXPECT_EQ(edit.right() + 1 + 5, button.left());
    }
}

TEST_F(LoginWindowTest, CookiesTheBrowserReceivesAreSentByTheHttpClient) {
    server_.Handle("/login", [](const FixtureRequest&, FixtureReply& reply) {
        reply.headers.push_back({"Set-Cookie", "sid=abc123; Max-Age=3600; Path=/"});
        reply.headers.push_back({"Set-Cookie", "tmp=session; Path=/"});
        reply.body =
            "<html><body><script>document.cookie = 'js=fromPage; max-age=3600; path=/';</script>"
            "logged in</body></html>";
    });
    server_.Serve("/check", "ok", "text/plain");
    const std::string base = server_.BaseUrl() + "/";
    {
        CDlgWebOpen window(Url("/login"), nullptr);
        window.show();
        ASSERT_TRUE(WaitUntil([&] {
            std::string header = CookieStore::Instance().HeaderFor(base);
            return header.find("sid=abc123") != std::string::npos &&
                   header.find("js=fromPage") != std::string::npos &&
                   header.find("tmp=session") != std::string::npos;
        })) << CookieStore::Instance().HeaderFor(base);
    }

    UrlSource source;
    ASSERT_TRUE(FetchUrl(UrlRequest(server_.BaseUrl16() + u"/check", u"", 20000), source, 0));
    std::vector<FixtureRequest> checks = server_.RequestsTo("/check");
    ASSERT_EQ(checks.size(), 1u);
    std::string sent = checks[0].Header("Cookie");
    EXPECT_NE(sent.find("sid=abc123"), std::string::npos) << sent;
    EXPECT_NE(sent.find("js=fromPage"), std::string::npos) << sent;
    EXPECT_NE(sent.find("tmp=session"), std::string::npos) << sent;

    // The persistent ones outlive the run in "cookies.txt"; the session cookie does not.
    std::string saved;
    ASSERT_TRUE(FileSystem::ReadFile(storeDir_.Path() + u"cookies.txt", saved));
    EXPECT_NE(saved.find("\tsid\tabc123"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\tjs\tfromPage"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("\ttmp\t"), std::string::npos) << saved;
}

TEST_F(LoginWindowTest, TheStoresCookiesReachTheBrowserWhenTheWindowOpens) {
    Cookie kept;
    kept.domain = "127.0.0.1";
    kept.path = "/";
    kept.expires = static_cast<std::int64_t>(std::time(nullptr)) + 3600;
    kept.name = "kept";
    kept.value = "fromLastRun";
    ASSERT_TRUE(CookieStore::Instance().Add(kept));
    server_.Serve("/echo", "<html><body>hello</body></html>");

    CDlgWebOpen window(Url("/echo"), nullptr);
    window.show();
    ASSERT_TRUE(WaitUntil([&] { return !server_.RequestsTo("/echo").empty(); }));
    std::string sent = server_.RequestsTo("/echo").front().Header("Cookie");
    EXPECT_NE(sent.find("kept=fromLastRun"), std::string::npos) << sent;
}

}  // namespace
