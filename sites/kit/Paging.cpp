#include "sites/kit/Paging.h"

#include <vector>

#include "sites/kit/Fields.h"
#include "sites/kit/PageGuard.h"
#include "sites/kit/SiteCall.h"

int ForEachPage(SiteCall& call, const PageRules& rules,
                const std::function<std::u16string(int page)>& address,
                const std::function<bool(std::u16string& item)>& onItem,
                const std::function<bool(Page& page)>& onPage) {
    PageGuard guard;
    std::u16string separator(rules.separator);
    int pages = 0;
    for (int number = 1;; ++number) {
        Page page;
        page.number = number;
        page.url = address(number);
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
        if (!guard.Admit(items, page.text)) {
            return pages;
        }
        if (items.empty() && !(rules.emptyPageGoesOn && !rules.nextMarker.empty() && page.hasNext)) {
            return pages;
        }
        for (std::u16string& item : items) {
            if (!onItem(item)) {
                return pages;
            }
        }
        if (call.Stopped() || page.last || !page.hasNext) {
            return pages;
        }
    }
}
