// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/netease/NeteasePpAdapter.h"

#include <vector>

#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;

void NeteasePpAdapter::AlbumList(AlbumCall& call, const std::u16string& address) {
    std::u16string page;
    if (!call.FetchNonEmpty(address, TEXT_INFLATE, page)) {
        return;
    }
    std::u16string nickname = Cut(page, u"nickName : '", u"'");
    CleanName(nickname, true);
    call.SetOwnerName(nickname);

    std::vector<std::u16string> items = Items(page, u"<li class=\"w-cover");
    call.EmitEach(items, [](std::u16string& item, ST_PERLISTRECORD& album) {
        album.url = Cut(item, u"href=\"", u"\"");
        if (album.url.empty()) {
            return false;
        }
        album.name = Cut(item, u"title=\"", u"\"");
        album.coverUrl = Cut(item, u"src=\"", u"\"");
        StringCtrl::SkipPast(item, u"<em>");
        album.pictureCount = CutNumber(item, u"~ [", u"张");
        return true;
    });
}

void NeteasePpAdapter::PictureList(PictureCall& call) {
    // The album page's script lists the pictures; reading stops at the id list after it.
    call.session.request.cutStart = "window.picList";
    call.session.request.cutEnd = "photoidsList";
    std::u16string text;
    if (!call.FetchNonEmpty(call.album().url, TEXT_INFLATE, text)) {
        return;
    }
    for (std::u16string& item : Items(text, u",url:'")) {
        std::u16string url = StringCtrl::LeftOf(item, u"'");
        if (!call.Picture(url, call.Describe(Cut(item, u",picDesc:'", u"'")))) {
            return;
        }
    }
}
