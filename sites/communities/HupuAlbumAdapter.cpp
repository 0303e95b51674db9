// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/communities/HupuAlbumAdapter.h"

#include <string>

#include "MyCode/StringCtrl.h"
#include "sites/communities/CommunityHosts.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

constexpr std::u16string_view kMaintenance = u"当前页面正在维护中";

std::u16string Personal(std::u16string_view pathAndQuery) {
    return std::u16string(CommunityHosts::kHupuAlbum) + std::u16string(pathAndQuery);
}

// The user's name: the first path segment after the domain.
std::u16string UserPart(std::u16string address) {
    StringCtrl::SkipPast(address, CommunityHosts::kHupuDomain);
    CutAtEach(address, {u"/", u"&", u"*", u"?", u"#"});
    return address;
}

// An album's path on the personal-page host, whether the page links it absolutely or not, without
// its page number and suffix: "http://my.hupu.com/alice/photo/a123-2.html" gives "alice/photo/a123".
std::u16string AlbumPath(std::u16string link) {
    if (StringCtrl::SkipPast(link, u".com/") < 0 && !link.empty() && link.front() == u'/') {
        link.erase(0, 1);
    }
    CutAtEach(link, {u"-", u".htm"});
    return link;
}

}  // namespace

void HupuAlbumAdapter::AlbumList(AlbumCall& call, const std::u16string& input) {
    if (ContainsAfterStart(input, u"/photo/a")) {
        std::u16string text;
        if (!call.FetchNonEmpty(input, TEXT_INFLATE, text) || ContainsAfterStart(text, kMaintenance)) {
            return;
        }
        ST_PERLISTRECORD record;
        StringCtrl::SkipPast(text, u"class=\"albumlist");
        record.coverUrl = Cut(text, u"src=\"", u"\"");
        record.name = Cut(text, u"alt=\"", u"\"");
        record.url = AlbumPath(input);
        record.pictureCount = CutNumber(text, u">共", u"张");
        call.Album(record);
        call.SetOwnerName(UserPart(input));
        return;
    }
    const std::u16string user = UserPart(input);
    call.SetOwnerName(user);
    ForEachAlbumPage(
        call, {.separator = u"<li", .textFlags = TEXT_INFLATE, .nextMarker = u"id=\"j_next"},
        [&](int page) {
            return Personal(Format(u"/%s/photo-%d", {user, page}));
        },
        [](std::u16string& item, ST_PERLISTRECORD& album) {
            album.url = AlbumPath(Cut(item, u"href=\"", u"\""));
            album.coverUrl = Cut(item, u"src=\"", u"\"");
            album.name = Cut(item, u"title=\"", u"\"");
            album.pictureCount = CutNumber(item, u"(共", u"张");
            return true;
        },
        [&](Page& page) {
            if (ContainsAfterStart(page.text, kMaintenance)) {
                return false;
            }
            StringCtrl::SkipPast(page.text, u"class=\"album_list");
            StringCtrl::CutAt(page.text, u"</ul>");
            return true;
        });
}

void HupuAlbumAdapter::PictureList(PictureCall& call) {
    ForEachPage(
        call, {.separator = u"<li", .textFlags = TEXT_INFLATE, .nextMarker = u"class=\"next"},
        [&](int page) {
            return Personal(Format(u"/%s-%d.html", {call.album().url, page}));
        },
        [&](std::u16string& item) {
            std::u16string address = Cut(item, u"src=\"", u"\"");
            StringCtrl::ReplaceAll(address, u"small.", u"big.");
            return call.Picture(address, Cut(item, u"title=\"", u"\""));
        },
        [](Page& page) {
            StringCtrl::SkipPast(page.text, u"class=\"albumlist_list");
            StringCtrl::CutAt(page.text, u"</ul>");
            return true;
        });
}
