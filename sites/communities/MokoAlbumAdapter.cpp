// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/communities/MokoAlbumAdapter.h"

#include <string>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "sites/communities/CommunityHosts.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

// The owner as the page title names it: "alice's ...".
std::u16string TitleOwner(std::u16string_view page) {
    std::u16string owner = Peek(page, u"<title>", u"'s");
    CleanName(owner, true);
    return owner;
}

// The user's categories, each as the address its numbered pages follow: from the post list's menu,
// or the one category the input names.
std::vector<std::u16string> Categories(AlbumCall& call, const std::u16string& input) {
    if (Contains(input, u"/category/") || Contains(input, u"/new/")) {
        return {LeftOfLast(input, u"/")};
    }
    // The menu ends where the side box begins; the category pages are cut there too.
    call.session.request.cutEnd = "<div class=\"sBox";
    std::u16string text;
    if (!call.FetchNonEmpty(input, TEXT_INFLATE | TEXT_UTF8, text)) {
        return {};
    }
    call.SetOwnerName(TitleOwner(text));
    StringCtrl::SkipPast(text, u"class=\"mwC\"");
    StringCtrl::CutAt(text, u"<div class=\"sBox");
    std::vector<std::u16string> categories;
    for (const std::u16string& piece : Items(text, u"href=\"")) {
        std::u16string link = std::u16string(CommunityHosts::kMoko) + piece;
        StringCtrl::CutAt(link, u"\"");
        categories.push_back(LeftOfLast(link, u"/"));
    }
    return categories;
}

}  // namespace

void MokoAlbumAdapter::AlbumList(AlbumCall& call, const std::u16string& input) {
    bool firstCategory = true;
    bool showLayout = false;
    for (const std::u16string& category : Categories(call, input)) {
        // A category whose page cannot be read ends; the next one follows.
        ForEachAlbumPage(
            call, {.nextMarker = u"class=\"b bC\">></a>", .emptyPageGoesOn = true},
            [&](int page) {
                return Format(u"%s/%d.html", {category, page});
            },
            [&](std::u16string& item, ST_PERLISTRECORD& album) {
                if (showLayout) {
                    album.pictureCount = CutNumber(item, u"mC\">", u"</");
                    album.name = Cut(item, u"title=\"", u"\"");
                    album.url = Cut(item, u"href=\"", u"\"");
                } else {
                    album.pictureCount = CutNumber(item, u"/>(", u")");
                    album.url = Cut(item, u"href=\"", u"\"");
                    album.name = Cut(item, u"title=\"", u"\"");
                }
                album.coverUrl = Cut(item, u"src2=\"", u"\"");
                return true;
            },
            [&](Page& page) {
                // The next-page arrow, written plainly or as an entity.
                page.hasNext = page.hasNext || Contains(page.text, u"class=\"b bC\">&gt;</a>");
                if (page.number == 1 && firstCategory && call.OwnerName().empty()) {
                    call.SetOwnerName(TitleOwner(page.text));
                }
                // Two generations of the listing.
                showLayout = ContainsAfterStart(page.text, u"class=\"show");
                page.separator = showLayout ? u"class=\"show" : u"class=\"twShow";
                return true;
            });
        firstCategory = false;
        if (call.Stopped()) {
            return;
        }
    }
}

void MokoAlbumAdapter::PictureList(PictureCall& call) {
    std::u16string text;
    if (!call.FetchNonEmpty(std::u16string(CommunityHosts::kMoko) + call.album().url, TEXT_INFLATE, text)) {
        return;
    }
    for (std::u16string& piece : Items(text, u"class=\"picBox\">")) {
        if (!call.Picture(Cut(piece, u"src2=\"", u"\""), call.album().name)) {
            return;
        }
    }
}
