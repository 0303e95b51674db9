// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/kit/Paging.h"

#include <unordered_set>
#include <vector>

#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/PageGuard.h"
#include "sites/kit/SiteCall.h"

int ForEachPage(SiteCall& call, const PageRules& rules, const PageAddress& address, const ItemHook& onItem,
                const PageHook& onPage, const PageHook& onEmptyPage) {
    PageGuard guard;
    std::u16string separator(rules.separator);
    std::unordered_set<std::u16string> cursors;
    Page place;  // where the next fetch goes: its number, offset and cursor
    int pages = 0;
    for (;;) {
        Page page;
        page.number = place.number;
        page.offset = place.offset;
        page.cursor = place.cursor;
        page.attempt = place.attempt;
        page.url = address(page);
        if (!call.Fetch(page.url, rules.textFlags, page.text) || page.text.empty()) {
            return pages;
        }
        ++pages;
        page.separator = separator;
        page.hasNext = rules.nextMarker.empty() || Fields::Contains(page.text, rules.nextMarker);
        if (onPage && !onPage(page)) {
            return pages;
        }
        separator = page.separator;
        std::vector<std::u16string> items = Fields::Items(page.text, separator);
        page.itemCount = static_cast<int>(items.size());
        if (items.empty() && onEmptyPage) {
            if (!onEmptyPage(page) || call.Stopped()) {
                return pages;
            }
            place.attempt = page.again ? page.attempt + 1 : 0;
            if (!page.again) {
                ++place.number;
            }
            continue;
        }
        if (!guard.Admit(items, page.text)) {
            return pages;
        }
        if (items.empty() && !(rules.emptyPageGoesOn && !rules.nextMarker.empty() && page.hasNext)) {
            return pages;
        }
        for (std::u16string& item : items) {
            if (!onItem(item, page)) {
                return pages;
            }
        }
        if (call.Stopped() || page.last || !page.hasNext) {
            return pages;
        }
        place.number = page.number + 1;
        place.offset = page.offset + page.itemCount;
        place.attempt = 0;
        if (rules.totalItems > 0 && place.offset >= rules.totalItems) {
            return pages;
        }
        if (rules.byCursor) {
            cursors.insert(page.cursor);
            if (page.next.empty() || !cursors.insert(page.next).second) {
                return pages;
            }
            place.cursor = page.next;
        }
    }
}

int ForEachAlbumPage(AlbumCall& call, const PageRules& rules, const PageAddress& address,
                     const AlbumFill& fill, const PageHook& onPage) {
    return ForEachPage(
        call, rules, address,
        [&](std::u16string& item) {
            ST_PERLISTRECORD album;
            return !fill(item, album) || call.Album(album);
        },
        onPage);
}
