// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/shops/Offer1688Adapter.h"

#include <cstddef>
#include <string>
#include <vector>

#include "MyCode/StringCtrl.h"
#include "download/Naming.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/Fields.h"
#include "sites/kit/PictureCall.h"
#include "sites/shops/ListedProduct.h"
#include "sites/shops/ProductPages.h"

using namespace Fields;
using StringCtrl::Format;

namespace {

// The company name: the element's text, without what is left of its opening tag.
std::u16string CompanyName(std::u16string_view page, std::u16string_view marker) {
    std::u16string name = Peek(page, marker, u"</");
    StringCtrl::SkipPast(name, u"\">");
    return name;
}

}  // namespace

void Offer1688Adapter::AlbumList(AlbumCall& call, const std::u16string& offer) {
    std::u16string page;
    if (!call.Fetch(offer, TEXT_INFLATE, page)) {
        return;
    }
    std::u16string owner = CompanyName(page, u"_compname\">");
    if (owner.empty()) {
        owner = CompanyName(page, u"chinaname hidden\"");
    }
    if (!owner.empty()) {
        CleanName(owner, true);
    }
    call.SetOwnerName(owner);
    if (owner.empty()) {
        ProductPages::ReportNoProduct(call);
        return;
    }

    // The offer page is the picture list's source too. Kept before the album goes out, so that a
    // stop during the listing cannot leave the download of this one album without its page.
    call.Keep<ListedProduct>().page = page;
    std::u16string text = page;
    StringCtrl::SkipPast(text, u"class=\"box-img");
    ST_PERLISTRECORD record;
    record.name = Cut(text, u"title=\"", u"\"");
    StringCtrl::ReplaceAll(record.name, u"点击查看大图：", u"");
    record.url = offer;
    record.pictureCount = -1;
    call.Album(record);
}

void Offer1688Adapter::PictureList(PictureCall& call) {
    const std::u16string& page = call.Kept<ListedProduct>().page;
    if (!ContainsAfterStart(page, u"data-tfs-url=\"")) {
        ProductPages::ReportPageShape(call, page, true);
        return;
    }
    // The gallery's JSON names the original pictures; older pages set them as backgrounds.
    std::u16string_view separator = Contains(page, u"\"original\":\"") ? u"\"original\":\"" : u"image:url(";
    std::vector<std::u16string> candidates = Items(page, separator);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        std::u16string address = StringCtrl::LeftOf(candidates[i], u"\"");
        if (!ProductPages::IsWebAddress(address)) {
            continue;
        }
        if (!call.Picture(Absolute(address, call.album().url),
                          Format(u"%s_主图_%d", {call.album().name, i + 1}))) {
            return;
        }
    }
    ProductPages::ReportPictures(call);
}
