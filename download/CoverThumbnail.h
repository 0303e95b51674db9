// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Album k's cover picture, downloaded into the program folder's "tmp/<k>.jpg" for its thumbnail.
// The file's path, or empty when there is no cover, it could not be fetched or is no picture (a
// file of an earlier list at that place is removed then). picture, when given, receives the
// bytes written, so the caller need not read back a file that another fetch may replace.
std::u16string FetchCover(const std::u16string& programDir, const std::u16string& coverUrl, int k,
                          std::string* picture = nullptr);
