// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/baidu/BaiduAlbumAdapter.h"

#include <unordered_set>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "sites/baidu/BaiduHosts.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;
using StringCtrl::RandomFraction;
using StringCtrl::ReplaceAll;

namespace {

constexpr unsigned kText = TEXT_INFLATE | TEXT_UTF8;

std::u16string AlbumService(std::u16string_view pathAndQuery) {
    return std::u16string(BaiduHosts::kAlbumService) + std::u16string(pathAndQuery);
}

// The user's page holds the phone-upload album in a script block, with JSON pairs among the
// script's own; written as script pairs they are all cut alike. False when the list was stopped.
bool EmitPhoneAlbum(AlbumCall& call, std::u16string page) {
    StringCtrl::SkipPast(page, u"mobileAlbum:");
    StringCtrl::CutAt(page, u"userAlbumList");
    ReplaceAll(page, u"\":\"", u": '");
    ReplaceAll(page, u"\",\"", u"',");
    std::vector<std::u16string> items = Items(page, u"create_time:");
    return call.EmitEach(items, [](std::u16string& item, ST_PERLISTRECORD& album) {
        album.name = Cut(item, u"album_name: '", u"'");
        if (Contains(album.name, u"\\u")) {
            album.name = StringCtrl::UnescapeJson(album.name);
        }
        album.url = Cut(item, u"album_sign: '", u"'");
        if (album.url.empty()) {
            return false;
        }
        album.pictureCount = CutNumber(item, u"album_picture_total: '", u"'");
        album.coverUrl = Unslashed(Cut(item, u"picture_cover: '", u"'"));
        album.url = Unslashed(album.url);
        return true;
    });
}

// "http://host/album/s=80/sign=x/NAME" is the thumbnail of "http://host/album/pic/item/NAME".
std::u16string FullSizeAddress(const std::u16string& thumbnail) {
    std::u16string address = thumbnail;
    StringCtrl::CutAt(address, u"album");
    std::size_t lastSlash = thumbnail.rfind(u'/');
    return address + u"album/pic/item" +
           (lastSlash == std::u16string::npos ? u"" : thumbnail.substr(lastSlash));
}

}  // namespace

void BaiduAlbumAdapter::AlbumList(AlbumCall& call, const std::u16string& user) {
    // The user's page goes on long after the albums; reading stops at the feedback link.
    call.session.request.cutEnd = "id=\"feedback\"";
    std::u16string page;
    if (!call.FetchNonEmpty(AlbumService(Format(u"/u/%s", {user})), kText, page)) {
        return;
    }
    call.SetOwnerName(user);
    if (!EmitPhoneAlbum(call, page)) {
        return;
    }

    // The list service answers the albums after the sign it is given: the last album listed names
    // the next request. A service that ignores the sign answers the same albums again: those are
    // not listed twice, and a page that lists no new album ends the list.
    std::unordered_set<std::u16string> listed;
    ForEachPage(
        call, {.separator = u"\"picture_cover", .byCursor = true},
        [&](const Page& page) {
            return AlbumService(Format(u"/album/list/%s?size=2000&album_type=0&album_sign=%s&_=%s",
                                       {user, page.cursor, RandomFraction()}));
        },
        [&](std::u16string& item, Page& page) {
            ST_PERLISTRECORD album;
            album.coverUrl = Unslashed(Cut(item, u":\"", u"\""));
            album.name = StringCtrl::UnescapeJson(Cut(item, u"album_name\":\"", u"\""));
            album.url = Cut(item, u"album_sign\":\"", u"\"");
            if (album.url.empty()) {
                return true;
            }
            album.pictureCount = CutNumber(item, u"picture_total\":", u"\"");
            album.url = Unslashed(album.url);
            if (!listed.insert(album.url).second) {
                return true;
            }
            if (!call.Album(album)) {
                return false;
            }
            page.next = album.url;
            return true;
        });
}

void BaiduAlbumAdapter::PictureList(PictureCall& call) {
    const ST_PERLISTRECORD& album = call.album();
    // pn counts the records of the answers before. Every request is built anew with its own t, the
    // first page's second one after a verification too.
    auto pictures = [&](const Page& page) {
        return AlbumService(
            Format(u"/picture/album/list/%s?format=json&size=100&pn=%d&width=80&t=%s&resolution=1280",
                   {album.url, page.offset, RandomFraction()}));
    };
    // The album's count, when it has one, ends the list once that many came.
    ForEachPage(
        call, {.separator = u"picture_name", .totalItems = album.pictureCount}, pictures,
        [&](std::u16string& item) {
            std::u16string description = call.Describe(StringCtrl::UnescapeJson(Cut(item, u"\":\"", u"\"")));
            std::u16string image = Unslashed(Cut(item, u"img_src\":\"", u"\""));
            // Without its thumbnail there is no picture to name.
            if (image.empty()) {
                return true;
            }
            return call.Picture(FullSizeAddress(image), description);
        },
        [&](Page& page) {
            // An album that should hold pictures but answers nothing at first is protected: the user
            // is asked once to verify in the login browser, and the first page is asked again.
            if (page.offset != 0 || album.pictureCount == 0 || Contains(page.text, page.separator)) {
                return true;
            }
            return call.FetchAfterLogin(u"为非公开相册,是否进行验证？\n\n验证成功后请手动关闭验证框", u"提示",
                                        AlbumService(u"/picture/album/list/" + album.url), pictures(page),
                                        kText, page.text);
        });
}
