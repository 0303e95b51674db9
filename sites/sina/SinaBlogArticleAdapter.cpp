// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/sina/SinaBlogArticleAdapter.h"

#include <vector>

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::ReplaceAll;

void SinaBlogArticleAdapter::AlbumList(AlbumCall& call, const std::u16string& listAddress) {
    ForEachAlbumPage(
        call,
        {.separator = u"class=\"atc_title\">",
         .textFlags = TEXT_INFLATE | TEXT_UTF8,
         .nextMarker = u"\">下一页",
         .emptyPageGoesOn = true},
        [&](int page) {
            return StringCtrl::Format(u"%s_%d.html", {listAddress, page});
        },
        [](std::u16string& item, ST_PERLISTRECORD& album) {
            album.pictureCount = -1;
            album.name = Peek(item, u"title=\"", u"\"");
            if (album.name.empty()) {
                return false;
            }
            album.url = Peek(item, u"href=\"", u"\"");
            return true;
        },
        [&](Page& page) {
            if (page.number == 1) {
                call.SetOwnerName(StringCtrl::StripTags(Cut(page.text, u"blogtitle\">", u"</")));
                // Blogs in the older template mark each article with a dotted line instead.
                if (!Contains(page.text, page.separator)) {
                    page.separator = u"class=\"SG_j_linedot";
                }
            }
            return true;
        });
}

void SinaBlogArticleAdapter::PictureList(PictureCall& call) {
    // Only the article's body: the page around it holds the blog's other pictures.
    call.session.request.cutStart = "class=\"articalContent";
    call.session.request.cutEnd = "class=\"shareUp\">";
    std::u16string text;
    if (!call.Fetch(call.album().url, TEXT_INFLATE, text) || text.empty()) {
        return;
    }
    // Pictures link to their full size with "&url="; when not every one does, their "real_src" is
    // the address.
    const std::u16string_view separator =
        StringCtrl::CountOf(text, u"&url=") == StringCtrl::CountOf(text, u"real_src =\"") ? u"&url="
                                                                                          : u"real_src =\"";
    std::vector<std::u16string> items = Items(text, separator);
    if (items.empty()) {
        return;
    }
    std::u16string address = items.front();
    StringCtrl::CutAt(address, u"\"");
    ReplaceAll(address, u"/middle/", u"/orignal/");
    ReplaceAll(address, u"/bmiddle/", u"/orignal/");
    ReplaceAll(address, u"/mw690/", u"/orignal/");
    call.Picture(address, call.album().name);
}
