// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <utility>
#include <vector>

// The albums the command line downloads: "all", or row numbers as the grid's column 0 shows them,
// single or as ranges, comma-separated ("1,3-5").
class AlbumSelection {
public:
    // False for anything else: empty parts, a zero, a range that runs backwards, stray characters.
    bool Parse(std::string_view text);

    bool All() const { return all_; }
    bool Contains(int row) const;
    // The largest row number named; 0 for "all".
    int Highest() const;

private:
    bool all_ = true;
    std::vector<std::pair<int, int>> ranges_;
};
