#include "sites/baidu/BaiduAlbumAdapter.h"

#include <unordered_set>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"
#include "sites/baidu/BaiduHosts.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/PageGuard.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;
using StringCtrl::RandomFraction;
using StringCtrl::ReplaceAll;

namespace {

std::u16string AlbumService(std::u16string_view pathAndQuery) {
    return std::u16string(BaiduHosts::kAlbumService) + std::u16string(pathAndQuery);
}

// The user's page holds the phone-upload album in a script block, with JSON pairs among the
// script's own; written as script pairs they are all cut alike. False when the list was stopped.
bool EmitPhoneAlbum(AlbumCall& call, std::u16string page, ST_PERLISTRECORD& record) {
    StringCtrl::SkipPast(page, u"mobileAlbum:");
    StringCtrl::CutAt(page, u"userAlbumList");
    ReplaceAll(page, u"\":\"", u": '");
    ReplaceAll(page, u"\",\"", u"',");
    for (std::u16string& item : Items(page, u"create_time:")) {
        record.privacy = 0;
        record.name = Cut(item, u"album_name: '", u"'");
        if (Contains(record.name, u"\\u")) {
            record.name = StringCtrl::UnescapeJson(record.name);
        }
        record.url = Cut(item, u"album_sign: '", u"'");
        if (record.url.empty()) {
            continue;
        }
        record.pictureCount = CutNumber(item, u"album_picture_total: '", u"'");
        record.coverUrl = Unslashed(Cut(item, u"picture_cover: '", u"'"));
        record.url = Unslashed(record.url);
        if (!call.Album(record)) {
            return false;
        }
    }
    return true;
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
    if (!call.Fetch(AlbumService(Format(u"/u/%s", {user})), TEXT_INFLATE | TEXT_UTF8, page) || page.empty()) {
        return;
    }
    call.job.list.ownerName = user;

    ST_PERLISTRECORD record;
    if (!EmitPhoneAlbum(call, page, record)) {
        return;
    }

    // The list service answers the albums after the sign it is given. A service that ignores the
    // sign answers the same albums again: those are not listed twice, and a page that brings no new
    // sign ends the list.
    std::u16string lastSign;
    std::unordered_set<std::u16string> listed;
    for (;;) {
        std::u16string text;
        if (!call.Fetch(AlbumService(Format(u"/album/list/%s?size=2000&album_type=0&album_sign=%s&_=%s",
                                            {user, lastSign, RandomFraction()})),
                        TEXT_INFLATE | TEXT_UTF8, text) ||
            text.empty()) {
            return;
        }
        std::vector<std::u16string> items = Items(text, u"\"picture_cover");
        if (items.empty()) {
            return;
        }
        const std::u16string signBefore = lastSign;
        for (std::u16string& item : items) {
            record.privacy = 0;
            record.coverUrl = Unslashed(Cut(item, u":\"", u"\""));
            record.name = StringCtrl::UnescapeJson(Cut(item, u"album_name\":\"", u"\""));
            record.url = Cut(item, u"album_sign\":\"", u"\"");
            if (record.url.empty()) {
                continue;
            }
            record.pictureCount = CutNumber(item, u"picture_total\":", u"\"");
            record.url = Unslashed(record.url);
            if (!listed.insert(record.url).second) {
                continue;
            }
            if (!call.Album(record)) {
                return;
            }
            lastSign = record.url;
        }
        if (lastSign == signBefore) {
            return;
        }
    }
}

void BaiduAlbumAdapter::PictureList(PictureCall& call) {
    const ST_PERLISTRECORD& album = call.album();
    // An album that should hold pictures but answers nothing at first is protected: the user is
    // asked once to verify in the login browser.
    bool mayVerify = true;
    int pn = 0;
    PageGuard guard;
    for (;;) {
        std::u16string text;
        if (!call.Fetch(
                AlbumService(
                    Format(u"/picture/album/list/%s?format=json&size=100&pn=%d&width=80&t=%s&resolution=1280",
                           {album.url, pn, RandomFraction()})),
                TEXT_INFLATE | TEXT_UTF8, text) ||
            text.empty()) {
            return;
        }
        std::vector<std::u16string> items = Items(text, u"picture_name");
        if (items.empty()) {
            if (album.pictureCount == 0 || pn != 0 || !mayVerify) {
                return;
            }
            if (!call.Ask(u"为非公开相册,是否进行验证？\n\n验证成功后请手动关闭验证框", u"提示")) {
                return;
            }
            call.Login(AlbumService(u"/picture/album/list/" + album.url));
            mayVerify = false;
            continue;
        }
        // A service that ignores pn answers the first page again.
        if (!guard.Admit(items, text)) {
            return;
        }
        pn += static_cast<int>(items.size());
        for (std::u16string& item : items) {
            std::u16string description = StringCtrl::UnescapeJson(Cut(item, u"\":\"", u"\""));
            if (description.empty()) {
                description = album.name;
            }
            std::u16string image = Unslashed(Cut(item, u"img_src\":\"", u"\""));
            // Without its thumbnail there is no picture to name.
            if (image.empty()) {
                continue;
            }
            if (!call.Picture(FullSizeAddress(image), description)) {
                return;
            }
        }
        if (album.pictureCount > 0 && pn >= album.pictureCount) {
            return;
        }
    }
}
