#include "sites/sina/SinaWeiboAdapter.h"

#include <chrono>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "MyCode/URLSource2.h"
#include "core/JobContext.h"
#include "download/Naming.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/PageGuard.h"
#include "sites/kit/PictureCall.h"
#include "sites/sina/SinaHosts.h"

using namespace Fields;
using namespace std::chrono_literals;
using StringCtrl::Format;

namespace {

constexpr unsigned kText = TEXT_INFLATE | TEXT_UTF8;
constexpr int kPageSize = 32;
// Pages that still come back empty after their second try; this many in a row end the album.
constexpr int kEmptyPagesInARow = 2;

std::u16string WeiboPhoto(std::u16string_view pathAndQuery) {
    return std::u16string(SinaHosts::kWeiboPhoto) + std::u16string(pathAndQuery);
}

// The user's id and nickname from the page's script settings, or from its JSON when it has none.
void ReadUser(std::u16string& page, std::u16string& user, std::u16string& nickname) {
    if (ContainsAfterStart(page, u"['oid'] = '")) {
        user = Cut(page, u"['oid'] = '", u"'");
        nickname = Cut(page, u"['onick'] = '", u"'");
    } else if (ContainsAfterStart(page, u"['oid']='")) {
        user = Cut(page, u"['oid']='", u"'");
        nickname = Cut(page, u"['onick']='", u"'");
    } else {
        user = Cut(page, u"\"id\":", u",");
        nickname = Cut(page, u"\"name\":\"", u"\"");
    }
}

// A picture record's address: its original, or one built from its host and name.
std::u16string PictureAddress(std::u16string& item, const std::u16string& user) {
    std::u16string address = Cut(item, u"original_pic\":\"", u"\"");
    if (address.empty()) {
        const std::u16string type = Peek(item, u"pic_type\":", u",");
        const std::u16string name = Peek(item, u"pic_name\":\"", u"\"");
        const std::u16string host = Peek(item, u"pic_host\":\"", u"\"");
        address = type == u"0" ? host + user + u"/180/" + name : host + u"/large/" + name;
    }
    return Unslashed(address);
}

}  // namespace

void SinaWeiboAdapter::AlbumList(AlbumCall& call, const std::u16string& address) {
    call.session.SetExtraHeaders(u"cookie: " + GetUrlCookie(std::u16string(SinaHosts::kWeibo) + u"/"));
    std::u16string page;
    if (!call.Fetch(address, kText, page) || page.empty()) {
        return;
    }
    std::u16string user;
    std::u16string nickname;
    ReadUser(page, user, nickname);
    call.job.list.siteKey = user;
    CleanName(nickname, true);
    call.job.list.ownerName = nickname;
    if (user.empty()) {
        return;
    }

    std::u16string list;
    if (!call.Fetch(WeiboPhoto(Format(u"/albums/get_all?uid=%s&count=65535", {user})), kText, list) ||
        list.empty()) {
        return;
    }
    ST_PERLISTRECORD record;
    for (std::u16string& item : Items(list, u"\"album_id\":\"")) {
        const std::u16string album = StringCtrl::LeftOf(item, u"\",");
        if (album.empty()) {
            continue;
        }
        const std::u16string type = Cut(item, u"type\":", u",");
        record.url = WeiboPhoto(
            Format(u"/photos/get_all?uid=%s&album_id=%s&count=32&type=%s&page=", {user, album, type}));
        record.name = StringCtrl::UnescapeJson(Cut(item, u"\"caption\":\"", u"\""));
        record.coverUrl = Unslashed(Cut(item, u"cover_pic\":\"", u"\""));
        record.pictureCount = CutNumber(item, u"\"photos\":", u",");
        record.privacy = 0;
        if (!call.Album(record)) {
            return;
        }
    }
}

void SinaWeiboAdapter::PictureList(PictureCall& call) {
    const std::u16string& user = call.job.list.siteKey;
    call.session.SetExtraHeaders(u"Referer: " +
                                 WeiboPhoto(Format(u"/%s/talbum/index?from=profile_wb", {user})));
    const int expectedPages = (call.album().pictureCount + kPageSize - 1) / kPageSize;
    PageGuard guard;
    bool retried = false;
    int emptyPages = 0;
    for (int n = 1;; ++n) {
        std::u16string text;
        if (!call.Fetch(Format(u"%s%d&_rnd=%s", {call.album().url, n, StringCtrl::RandomFraction()}), kText,
                        text)) {
            return;
        }
        call.Dump(u"sinawb.tmp", text);
        if (text.empty()) {
            return;
        }
        std::vector<std::u16string> items = Items(text, u"photo_id\":");
        if (items.empty()) {
            if (n >= expectedPages) {
                return;
            }
            // Weibo refuses a page now and then: it is asked for once more, then passed over.
            if (!retried) {
                if (!call.Wait(3000ms)) {
                    return;
                }
                retried = true;
                --n;
                continue;
            }
            retried = false;
            // The count is the server's word; pages that stay empty mean it was wrong.
            if (++emptyPages >= kEmptyPagesInARow || !call.Wait(1500ms)) {
                return;
            }
            continue;
        }
        emptyPages = 0;
        if (!guard.Admit(items, text)) {
            return;
        }
        for (std::u16string& item : items) {
            std::u16string description =
                StringCtrl::StripTags(StringCtrl::UnescapeJson(Peek(item, u"\"caption\":\"", u"\",\"")));
            if (description.empty()) {
                description = call.album().name;
            }
            if (!call.Picture(PictureAddress(item, user), description)) {
                return;
            }
        }
        if (call.Stopped()) {
            return;
        }
    }
}
