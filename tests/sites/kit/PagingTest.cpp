// SPDX-License-Identifier: GPL-3.0-or-later
// The shared paging loop: its end rules, the guard against servers that repeat a page, and the
// stop check after every page.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "SiteTest.h"
#include "jobs/AlbumListRun.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/PageGuard.h"
#include "sites/kit/Paging.h"

namespace {

std::string ItemsPage(std::initializer_list<const char*> items, bool next = false) {
    std::string page = "<ul>";
    for (const char* item : items) {
        page += std::string("<li>") + item;
    }
    return page + "</ul>" + (next ? "<a>下一页</a>" : "");
}

class Paging : public SiteTest {
protected:
    // Runs the loop on "/list?page=N" with the rules; the items handed out, in order.
    std::vector<std::string> Walk(PageRules rules, const std::function<bool(Page&)>& onPage = {}) {
        AlbumListRun run(job, events, SITE_TENCENT);
        AlbumCall call = run.NewCall();
        std::vector<std::string> items;
        pages = ForEachPage(
            call, rules,
            [&](int page) { return server.BaseUrl16() + u"/list?page=" + StringCtrl::Format(u"%d", {page}); },
            [&](std::u16string& item) {
                items.push_back(Utf8(item));
                return true;
            },
            onPage);
        return items;
    }

    int pages = 0;
};

struct PagingCase {
    const char* label;
    std::vector<FixturePage> served;
    PageRules rules;
    std::vector<std::string> items;
    int pages;  // pages read
    int requests;
};

TEST_F(Paging, EndsOnTheFirstPageThatBringsNothingNew) {
    auto page = [](const char* number, std::string body) {
        return FixturePage{"/list", {{"page", number}}, std::move(body)};
    };
    const PagingCase cases[] = {
        {"items until an empty answer",
         {page("1", ItemsPage({"a", "b"})), page("2", ItemsPage({"c"}))},
         {.separator = u"<li>"},
         {"a", "b</ul>", "c</ul>"},
         2,
         3},
        {"a page without items",
         {page("1", ItemsPage({"a"})), page("2", "<ul></ul>")},
         {.separator = u"<li>"},
         {"a</ul>"},
         2,
         2},
        {"a server that ignores the page parameter",
         {{"/list", {}, ItemsPage({"a", "b"})}},
         {.separator = u"<li>"},
         {"a", "b</ul>"},
         2,
         2},
        {"a server that repeats its last page",
         {page("1", ItemsPage({"a"})), {"/list", {}, ItemsPage({"b"})}},
         {.separator = u"<li>"},
         {"a</ul>", "b</ul>"},
         3,
         3},
        {"the next-page marker ends the walk",
         {page("1", ItemsPage({"a"}, true)), page("2", ItemsPage({"b"})), page("3", ItemsPage({"c"}))},
         {.separator = u"<li>", .nextMarker = u"下一页</a>"},
         {"a</ul><a>下一页</a>", "b</ul>"},
         2,
         2},
        {"an empty page with a next link goes on where the site allows it",
         {page("1", "<ul></ul><a>下一页</a>"), page("2", ItemsPage({"b"}))},
         {.separator = u"<li>", .nextMarker = u"下一页</a>", .emptyPageGoesOn = true},
         {"b</ul>"},
         2,
         2},
        {"but not where it does not",
         {page("1", "<ul></ul><a>下一页</a>"), page("2", ItemsPage({"b"}))},
         {.separator = u"<li>", .nextMarker = u"下一页</a>"},
         {},
         1,
         1},
        {"the same empty page again ends it",
         {{"/list", {}, "<ul></ul><a>下一页</a>"}},
         {.separator = u"<li>", .nextMarker = u"下一页</a>", .emptyPageGoesOn = true},
         {},
         2,
         2},
    };
    for (const PagingCase& c : cases) {
        SCOPED_TRACE(c.label);
        server.ClearRequests();
        ServePages(c.served);
        EXPECT_EQ(Walk(c.rules), c.items);
        EXPECT_EQ(pages, c.pages);
        EXPECT_EQ(server.RequestsTo("/list").size(), static_cast<std::size_t>(c.requests));
    }
}

TEST_F(Paging, EmptyPagesThatDifferStillEndPastTheBound) {
    server.Handle("/list", [](const FixtureRequest& request, FixtureReply& reply) {
        reply.body = "<ul></ul><!-- " + request.Param("page") + " --><a>下一页</a>";
    });
    EXPECT_TRUE(Walk({.separator = u"<li>", .nextMarker = u"下一页</a>", .emptyPageGoesOn = true}).empty());
    EXPECT_EQ(server.RequestsTo("/list").size(), static_cast<std::size_t>(PageGuard::MAX_EMPTY_PAGES + 1));
}

TEST_F(Paging, PageHookNarrowsSwitchesTheSeparatorAndEnds) {
    ServePages({{"/list", {{"page", "1"}}, "junk<li>x<div class=\"box\"><p>a<p>b</div>"},
                {"/list", {{"page", "2"}}, "<div class=\"box\"><p>c</div>"},
                {"/list", {{"page", "3"}}, "<div class=\"box\"><p>d</div>"}});
    std::vector<int> seen;
    auto items = Walk({.separator = u"<li>"}, [&](Page& page) {
        seen.push_back(page.number);
        StringCtrl::SkipPast(page.text, u"class=\"box\">");
        StringCtrl::CutAt(page.text, u"</div>");
        if (page.number == 1) {
            page.separator = u"<p>";  // holds for the later pages
        }
        page.last = page.number == 2;
        return true;
    });
    EXPECT_EQ(items, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
}

// A stop is seen after the page even when nothing on it was emitted.
TEST_F(Paging, StopIsCheckedAfterEveryPage) {
    server.Handle("/list", [](const FixtureRequest& request, FixtureReply& reply) {
        reply.body = ItemsPage({request.Param("page").c_str()});
    });
    int handled = 0;
    AlbumListRun run(job, events, SITE_TENCENT);
        AlbumCall call = run.NewCall();
    ForEachPage(
        call, {.separator = u"<li>"},
        [&](int page) { return server.BaseUrl16() + u"/list?page=" + StringCtrl::Format(u"%d", {page}); },
        [&](std::u16string&) {
            if (++handled == 2) {
                job.control.listState = LIST_STOP;
            }
            return true;
        });
    EXPECT_EQ(handled, 2);
    EXPECT_EQ(server.RequestsTo("/list").size(), 2u);
}

// Offsets count the items of the pages before; a count the site gives ends the list once the
// pages have held that many.
TEST_F(Paging, OffsetPagingAndTheSitesCount) {
    server.Handle("/list", [](const FixtureRequest& request, FixtureReply& reply) {
        const std::string from = request.Param("from");
        reply.body = ItemsPage({("x" + from).c_str(), ("y" + from).c_str()});
    });
    struct Case {
        const char* label;
        int total;
        std::vector<std::string> offsets;
    } cases[] = {
        {"the count reached on a page's end", 4, {"0", "2"}},
        {"the count reached inside a page", 3, {"0", "2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        server.ClearRequests();
        AlbumListRun run(job, events, SITE_TENCENT);
        AlbumCall call = run.NewCall();
        ForEachPage(
            call, {.separator = u"<li>", .totalItems = c.total},
            [&](const Page& page) {
                return server.BaseUrl16() + u"/list?from=" + StringCtrl::Format(u"%d", {page.offset});
            },
            [](std::u16string&) { return true; });
        std::vector<std::string> offsets;
        for (const FixtureRequest& request : server.RequestsTo("/list")) {
            offsets.push_back(request.Param("from"));
        }
        EXPECT_EQ(offsets, c.offsets);
    }
}

// Each page names the next by what its items hold; a page that names none, or one named before,
// ends the list.
TEST_F(Paging, CursorPagingEndsWhenTheCursorGoesNowhereNew) {
    struct Case {
        const char* label;
        std::map<std::string, std::string> pages;  // by the cursor asked after
        std::vector<std::string> asked;
    } cases[] = {
        {"until a page names no next",
         {{"", "<li>a<li>b"}, {"b", "<li>c"}, {"c", "<ul></ul>"}},
         {"", "b", "c"}},
        {"a page that leads back",
         {{"", "<li>a<li>b"}, {"b", "<li>c<li>a"}, {"a", "<li>d<li>b"}},
         {"", "b", "a"}},
        {"an item without a key names nothing", {{"", "<li>a<li>"}, {"a", "<li>z"}}, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        server.ClearRequests();
        server.Handle("/list", [&c](const FixtureRequest& request, FixtureReply& reply) {
            auto it = c.pages.find(request.Param("after"));
            reply.body = it == c.pages.end() ? "" : it->second;
        });
        AlbumListRun run(job, events, SITE_TENCENT);
        AlbumCall call = run.NewCall();
        ForEachPage(
            call, {.separator = u"<li>", .byCursor = true},
            [&](const Page& page) { return server.BaseUrl16() + u"/list?after=" + page.cursor; },
            [](std::u16string& item, Page& page) {
                page.next = item;
                return true;
            });
        std::vector<std::string> asked;
        for (const FixtureRequest& request : server.RequestsTo("/list")) {
            asked.push_back(request.Param("after"));
        }
        EXPECT_EQ(asked, c.asked);
    }
}

// An empty-page hook has a refused page fetched again, or passes it over, in its own count.
TEST_F(Paging, EmptyPageHookRetriesAndPassesOver) {
    int served = 0;
    server.Handle("/list", [&served](const FixtureRequest& request, FixtureReply& reply) {
        ++served;
        // Page 2 is refused once, page 3 stays empty, page 4 holds the last item.
        const std::string page = request.Param("page");
        if (page == "1") {
            reply.body = ItemsPage({"a"});
        } else if (page == "2") {
            reply.body = served == 2 ? "<ul></ul>" : ItemsPage({"b"});
        } else if (page == "3") {
            reply.body = "<ul></ul>";
        } else if (page == "4") {
            reply.body = ItemsPage({"d"});
        }
    });
    std::vector<std::string> items;
    std::vector<std::string> emptyPages;
    AlbumListRun run(job, events, SITE_TENCENT);
        AlbumCall call = run.NewCall();
    ForEachPage(
        call, {.separator = u"<li>"},
        [&](int page) { return server.BaseUrl16() + u"/list?page=" + StringCtrl::Format(u"%d", {page}); },
        [&](std::u16string& item) {
            items.push_back(Utf8(item));
            return true;
        },
        {},
        [&](Page& page) {
            emptyPages.push_back(std::to_string(page.number) + "/" + std::to_string(page.attempt));
            page.again = page.attempt == 0;
            return true;
        });
    EXPECT_EQ(items, (std::vector<std::string>{"a</ul>", "b</ul>", "d</ul>"}));
    EXPECT_EQ(emptyPages, (std::vector<std::string>{"2/0", "3/0", "3/1"}));
}

// Every album of a page list starts from a fresh record: nothing of the one before carries over.
TEST_F(Paging, AlbumPagesFillAFreshRecordPerItem) {
    ServePages({{"/list", {{"page", "1"}}, "<li>a private<li>b<li>skip"}});
    AlbumListRun run(job, events, SITE_TENCENT);
        AlbumCall call = run.NewCall();
    ForEachAlbumPage(
        call, {.separator = u"<li>"},
        [&](int page) { return server.BaseUrl16() + u"/list?page=" + StringCtrl::Format(u"%d", {page}); },
        [](std::u16string& item, ST_PERLISTRECORD& album) {
            if (item == u"skip") {
                return false;
            }
            album.name = item.substr(0, 1);
            if (item.find(u"private") != std::u16string::npos) {
                album.privacy = 2;
            }
            return true;
        });
    std::vector<ST_PERLISTRECORD> albums = Albums();
    ASSERT_EQ(albums.size(), 2u);
    EXPECT_EQ(albums[0].privacy, 2);
    EXPECT_EQ(albums[1].name, u"b");
    EXPECT_EQ(albums[1].privacy, 0);
}

}  // namespace
