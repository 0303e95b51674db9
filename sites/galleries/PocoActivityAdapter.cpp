// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/galleries/PocoActivityAdapter.h"

#include "MyCode/StringCtrl.h"
#include "sites/galleries/PocoPages.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;

void PocoActivityAdapter::AlbumList(AlbumCall& call, const std::u16string& list) {
    // A list page may hold no entry and still link to the next one.
    ForEachAlbumPage(
        call,
        {.separator = u"class=\"title\">",
         .textFlags = TEXT_INFLATE,
         .nextMarker = PocoPages::kNextPage,
         .emptyPageGoesOn = true},
        [&](int page) {
            return Format(u"%s&p=%d", {list, page});
        },
        [](std::u16string& item, ST_PERLISTRECORD& album) {
            album.url = Cut(item, u"href=\"", u"\"");
            album.name = Cut(item, u">", u"</");
            return !album.name.empty();
        },
        [&](Page& page) { return PocoPages::ReadOwner(call, page); });
}

void PocoActivityAdapter::PictureList(PictureCall& call) {
    // One page; its pictures are either script records or plain images.
    ForEachPage(
        call, {.separator = u"src='", .textFlags = TEXT_INFLATE}, [&](int) { return call.album().url; },
        [&](std::u16string& item) { return call.Picture(StringCtrl::LeftOf(item, u"'"), call.album().name); },
        [](Page& page) {
            if (StringCtrl::CountOf(page.text, u"originPhoto:'") >= 1) {
                page.separator = u"originPhoto:'";
            }
            page.last = true;
            return true;
        });
}
