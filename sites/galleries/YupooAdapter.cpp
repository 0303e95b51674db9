// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/galleries/YupooAdapter.h"

#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "sites/galleries/GalleryHosts.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

constexpr std::size_t kLongestAlbumName = 300;
constexpr std::u16string_view kLoginFirst = u"请先在登录菜单里登录你的又拍帐号,登录时勾上下次自动登录";

// A page of at most 100 bytes is Yupoo's busy answer: try again, 4 times, 4 seconds apart.
void RetryShortPages(SiteCall& call) {
    call.session.request.minLength = 100;
    call.session.request.attempts = 4;
    call.session.request.retryPauseSec = 4;
}

// Yupoo pages are asked for as from themselves.
std::u16string WithReferer(SiteCall& call, std::u16string url) {
    call.session.SetExtraHeaders(u"Referer: " + url);
    return url;
}

bool HasScheme(std::u16string_view url) {
    return url.substr(0, 7) == u"http://" || url.substr(0, 8) == u"https://";
}

// The title names the owner before "的相册" (the owner's albums); an album page's title puts the
// album's name in front, joined by "-" or "_".
void OwnerFromTitle(AlbumCall& call, std::u16string& text, bool albumPage) {
    std::u16string owner = Cut(text, u"<title>", u"的相册");
    if (albumPage) {
        StringCtrl::SkipPast(owner, u"-");
        StringCtrl::SkipPast(owner, u"_");
    }
    CleanName(owner, true);
    call.SetOwnerName(std::move(owner));
}

// One album by its address: a single row named from the page.
void SingleAlbum(AlbumCall& call, std::u16string address) {
    StringCtrl::CutAt(address, u"?");
    std::u16string text;
    if (!call.Fetch(address, TEXT_INFLATE | TEXT_UTF8, text)) {
        return;
    }
    OwnerFromTitle(call, text, true);
    ST_PERLISTRECORD record;
    record.name = Cut(text, u"class=\"albumOwner\">", u"</span>");
    if (record.name.empty()) {
        record.name = Cut(text, u"的相册</a> /", u"</");
    }
    // Not an album page after all.
    if (record.name.size() > kLongestAlbumName) {
        return;
    }
    record.pictureCount = CutNumber(text, u"(", u"张");
    record.url = address;
    call.Album(record);
}

}  // namespace

void YupooAdapter::AlbumList(AlbumCall& call, const std::u16string& input) {
    RetryShortPages(call);
    call.session.request.cutEnd = "id=\"footer\">";
    if (!Peek(input, u"albums/", u"/").empty()) {
        SingleAlbum(call, input);
        return;
    }
    // Relative album links belong to the host the list was read on.
    const std::u16string_view base = ContainsAfterStart(input, GalleryHosts::kYupooSecondHostAddress)
                                         ? GalleryHosts::kYupooSecond
                                         : GalleryHosts::kYupooMain;
    // The last page carries the disabled next link; a page of another shape (no pager, an error
    // page) ends the list too, as a page without albums.
    ForEachAlbumPage(
        call, {.separator = u"class=\"set-case\">"},
        [&](int page) {
            return WithReferer(call, Format(u"%spage%d/", {input, page}));
        },
        [&](std::u16string& item, ST_PERLISTRECORD& album) {
            album.url = Cut(item, u"href=\"", u"\"");
            album.coverUrl = Cut(item, u"src_data=\"", u"\"");
            if (album.coverUrl.empty()) {
                album.coverUrl = Cut(item, u"src=\"", u"\"");
            }
            album.name = Cut(item, u"alt=\"", u"\"");
            album.pictureCount = CutNumber(item, u"<b>", u"</b>");
            if (album.pictureCount == 0) {
                album.pictureCount = CutNumber(item, u"<strong>", u"</strong>");
            }
            // A locked set shows the site's padlock instead of a cover.
            if (ContainsAfterStart(album.coverUrl, u"default_set_photo.gif")) {
                album.privacy = 1;
            }
            album.url = Absolute(album.url, input);
            if (!HasScheme(album.url)) {
                album.url = std::u16string(base) + album.url;
            }
            return true;
        },
        [&](Page& page) {
            page.last = ContainsAfterStart(page.text, u"nextprev\">下一页");
            if (page.number == 1) {
                OwnerFromTitle(call, page.text, false);
                // The older page design marks its sets otherwise.
                if (StringCtrl::CountOf(page.text, page.separator) < 1) {
                    page.separator = u"class=\"SetCase";
                }
            }
            return true;
        });
}

void YupooAdapter::PictureList(PictureCall& call) {
    RetryShortPages(call);
    call.session.request.sendTimeoutMs = 15000;
    const ST_PERLISTRECORD& album = call.album();
    // The user's base address: the photos' original-size pages are below it.
    std::u16string base = album.url;
    StringCtrl::CutAt(base, u"albums/");
    const bool large = (call.Naming().options & OPT_YUPOO_LARGE) != 0;

    ForEachPage(
        call, {.separator = u"photos['"},
        [&](int page) {
            return WithReferer(call, Format(u"%spage%d/?style=detail", {album.url, page}));
        },
        [&](std::u16string& item) {
            std::u16string original = base + StringCtrl::LeftOf(item, u"'") + u"/zoom/original/";
            std::u16string description = Cut(item, u"title:'", u"'");
            if (description.empty()) {
                description = call.Describe(Cut(item, u"description:'", u"'"));
            }
            std::u16string address = Cut(item, u"src=\"", u"\"");
            if (large) {
                StringCtrl::ReplaceAll(address, u"/small.", u"/big.");
            } else {
                std::u16string text;
                if (call.Fetch(WithReferer(call, original), TEXT_INFLATE | TEXT_UTF8, text)) {
                    // The owner shows originals to logged-in visitors only.
                    if (Contains(text, u"无法查看该照片的原图")) {
                        call.Notice(kLoginFirst);
                        return false;
                    }
                    std::u16string full = Cut(text, u"<img src=\"", u"\"");
                    if (Contains(full, u"http")) {
                        address = full;
                    }
                }
            }
            return call.Picture(address, description);
        },
        [&](Page& page) {
            if (page.number == 1 && (album.privacy & 1) != 0 &&
                ContainsAfterStart(page.text, u"album_password\">访问密码")) {
                return call.FetchAfterPassword(u"加密相册,是否输入密码", u"提示", page.url, page.url,
                                               TEXT_INFLATE | TEXT_UTF8, page.text);
            }
            return true;
        });
}
