// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/netease/NeteasePhotoAdapter.h"

#include <vector>

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/PictureCall.h"
#include "sites/netease/NeteaseHosts.h"
#include "sites/netease/NeteasePhotoUser.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

constexpr std::size_t kAddressLength = 20;  // shorter album addresses are album ids
constexpr std::size_t kShortAnswer = 10;    // a data file this short is a refusal

// The remote call's fixed tails: the album list's (also used for a refused data file) and the one
// made after the user verified access.
constexpr std::u16string_view kListTail =
    u"&c0-param1=string%3A&c0-param2=string%3A&c0-param3=number%3A24881696&c0-param4=boolean%3Afalse"
    u"&batchId=530377";
constexpr std::u16string_view kVerifiedTail =
    u"&c0-param1=string%3A&c0-param2=string%3Afromblog&c0-param3=string%3A24881696"
    u"&c0-param4=boolean%3Afalse&batchId=530377";

std::u16string Photo(std::u16string_view pathAndQuery) {
    return std::u16string(NeteaseHosts::kPhoto) + std::u16string(pathAndQuery);
}

std::u16string Resource(std::u16string_view path) {
    return std::u16string(NeteaseHosts::kResources) + std::u16string(path);
}

// The service's remote call that names an album's data file; param0 is the typed first parameter.
std::u16string RemoteCall(const std::u16string& user, std::u16string_view param0, std::u16string_view tail) {
    return Photo(u"/photo/" + user +
                 u"/dwr/call/plaincall/AlbumBean.getAlbumData.dwr?callCount=1"
                 u"&scriptSessionId=%24%7BscriptSessionId%7D187&c0-scriptName=AlbumBean"
                 u"&c0-methodName=getAlbumData&c0-id=0&c0-param0=" +
                 std::u16string(param0) + std::u16string(tail));
}

bool IsLetterOrDigit(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// The data files give pictures and covers as short paths: "SERVER/path" lies on that numbered
// image server, "/path" on the plain one; "/photo/" paths on the first image domain. The server
// number becomes part of a host name, so anything but letters and digits there gives no address,
// and no text can run on from the host name.
std::u16string ImageAddress(const std::u16string& path) {
    if (path.empty()) {
        return {};
    }
    std::size_t slash = path.find(u'/');
    std::u16string server;
    // A bare file name would run on from the host name.
    std::u16string rest = slash == std::u16string::npos ? u"/" + path : path;
    bool onPhotoDomain = Contains(path, u"/photo/");
    if (slash != std::u16string::npos && slash > 0) {
        server = path.substr(0, slash);
        rest = path.substr(slash);
        onPhotoDomain = ContainsAfterStart(path, u"/photo/");
        for (char16_t c : server) {
            if (!IsLetterOrDigit(c)) {
                return {};
            }
        }
    }
    return std::u16string(NeteaseHosts::kScheme) + std::u16string(NeteaseHosts::kImageLabel) + server +
           std::u16string(onPhotoDomain ? NeteaseHosts::kPhotoImageDomain : NeteaseHosts::kImageDomain) +
           rest;
}

// The data files escape line breaks.
std::u16string Description(std::u16string text) {
    StringCtrl::ReplaceAll(text, u"\\r", u"");
    StringCtrl::ReplaceAll(text, u"\\n", u"\r\n");
    return text;
}

// A non-public album, by its access value: its privacy, its cover, and whether only its id can
// address it (the question album); the others are addressed through the remote call.
void ApplyAccess(const std::u16string& access, ST_PERLISTRECORD& record) {
    if (access == u"2") {
        record.privacy |= 2;
    } else if (access == u"4") {
        record.privacy |= 4;
        if (record.coverUrl.empty()) {
            record.coverUrl = Resource(u"/image/default/fwxhy.gif");
        }
    } else if (access == u"8") {
        record.privacy |= 1;
        if (record.coverUrl.empty()) {
            record.coverUrl = Resource(u"/image/default/fwxqa.gif");
        }
    } else if (access != u"0") {
        record.privacy |= 1;
        record.coverUrl = Resource(u"/photo/image/default/fwxmm.gif");
    }
}

}  // namespace

void NeteasePhotoAdapter::AlbumList(AlbumCall& call, const std::u16string& address) {
    std::u16string page;
    if (!call.FetchNonEmpty(address, TEXT_INFLATE, page)) {
        return;
    }
    std::u16string user = Peek(page, u"photo163HostName:'", u"'");
    if (user.empty()) {
        user = Peek(page, u"hostName : '", u"'");
    }
    if (user.empty()) {
        call.Notice(u"输入网址有误，应该输入相册网址或首页网址");
        return;
    }
    call.SetOwnerName(user);
    // The album-list job turns the owner name into a folder level; the remote calls need the bare
    // name.
    call.Keep<NeteasePhotoUser>().name = user;

    // An album page does not name the album list's data file; the user's own page does.
    std::u16string listFile = Cut(page, u"albumUrl : '", u"'");
    if (listFile.empty()) {
        std::size_t pp = address.find(NeteaseHosts::kPpShortMarker);
        std::u16string userPage = pp != std::u16string::npos && pp > 1
                                      ? std::u16string(NeteaseHosts::kScheme) + user +
                                            std::u16string(NeteaseHosts::kPpMarker) + u"/album/"
                                      : Photo(u"/" + user);
        if (!call.FetchNonEmpty(userPage, TEXT_INFLATE, page)) {
            return;
        }
        listFile = Cut(page, u"albumUrl : '", u"'");
    }

    std::u16string list;
    if (!call.FetchNonEmpty(listFile, TEXT_INFLATE, list)) {
        return;
    }
    std::vector<std::u16string> items = Items(list, u"{id:");
    call.EmitEach(items, [&](std::u16string& item, ST_PERLISTRECORD& album) {
        album.key1 = StringCtrl::LeftOf(item, u",");
        album.name = Cut(item, u"name:'", u"'");
        album.key2 = Description(Cut(item, u"desc:'", u"'"));
        std::u16string access = StringCtrl::Trim(Cut(item, u"au:", u","));
        album.pictureCount = CutNumber(item, u"count:", u",");
        album.coverUrl = ImageAddress(Cut(item, u"curl:'", u"'"));
        album.url = Cut(item, u"purl:'", u"'");
        if (album.pictureCount == 0) {
            album.coverUrl = Resource(u"/image/default/none160.gif");
        }
        if (!album.url.empty()) {
            return true;
        }
        ApplyAccess(access, album);
        if (access == u"8") {
            album.url = album.key1;
            return true;
        }
        // Without the call's answer the album cannot be read: no row.
        std::u16string answer;
        if (!call.FetchNonEmpty(RemoteCall(user, u"number%3A" + album.key1, kListTail),
                                TEXT_INFLATE | TEXT_UTF8, answer)) {
            return false;
        }
        album.url = Peek(answer, u"',\"", u"\");");
        if (album.url.empty()) {
            album.url = album.key1;
        }
        return true;
    });
}

void NeteasePhotoAdapter::PictureList(PictureCall& call) {
    const ST_PERLISTRECORD& album = call.album();
    const std::u16string& user = call.Kept<NeteasePhotoUser>().name;
    const std::u16string scheme(NeteaseHosts::kScheme);
    if (album.url.empty()) {
        call.Notice(u"该相册为非公开,如果该相册为私密相册,登录帐号后重新获取相册列表可下载");
        return;
    }

    std::u16string dataFile;
    std::u16string answer;
    if (album.url.size() < kAddressLength) {
        // Only the album's id is known: the user verifies access on the album's page, after which
        // the remote call names its data file.
        if (!call.AskLogin(u"为非公开相册,是否进行验证？\n\n验证成功后请手动关闭验证框", u"提示",
                           Photo(u"/" + user + u"/list/#aid=" + album.url + u"&m=1&p=1")) ||
            !call.FetchNonEmpty(RemoteCall(user, u"number%3A" + album.url, kVerifiedTail), TEXT_INFLATE,
                                answer)) {
            return;
        }
        dataFile = scheme + Peek(answer, u",\"", u"\"");
        if (!Contains(dataFile, u".js")) {
            return;
        }
    } else {
        dataFile = scheme + album.url;
    }

    std::u16string text;
    if (!call.Fetch(dataFile, TEXT_INFLATE, text)) {
        return;
    }
    // A refusal instead of the data file: the remote call names the file to read instead.
    if (text.size() < kShortAnswer) {
        if (!call.FetchNonEmpty(RemoteCall(user, u"string%3A" + album.key1, kListTail), TEXT_INFLATE,
                                answer)) {
            return;
        }
        dataFile = scheme + Peek(answer, u",\"", u"\"");
        if (!Contains(dataFile, u".js") || !call.FetchNonEmpty(dataFile, TEXT_INFLATE, text)) {
            return;
        }
    }

    for (std::u16string& item : Items(text, u"{id:")) {
        // The largest size the file names.
        std::u16string picture = Cut(item, u"ourl:'", u"'");
        if (picture.empty()) {
            picture = Cut(item, u"murl:'", u"'");
        }
        if (picture.empty()) {
            picture = Cut(item, u"surl:'", u"'");
        }
        if (picture.empty()) {
            continue;
        }
        std::u16string description = call.Describe(Cut(item, u"desc:'", u"'"));
        if (!call.Picture(ImageAddress(picture), description)) {
            return;
        }
    }
}
