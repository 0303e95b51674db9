// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/renren/RenrenPhotoAdapter.h"

#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"
#include "sites/renren/RenrenHosts.h"

using namespace Fields;
using StringCtrl::CutAt;
using StringCtrl::Format;
using StringCtrl::SkipPast;
using StringCtrl::StripTags;
using StringCtrl::UnescapeJson;

namespace {

constexpr unsigned kText = TEXT_INFLATE | TEXT_UTF8;
constexpr int kAlbumPageSize = 40;
constexpr std::size_t kAlbumNameLimit = 300;
constexpr int kPasswordAlbum = 1;
// Photo pages number their photos from the album's end down to 1.
constexpr int kLowestPositionStart = 6553500;

constexpr std::u16string_view kFirstPage = u"first-page clearfix";
constexpr std::u16string_view kLargeBox = u"class=\"photoes-box\">";
constexpr std::u16string_view kNoAccess =
    u"错误原因：\n1.你没有登录你的人人帐号(在登录菜单里登录,登录时需要勾上下次自动登录)\n2."
    u"你没有该相册的访问权限.";

std::u16string Photo(std::u16string_view pathAndQuery) {
    return std::u16string(RenrenHosts::kPhoto) + std::u16string(pathAndQuery);
}

void TypedAlbum(AlbumCall& call, const std::u16string& address) {
    std::u16string page;
    if (!call.FetchNonEmpty(address, kText, page)) {
        return;
    }
    // The first tab names the owner; on one's own album it says "my albums" and the visitor is the
    // owner.
    std::u16string tabs = Peek(page, u"class=\"nav-tabs\">", u"</ul>");
    std::u16string owner = StripTags(Cut(tabs, u"<li>", u"</li>"));
    if (owner == u"我的相册") {
        owner = Peek(page, u"guestName\" value=\"", u"\"");
    }
    call.SetOwnerName(std::move(owner));

    SkipPast(page, u"class=\"ablum-infor\">");
    ST_PERLISTRECORD record;
    record.name = Cut(page, u"<h1>", u"<span");
    if (record.name.size() > kAlbumNameLimit) {
        return;
    }
    record.url = address;
    record.pictureCount = CutNumber(page, u"\">(", u"张");
    call.Album(record);
}

// The first page lists the user's albums, later ones come 40 at a time from the ajax service.
// A first page without the list (an older layout, or no access) is retried as one page of 500.
void UserAlbums(AlbumCall& call, const std::u16string& user) {
    ForEachAlbumPage(
        call, {.separator = u"<li>"},
        [&](int page) {
            return page == 1 ? Photo(Format(u"/photo/%s/album/relatives?curpage=%d", {user, 1}))
                             : Photo(Format(u"/photo/%s/album/relatives/ajax?offset=%d&limit=%d",
                                            {user, (page - 1) * kAlbumPageSize, kAlbumPageSize}));
        },
        [](std::u16string& item, ST_PERLISTRECORD& album) {
            album.url = Cut(item, u"href=\"", u"\"");
            album.coverUrl = Cut(item, u"data-src=\"", u"\"");
            album.pictureCount = CutNumber(item, u"photo-num\">", u"</div>");
            std::u16string name = Cut(item, u"album-name\">", u"</span>");
            // The three special albums carry an icon instead of a usable name.
            if (ContainsAfterStart(name, u"class=\"userhead\"")) {
                name = u"头像相册";
            } else if (ContainsAfterStart(name, u"class=\"phone")) {
                name = u"手机相册";
            } else if (ContainsAfterStart(name, u"class=\"password")) {
                name = u"加密相册";
                album.privacy |= kPasswordAlbum;
            }
            album.name = StripTags(name);
            return true;
        },
        [&](Page& page) {
            if (page.number == 1) {
                std::u16string owner = Cut(page.text, u"<title>人人网 - ", u"</title>");
                CutAt(owner, u"的相册");
                call.SetOwnerName(std::move(owner));
                if (!Contains(page.text, kFirstPage)) {
                    if (!call.FetchNonEmpty(
                            Photo(Format(u"/photo/%s/ajax?__view=async-html&offset=0&limit=500", {user})),
                            kText, page.text)) {
                        return false;
                    }
                    if (!Contains(page.text, kFirstPage)) {
                        call.Notice(kNoAccess);
                        return false;
                    }
                    page.last = true;
                }
            }
            SkipPast(page.text, u"class=\"album-list");
            SkipPast(page.text, u"<ul");
            CutAt(page.text, kFirstPage);
            return true;
        });
}

// A password album opens in the login browser, where the user types the password; false when the
// user does not want to.
bool PasswordGiven(PictureCall& call) {
    return (call.album().privacy & kPasswordAlbum) == 0 ||
           call.AskPassword(u"加密相册,是否输入密码", u"提示", call.album().url + u"/private");
}

// Reads the album's page and names the album after its title, so that its folder takes that name;
// page is left just after the title's start. False when the page did not come.
bool ReadAlbumPage(PictureCall& call, std::u16string& page) {
    if (!call.FetchNonEmpty(call.album().url, kText, page)) {
        return false;
    }
    SkipPast(page, u"class=\"ablum-infor\">");
    std::u16string name = Cut(page, u"<h1>", u"<span");
    CleanName(name, false);
    // A page without a title keeps the name the album was listed under.
    if (!name.empty()) {
        call.RenameAlbum(std::move(name));
    }
    return true;
}

// A photo without a title is named after the album as it was listed, not as its page renamed it.
// (PictureCall::Describe gives the name the album has now.)
std::u16string Described(std::u16string description, const std::u16string& listedName) {
    return description.empty() ? listedName : description;
}

// A photo given only in a small size: its large page shows it in the last "photoes-box".
void TakeLargePicture(PictureCall& call, const std::u16string& album, const std::u16string& photoId,
                      std::u16string& address) {
    std::u16string base = album;
    CutAt(base, u"/album-");
    std::u16string page;
    if (!call.Fetch(Format(u"%s/photo-%s/large?xtype=album", {base, photoId}), kText, page) ||
        !ContainsAfterStart(page, kLargeBox)) {
        return;
    }
    page.erase(0, page.rfind(kLargeBox) + kLargeBox.size());
    address = Cut(page, u"src=\"", u"\"");
}

}  // namespace

void RenrenPhotoAdapter::AlbumList(AlbumCall& call, const std::u16string& input) {
    if (ContainsAfterStart(input, u"/album-")) {
        TypedAlbum(call, input);
    } else {
        UserAlbums(call, input);
    }
}

void RenrenPhotoAdapter::PictureList(PictureCall& call) {
    if (!PasswordGiven(call)) {
        return;
    }
    const std::u16string listedName = call.album().name;
    std::u16string album = call.album().url;
    CutAt(album, u"?");
    std::u16string page;
    if (!ReadAlbumPage(call, page)) {
        return;
    }
    std::u16string referer;
    ForEachPage(
        call, {.separator = u"\"position\":"},
        [&](int number) {
            return Format(u"%s/bypage/ajax?curPage=%d&pagenum=65535", {album, number - 1});
        },
        [&](std::u16string& item) {
            std::u16string address = Unslashed(Cut(item, u"\"largeUrl\":\"", u"\""));
            std::u16string description =
                Described(UnescapeJson(Cut(item, u"\"title\":\"", u"\"")), listedName);
            if (!Contains(address, u"original_") && !Contains(address, u"xlarge_")) {
                TakeLargePicture(call, album, Peek(item, u"\"photoId\":\"", u"\""), address);
            }
            return call.Picture(address, description, referer);
        },
        [&](Page& page) {
            referer = u"Referer: " + page.url;
            return true;
        });
}

void RenrenPhotoAdapter::SecondPictureList(PictureCall& call) {
    if (!PasswordGiven(call)) {
        return;
    }
    const std::u16string listedName = call.album().name;
    std::u16string page;
    if (!ReadAlbumPage(call, page)) {
        return;
    }
    SkipPast(page, u"data-info=\"{album:'");
    const std::u16string firstPhoto = Cut(page, u"href=\"", u"\"");
    int lowest = kLowestPositionStart;
    std::u16string referer;
    // Each photo page lists its neighbours by position, each with the link to its own page. The walk
    // takes the photos below the lowest one taken so far and goes on to the page of the last of
    // them; a page with no photo below that leads nowhere new and ends it.
    ForEachPage(
        call, {.separator = u"\"position\":", .byCursor = true},
        [&](const Page& photoPage) { return photoPage.cursor.empty() ? firstPhoto : photoPage.cursor; },
        [&](std::u16string& item, Page& photoPage) {
            const int position = StringCtrl::DecimalValue(StringCtrl::LeftOf(item, u","));
            if (position >= lowest) {
                return true;
            }
            lowest = position;
            std::u16string description =
                Described(UnescapeJson(Cut(item, u"\"originTitle\":\"", u"\"")), listedName);
            std::u16string large = Cut(item, u"\"largeurl\":\"", u"\"");
            photoPage.next = Unslashed(Cut(item, u"\"link\":\"", u"\""));
            std::u16string address = Cut(item, u"\"xLargeUrl\":\"", u"\"");
            if (address.empty()) {
                address = large;
            }
            return call.Picture(Unslashed(address), description, referer) && position > 1;
        },
        [&](Page& photoPage) {
            if (!Contains(photoPage.text, u"\"list\":")) {
                return false;
            }
            referer = u"Referer: " + photoPage.url;
            SkipPast(photoPage.text, u"\"list\":");
            return true;
        });
}
