#include "sites/TencentWeiboAdapter.h"

#include <vector>

#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"
#include "platform/Clock.h"
#include "sites/Emission.h"
#include "sites/SiteSession.h"
#include "sites/TencentHosts.h"

using namespace StringCtrl;

namespace {

std::u16string ApiAddress(std::u16string_view pathAndQuery) {
    return std::u16string(TencentHosts::kWeiboApi) + std::u16string(pathAndQuery);
}

// The API host's own address as the "apiHost" query value.
std::u16string EncodedApiHost() {
    std::u16string host(TencentHosts::kWeiboApi);
    ReplaceAll(host, u":", u"%3A");
    ReplaceAll(host, u"/", u"%2F");
    return host;
}

// The API answers only pages that come from its proxy page.
void SetHeaders(SiteSession& session) {
    session.SetExtraHeaders(u"Referer: " + ApiAddress(u"/proxy.html"));
}

// The next "content" value of a picture record as plain text, advancing past it.
std::u16string NextContent(std::u16string& piece) {
    return Unslashed(StripTags(UnescapeJson(GetBetween(piece, u"content\":\"", u"\",\"", GB_ADVANCE))));
}

}  // namespace

void TencentWeiboAdapter::AlbumList(const std::u16string& account, JobContext& job) {
    SiteSession session;
    SetHeaders(session);
    std::u16string text;
    std::u16string page =
        std::u16string(TencentHosts::kWeiboSite) + Format(u"/app/qzphoto/%s?preview", {account});
    if (!session.Fetch(page, TEXT_INFLATE | TEXT_UTF8, text) || text.empty()) {
        return;
    }
    // The visitor's page names the account's numeric id after the guest block.
    SkipPast(text, u"MI.App.guest");
    std::u16string uin = GetBetween(text, u"uin\":\"", u"\"", GB_ADVANCE);
    job.siteKey = uin;

    ST_PERLISTRECORD record;
    std::vector<std::u16string> pieces;
    for (int p = 1;; ++p) {
        std::u16string url =
            ApiAddress(
                Format(u"/asyn/gettopicalbum.php?op=1&uin=%s&page=%d&n=12&apiType=14&apiHost=", {uin, p})) +
            EncodedApiHost() + Format(u"&_r=1382084292800&g_tk=%u", {ProcessMilliseconds()});
        if (!session.Fetch(url, TEXT_INFLATE | TEXT_UTF8, text) || text.empty()) {
            return;
        }
        if (Split(text, u"\"num\"", pieces) == 0) {
            return;
        }
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            std::u16string& piece = pieces[i];
            int count = DecimalValue(GetBetween(piece, u":", u",", GB_ADVANCE));
            std::u16string name = UnescapeJson(GetBetween(piece, u"name\":\"", u"\",\"", GB_ADVANCE));
            // Albums of a kind (not of a topic) are addressed by their type and give no count.
            std::u16string address = GetBetween(piece, u"\"type\":\"", u"\"", GB_ADVANCE);
            if (!address.empty()) {
                count = -1;
            } else {
                address = GetBetween(piece, u"\"topicid\":\"", u"\"", GB_ADVANCE);
            }
            if (address.empty() || name.empty()) {
                continue;
            }
            record.name = name;
            record.url = address;
            record.coverUrl = Unslashed(GetBetween(piece, u"image\":[\"", u"\"", GB_ADVANCE)) + u"/240";
            record.pictureCount = count;
            EmitAlbum(record, job);
            if (ListStopped(job)) {
                return;
            }
        }
    }
}

void TencentWeiboAdapter::PictureList(JobContext& job, int albumIndex) {
    const std::optional<ST_PERLISTRECORD> record = job.albums.CopyOf(albumIndex);
    if (!record) {
        return;
    }
    const std::u16string topic = record->url;
    const std::u16string albumName = record->name;

    SiteSession session;
    SetHeaders(session);
    // Later pages are asked for from the last picture of the page before.
    std::u16string pagingSuffix;
    std::vector<std::u16string> pieces;
    for (int p = 1;; ++p) {
        std::u16string url =
            ApiAddress(
                Format(u"/asyn/gettopicalbum.php?op=2&uin=%s&page=%d&n=24&topicid=%s&apiType=14&apiHost=",
                       {job.siteKey, p, topic})) +
            EncodedApiHost() + u"&_r=1382325110273&g_tk=6093172";
        if (p >= 2) {
            url += pagingSuffix;
        }
        std::u16string text;
        if (!session.Fetch(url, TEXT_INFLATE | TEXT_UTF8, text) || text.empty()) {
            return;
        }
        if (Split(text, u"{\"id\":\"", pieces) == 0) {
            return;
        }
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            std::u16string& piece = pieces[i];
            std::u16string description = NextContent(piece);
            std::u16string image = Unslashed(GetBetween(piece, u"image\":[\"", u"\"", GB_ADVANCE)) + u"/2000";
            pagingSuffix = Format(u"&time=%s&r=%u&u=%s", {GetBetween(piece, u"realtime\":", u",", GB_ADVANCE),
                                                          ProcessMilliseconds(), job.extraKey});
            // A repost carries its text in the second "content".
            if (description.empty()) {
                description = NextContent(piece);
            }
            if (description.empty()) {
                description = albumName;
            }
            EmitPicture(job, image, description, u"", albumIndex);
            if (PicturesStopped(job)) {
                return;
            }
        }
    }
}
