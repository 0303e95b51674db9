#include "sites/shops/ProductPages.h"

#include "MyCode/StringCtrl.h"
#include "sites/kit/Fields.h"
#include "sites/kit/InputRules.h"
#include "sites/kit/PictureCall.h"

namespace ProductPages {

namespace {

constexpr std::u16string_view kPageShape = u"获取信息出错,请将程序目录下的log.err文件发给作者,以便修改";
constexpr std::u16string_view kPicturePageShape =
    u"获取信息出错(2),请将程序目录下的log.err文件发给作者,以便修改";
constexpr std::u16string_view kNoProduct = u"没有获取到商品信息，请确认输入的是商品详情页的网址";
constexpr std::u16string_view kPicturesFound = u"获取商品主图完成，共%d张";
constexpr std::u16string_view kNoPicture = u"没有获取到商品“%s”的主图";

}  // namespace

bool IsWebAddress(std::u16string_view address) {
    return InputRules::HasScheme(address) || address.substr(0, 2) == u"//";
}

void ReportPageShape(SiteCall& call, std::u16string_view page, bool withNumber) {
    call.ReportPageShape(withNumber ? kPicturePageShape : kPageShape, u"log.err", page);
}

void ReportNoProduct(SiteCall& call) {
    call.Notice(kNoProduct);
}

void ReportPictures(PictureCall& call) {
    if (call.Emitted() > 0) {
        call.Notice(StringCtrl::Format(kPicturesFound, {call.Emitted()}));
    } else {
        call.Notice(StringCtrl::Format(kNoPicture, {call.album().name}));
    }
}

}  // namespace ProductPages
