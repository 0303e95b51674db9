#include "sites/tencent/QzoneAdapter.h"

#include <cstdint>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"
#include "core/WindowPort.h"
#include "platform/FileSystem.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/PageGuard.h"
#include "sites/kit/PictureCall.h"
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

void KeepHosts(JobContext& job, const QzoneRoute& route) {
    job.list.siteKey = route.photoHost;
    job.list.extraKey = route.viewHost;
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
    ST_PERLISTRECORD record;
    for (std::u16string& item : items) {
        std::u16string id = StringCtrl::LeftOf(item, u"\"");
        record.name = Cut(item, u"\"name\" : \"", u"\"");
        if (record.name.empty()) {
            continue;
        }
        record.url = Format(u"idcNum=%d&hostUin=%s&albumid=%s", {dataCentre, qq, id});
        record.coverUrl = Unslashed(Cut(item, u"\"pre\" : \"", u"\""));
        record.privacy = PrivacyOf(Cut(item, u"\"priv\" :", u","));
        record.pictureCount = CutNumber(item, u"\"total\" :", u",");
        if (!call.Album(record)) {
            break;
        }
    }
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

// One photo record: the raw picture first, the preview as the fallback after CR LF.
std::u16string PictureAddress(std::u16string_view item) {
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
    return primary.empty() ? fallback : primary + u"\r\n" + fallback;
}

}  // namespace

void QzoneAdapter::AlbumList(AlbumCall& call, const std::u16string& qq) {
    call.session.SetExtraHeaders(u"Referer: " + SpaceAddress(qq));
    std::u16string routeText;
    if (!LookUpRoute(call, qq, TEXT_INFLATE, routeText)) {
        return;
    }
    QzoneRoute route = ParseRoute(routeText);
    KeepHosts(call.job, route);

    std::uint32_t token = TencentCookies::Token(TencentCookies::Text(SpaceRoot()));
    std::u16string url =
        u"http://" + route.listHost +
        Format(u"/fcgi-bin/fcg_list_album_v2?hostUin=%s&format=jsonp&plat=qzone&source=qzone&t=%s&g_tk=%u",
               {qq, RandomFraction(), token});
    std::u16string text;
    if (!call.Fetch(url, TEXT_INFLATE | call.job.extension.qzoneV2TextFlags, text) || text.empty() ||
        HandleRefusal(call, text, qq)) {
        return;
    }
    EmitAlbums(call, text, route.dataCentre, qq);
}

void QzoneAdapter::SecondAlbumList(AlbumCall& call, const std::u16string& qq) {
    // This service is asked without compression.
    call.session.request.headers = u"Referer: " + SpaceAddress(qq);
    std::u16string routeText;
    if (!LookUpRoute(call, qq, call.job.extension.qzoneV3TextFlags, routeText)) {
        return;
    }
    for (int pass = 1; pass <= 2; ++pass) {
        QzoneRoute route = pass == 1 ? ParseRoute(routeText) : FallbackRoute(routeText);
        KeepHosts(call.job, route);
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
        if (!call.Fetch(url, TEXT_UTF8, text) || text.empty()) {
            continue;
        }
        if (HandleRefusal(call, text, qq) || EmitAlbums(call, text, route.dataCentre, qq)) {
            return;
        }
    }
}

void QzoneAdapter::PictureList(PictureCall& call) {
    const std::u16string albumUrl = call.album().url;
    const std::int32_t privacy = call.album().privacy;
    JobContext& job = call.job;
    call.session.SetExtraHeaders(u"Referer: " + SpaceAddress(call.Input()));

    // Protected albums go to the album view at once, unless the switch file asks to try the paged
    // photo list first.
    bool useView = !FileSystem::Exists(job.programDir + u"Q2.txt") && privacy != 0;
    bool viewTried = false;
    PageGuard guard;
    for (int page = 0;;) {
        std::u16string cookies = TencentCookies::Text(SpaceRoot());
        std::uint32_t token = TencentCookies::Token(cookies);
        std::u16string uin = TencentCookies::Value(cookies, u"uin");
        ReplaceAll(uin, u"o", u"");

        const bool isView = useView;
        std::u16string url;
        if (isView) {
            url =
                u"http://" + job.list.extraKey +
                Format(
                    u"/cgi-bin/common/cgi_view_album_v2?inCharset=gbk&outCharset=gbk&format=jsonp&plat=qzone"
                    u"&source=qzone&%s&t=%s&g_tk=%u&uin=%s",
                    {albumUrl, RandomFraction(), token, uin});
            ReplaceAll(url, u"albumid=", u"albumId=");
            viewTried = true;
        } else {
            url =
                u"http://" + job.list.siteKey +
                Format(
                    u"/fcgi-bin/cgi_list_photo?g_tk=%u&callback=shine0_Callback&mode=0&%s&noTopic=0&uin=%s"
                    u"&pageStart=%d&pageNum=500&singleurl=1&notice=0&appid=4&inCharset=gbk&outCharset=gbk"
                    u"&source=qzone&plat=qzone&outstyle=json&format=jsonp&json_esc=1&callbackFun=shine0&_=%s",
                    {token, albumUrl, uin, kPhotoPageSize * page, RandomFraction()});
            ReplaceAll(url, u"albumid=", u"topicId=");
            ++page;
        }

        std::u16string text;
        if (!call.Fetch(url, TEXT_INFLATE, text)) {
            return;
        }
        if (ContainsAfterStart(text, u"\"message\":\"对不起") && (privacy & 1) != 0 &&
            call.Ask(u"加密相册，是否输入密码？", u"提示")) {
            call.Login(AlbumPage(albumUrl));
            if (!call.Fetch(url, TEXT_INFLATE, text) || text.empty()) {
                return;
            }
        }

        std::vector<std::u16string> items = Items(text, u"\"batchId\"");
        if (items.empty()) {
            if (isView || call.Emitted() > 0 || viewTried) {
                return;
            }
            useView = true;
            continue;
        }
        // A photo list that answers the same page again has no more pages.
        if (!guard.Admit(items, text)) {
            return;
        }
        for (std::u16string& item : items) {
            std::u16string description = Cut(item, u"\"name\" : \"", u"\"");
            if (!call.Picture(PictureAddress(item), description)) {
                return;
            }
        }
        if (isView || call.Stopped()) {
            return;
        }
    }
}
