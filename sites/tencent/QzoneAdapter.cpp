// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/tencent/QzoneAdapter.h"

#include <cstdint>
#include <vector>

#include "MyCode/FetchError.h"
#include "MyCode/StringCtrl.h"
#include "platform/FileSystem.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"
#include "sites/tencent/QzoneRouteHosts.h"
#include "sites/tencent/TencentCookies.h"
#include "sites/tencent/TencentHosts.h"

using namespace Fields;
using StringCtrl::Format;
using StringCtrl::RandomFraction;
using StringCtrl::ReplaceAll;

namespace {

// The data centre that the newer list service answers from when the owner's own one has nothing.
constexpr int kFallbackDataCentre = 102;
constexpr int kPhotoPageSize = 500;

// The route service's answer as the adapter keeps it: the data-centre number and the hosts of one
// data-centre block ("p" lists albums, "nu" views an album, "s" lists photos).
struct QzoneRoute {
    int dataCentre = 0;
    std::u16string listHost;
    std::u16string viewHost;
    std::u16string photoHost;
};

std::u16string SpaceRoot() {
    return std::u16string(TencentHosts::kQzoneSpace) + u"/";
}
std::u16string SpaceAddress(const std::u16string& qq) {
    return SpaceRoot() + qq;
}

// Reads the "nu", "p" and "s" hosts of the first data-centre block in text, advancing through it.
// The service names its front hosts; the list and photo-list services live on sibling hosts.
void ReadHosts(std::u16string& text, QzoneRoute& route) {
    route.viewHost = Cut(text, u"\"nu\":\"", u"\"");
    route.listHost = Cut(text, u"\"p\":\"", u"\"");
    ReplaceAll(route.listHost, u"sznewp", u"alist");
    ReplaceAll(route.listHost, u"xanewp", u"xalist");
    route.photoHost = Cut(text, u"\"s\":\"", u"\"");
    ReplaceAll(route.photoHost, u"static", u"plist");
}

// The owner's data centre: its number, then the block named by "default".
QzoneRoute ParseRoute(std::u16string text) {
    QzoneRoute route;
    route.dataCentre = CutNumber(text, u"idcno\":\"", u",");
    std::u16string name = Cut(text, u"default\":\"", u"\"");
    StringCtrl::SkipPast(text, name + u"\":");
    ReadHosts(text, route);
    return route;
}

// The second try of the newer list service: data centre 102 with the hosts of the answer's first
// block.
QzoneRoute FallbackRoute(std::u16string text) {
    QzoneRoute route;
    route.dataCentre = kFallbackDataCentre;
    ReadHosts(text, route);
    return route;
}

void KeepHosts(AlbumCall& call, const QzoneRoute& route) {
    QzoneRouteHosts& kept = call.Keep<QzoneRouteHosts>();
    kept.photoHost = route.photoHost;
    kept.viewHost = route.viewHost;
}

// Both album lists: false when the route service could not be reached (the user has been told).
bool LookUpRoute(AlbumCall& call, const std::u16string& qq, unsigned textFlags, std::u16string& routeText) {
    if (!call.Fetch(
            std::u16string(TencentHosts::kRouteService) + u"/GetRoute?UIN=" + qq + u"&version=2&type=json",
            textFlags, routeText)) {
        call.Notice(u"QQ空间相册错误1");
        return false;
    }
    return true;
}

// The list services refuse with a "msg" text: either the owner is asked too often, or the space is
// closed to this visitor, who may log in and list again. True when the answer was a refusal.
bool HandleRefusal(AlbumCall& call, const std::u16string& text, const std::u16string& qq) {
    static constexpr std::u16string_view kMarker = u"\"msg\" : \"";
    if (!ContainsAfterStart(text, kMarker)) {
        return false;
    }
    std::u16string rest = text;
    std::u16string message = StringCtrl::GetBetween(rest, kMarker, u"\"", StringCtrl::GB_REST);
    if (Contains(message, u"您的操作过于频繁")) {
        call.Notice(message);
    } else if (call.Ask(u"加密或非公开空间，是否进行身份验证?\n(验证成功后请重新获取相册列表)", u"提示")) {
        call.Login(SpaceAddress(qq));
    }
    return true;
}

// Access values: 3 private, 4 or 6 friends only, 5 encrypted.
int PrivacyOf(std::u16string_view access) {
    if (Contains(access, u"3")) {
        return 2;
    }
    if (Contains(access, u"4") || Contains(access, u"6")) {
        return 4;
    }
    return Contains(access, u"5") ? 1 : 0;
}

// Qzone answers JSONP; each record starts at the album id. False when the text holds no record.
bool EmitAlbums(AlbumCall& call, const std::u16string& text, int dataCentre, const std::u16string& qq) {
    std::vector<std::u16string> items = Items(text, u"\"id\" : \"");
    call.EmitEach(items, [&](std::u16string& item, ST_PERLISTRECORD& album) {
        std::u16string id = StringCtrl::LeftOf(item, u"\"");
        album.name = Cut(item, u"\"name\" : \"", u"\"");
        if (album.name.empty()) {
            return false;
        }
        album.url = Format(u"idcNum=%d&hostUin=%s&albumid=%s", {dataCentre, qq, id});
        album.coverUrl = Unslashed(Cut(item, u"\"pre\" : \"", u"\""));
        album.privacy = PrivacyOf(Cut(item, u"\"priv\" :", u","));
        album.pictureCount = CutNumber(item, u"\"total\" :", u",");
        return true;
    });
    return !items.empty();
}

// "idcNum=..&hostUin=QQ&albumid=ID" becomes the album's page in the owner's space, where the
// visitor can enter its password.
std::u16string AlbumPage(std::u16string albumUrl) {
    StringCtrl::SkipPast(albumUrl, u"&");
    ReplaceAll(albumUrl, u"hostUin=", u"");
    ReplaceAll(albumUrl, u"&albumid=", u"/photo/");
    return SpaceRoot() + albumUrl;
}

// One photo record: the raw picture first, the preview as the fallback.
struct PictureAddresses {
    std::u16string primary;
    std::u16string fallback;
};

PictureAddresses PictureAddress(std::u16string_view item) {
    std::u16string upload = Peek(item, u"\"raw_upload\"", u",");
    std::u16string primary = Unslashed(Peek(item, u"\"raw\" : \"", u"\""));
    if (primary.empty()) {
        primary = Unslashed(Peek(item, u"\"origin_url\" : \"", u"\""));
        if (Contains(upload, u"1")) {
            ReplaceAll(primary, u"/o/", u"/r/");
        }
    }
    ReplaceAll(primary, u"/psbe?/", u"/psb?/");
    std::u16string fallback = Unslashed(Peek(item, u"\"pre\" : \"", u"\""));
    ReplaceAll(fallback, u"/a/", u"/b/");
    if (primary.empty()) {
        return {std::move(fallback), {}};
    }
    return {std::move(primary), std::move(fallback)};
}

// The visitor's token and QQ number (the cookie's, without its "o"), read afresh before every
// request of the picture list.
struct SpaceLogin {
    std::uint32_t token = 0;
    std::u16string uin;
};

SpaceLogin ReadSpaceLogin() {
    std::u16string cookies = TencentCookies::Text(SpaceRoot());
    SpaceLogin login{TencentCookies::Token(cookies), TencentCookies::Value(cookies, u"uin")};
    ReplaceAll(login.uin, u"o", u"");
    return login;
}

// Page index (from 0) of the photo list, 500 photos a page; this service knows the album as a
// topic.
std::u16string PhotoListPage(const std::u16string& host, const std::u16string& albumUrl, int index) {
    const SpaceLogin login = ReadSpaceLogin();
    std::u16string url =
        u"http://" + host +
        Format(
            u"/fcgi-bin/cgi_list_photo?g_tk=%u&callback=shine0_Callback&mode=0&%s&noTopic=0&uin=%s"
            u"&pageStart=%d&pageNum=500&singleurl=1&notice=0&appid=4&inCharset=gbk&outCharset=gbk"
            u"&source=qzone&plat=qzone&outstyle=json&format=jsonp&json_esc=1&callbackFun=shine0&_=%s",
            {login.token, albumUrl, login.uin, kPhotoPageSize * index, RandomFraction()});
    ReplaceAll(url, u"albumid=", u"topicId=");
    return url;
}

// The album view: the whole album in one answer.
std::u16string AlbumView(const std::u16string& host, const std::u16string& albumUrl) {
    const SpaceLogin login = ReadSpaceLogin();
    std::u16string url =
        u"http://" + host +
        Format(
            u"/cgi-bin/common/cgi_view_album_v2?inCharset=gbk&outCharset=gbk&format=jsonp&plat=qzone"
            u"&source=qzone&%s&t=%s&g_tk=%u&uin=%s",
            {albumUrl, RandomFraction(), login.token, login.uin});
    ReplaceAll(url, u"albumid=", u"albumId=");
    return url;
}

}  // namespace

void QzoneAdapter::AlbumList(AlbumCall& call, const std::u16string& qq) {
    call.session.SetExtraHeaders(u"Referer: " + SpaceAddress(qq));
    std::u16string routeText;
    if (!LookUpRoute(call, qq, TEXT_INFLATE, routeText)) {
        return;
    }
    QzoneRoute route = ParseRoute(routeText);
    KeepHosts(call, route);

    std::uint32_t token = TencentCookies::Token(TencentCookies::Text(SpaceRoot()));
    std::u16string url =
        u"http://" + route.listHost +
        Format(u"/fcgi-bin/fcg_list_album_v2?hostUin=%s&format=jsonp&plat=qzone&source=qzone&t=%s&g_tk=%u",
               {qq, RandomFraction(), token});
    std::u16string text;
    if (!call.FetchNonEmpty(url, TEXT_INFLATE | call.Extension().qzoneV2TextFlags, text) ||
        HandleRefusal(call, text, qq)) {
        return;
    }
    EmitAlbums(call, text, route.dataCentre, qq);
}

void QzoneAdapter::SecondAlbumList(AlbumCall& call, const std::u16string& qq) {
    // This service is asked without compression.
    call.session.request.headers = u"Referer: " + SpaceAddress(qq);
    std::u16string routeText;
    if (!LookUpRoute(call, qq, call.Extension().qzoneV3TextFlags, routeText)) {
        return;
    }
    for (int pass = 1; pass <= 2; ++pass) {
        QzoneRoute route = pass == 1 ? ParseRoute(routeText) : FallbackRoute(routeText);
        KeepHosts(call, route);
        std::uint32_t token = TencentCookies::Token(TencentCookies::Text(SpaceRoot()));
        std::u16string url =
            u"http://" + route.listHost +
            Format(
                u"/fcgi-bin/fcg_list_album_v3?g_tk=%u&callback=shine1_Callback&hostUin=%s&appid=4"
                u"&inCharset=utf-8&outCharset=utf-8&source=qzone&plat=qzone&format=jsonp&notice=0&filter=1"
                u"&handset=4&pageNumModeSort=40&pageNumModeClass=10&needUserInfo=1&idcNum=%d"
                u"&callbackFun=shine1&_=%s",
                {token, qq, route.dataCentre, RandomFraction()});
        std::u16string text;
        if (!call.FetchNonEmpty(url, TEXT_UTF8, text)) {
            continue;
        }
        if (HandleRefusal(call, text, qq) || EmitAlbums(call, text, route.dataCentre, qq)) {
            return;
        }
    }
}

void QzoneAdapter::PictureList(PictureCall& call) {
    const std::u16string& albumUrl = call.album().url;
    const QzoneRouteHosts& hosts = call.Kept<QzoneRouteHosts>();
    call.session.SetExtraHeaders(u"Referer: " + SpaceAddress(call.Input()));
    const PageRules rules{.separator = u"\"batchId\"", .textFlags = TEXT_INFLATE};

    // An encrypted album answers "对不起" until the visitor has entered its password on the album's
    // page; then the same request is sent once more. Declined, the refusal is a page without
    // records; false when the page did not come again.
    auto offerPassword = [&](Page& page) {
        if (!ContainsAfterStart(page.text, u"\"message\":\"对不起") || (call.album().privacy & 1) == 0) {
            return true;
        }
        return call.FetchAfterPassword(u"加密相册，是否输入密码？", u"提示", AlbumPage(albumUrl), page.url,
                                       rules.textFlags, page.text) ||
               !page.text.empty();
    };
    auto emit = [&](std::u16string& item) {
        std::u16string description = Cut(item, u"\"name\" : \"", u"\"");
        const PictureAddresses address = PictureAddress(item);
        return call.PictureOr(address.primary, address.fallback, description);
    };

    // Protected albums go to the album view at once, unless the switch file asks to try the paged
    // photo list first. The view also answers for a list whose first pages bring no picture.
    bool toView = call.album().privacy != 0 && !FileSystem::Exists(call.ProgramFile(u"Q2.txt"));
    if (!toView) {
        bool cameWithText = true;  // the page last asked for
        ForEachPage(
            call, rules,
            [&](int page) {
                cameWithText = false;
                return PhotoListPage(hosts.photoHost, albumUrl, page - 1);
            },
            emit,
            [&](Page& page) {
                cameWithText = true;
                return offerPassword(page);
            },
            [&](Page&) {
                toView = call.Emitted() == 0;
                return false;
            });
        // The loop ends both at an answer without text, which is a page without records here, and
        // at a request that failed, which ends the album.
        if (!cameWithText && call.session.source.error == FetchError::None) {
            toView = call.Emitted() == 0;
        }
    }
    if (!toView) {
        return;
    }
    ForEachPage(
        call, rules, [&](int) { return AlbumView(hosts.viewHost, albumUrl); }, emit,
        [&](Page& page) {
            page.last = true;
            return offerPassword(page);
        });
}
