// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/portals/Site51Adapter.h"

#include <string>
#include <utility>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "core/NamingSettings.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"
#include "sites/portals/PortalHosts.h"
#include "sites/portals/PortalUser.h"

using namespace Fields;
using StringCtrl::Format;
using StringCtrl::UnescapeJson;

namespace {

constexpr std::u16string_view kTryLater = u"请稍候再试";
constexpr std::u16string_view kRecord = u"\"id\":\"";

std::u16string Home(std::u16string_view pathAndQuery) {
    return std::u16string(PortalHosts::k51Home) + std::u16string(pathAndQuery);
}

// The service's busy answer is retried, 3 times, 10 seconds apart.
void RetryBusyAnswers(SiteCall& call) {
    call.session.request.retryMarker = StringCtrl::ToGbk(kTryLater);
    call.session.request.attempts = 3;
    call.session.request.retryPauseSec = 10;
    call.session.request.sendTimeoutMs = 15000;
}

// A busy answer that got through all the same is shown as it is.
void ShowWhenBusy(SiteCall& call, std::u16string_view text) {
    if (ContainsAfterStart(text, kTryLater)) {
        call.Notice(text);
    }
}

// Picture titles are cut short with ".."; the photo page has the whole one.
std::u16string FullTitle(PictureCall& call, std::u16string& item) {
    std::u16string text;
    if (!call.Fetch(Home(Unslashed(Cut(item, u"url\":\"", u"\""))), TEXT_INFLATE, text)) {
        return {};
    }
    ShowWhenBusy(call, text);
    return Cut(text, u"\"photo_view_title\">", u"</");
}

}  // namespace

void Site51Adapter::AlbumList(AlbumCall& call, const std::u16string& user) {
    RetryBusyAnswers(call);
    call.Keep<PortalUser>().userName = user;
    std::u16string text;
    if (!call.FetchNonEmpty(Home(Format(u"/?u=%s&c=photo&a=getdata&gid=0&total=0", {user})), TEXT_INFLATE,
                            text)) {
        return;
    }
    ShowWhenBusy(call, text);
    StringCtrl::CutAt(text, u"}]");
    std::vector<std::u16string> items = Items(text, kRecord);
    call.EmitEach(items, [](std::u16string& item, ST_PERLISTRECORD& album) {
        album.url = StringCtrl::LeftOf(item, u"\"");
        album.name = UnescapeJson(Cut(item, u"name\":\"", u"\""));
        if (album.name.empty()) {
            return false;
        }
        // "hide" 2 is an album behind a password.
        if (Cut(item, u"hide\":\"", u"\"") == u"2") {
            album.privacy = 1;
        }
        album.pictureCount = CutNumber(item, u"count\":\"", u"\"");
        return true;
    });
}

void Site51Adapter::PictureList(PictureCall& call) {
    RetryBusyAnswers(call);
    const ST_PERLISTRECORD& album = call.album();
    const std::u16string& user = call.Kept<PortalUser>().userName;
    const bool namedByDescription = call.Naming().baseName == BASE_DESCRIPTION;
    // The service pages on past the album's end with empty answers; the album's count ends it
    // sooner where the list gave one.
    int listed = 0;
    ForEachPage(
        call, {.separator = kRecord, .textFlags = TEXT_INFLATE},
        [&](int page) {
            return Home(Format(u"/?u=%s&c=photo&a=getdata&gid=%s&page=%d", {user, album.url, page}));
        },
        [&](std::u16string& item) {
            std::u16string description = UnescapeJson(Cut(item, u"\"title\":\"", u"\""));
            std::u16string address = Unslashed(Cut(item, u"big\":\"", u"\""));
            if (namedByDescription && description.ends_with(u"..")) {
                std::u16string full = FullTitle(call, item);
                if (!full.empty()) {
                    description = full;
                }
            }
            return call.Picture(address, call.Describe(std::move(description)));
        },
        [&](Page& page) {
            if (page.number == 1 && (album.privacy & 1) != 0 &&
                ContainsAfterStart(page.text, u"putpass\":\"1")) {
                if (!call.FetchAfterPassword(u"加密相册,是否输入密码", u"提示",
                                             Home(Format(u"/%s/photo/group/%s", {user, album.url})), page.url,
                                             TEXT_INFLATE, page.text)) {
                    return false;
                }
            }
            if (StringCtrl::SkipPast(page.text, u"\"rows\":") < 0) {
                return false;
            }
            const int records = StringCtrl::CountOf(page.text, page.separator);
            if (records == 0) {
                ShowWhenBusy(call, page.text);
                return false;
            }
            listed += records;
            page.last = album.pictureCount > 0 && listed >= album.pictureCount;
            return true;
        });
}
