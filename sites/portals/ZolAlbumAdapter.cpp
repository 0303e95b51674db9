// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/portals/ZolAlbumAdapter.h"

#include <string>
#include <utility>

#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"
#include "sites/portals/PortalHosts.h"
#include "sites/portals/PortalUser.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

constexpr PageRules kPages = {
    .separator = u"id=\"pic_", .textFlags = TEXT_INFLATE, .nextMarker = u"class=\"nor\">下一页"};

std::u16string AlbumHost(std::u16string_view pathAndQuery) {
    return std::u16string(PortalHosts::kZolAlbum) + std::u16string(pathAndQuery);
}

// The full picture of a thumbnail. ZOL keeps a thumbnail either in a size folder
// (".cn/t_s120x90/...") or under a size suffix in its name ("x_120.jpg"). A thumbnail of neither
// kind is taken as it is.
std::u16string FullPicture(const std::u16string& thumbnail) {
    if (ContainsAfterStart(thumbnail, u"cn/t_s")) {
        std::u16string address = thumbnail;
        StringCtrl::ReplaceAll(address, u"/t_s" + Peek(thumbnail, u"cn/t_s", u"/"), u"");
        return address;
    }
    // Only the file name carries the suffix: a host or folder may hold "_" too.
    const std::size_t name = thumbnail.rfind(u'/') + 1;  // 0 without a "/"
    const std::size_t underscore = thumbnail.find(u'_', name);
    if (underscore == std::u16string::npos) {
        return thumbnail;
    }
    const std::size_t dot = thumbnail.find(u'.', underscore);
    if (dot == std::u16string::npos) {
        return thumbnail;
    }
    return thumbnail.substr(0, underscore) + thumbnail.substr(dot);
}

}  // namespace

void ZolAlbumAdapter::AlbumList(AlbumCall& call, const std::u16string& user) {
    call.Keep<PortalUser>().userName = user;
    PageRules rules = kPages;
    rules.emptyPageGoesOn = true;
    ForEachAlbumPage(
        call, rules,
        [&](int page) {
            return AlbumHost(Format(u"/%s/album_%d.html", {user, page}));
        },
        [](std::u16string& item, ST_PERLISTRECORD& album) {
            // Every page of an album is its address followed by the page number.
            album.url = Cut(item, u"href=\"", u"1.html");
            album.coverUrl = Cut(item, u"src=\"", u"\"");
            album.name = Cut(item, u"title=\"", u"\"");
            album.pictureCount = CutNumber(item, u"K_11\">", u"张");
            return true;
        },
        [&](Page& page) {
            // The title names the user: "<display name>的全部相册".
            if (page.number == 1) {
                std::u16string owner = Cut(page.text, u"<title>", u"的全部相册");
                CleanName(owner, true);
                call.SetOwnerName(std::move(owner));
            }
            return true;
        });
}

void ZolAlbumAdapter::PictureList(PictureCall& call) {
    ForEachPage(
        call, kPages,
        [&](int page) {
            return AlbumHost(Format(u"%s%d.html", {call.album().url, page}));
        },
        [&](std::u16string& item) {
            std::u16string thumbnail = Peek(item, u"src=\"", u"\"");
            std::u16string description = Cut(item, u"title=\"", u"\"");
            return call.Picture(FullPicture(thumbnail), description);
        });
}
