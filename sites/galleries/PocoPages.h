// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

class AlbumCall;
struct Page;

// What the POCO lists share: GBK pages with the same next-page link, and the owner's name in the
// first page's script.
namespace PocoPages {

constexpr std::u16string_view kNextPage = u"title=\"下一页\">";

// On page 1, the owner's name becomes the list's owner folder. Always true: a page hook that lets
// the loop go on.
bool ReadOwner(AlbumCall& call, Page& page);

}  // namespace PocoPages
