#include "sites/QqGroupAdapter.h"

#include <cstdint>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"
#include "sites/Emission.h"
#include "sites/SiteSession.h"
#include "sites/TencentCookies.h"
#include "sites/TencentHosts.h"

using namespace StringCtrl;

namespace {

constexpr int kAlbumPageSize = 12;
constexpr int kPhotoPageSize = 500;

std::u16string PhotoService(std::u16string_view pathAndQuery) {
    return std::u16string(TencentHosts::kQqGroupPhotoService) + std::u16string(pathAndQuery);
}

}  // namespace

void QqGroupAdapter::AlbumList(const std::u16string& group, JobContext& job) {
    SiteSession session;
    std::u16string cookies = TencentCookies::Text(TencentHosts::kQqGroupSiteUrl);
    std::uint32_t token = TencentCookies::Token(cookies);
    // The group site keeps the user's number as "o" and the number padded with zeros; the service
    // wants it with one zero less.
    std::u16string own = GetBetween(cookies, u"guin=o", u";", GB_ADVANCE);
    if (!own.empty() && own[0] == u'0') {
        own.erase(0, 1);
    }
    job.siteKey = own;

    ST_PERLISTRECORD record;
    std::vector<std::u16string> pieces;
    for (int start = 0;; start += kAlbumPageSize) {
        std::u16string url = PhotoService(
            Format(u"/cgi-bin/upp/qun_list_album_v2?qunId=%s&uin=%s&hostUin=%s&start=%d&num=12&userInfo=1"
                   u"&format=jsonp&platform=qzone&inCharset=utf-8&outCharset=utf-8&source=jsapi&g_tk=%u",
                   {group, own, own, start, token}));
        std::u16string text;
        if (!session.Fetch(url, TEXT_INFLATE | TEXT_UTF8, text) || text.empty()) {
            return;
        }
        // Not a member, or not logged in: the job's help message tells the user what to do.
        std::size_t refused = text.find(u"message\":\"对不起，您尚未登录");
        if (refused != std::u16string::npos && refused > 0) {
            return;
        }
        if (Split(text, u"\"coverurl\" : \"", pieces) == 0) {
            return;
        }
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            std::u16string& piece = pieces[i];
            std::u16string cover = LeftOf(piece, u"\"");
            cover = Unslashed(cover);
            std::u16string id = GetBetween(piece, u"\"id\" : \"", u"\"");
            std::u16string title = GetBetween(piece, u"\"title\" : \"", u"\"");
            if (title.empty()) {
                continue;
            }
            record.name = title;
            record.url = Format(u"qunId=%s&albumId=%s&uin=%s&g_tk=%u", {group, id, own, token});
            record.coverUrl = cover;
            record.pictureCount = DecimalValue(GetBetween(piece, u"\"photocnt\" :", u","));
            EmitAlbum(record, job);
            if (ListStopped(job)) {
                return;
            }
        }
    }
}

void QqGroupAdapter::PictureList(JobContext& job, int albumIndex) {
    const std::optional<ST_PERLISTRECORD> record = job.albums.CopyOf(albumIndex);
    if (!record) {
        return;
    }
    const std::u16string albumUrl = record->url;

    SiteSession session;
    std::vector<std::u16string> pieces;
    for (int start = 0;; start += kPhotoPageSize) {
        std::u16string url =
            PhotoService(Format(u"/cgi-bin/upp/qun_list_photo_v2?getCommentCnt=5&format=jsonp&platform=qzone"
                                u"&inCharset=utf-8&outCharset=utf-8&source=jsapi&%s&t=%s&start=%d&num=500",
                                {albumUrl, RandomFraction(), start}));
        std::u16string text;
        if (!session.Fetch(url, TEXT_INFLATE | TEXT_UTF8, text) || text.empty()) {
            return;
        }
        if (Split(text, u"\"bheight\"", pieces) == 0) {
            return;
        }
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            std::u16string& piece = pieces[i];
            // The largest picture the record names; the thumbnail sizes in its path become the
            // full or the 800-pixel picture.
            std::u16string address = GetBetween(piece, u"\"rawurl\" : \"", u"\"");
            if (address.empty()) {
                address = GetBetween(piece, u"\"hdurl\" : \"", u"\"");
            }
            if (address.empty()) {
                address = GetBetween(piece, u"\"burl\" : \"", u"\"") + u"/800";
            }
            address = Unslashed(address);
            ReplaceAll(address, u"/200/", u"/");
            ReplaceAll(address, u"/200?", u"/800?");
            std::u16string description = GetBetween(piece, u"\"name\" : \"", u"\"");
            EmitPicture(job, address, description, u"", albumIndex);
            if (PicturesStopped(job)) {
                return;
            }
        }
    }
}
