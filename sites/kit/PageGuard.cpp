// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/kit/PageGuard.h"

#include <functional>

namespace {

std::size_t Hash(std::u16string_view text) {
    return std::hash<std::u16string_view>{}(text);
}

}  // namespace

bool PageGuard::Admit(const std::vector<std::u16string>& items, std::u16string_view pageText) {
    if (items.empty()) {
        ++emptyRun_;
        return seenEmptyPages_.insert(Hash(pageText)).second && emptyRun_ <= MAX_EMPTY_PAGES;
    }
    emptyRun_ = 0;
    bool fresh = false;
    for (const std::u16string& item : items) {
        fresh = seenItems_.insert(Hash(item)).second || fresh;
    }
    return fresh;
}

bool PageGuard::AdmitKey(std::u16string_view key) {
    return seenItems_.insert(Hash(key)).second;
}
