// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/sina/SinaWeiboAdapter.h"

#include <chrono>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "MyCode/URLSource2.h"
#include "download/Naming.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"
#include "sites/sina/SinaHosts.h"
#include "sites/sina/SinaUser.h"

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
    if (!call.FetchNonEmpty(address, kText, page)) {
        return;
    }
    std::u16string user;
    std::u16string nickname;
    ReadUser(page, user, nickname);
    call.Keep<SinaUser>().userId = user;
    CleanName(nickname, true);
    call.SetOwnerName(nickname);
    if (user.empty()) {
        return;
    }

    std::u16string list;
    if (!call.FetchNonEmpty(WeiboPhoto(Format(u"/albums/get_all?uid=%s&count=65535", {user})), kText, list)) {
        return;
    }
    std::vector<std::u16string> items = Items(list, u"\"album_id\":\"");
    call.EmitEach(items, [&user](std::u16string& item, ST_PERLISTRECORD& album) {
        const std::u16string id = StringCtrl::LeftOf(item, u"\",");
        if (id.empty()) {
            return false;
        }
        const std::u16string type = Cut(item, u"type\":", u",");
        album.url = WeiboPhoto(
            Format(u"/photos/get_all?uid=%s&album_id=%s&count=32&type=%s&page=", {user, id, type}));
        album.name = StringCtrl::UnescapeJson(Cut(item, u"\"caption\":\"", u"\""));
        album.coverUrl = Unslashed(Cut(item, u"cover_pic\":\"", u"\""));
        album.pictureCount = CutNumber(item, u"\"photos\":", u",");
        return true;
    });
}

void SinaWeiboAdapter::PictureList(PictureCall& call) {
    const std::u16string& user = call.Kept<SinaUser>().userId;
    call.session.SetExtraHeaders(u"Referer: " +
                                 WeiboPhoto(Format(u"/%s/talbum/index?from=profile_wb", {user})));
    const int expectedPages = (call.album().pictureCount + kPageSize - 1) / kPageSize;
    // Weibo refuses a page now and then: it is asked for once more, then passed over. The mark of
    // an asked-again page holds until a page is passed over, so a page that came on its second try
    // leaves the next empty one passed over at once.
    bool retried = false;
    int emptyPages = 0;
    ForEachPage(
        call, {.separator = u"photo_id\":"},
        [&](int page) {
            return Format(u"%s%d&_rnd=%s", {call.album().url, page, StringCtrl::RandomFraction()});
        },
        [&](std::u16string& item) {
            emptyPages = 0;
            std::u16string description = call.Describe(
                StringCtrl::StripTags(StringCtrl::UnescapeJson(Peek(item, u"\"caption\":\"", u"\",\""))));
            return call.Picture(PictureAddress(item, user), description);
        },
        [&](Page& page) {
            call.Dump(u"sinawb.tmp", page.text);
            return true;
        },
        [&](Page& page) {
            if (page.number >= expectedPages) {
                return false;
            }
            if (!retried) {
                retried = true;
                page.again = true;
                return call.Wait(3000ms);
            }
            retried = false;
            // The count is the server's word; pages that stay empty mean it was wrong.
            return ++emptyPages < kEmptyPagesInARow && call.Wait(1500ms);
        });
}
