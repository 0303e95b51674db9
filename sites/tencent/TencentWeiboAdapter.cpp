// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/tencent/TencentWeiboAdapter.h"

#include "MyCode/StringCtrl.h"
#include "platform/Clock.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"
#include "sites/tencent/TencentHosts.h"
#include "sites/tencent/TencentWeiboAccount.h"

using namespace Fields;
using StringCtrl::Format;
using StringCtrl::UnescapeJson;

namespace {

std::u16string ApiAddress(std::u16string_view pathAndQuery) {
    return std::u16string(TencentHosts::kWeiboApi) + std::u16string(pathAndQuery);
}

// The API host's own address as the "apiHost" query value.
std::u16string EncodedApiHost() {
    std::u16string host(TencentHosts::kWeiboApi);
    StringCtrl::ReplaceAll(host, u":", u"%3A");
    StringCtrl::ReplaceAll(host, u"/", u"%2F");
    return host;
}

// The API answers only pages that come from its proxy page.
void SetHeaders(SiteCall& call) {
    call.session.SetExtraHeaders(u"Referer: " + ApiAddress(u"/proxy.html"));
}

// The next "content" value of a picture record as plain text, advancing past it.
std::u16string NextContent(std::u16string& item) {
    return Unslashed(StringCtrl::StripTags(UnescapeJson(Cut(item, u"content\":\"", u"\",\""))));
}

}  // namespace

void TencentWeiboAdapter::AlbumList(AlbumCall& call, const std::u16string& account) {
    SetHeaders(call);
    std::u16string text;
    if (!call.FetchNonEmpty(
            std::u16string(TencentHosts::kWeiboSite) + Format(u"/app/qzphoto/%s?preview", {account}),
            TEXT_INFLATE | TEXT_UTF8, text)) {
        return;
    }
    // The visitor's page names the account's numeric id after the guest block.
    StringCtrl::SkipPast(text, u"MI.App.guest");
    const std::u16string uin = Cut(text, u"uin\":\"", u"\"");
    call.Keep<TencentWeiboAccount>().userId = uin;

    ForEachAlbumPage(
        call, {.separator = u"\"num\""},
        [&](int page) {
            return ApiAddress(Format(u"/asyn/gettopicalbum.php?op=1&uin=%s&page=%d&n=12&apiType=14&apiHost=",
                                     {uin, page})) +
                   EncodedApiHost() + Format(u"&_r=1382084292800&g_tk=%u", {ProcessMilliseconds()});
        },
        [&](std::u16string& item, ST_PERLISTRECORD& album) {
            album.pictureCount = CutNumber(item, u":", u",");
            album.name = UnescapeJson(Cut(item, u"name\":\"", u"\",\""));
            // Albums of a kind (not of a topic) are addressed by their type and give no count.
            album.url = Cut(item, u"\"type\":\"", u"\"");
            if (!album.url.empty()) {
                album.pictureCount = -1;
            } else {
                album.url = Cut(item, u"\"topicid\":\"", u"\"");
            }
            if (album.url.empty() || album.name.empty()) {
                return false;
            }
            album.coverUrl = Unslashed(Cut(item, u"image\":[\"", u"\"")) + u"/240";
            return true;
        });
}

void TencentWeiboAdapter::PictureList(PictureCall& call) {
    SetHeaders(call);
    const TencentWeiboAccount& account = call.Kept<TencentWeiboAccount>();
    // Later pages are asked for from the last picture of the page before.
    std::u16string pagingSuffix;
    ForEachPage(
        call, {.separator = u"{\"id\":\""},
        [&](int page) {
            return ApiAddress(Format(u"/asyn/gettopicalbum.php?op=2&uin=%s&page=%d&n=24&topicid=%s&apiType=14"
                                     u"&apiHost=",
                                     {account.userId, page, call.album().url})) +
                   EncodedApiHost() + u"&_r=1382325110273&g_tk=6093172" + (page >= 2 ? pagingSuffix : u"");
        },
        [&](std::u16string& item) {
            std::u16string description = NextContent(item);
            std::u16string image = Unslashed(Cut(item, u"image\":[\"", u"\"")) + u"/2000";
            pagingSuffix = Format(u"&time=%s&r=%u&u=%s",
                                  {Cut(item, u"realtime\":", u","), ProcessMilliseconds(), account.name});
            // A repost carries its text in the second "content".
            if (description.empty()) {
                description = NextContent(item);
            }
            return call.Picture(image, call.Describe(description));
        });
}
