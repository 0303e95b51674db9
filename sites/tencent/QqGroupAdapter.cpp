// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/tencent/QqGroupAdapter.h"

#include <cstdint>

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"
#include "sites/tencent/QqGroupMember.h"
#include "sites/tencent/TencentCookies.h"
#include "sites/tencent/TencentHosts.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

constexpr int kAlbumPageSize = 12;
constexpr int kPhotoPageSize = 500;

std::u16string PhotoService(std::u16string_view pathAndQuery) {
    return std::u16string(TencentHosts::kQqGroupPhotoService) + std::u16string(pathAndQuery);
}

}  // namespace

void QqGroupAdapter::AlbumList(AlbumCall& call, const std::u16string& group) {
    std::u16string cookies = TencentCookies::Text(TencentHosts::kQqGroupSiteUrl);
    const std::uint32_t token = TencentCookies::Token(cookies);
    // The group site keeps the user's number as "o" and the number padded with zeros; the service
    // wants it with one zero less.
    std::u16string own = Cut(cookies, u"guin=o", u";");
    if (!own.empty() && own[0] == u'0') {
        own.erase(0, 1);
    }
    call.Keep<QqGroupMember>().qqNumber = own;

    ForEachAlbumPage(
        call, {.separator = u"\"coverurl\" : \"", .textFlags = TEXT_INFLATE | TEXT_UTF8},
        [&](int page) {
            return PhotoService(
                Format(u"/cgi-bin/upp/qun_list_album_v2?qunId=%s&uin=%s&hostUin=%s&start=%d&num=12&userInfo=1"
                       u"&format=jsonp&platform=qzone&inCharset=utf-8&outCharset=utf-8&source=jsapi&g_tk=%u",
                       {group, own, own, kAlbumPageSize * (page - 1), token}));
        },
        [&](std::u16string& item, ST_PERLISTRECORD& album) {
            album.name = Peek(item, u"\"title\" : \"", u"\"");
            if (album.name.empty()) {
                return false;
            }
            album.coverUrl = Unslashed(StringCtrl::LeftOf(item, u"\""));
            album.url = Format(u"qunId=%s&albumId=%s&uin=%s&g_tk=%u",
                               {group, Peek(item, u"\"id\" : \"", u"\""), own, token});
            album.pictureCount = PeekNumber(item, u"\"photocnt\" :", u",");
            return true;
        },
        // Not a member, or not logged in: the job's help message tells the user what to do.
        [](Page& page) { return !ContainsAfterStart(page.text, u"message\":\"对不起，您尚未登录"); });
}

void QqGroupAdapter::PictureList(PictureCall& call) {
    ForEachPage(
        call, {.separator = u"\"bheight\"", .textFlags = TEXT_INFLATE | TEXT_UTF8},
        [&](int page) {
            return PhotoService(
                Format(u"/cgi-bin/upp/qun_list_photo_v2?getCommentCnt=5&format=jsonp&platform=qzone"
                       u"&inCharset=utf-8&outCharset=utf-8&source=jsapi&%s&t=%s&start=%d&num=500",
                       {call.album().url, StringCtrl::RandomFraction(), kPhotoPageSize * (page - 1)}));
        },
        [&](std::u16string& item) {
            // The largest picture the record names; the thumbnail sizes in its path become the full
            // or the 800-pixel picture.
            std::u16string address = Peek(item, u"\"rawurl\" : \"", u"\"");
            if (address.empty()) {
                address = Peek(item, u"\"hdurl\" : \"", u"\"");
            }
            if (address.empty()) {
                address = Peek(item, u"\"burl\" : \"", u"\"") + u"/800";
            }
            address = Unslashed(address);
            StringCtrl::ReplaceAll(address, u"/200/", u"/");
            StringCtrl::ReplaceAll(address, u"/200?", u"/800?");
            return call.Picture(address, Peek(item, u"\"name\" : \"", u"\""));
        });
}
