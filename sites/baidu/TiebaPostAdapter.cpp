// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/baidu/TiebaPostAdapter.h"

#include <unordered_set>

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;

void TiebaPostAdapter::AlbumList(AlbumCall& call, const std::u16string& post) {
    std::u16string page;
    // The post page is GBK.
    if (!call.Fetch(post, TEXT_INFLATE, page)) {
        return;
    }
    ST_PERLISTRECORD record;
    record.name = Cut(page, u"title' : '", u"'");
    record.url = post;
    record.pictureCount = -1;
    call.Album(record);
}

void TiebaPostAdapter::PictureList(PictureCall& call) {
    // The guide answers the pictures after the one it is given, that one first; the last picture of
    // an answer names the next request. The walk ends when an answer does not hold the picture it
    // was asked after, or leads to no picture it was not asked after before (it would start over or
    // go round); a picture listed before is not listed again.
    std::unordered_set<std::u16string> listed;
    ForEachPage(
        call, {.separator = u"\"img\":", .byCursor = true},
        [&](const Page& page) {
            std::u16string address =
                Format(u"%s&see_lz=1&from_page=0&alt=jview&next=50&prev=1&pic_id=%s&_=%s",
                       {call.album().url, page.cursor, StringCtrl::RandomFraction()});
            StringCtrl::ReplaceAll(address, u"/photo/p", u"/photo/bw/picture/guide");
            return address;
        },
        [&](std::u16string& item, Page& page) {
            page.next = Cut(item, u"id\":\"", u"\"");
            std::u16string url = Unslashed(Cut(item, u"waterurl\":\"", u"\""));
            std::u16string description =
                call.Describe(StringCtrl::UnescapeJson(Cut(item, u"descr\":\"", u"\"")));
            if (!page.next.empty() && !listed.insert(page.next).second) {
                return true;
            }
            return call.Picture(url, description);
        },
        [](Page& page) {
            return page.cursor.empty() ||
                   StringCtrl::SkipPast(page.text, u"id\":\"" + page.cursor + u"\"") >= 0;
        });
}
