#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "MyCode/TextFlags.h"

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
};

// One page as the loop hands it to a page hook, before it is split.
struct Page {
    int number = 1;            // 1, 2, 3 ...
    std::u16string url;        // the address just fetched
    std::u16string text;       // the page text; a hook may narrow it to the list region
    std::u16string separator;  // a hook may switch it; the switch holds for the later pages
    bool hasNext = true;       // the next-page marker is on the page (always true without one)
    bool last = false;         // a hook sets it when no page may follow this one
};

// The shared paging loop. For page 1, 2, 3 ...: fetch address(page) and take its text; run onPage,
// if given, which may narrow the text, switch the separator, read page-level fields or end the loop
// (false); split the text at the separator and hand each item to onItem in order. It ends when a
// fetch fails or brings an empty text, when a page has no item (unless the rules let an empty page
// go on), when onItem or onPage says so, when the page says there is no next page, when a page
// brings no item that was not seen before (see PageGuard), and when the call's job is stopped:
// that is checked after every page, whatever was emitted. Returns the number of pages read.
int ForEachPage(SiteCall& call, const PageRules& rules,
                const std::function<std::u16string(int page)>& address,
                const std::function<bool(std::u16string& item)>& onItem,
                const std::function<bool(Page& page)>& onPage = {});
