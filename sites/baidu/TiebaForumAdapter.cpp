#include "sites/baidu/TiebaForumAdapter.h"

#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"
#include "sites/baidu/BaiduHosts.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/Paging.h"
#include "sites/kit/PictureCall.h"

using namespace Fields;
using StringCtrl::Format;
using StringCtrl::RandomFraction;

namespace {

std::u16string Tieba(std::u16string_view pathAndQuery) {
    return std::u16string(BaiduHosts::kTieba) + std::u16string(pathAndQuery);
}

}  // namespace

void TiebaForumAdapter::AlbumList(AlbumCall& call, const std::u16string& keyword) {
    ST_PERLISTRECORD record;
    // The albums come as markup inside a JSON string, so its quotes are escaped.
    ForEachPage(
        call, {.separator = u"class=\\\"grbm_ele_wrapper"},
        [&](int page) {
            return Tieba(Format(u"/photo/g?kw=%s&alt=jview&pn=%d&rn=30&cat_id=all&_=%s",
                                {keyword, page, RandomFraction()}));
        },
        [&](std::u16string& item) {
            record.privacy = 0;
            record.url = Unslashed(Cut(item, u"href=\\\"", u"\\\""));
            StringCtrl::SkipPast(record.url, u"p/");
            if (record.url.empty()) {
                return true;
            }
            record.coverUrl = Unslashed(Cut(item, u"src=\\\"", u"\\\""));
            StringCtrl::SkipPast(item, u"grbm_ele_pic_amount");
            record.pictureCount = CutNumber(item, u">", u"<");
            record.name = StringCtrl::UnescapeJson(Cut(item, u"title=\\\"", u"\\\""));
            return call.Album(record);
        });
}

void TiebaForumAdapter::PictureList(PictureCall& call) {
    ForEachPage(
        call, {.separator = u"pic_id\""},
        [&](int page) {
            return Tieba(
                Format(u"/photo/g/bw/picture/list?kw=%s&alt=jview&rn=200&tid=%s&pn=%d&ps=%d&pe=%d"
                       u"&wall_type=v&_=%s",
                       {call.job.list.siteKey, call.album().url, page, 0, 200, RandomFraction()}));
        },
        [&](std::u16string& item) {
            std::u16string id = Cut(item, u"\"", u"\"");
            // A picture without its id has no address.
            if (id.empty()) {
                return true;
            }
            std::u16string description = StringCtrl::UnescapeJson(Cut(item, u"descr\":\"", u"\""));
            if (description.empty()) {
                description = call.album().name;
            }
            return call.Picture(
                std::u16string(BaiduHosts::kTiebaPictures) + u"/forum/pic/item/" + id + u".jpg", description);
        });
}
