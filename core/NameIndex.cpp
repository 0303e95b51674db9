// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NameIndex.h"

#include <algorithm>

void NameIndex::Add(const std::u16string& name) {
    ++counts_[name];
}

void NameIndex::Remove(const std::u16string& name) {
    if (auto it = counts_.find(name); it != counts_.end() && --it->second == 0) {
        counts_.erase(it);
        firstToTry_.clear();
    }
}

bool NameIndex::Has(const std::u16string& name) const {
    return counts_.count(name) != 0;
}

void NameIndex::Clear() {
    counts_.clear();
    firstToTry_.clear();
}

unsigned NameIndex::FirstCounterToTry(const std::u16string& base) const {
    auto it = firstToTry_.find(base);
    return it == firstToTry_.end() ? 1 : it->second;
}

void NameIndex::NoteTakenBelow(const std::u16string& base, unsigned counter) {
    unsigned& first = firstToTry_[base];
    first = std::max(first, counter);
}
