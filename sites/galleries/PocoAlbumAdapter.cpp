// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/galleries/PocoAlbumAdapter.h"

#include "MyCode/StringCtrl.h"
#include "sites/galleries/GalleryHosts.h"
#include "sites/galleries/PocoPages.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

constexpr PageRules kPages = {
    .separator = u"class=\"img_box\">", .textFlags = TEXT_INFLATE, .nextMarker = PocoPages::kNextPage};

}  // namespace

void PocoAlbumAdapter::AlbumList(AlbumCall& call, const std::u16string& user) {
    PageRules rules = kPages;
    rules.emptyPageGoesOn = true;
    ForEachAlbumPage(
        call, rules,
        [&](int page) {
            return std::u16string(GalleryHosts::kPocoPersonal) +
                   Format(u"/album/album_show_all.htx&user_id=%s&p=%d", {user, page});
        },
        [&](std::u16string& item, ST_PERLISTRECORD& album) {
            // Each box opens with the album's key and hash as quoted values.
            std::u16string key = Cut(item, u"'", u"'");
            if (ContainsAfterStart(key, u"pwd")) {
                album.privacy = 1;
            }
            std::u16string hash = Cut(item, u", '", u"'");
            album.url = std::u16string(GalleryHosts::kPocoPersonal) +
                        Format(u"/album/album_show_photo_list.php?user_id=%s&set_hash=%s", {user, hash});
            album.coverUrl = Cut(item, u"src=\"", u"\"");
            album.name = Cut(item, u"title=\"", u"\"");
            return !album.name.empty();
        },
        [&](Page& page) { return PocoPages::ReadOwner(call, page); });
}

void PocoAlbumAdapter::PictureList(PictureCall& call) {
    ForEachPage(
        call, kPages,
        [&](int page) {
            return Format(u"%s&do=Plist&p=%d", {call.album().url, page});
        },
        [&](std::u16string& item) {
            // The list shows 165-pixel thumbnails; without the size the name is the full picture's.
            std::u16string address = Cut(item, u"src=\"", u"\"");
            StringCtrl::ReplaceAll(address, u"_165.", u".");
            return call.Picture(address, call.Describe(StringCtrl::Trim(Cut(item, u"title=\"", u"\""))));
        });
}
