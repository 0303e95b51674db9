// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/renren/RenrenZhanAdapter.h"

#include <vector>

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"
#include "sites/renren/RenrenHosts.h"
#include "sites/renren/ZhanSite.h"

using namespace Fields;
using StringCtrl::CutAt;
using StringCtrl::Format;

namespace {

constexpr unsigned kText = TEXT_INFLATE | TEXT_UTF8;

std::u16string Zhan(std::u16string_view pathAndQuery) {
    return std::u16string(RenrenHosts::kZhan) + std::u16string(pathAndQuery);
}

// The archive's month marks ("2013-05"), in the archive's order.
bool ArchiveMonths(AlbumCall& call, const std::u16string& siteId, std::vector<std::u16string>& months) {
    std::u16string archive;
    if (!call.FetchNonEmpty(Zhan(Format(u"/archive?site_id=%s", {siteId})), kText, archive)) {
        return false;
    }
    StringCtrl::SkipPast(archive, u"class=\"time_control");
    CutAt(archive, u"</section>");
    for (std::u16string& month : Items(archive, u"mark=\"")) {
        CutAt(month, u"\"");
        months.push_back(std::move(month));
    }
    return true;
}

}  // namespace

void RenrenZhanAdapter::AlbumList(AlbumCall& call, const std::u16string& address) {
    std::u16string page;
    if (!call.FetchNonEmpty(address, kText, page)) {
        return;
    }
    std::u16string site = address;
    StringCtrl::SkipPast(site, u"com/");
    CutAt(site, u"?");
    site = StringCtrl::Trim(site);
    const std::u16string siteId = Peek(page, u"site_id=", u"\"");
    call.Keep<ZhanSite>().siteId = siteId;
    std::u16string tag;
    if (ContainsAfterStart(address, u"tagId=")) {
        tag = address.substr(address.find(u"tagId=") + 6);
        CutAt(tag, u"&");
    }
    call.SetOwnerName(Peek(page, u"name:'", u"'"));

    // One tag's posts come in a single run without months; the tag's name becomes a folder level.
    std::u16string tagPart;
    std::vector<std::u16string> months;
    if (!tag.empty()) {
        std::u16string tagItem = Peek(page, u"class=\"s\"", u"</li>");
        call.SetOwnerSuffix(Cut(tagItem, u">", u"<"));
        tagPart = u"&tag_id=" + tag;
        months.emplace_back();
    } else if (!ArchiveMonths(call, siteId, months)) {
        return;
    }

    // The archive answers JSON that carries the posts' HTML, quotes escaped.
    for (const std::u16string& month : months) {
        ForEachAlbumPage(
            call, {.separator = u"<div id=\\\""},
            [&](int page) {
                return month.empty() ? Zhan(Format(u"/archive/archiveByTag?site_id=%s%s&page=%d",
                                                   {siteId, tagPart, page - 1}))
                                     : Zhan(Format(u"/archive/archiveByTime?site_id=%s%s&month=%s&page=%d",
                                                   {siteId, tagPart, month, page - 1}));
            },
            [&](std::u16string& item, ST_PERLISTRECORD& album) {
                album.pictureCount = -1;
                std::u16string post = StringCtrl::LeftOf(item, u"\\\"");
                StringCtrl::ReplaceAll(post, u"feed", u"");
                album.url = Zhan(Format(u"/%s?gid=%s&ajax=true", {site, post}));
                album.name = StringCtrl::UnescapeJson(Cut(item, u"class=\\\"title\\\">", u"<\\/"));
                return !album.name.empty();
            });
        if (call.Stopped()) {
            return;
        }
    }
}

void RenrenZhanAdapter::PictureList(PictureCall& call) {
    const std::u16string post = call.album().url;
    // Only the post itself: the page before it and the footer after it hold other pictures.
    call.session.request.cutStart = "id=\"main-wrap\"";
    call.session.request.cutEnd = "class=\"ccagreement\">";
    std::u16string text;
    if (!call.FetchNonEmpty(post, kText, text)) {
        return;
    }
    const std::u16string_view separator =
        StringCtrl::CountOf(text, u"class=\"photo\">") == 0 ? u"<img" : u"class=\"photo\">";
    std::vector<std::u16string> items = Items(text, separator);
    if (items.empty()) {
        return;
    }
    // Pictures that load late keep their address in "data-src".
    std::u16string& first = items.front();
    std::u16string address = Cut(first, u"data-src=\"", u"\"");
    if (address.empty()) {
        address = Cut(first, u"src=\"", u"\"");
    }
    call.Picture(address, call.album().name, u"Referer: " + post);
}
