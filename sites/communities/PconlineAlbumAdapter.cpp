// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/communities/PconlineAlbumAdapter.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "sites/communities/PconlinePaging.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;

void PconlineAlbumAdapter::AlbumList(AlbumCall& call, const std::u16string& listTemplate) {
    ForEachAlbumPage(
        call, {.separator = u"class=\"picbox", .nextMarker = u">下一页</a>"},
        [&](int page) {
            std::u16string& marker = call.Keep<PconlinePaging>().pageMarker;
            marker = Format(u"_p%d_", {page});
            std::u16string address = listTemplate;
            StringCtrl::ReplaceAll(address, u"_dk1stp_", marker);
            return address;
        },
        [](std::u16string& item, ST_PERLISTRECORD& album) {
            album.url = Cut(item, u"href=\"", u"\"");
            StringCtrl::ReplaceAll(album.url, u"photo/", u"photo/list_");
            album.name = Cut(item, u"title=\"", u"\"");
            album.coverUrl = Cut(item, u"src=\"", u"\"");
            album.pictureCount = -1;
            return true;
        },
        [&](Page& page) {
            if (page.number == 1) {
                // "【...】alice_太平洋..."; without it the user part of the address.
                std::u16string owner = Peek(page.text, u"】", u"_太平洋");
                if (owner.empty()) {
                    owner = listTemplate;
                    StringCtrl::SkipPast(owner, u"cn/");
                    StringCtrl::CutAt(owner, u"/");
                }
                CleanName(owner, true);
                call.SetOwnerName(std::move(owner));
            }
            return true;
        });
}

void PconlineAlbumAdapter::PictureList(PictureCall& call) {
    call.session.request.cutEnd = "class=\"artOutWrap";
    std::u16string text;
    if (!call.FetchNonEmpty(call.album().url, TEXT_INFLATE | TEXT_UTF8, text)) {
        return;
    }
    std::vector<std::u16string> pieces = Items(text, u"class=\"picture");
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        std::u16string address = Cut(pieces[i], u"src=\"", u"\"");
        StringCtrl::ReplaceAll(address, u"_mthumb", u"");
        if (!call.Picture(address, Format(u"%s (%d)", {call.album().name, i + 1}))) {
            return;
        }
    }
}
