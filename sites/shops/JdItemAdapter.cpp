// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "sites/shops/ShopHosts.h"

using namespace Fields;

namespace {

// Today's pages have no <h1>: the title stands, with blanks around it, in the sku-name block.
std::u16string SkuName(std::u16string_view page) {
    std::u16string name = Peek(page, u"class=\"sku-name\"", u"</div>");
    StringCtrl::SkipPast(name, u">");
    return StringCtrl::Trim(StringCtrl::StripTags(name));
}

// A picture's "jfs/..." path as the full picture on the picture host.
std::u16string FullPicture(std::u16string path) {
    if (ProductPages::IsWebAddress(path)) {
        return path;
    }
    while (!path.empty() && path.front() == u'/') {
        path.erase(0, 1);
    }
    return path.empty() ? path : std::u16string(ShopHosts::kJdPictures) + path;
}

// The thumbnail strip, each <img> in single or double quotes: its data-url names the picture's path;
// an older strip names only the thumbnail, whose "/n5/" (the thumbnail size) becomes "/n0/" (the
// full picture).
std::vector<std::u16string> Thumbnails(std::u16string text) {
    StringCtrl::SkipPast(text, u"class=\"spec-items");
    StringCtrl::CutAt(text, u"</ul>");
    std::vector<std::u16string> pictures = Items(text, u"<img");
    for (std::u16string& tag : pictures) {
        std::u16string path = ProductPages::Attribute(tag, u"data-url");
        if (!path.empty()) {
            tag = FullPicture(std::move(path));
            continue;
        }
        std::u16string address = ProductPages::Attribute(tag, u"src");
        StringCtrl::ReplaceAll(address, u"/n5/", u"/n0/");
        tag = std::move(address);
    }
    return pictures;
}

}  // namespace

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
        record.name = SkuName(page);
    }
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
    const std::u16string& page = call.Kept<ListedProduct>().page;
    // The page's configuration script lists the pictures' paths; the thumbnail strip shows them too.
    std::vector<std::u16string> pictures = ProductPages::ScriptList(page, u"imageList");
    if (pictures.empty() && !ContainsAfterStart(page, u"class=\"spec-items")) {
        ProductPages::ReportPageShape(call, page, true);
        return;
    }
    if (pictures.empty()) {
        pictures = Thumbnails(page);
    } else {
        for (std::u16string& path : pictures) {
            path = FullPicture(std::move(path));
        }
    }
    if (ProductPages::EmitMainPictures(call, pictures, u"")) {
        ProductPages::ReportPictures(call);
    }
}
