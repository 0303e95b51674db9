// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/sina/SinaBlogPhotoAdapter.h"

#include <vector>

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"
#include "sites/sina/SinaHosts.h"
#include "sites/sina/SinaUser.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

constexpr unsigned kText = TEXT_INFLATE | TEXT_UTF8;

}  // namespace

void SinaBlogPhotoAdapter::AlbumList(AlbumCall& call, const std::u16string& address) {
    std::u16string page;
    if (!call.FetchNonEmpty(address, kText, page)) {
        return;
    }
    call.SetOwnerName(StringCtrl::StripTags(Cut(page, u"blogtitle\">", u"</")));
    // The article list's address names the blog's user id: "articlelist_1234567_0_1.html".
    const std::u16string user = Cut(page, u"articlelist_", u"_");
    call.Keep<SinaUser>().userId = user;

    std::u16string list;
    if (!call.FetchNonEmpty(std::u16string(SinaHosts::kBlogPhoto) +
                                Format(u"/services/ctg_list_ctg.php?format=gsonv&uid=%s", {user}),
                            kText, list)) {
        return;
    }
    std::vector<std::u16string> items = Items(list, u"\"category\":\"");
    call.EmitEach(items, [](std::u16string& item, ST_PERLISTRECORD& album) {
        album.name = StringCtrl::UnescapeJson(StringCtrl::LeftOf(item, u"\","));
        album.pictureCount = CutNumber(item, u"pic_cnt\":\"", u"\"");
        album.url = Unslashed(Cut(item, u"ctg_url\":\"", u"\""));
        album.coverUrl = Unslashed(Cut(item, u"big_url\":\"", u"\""));
        return true;
    });
}

void SinaBlogPhotoAdapter::PictureList(PictureCall& call) {
    ForEachPage(
        call, {.separator = u"class=\"pt_border\"", .nextMarker = u"\">下一页", .emptyPageGoesOn = true},
        [&](int page) {
            return Format(u"%s/page%d", {call.album().url, page});
        },
        [&](std::u16string& item) {
            // The page shows thumbnails; the full picture sits under "orignal", the site's spelling.
            std::u16string address = Cut(item, u"src=\"", u"\"");
            StringCtrl::ReplaceAll(address, u"/small/", u"/orignal/");
            // The query comes escaped twice, so one "&amp;" is left after the entities are decoded.
            StringCtrl::ReplaceAll(address, u"&amp;", u"&");
            return call.Picture(address, Cut(item, u"title=\"", u"\""));
        });
}
