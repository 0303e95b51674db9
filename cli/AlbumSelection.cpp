// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/AlbumSelection.h"

#include <algorithm>
#include <charconv>

namespace {

bool ParseRow(std::string_view text, int& row) {
    if (text.empty()) {
        return false;
    }
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), row);
    return error == std::errc() && end == text.data() + text.size() && row >= 1;
}

}  // namespace

bool AlbumSelection::Parse(std::string_view text) {
    all_ = false;
    ranges_.clear();
    if (text == "all") {
        all_ = true;
        return true;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        std::string_view part =
            text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        std::size_t dash = part.find('-');
        int first = 0;
        int last = 0;
        if (dash == std::string_view::npos) {
            if (!ParseRow(part, first)) {
                return false;
            }
            last = first;
        } else if (!ParseRow(part.substr(0, dash), first) || !ParseRow(part.substr(dash + 1), last) ||
                   last < first) {
            return false;
        }
        ranges_.emplace_back(first, last);
        if (comma == std::string_view::npos) {
            break;
        }
        start = comma + 1;
    }
    return true;
}

bool AlbumSelection::Contains(int row) const {
    if (all_) {
        return true;
    }
    for (const auto& [first, last] : ranges_) {
        if (row >= first && row <= last) {
            return true;
        }
    }
    return false;
}

int AlbumSelection::Highest() const {
    int highest = 0;
    for (const auto& range : ranges_) {
        highest = std::max(highest, range.second);
    }
    return highest;
}
