#include "sites/netease/NeteasePpAdapter.h"

#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"
#include "download/Naming.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;

void NeteasePpAdapter::AlbumList(AlbumCall& call, const std::u16string& address) {
    std::u16string page;
    if (!call.Fetch(address, TEXT_INFLATE, page) || page.empty()) {
        return;
    }
    std::u16string nickname = Cut(page, u"nickName : '", u"'");
    CleanName(nickname, true);
    call.job.list.ownerName = nickname;

    ST_PERLISTRECORD record;
    for (std::u16string& item : Items(page, u"<li class=\"w-cover")) {
        record.privacy = 0;
        record.url = Cut(item, u"href=\"", u"\"");
        if (record.url.empty()) {
            continue;
        }
        record.name = Cut(item, u"title=\"", u"\"");
        record.coverUrl = Cut(item, u"src=\"", u"\"");
        StringCtrl::SkipPast(item, u"<em>");
        record.pictureCount = CutNumber(item, u"~ [", u"张");
        if (!call.Album(record)) {
            return;
        }
    }
}

void NeteasePpAdapter::PictureList(PictureCall& call) {
    // The album page's script lists the pictures; reading stops at the id list after it.
    call.session.request.cutStart = "window.picList";
    call.session.request.cutEnd = "photoidsList";
    std::u16string text;
    if (!call.Fetch(call.album().url, TEXT_INFLATE, text) || text.empty()) {
        return;
    }
    for (std::u16string& item : Items(text, u",url:'")) {
        std::u16string url = StringCtrl::LeftOf(item, u"'");
        std::u16string description = Cut(item, u",picDesc:'", u"'");
        if (description.empty()) {
            description = call.album().name;
        }
        if (!call.Picture(url, description)) {
            return;
        }
    }
}
