// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// Keeps a paging loop from running for ever when a server repeats a page or ignores the page
// parameter: a page goes on only when it brings an item not seen before. A page without items may
// go on (some sites' lists have empty pages between full ones), but not when the same empty page
// came before, nor after more than MAX_EMPTY_PAGES of them in a row.
class PageGuard {
public:
    static constexpr int MAX_EMPTY_PAGES = 3;

    // Whether the page with these items (its whole text, for an empty page) may be handled and
    // its loop go on.
    bool Admit(const std::vector<std::u16string>& items, std::u16string_view pageText);
    // The same for one item key, for loops that walk one item at a time.
    bool AdmitKey(std::u16string_view key);

private:
    std::unordered_set<std::size_t> seenItems_;
    std::unordered_set<std::size_t> seenEmptyPages_;
    int emptyRun_ = 0;
};
