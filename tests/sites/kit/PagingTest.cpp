// The shared paging loop: its end rules, the guard against servers that repeat a page, and the
// stop check after every page.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "SiteTest.h"
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
        AlbumCall call(job);
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
    AlbumCall call(job);
    ForEachPage(
        call, {.separator = u"<li>"},
        [&](int page) { return server.BaseUrl16() + u"/list?page=" + StringCtrl::Format(u"%d", {page}); },
        [&](std::u16string&) {
            if (++handled == 2) {
                job.listState = LIST_STOP;
            }
            return true;
        });
    EXPECT_EQ(handled, 2);
    EXPECT_EQ(server.RequestsTo("/list").size(), 2u);
}

}  // namespace
