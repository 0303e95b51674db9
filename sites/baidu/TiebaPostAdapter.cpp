#include "sites/baidu/TiebaPostAdapter.h"

#include <unordered_set>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
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
    // The guide answers the pictures after the one it is given, that one first. The walk ends when
    // an answer does not hold the picture it was asked after, or leads to no picture it was not
    // asked after before (it would start over or go round); a picture listed before is not listed
    // again.
    std::u16string lastId;
    std::unordered_set<std::u16string> askedAfter{lastId};
    std::unordered_set<std::u16string> listed;
    for (;;) {
        std::u16string address = Format(u"%s&see_lz=1&from_page=0&alt=jview&next=50&prev=1&pic_id=%s&_=%s",
                                        {call.album().url, lastId, StringCtrl::RandomFraction()});
        StringCtrl::ReplaceAll(address, u"/photo/p", u"/photo/bw/picture/guide");
        std::u16string text;
        if (!call.Fetch(address, TEXT_INFLATE | TEXT_UTF8, text) || text.empty()) {
            return;
        }
        if (!lastId.empty() && StringCtrl::SkipPast(text, u"id\":\"" + lastId + u"\"") < 0) {
            return;
        }
        std::vector<std::u16string> items = Items(text, u"\"img\":");
        if (items.empty()) {
            return;
        }
        for (std::u16string& item : items) {
            lastId = Cut(item, u"id\":\"", u"\"");
            std::u16string url = Unslashed(Cut(item, u"waterurl\":\"", u"\""));
            std::u16string description = StringCtrl::UnescapeJson(Cut(item, u"descr\":\"", u"\""));
            if (description.empty()) {
                description = call.album().name;
            }
            if (!lastId.empty() && !listed.insert(lastId).second) {
                continue;
            }
            if (!call.Picture(url, description)) {
                return;
            }
        }
        if (!askedAfter.insert(lastId).second) {
            return;
        }
    }
}
