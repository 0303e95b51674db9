// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/portals/PchomeAlbumAdapter.h"

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"
#include "sites/portals/PortalHosts.h"
#include "sites/portals/PortalUser.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

constexpr unsigned kBig5 = TEXT_INFLATE | TEXT_BIG5;
constexpr std::u16string_view kNextPage = u"\">下一頁>";

std::u16string PhotoHost(std::u16string_view path) {
    return std::u16string(PortalHosts::kPchomePhoto) + std::u16string(path);
}

}  // namespace

void PchomeAlbumAdapter::AlbumList(AlbumCall& call, const std::u16string& user) {
    call.Keep<PortalUser>().userName = user;
    ForEachAlbumPage(
        call,
        {.separator = u"class=\"MarkSet\"",
         .textFlags = kBig5,
         .nextMarker = kNextPage,
         .emptyPageGoesOn = true},
        [&](int page) {
            return PhotoHost(Format(u"/%s*%d", {user, page}));
        },
        [](std::u16string& item, ST_PERLISTRECORD& album) {
            album.url = Cut(item, u"href=\"", u"\"");
            album.coverUrl = PhotoHost(Cut(item, u"Img[", u"]"));
            album.name = Cut(item, u"<span>", u"</span>");
            album.pictureCount = CutNumber(item, u"共", u"張");
            return true;
        },
        [](Page& page) {
            StringCtrl::CutAt(page.text, u"MainListSection");
            return true;
        });
}

void PchomeAlbumAdapter::PictureList(PictureCall& call) {
    const std::u16string& user = call.Kept<PortalUser>().userName;
    ForEachPage(
        call, {.separator = u"Icon:'", .textFlags = kBig5, .nextMarker = kNextPage},
        [&](int page) {
            return PhotoHost(Format(u"%s*%d", {call.album().url, page}));
        },
        [&](std::u16string& item) {
            // The list shows thumbnails, named as the picture with an "s" before the extension.
            std::u16string address = ReplaceInFileName(PhotoHost(u"/" + Cut(item, u"/", u"',")), u"s.", u".");
            std::u16string description = Cut(item, u"DataSet[", u"]'");
            // Pictures are served to their own photo page only.
            std::u16string photoPage = PhotoHost(Format(u"/%s/%s", {user, Cut(item, u"PK:", u",")}));
            return call.Picture(address, description, u"Referer: " + photoPage);
        },
        [](Page& page) {
            StringCtrl::SkipPast(page.text, u"PhotoList");
            StringCtrl::CutAt(page.text, u"PageInfo");
            return true;
        });
}
