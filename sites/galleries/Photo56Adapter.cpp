// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/galleries/Photo56Adapter.h"

#include "MyCode/StringCtrl.h"
#include "sites/galleries/GalleryHosts.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;

void Photo56Adapter::AlbumList(AlbumCall& call, const std::u16string& index) {
    // An index page may list no album and still link to the next one.
    ForEachAlbumPage(
        call, {.separator = u"<li", .nextMarker = u"下一页</a>", .emptyPageGoesOn = true},
        [&](int page) {
            return Format(u"%s&page=%d", {index, page});
        },
        [](std::u16string& item, ST_PERLISTRECORD& album) {
            album.url = Cut(item, u"chackAlbum('", u"'");
            album.coverUrl = Cut(item, u"src=\"", u"\"");
            album.name = Cut(item, u"title=\"", u"\"");
            if (album.name.empty()) {
                return false;
            }
            album.pictureCount = CutNumber(item, u"140\">", u"<");
            return true;
        },
        [](Page& page) {
            StringCtrl::SkipPast(page.text, u"class=\"album_list");
            StringCtrl::CutAt(page.text, u"</ul>");
            return true;
        });
}

void Photo56Adapter::PictureList(PictureCall& call) {
    std::u16string referer;
    ForEachPage(
        call, {.separator = u"class=\"img\"", .nextMarker = u"\">下一页</a>"},
        [&](int page) {
            return std::u16string(GalleryHosts::k56Picture) +
                   Format(u"/photo/album/?do=Plist&did=%s&page=%d", {call.album().url, page});
        },
        [&](std::u16string& item) {
            std::u16string address = Cut(item, u"src='", u"'");
            std::u16string description =
                call.Describe(StringCtrl::Trim(StringCtrl::StripTags(Peek(item, u"<label>", u"</label>"))));
            return call.Picture(address, description, referer);
        },
        [&](Page& page) {
            referer = u"Referer: " + page.url;
            return true;
        });
}
