// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/communities/BabytreeAlbumAdapter.h"

#include <string>
#include <utility>

#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "sites/communities/BabytreeUser.h"
#include "sites/communities/CommunityHosts.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

// The HTTP client decodes entities, so the old pages' "&gt;" link to the next page reads ">".
constexpr std::u16string_view kOldNextPage = u">></a></li>";

std::u16string Main(std::u16string_view pathAndQuery) {
    return std::u16string(CommunityHosts::kBabytreeMain) + std::u16string(pathAndQuery);
}

// "alice的相册" names the owner; a page without it leaves the user id.
void TakeOwner(AlbumCall& call, std::u16string_view page, const std::u16string& user) {
    std::u16string owner = Peek(page, u"<title>", u"的相册");
    if (owner.empty()) {
        owner = user;
    }
    CleanName(owner, true);
    call.SetOwnerName(std::move(owner));
}

}  // namespace

void BabytreeAlbumAdapter::AlbumList(AlbumCall& call, const std::u16string& user) {
    call.Keep<BabytreeUser>().userId = user;
    call.session.request.cutEnd = "vertical-align:middle";
    ForEachAlbumPage(
        call, {.separator = u"\"id\":\"", .nextMarker = u"\">下一页</a>"},
        [&](int page) {
            return std::u16string(CommunityHosts::kBabytreeHome) +
                   Format(u"/%s/photo/list?pg=%d", {user, page});
        },
        [](std::u16string& item, ST_PERLISTRECORD& album) {
            album.name = StringCtrl::UnescapeJson(Cut(item, u"title\":\"", u"\""));
            album.url = Unslashed(Cut(item, u"album_url\":\"", u"\""));
            album.pictureCount = CutNumber(item, u"sum\":\"", u"\"");
            album.coverUrl = Unslashed(Cut(item, u"cover_url\":\"", u"\""));
            return true;
        },
        [&](Page& page) {
            if (page.number == 1) {
                TakeOwner(call, page.text, user);
            }
            // The albums are a script's JSON.
            StringCtrl::SkipPast(page.text, u"album_list");
            StringCtrl::CutAt(page.text, u"</script>");
            return true;
        });
}

void BabytreeAlbumAdapter::PictureList(PictureCall& call) {
    call.session.request.cutEnd = "mytree-tooltips";
    std::u16string service = call.album().url;
    StringCtrl::ReplaceAll(service, u"/album/", u"/albumAjax/");
    // The service has no last-page mark: the pages end with one without pictures, or with one that
    // repeats pictures already listed.
    ForEachPage(
        call, {.separator = u"\"href\""},
        [&](int page) {
            return Format(u"%s?format=json&pg=%d", {service, page});
        },
        [&](std::u16string& item) {
            // The thumbnail's address names the large picture: "foto3" keeps its thumbnails folder.
            std::u16string address = Unslashed(Cut(item, u"img\":\"", u"\""));
            if (ContainsAfterStart(address, u"foto3/thumbs/")) {
                StringCtrl::ReplaceAll(address, u"_sm.", u"_nb.");
            } else {
                StringCtrl::ReplaceAll(address, u"_sm.", u"_b.");
                StringCtrl::ReplaceAll(address, u"/thumbs/", u"/photos/");
            }
            return call.Picture(address, Cut(item, u"title\":\"", u"\""));
        });
}

void BabytreeAlbumAdapter::OldAlbumList(AlbumCall& call, const std::u16string& user) {
    call.Keep<BabytreeUser>().userId = user;
    call.session.request.cutEnd = "vertical-align:middle";
    ForEachAlbumPage(
        call, {.separator = u"class=\"thumb\">", .nextMarker = kOldNextPage},
        [&](int page) {
            return Main(
                Format(u"/user/showuser.php?uid=u%s&tab=photo&view=album_list&order=&pg=%d", {user, page}));
        },
        [](std::u16string& item, ST_PERLISTRECORD& album) {
            album.url = Cut(item, u"href=\"", u"\"");
            album.coverUrl = Cut(item, u"src=\"", u"\"");
            album.name = Cut(item, u"<strong>", u"</strong>");
            album.pictureCount = CutNumber(item, u"(", u")");
            return true;
        },
        [&](Page& page) {
            if (page.number == 1) {
                TakeOwner(call, page.text, user);
            }
            return true;
        });
}

void BabytreeAlbumAdapter::OldPictureList(PictureCall& call) {
    call.session.request.cutEnd = "vertical-align:middle;";
    ForEachPage(
        call, {.separator = u"class=\"thumb\">", .nextMarker = kOldNextPage},
        [&](int page) {
            return Main(Format(u"%s&pg=%d", {call.album().url, page}));
        },
        [&](std::u16string& item) {
            std::u16string photoPage = Main(Cut(item, u"href=\"", u"\""));
            std::u16string address = Cut(item, u"src=\"", u"\"");
            std::u16string description = Cut(item, u"alt=\"", u"\"");
            // Each picture's own page shows it large; the thumbnail stays when that page fails.
            StringCtrl::ReplaceAll(photoPage, u"#detail", u"&show=big");
            std::u16string photo;
            if (call.FetchNonEmpty(photoPage, TEXT_INFLATE | TEXT_UTF8, photo)) {
                std::u16string large = Peek(photo, u"src=\"", u"\"");
                if (!large.empty()) {
                    address = large;
                }
            }
            return call.Picture(address, description);
        });
}
