#include "sites/QzoneAdapter.h"

#include <cstdint>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"
#include "core/WindowPort.h"
#include "platform/FileSystem.h"
#include "sites/Emission.h"
#include "sites/SiteSession.h"
#include "sites/TencentCookies.h"
#include "sites/TencentHosts.h"

using namespace StringCtrl;

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
    route.viewHost = GetBetween(text, u"\"nu\":\"", u"\"", GB_ADVANCE);
    route.listHost = GetBetween(text, u"\"p\":\"", u"\"", GB_ADVANCE);
    ReplaceAll(route.listHost, u"sznewp", u"alist");
    ReplaceAll(route.listHost, u"xanewp", u"xalist");
    route.photoHost = GetBetween(text, u"\"s\":\"", u"\"", GB_ADVANCE);
    ReplaceAll(route.photoHost, u"static", u"plist");
}

// The owner's data centre: its number, then the block named by "default".
QzoneRoute ParseRoute(std::u16string text) {
    QzoneRoute route;
    route.dataCentre = DecimalValue(GetBetween(text, u"idcno\":\"", u",", GB_ADVANCE));
    std::u16string name = GetBetween(text, u"default\":\"", u"\"", GB_ADVANCE);
    SkipPast(text, name + u"\":");
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
    job.siteKey = route.photoHost;
    job.extraKey = route.viewHost;
}

int ShowMessage(JobContext& job, const std::u16string& text, const std::u16string& caption, int buttons) {
    if (job.window == nullptr) {
        return buttons == MB_YESNO ? IDNO : IDOK;
    }
    return job.window->MessageBox(text, caption, buttons);
}

void OpenLoginBrowser(JobContext& job, const std::u16string& url) {
    if (job.window != nullptr) {
        job.window->OpenLoginBrowser(url);
    }
}

// Both album lists: false when the route service could not be reached (the user has been told).
bool LookUpRoute(SiteSession& session, const std::u16string& qq, unsigned textFlags, JobContext& job,
                 std::u16string& routeText) {
    std::u16string url =
        std::u16string(TencentHosts::kRouteService) + u"/GetRoute?UIN=" + qq + u"&version=2&type=json";
    if (!session.Fetch(url, textFlags, routeText)) {
        ShowMessage(job, u"QQ空间相册错误1", u"", MB_OK);
        return false;
    }
    return true;
}

// Position of marker in text when it stands after the first character; a refusal is never the
// whole answer.
bool ContainsAfterStart(const std::u16string& text, std::u16string_view marker) {
    std::size_t pos = text.find(marker);
    return pos != std::u16string::npos && pos > 0;
}

// The list services refuse with a "msg" text: either the owner is asked too often, or the space is
// closed to this visitor, who may log in and list again. True when the answer was a refusal.
bool HandleRefusal(const std::u16string& text, const std::u16string& qq, JobContext& job) {
    static constexpr std::u16string_view kMarker = u"\"msg\" : \"";
    if (!ContainsAfterStart(text, kMarker)) {
        return false;
    }
    std::u16string rest = text;
    std::u16string message = GetBetween(rest, kMarker, u"\"", GB_REST);
    if (message.find(u"您的操作过于频繁") != std::u16string::npos) {
        ShowMessage(job, message, u"", MB_OK);
        return true;
    }
    if (ShowMessage(job, u"加密或非公开空间，是否进行身份验证?\n(验证成功后请重新获取相册列表)", u"提示",
                    MB_YESNO) == IDYES) {
        OpenLoginBrowser(job, SpaceAddress(qq));
    }
    return true;
}

// Access values: 3 private, 4 or 6 friends only, 5 encrypted.
int PrivacyOf(const std::u16string& access) {
    auto has = [&access](char16_t c) { return access.find(c) != std::u16string::npos; };
    if (has(u'3')) {
        return 2;
    }
    if (has(u'4') || has(u'6')) {
        return 4;
    }
    if (has(u'5')) {
        return 1;
    }
    return 0;
}

// Qzone answers JSONP; each record starts at the album id. False when the text holds no record.
bool EmitAlbums(const std::u16string& text, int dataCentre, const std::u16string& qq, JobContext& job) {
    std::vector<std::u16string> pieces;
    if (Split(text, u"\"id\" : \"", pieces) == 0) {
        return false;
    }
    ST_PERLISTRECORD record;
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        std::u16string& piece = pieces[i];
        std::u16string id = LeftOf(piece, u"\"");
        std::u16string name = GetBetween(piece, u"\"name\" : \"", u"\"", GB_ADVANCE);
        if (name.empty()) {
            continue;
        }
        record.name = name;
        record.url = Format(u"idcNum=%d&hostUin=%s&albumid=%s", {dataCentre, qq, id});
        record.coverUrl = Unslashed(GetBetween(piece, u"\"pre\" : \"", u"\"", GB_ADVANCE));
        record.privacy = PrivacyOf(GetBetween(piece, u"\"priv\" :", u",", GB_ADVANCE));
        record.pictureCount = DecimalValue(GetBetween(piece, u"\"total\" :", u",", GB_ADVANCE));
        EmitAlbum(record, job);
        if (ListStopped(job)) {
            break;
        }
    }
    return true;
}

// "idcNum=..&hostUin=QQ&albumid=ID" becomes the album's page in the owner's space, where the
// visitor can enter its password.
std::u16string AlbumPage(std::u16string albumUrl) {
    SkipPast(albumUrl, u"&");
    ReplaceAll(albumUrl, u"hostUin=", u"");
    ReplaceAll(albumUrl, u"&albumid=", u"/photo/");
    return SpaceRoot() + albumUrl;
}

// One photo record: the raw picture first, the preview as the fallback after CR LF.
std::u16string PictureAddress(std::u16string& piece) {
    std::u16string upload = GetBetween(piece, u"\"raw_upload\"", u",");
    std::u16string primary = Unslashed(GetBetween(piece, u"\"raw\" : \"", u"\""));
    if (primary.empty()) {
        primary = Unslashed(GetBetween(piece, u"\"origin_url\" : \"", u"\""));
        if (upload.find(u'1') != std::u16string::npos) {
            ReplaceAll(primary, u"/o/", u"/r/");
        }
    }
    ReplaceAll(primary, u"/psbe?/", u"/psb?/");
    std::u16string fallback = Unslashed(GetBetween(piece, u"\"pre\" : \"", u"\""));
    ReplaceAll(fallback, u"/a/", u"/b/");
    if (primary.empty()) {
        return fallback;
    }
    return primary + u"\r\n" + fallback;
}

}  // namespace

void QzoneAdapter::AlbumList(const std::u16string& qq, JobContext& job) {
    SiteSession session;
    session.SetExtraHeaders(u"Referer: " + SpaceAddress(qq));
    std::u16string routeText;
    if (!LookUpRoute(session, qq, TEXT_INFLATE, job, routeText)) {
        return;
    }
    QzoneRoute route = ParseRoute(routeText);
    KeepHosts(job, route);

    std::uint32_t token = TencentCookies::Token(TencentCookies::Text(SpaceRoot()));
    std::u16string url =
        u"http://" + route.listHost +
        Format(u"/fcgi-bin/fcg_list_album_v2?hostUin=%s&format=jsonp&plat=qzone&source=qzone&t=%s&g_tk=%u",
               {qq, RandomFraction(), token});
    std::u16string text;
    if (!session.Fetch(url, TEXT_INFLATE | job.extension.qzoneV2TextFlags, text) || text.empty()) {
        return;
    }
    if (HandleRefusal(text, qq, job)) {
        return;
    }
    EmitAlbums(text, route.dataCentre, qq, job);
}

void QzoneAdapter::SecondAlbumList(const std::u16string& qq, JobContext& job) {
    SiteSession session;
    // This service is asked without compression.
    session.request.headers = u"Referer: " + SpaceAddress(qq);
    std::u16string routeText;
    if (!LookUpRoute(session, qq, job.extension.qzoneV3TextFlags, job, routeText)) {
        return;
    }
    for (int pass = 1; pass <= 2; ++pass) {
        QzoneRoute route = pass == 1 ? ParseRoute(routeText) : FallbackRoute(routeText);
        KeepHosts(job, route);
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
        if (!session.Fetch(url, TEXT_UTF8, text) || text.empty()) {
            continue;
        }
        if (HandleRefusal(text, qq, job)) {
            return;
        }
        if (EmitAlbums(text, route.dataCentre, qq, job)) {
            return;
        }
    }
}

void QzoneAdapter::PictureList(JobContext& job, int albumIndex) {
    const std::optional<ST_PERLISTRECORD> record = job.albums.CopyOf(albumIndex);
    if (!record) {
        return;
    }
    const std::u16string albumUrl = record->url;
    const std::int32_t privacy = record->privacy;

    SiteSession session;
    std::u16string owner = job.window != nullptr ? job.window->GetText(IDC_INPUT) : std::u16string();
    session.SetExtraHeaders(u"Referer: " + SpaceAddress(owner));

    // Protected albums go to the album view at once, unless the switch file asks to try the paged
    // photo list first.
    bool useView = !FileSystem::Exists(job.programDir + u"Q2.txt") && privacy != 0;
    bool viewTried = false;
    int emitted = 0;
    std::vector<std::u16string> pieces;
    for (int page = 0;;) {
        std::u16string cookies = TencentCookies::Text(SpaceRoot());
        std::uint32_t token = TencentCookies::Token(cookies);
        std::u16string uin = TencentCookies::Value(cookies, u"uin");
        ReplaceAll(uin, u"o", u"");

        const bool isView = useView;
        std::u16string url;
        if (isView) {
            url =
                u"http://" + job.extraKey +
                Format(
                    u"/cgi-bin/common/cgi_view_album_v2?inCharset=gbk&outCharset=gbk&format=jsonp&plat=qzone"
                    u"&source=qzone&%s&t=%s&g_tk=%u&uin=%s",
                    {albumUrl, RandomFraction(), token, uin});
            ReplaceAll(url, u"albumid=", u"albumId=");
            viewTried = true;
        } else {
            url =
                u"http://" + job.siteKey +
                Format(
                    u"/fcgi-bin/cgi_list_photo?g_tk=%u&callback=shine0_Callback&mode=0&%s&noTopic=0&uin=%s"
                    u"&pageStart=%d&pageNum=500&singleurl=1&notice=0&appid=4&inCharset=gbk&outCharset=gbk"
                    u"&source=qzone&plat=qzone&outstyle=json&format=jsonp&json_esc=1&callbackFun=shine0&_=%s",
                    {token, albumUrl, uin, kPhotoPageSize * page, RandomFraction()});
            ReplaceAll(url, u"albumid=", u"topicId=");
            ++page;
        }

        std::u16string text;
        if (!session.Fetch(url, TEXT_INFLATE, text)) {
            return;
        }
        if (ContainsAfterStart(text, u"\"message\":\"对不起") && (privacy & 1) != 0 &&
            ShowMessage(job, u"加密相册，是否输入密码？", u"提示", MB_YESNO) == IDYES) {
            OpenLoginBrowser(job, AlbumPage(albumUrl));
            if (!session.Fetch(url, TEXT_INFLATE, text) || text.empty()) {
                return;
            }
        }

        if (Split(text, u"\"batchId\"", pieces) == 0) {
            if (isView || emitted > 0 || viewTried) {
                return;
            }
            useView = true;
            continue;
        }
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            std::u16string& piece = pieces[i];
            std::u16string description = GetBetween(piece, u"\"name\" : \"", u"\"", GB_ADVANCE);
            std::u16string address = PictureAddress(piece);
            EmitPicture(job, address, description, u"", albumIndex);
            ++emitted;
            if (PicturesStopped(job)) {
                return;
            }
        }
        if (isView) {
            return;
        }
    }
}
