#include "sites/shops/JdItemAdapter.h"

#include <cstddef>
#include <string>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/PictureCall.h"
#include "sites/shops/ListedProduct.h"
#include "sites/shops/ProductPages.h"

using namespace Fields;
using StringCtrl::Format;

void JdItemAdapter::AlbumList(AlbumCall& call, const std::u16string& item) {
    std::u16string page;
    if (!call.Fetch(item, TEXT_INFLATE, page)) {
        return;
    }
    std::u16string text = page;
    StringCtrl::SkipPast(text, u"id=\"product-intro");
    ST_PERLISTRECORD record;
    record.name = Peek(text, u"<h1>", u"</");
    if (record.name.empty()) {
        ProductPages::ReportNoProduct(call);
        return;
    }
    call.SetOwnerName(u"京东");
    // The item page is the picture list's source too; kept before the album goes out, so that a
    // stop during the listing cannot leave the download of this one album without its page.
    call.Keep<ListedProduct>().page = page;
    record.url = item;
    record.pictureCount = -1;
    call.Album(record);
}

void JdItemAdapter::PictureList(PictureCall& call) {
    std::u16string text = call.Kept<ListedProduct>().page;
    if (!ContainsAfterStart(text, u"class=\"spec-items")) {
        ProductPages::ReportPageShape(call, text, true);
        return;
    }
    // The thumbnail strip; "/n5/" names the thumbnail size, "/n0/" the full picture.
    StringCtrl::SkipPast(text, u"class=\"spec-items");
    StringCtrl::CutAt(text, u"</ul>");
    std::vector<std::u16string> candidates = Items(text, u"src=\"");
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        std::u16string address = StringCtrl::LeftOf(candidates[i], u"\"");
        if (!ProductPages::IsWebAddress(address)) {
            continue;
        }
        StringCtrl::ReplaceAll(address, u"/n5/", u"/n0/");
        if (!call.Picture(Absolute(address, call.album().url), Format(u"主图_%d", {i + 1}))) {
            return;
        }
    }
    ProductPages::ReportPictures(call);
}
