// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "MyCode/TextFlags.h"
#include "core/ST_PERLISTRECORD.h"

class AlbumCall;
class SiteCall;

// How a site pages a list.
struct PageRules {
    // The item marker: each page is split at it and the text before the first one is skipped.
    std::u16string_view separator = {};
    unsigned textFlags = TEXT_INFLATE | TEXT_UTF8;
    // When set, a further page follows only while a page holds this marker ("下一页</a>").
    // Otherwise pages follow while items come.
    std::u16string_view nextMarker = {};
    // A page without items still goes on to the next while it has the next-page marker.
    bool emptyPageGoesOn = false;
    // Paging by a cursor: each page names the next (its last id, a link, a sign) in Page::next, and
    // the next page is asked with it. The list ends at a page that names none, or one named before.
    bool byCursor = false;
    // The number of items the site says the list holds; the list ends once its pages have held
    // that many. 0 or less: no count.
    int totalItems = 0;
};

// One page as the loop hands it to its hooks.
struct Page {
    int number = 1;            // 1, 2, 3 ...; a page fetched again keeps its number
    int offset = 0;            // the items the pages before this one held
    std::u16string cursor;     // what the page before named as the next; empty for the first page
    std::u16string next;       // byCursor: what this page names as the next, set by the hooks
    std::u16string url;        // the address just fetched
    std::u16string text;       // the page text; a hook may narrow it to the list region
    std::u16string separator;  // a hook may switch it; the switch holds for the later pages
    int itemCount = 0;         // the items of this page, once it is split
    int attempt = 0;           // 0, then 1, 2 ... for a page fetched again
    bool hasNext = true;       // the next-page marker is on the page (always true without one)
    bool last = false;         // a hook sets it when no page may follow this one
    bool again = false;        // an empty-page hook sets it to have this page fetched once more
};

// The address of a page. Sites that count pages give it from the page number; sites that page by
// an offset or a cursor read those from the page about to be fetched.
class PageAddress {
public:
    template <typename F>
    PageAddress(F make) {  // NOLINT(google-explicit-constructor): lambdas are passed as they are
        if constexpr (std::is_invocable_v<F&, const Page&>) {
            make_ = std::move(make);
        } else {
            make_ = [make = std::move(make)](const Page& page) { return make(page.number); };
        }
    }
    std::u16string operator()(const Page& page) const { return make_(page); }

private:
    std::function<std::u16string(const Page&)> make_;
};

// What the loop does with one item: the item alone, or the item with its page (to name the next
// cursor or to end the list after it). False ends the list.
class ItemHook {
public:
    template <typename F>
    ItemHook(F hook) {  // NOLINT(google-explicit-constructor)
        if constexpr (std::is_invocable_v<F&, std::u16string&, Page&>) {
            hook_ = std::move(hook);
        } else {
            hook_ = [hook = std::move(hook)](std::u16string& item, Page&) { return hook(item); };
        }
    }
    bool operator()(std::u16string& item, Page& page) const { return hook_(item, page); }

private:
    std::function<bool(std::u16string&, Page&)> hook_;
};

// Runs on each page before it is split: it may narrow the text, switch the separator, read
// page-level fields, fetch the page again after a login (SiteCall::FetchAfterLogin on page.url and
// page.text), or end the list (false).
using PageHook = std::function<bool(Page& page)>;

// The shared paging loop. For page 1, 2, 3 ...: fetch address(page) and take its text; run onPage,
// if given; split the text at the separator and hand each item to onItem in order. It ends when a
// fetch fails or brings an empty text, when a page has no item (unless the rules let an empty page
// go on, or onEmptyPage does), when onItem or onPage says so, when the page says there is no next
// page, when the cursor or the item count says so (see PageRules), when a page brings no item that
// was not seen before (see PageGuard), and when the call's job is stopped: that is checked after
// every page, whatever was emitted.
//
// onEmptyPage, when given, decides for a page without items instead of the rules: true goes on to
// the next page, and page.again has this page fetched once more. It counts the empty pages itself.
// Returns the number of pages read.
int ForEachPage(SiteCall& call, const PageRules& rules, const PageAddress& address, const ItemHook& onItem,
                const PageHook& onPage = {}, const PageHook& onEmptyPage = {});

// What an album list makes of one item: it fills a fresh record and returns true to have it
// emitted, false to pass the item over.
using AlbumFill = std::function<bool(std::u16string& item, ST_PERLISTRECORD& album)>;

// ForEachPage for an album list: each item is filled into a fresh record, which is emitted when
// fill says so; the list ends when the emission says the list was stopped.
int ForEachAlbumPage(AlbumCall& call, const PageRules& rules, const PageAddress& address,
                     const AlbumFill& fill, const PageHook& onPage = {});
