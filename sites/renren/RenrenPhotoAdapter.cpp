#include "sites/renren/RenrenPhotoAdapter.h"

#include <vector>

#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"
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
    if (!call.Fetch(address, kText, page) || page.empty()) {
        return;
    }
    // The first tab names the owner; on one's own album it says "my albums" and the visitor is the
    // owner.
    std::u16string tabs = Peek(page, u"class=\"nav-tabs\">", u"</ul>");
    std::u16string owner = StripTags(Cut(tabs, u"<li>", u"</li>"));
    if (owner == u"我的相册") {
        owner = Peek(page, u"guestName\" value=\"", u"\"");
    }
    call.job.list.ownerName = owner;

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
    ST_PERLISTRECORD record;
    ForEachPage(
        call, {.separator = u"<li>"},
        [&](int page) {
            return page == 1 ? Photo(Format(u"/photo/%s/album/relatives?curpage=%d", {user, 1}))
                             : Photo(Format(u"/photo/%s/album/relatives/ajax?offset=%d&limit=%d",
                                            {user, (page - 1) * kAlbumPageSize, kAlbumPageSize}));
        },
        [&](std::u16string& item) {
            record.privacy = 0;
            record.url = Cut(item, u"href=\"", u"\"");
            record.coverUrl = Cut(item, u"data-src=\"", u"\"");
            record.pictureCount = CutNumber(item, u"photo-num\">", u"</div>");
            std::u16string name = Cut(item, u"album-name\">", u"</span>");
            // The three special albums carry an icon instead of a usable name.
            if (ContainsAfterStart(name, u"class=\"userhead\"")) {
                name = u"头像相册";
            } else if (ContainsAfterStart(name, u"class=\"phone")) {
                name = u"手机相册";
            } else if (ContainsAfterStart(name, u"class=\"password")) {
                name = u"加密相册";
                record.privacy |= kPasswordAlbum;
            }
            record.name = StripTags(name);
            return call.Album(record);
        },
        [&](Page& page) {
            if (page.number == 1) {
                std::u16string owner = Cut(page.text, u"<title>人人网 - ", u"</title>");
                CutAt(owner, u"的相册");
                call.job.list.ownerName = owner;
                if (!Contains(page.text, kFirstPage)) {
                    if (!call.Fetch(
                            Photo(Format(u"/photo/%s/ajax?__view=async-html&offset=0&limit=500", {user})),
                            kText, page.text) ||
                        page.text.empty()) {
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
    if ((call.album().privacy & kPasswordAlbum) == 0) {
        return true;
    }
    if (!call.Ask(u"加密相册,是否输入密码", u"提示")) {
        return false;
    }
    call.Login(call.album().url + u"/private");
    return true;
}

// Reads the album's page and names the album after its title, so that its folder takes that name;
// page is left just after the title's start. False when the page did not come.
bool ReadAlbumPage(PictureCall& call, std::u16string& page) {
    if (!call.Fetch(call.album().url, kText, page) || page.empty()) {
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
            std::u16string description = UnescapeJson(Cut(item, u"\"title\":\"", u"\""));
            if (description.empty()) {
                description = listedName;
            }
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
    std::u16string next = Cut(page, u"href=\"", u"\"");
    int lowest = kLowestPositionStart;
    for (;;) {
        const std::u16string photoPage = next;
        if (!call.Fetch(photoPage, kText, page) || page.empty() || !Contains(page, u"\"list\":")) {
            return;
        }
        const std::u16string referer = u"Referer: " + photoPage;
        SkipPast(page, u"\"list\":");
        bool lower = false;
        for (std::u16string& item : Items(page, u"\"position\":")) {
            const int position = StringCtrl::DecimalValue(StringCtrl::LeftOf(item, u","));
            if (position >= lowest) {
                continue;
            }
            lowest = position;
            lower = true;
            std::u16string description = UnescapeJson(Cut(item, u"\"originTitle\":\"", u"\""));
            if (description.empty()) {
                description = listedName;
            }
            std::u16string large = Cut(item, u"\"largeurl\":\"", u"\"");
            next = Unslashed(Cut(item, u"\"link\":\"", u"\""));
            std::u16string address = Cut(item, u"\"xLargeUrl\":\"", u"\"");
            if (address.empty()) {
                address = large;
            }
            if (!call.Picture(Unslashed(address), description, referer) || position <= 1) {
                return;
            }
        }
        // A page with no photo below the ones already taken leads nowhere new.
        if (!lower || call.Stopped()) {
            return;
        }
    }
}
