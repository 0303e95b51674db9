// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/kit/PictureCall.h"

#include "MyCode/StringCtrl.h"
PictureCall::PictureCall(CallContext context, PictureSink& sink, const ListResult& list, int albumIndex,
                         ST_PERLISTRECORD album, std::u16string input)
    : SiteCall(std::move(context)),
      sink_(sink),
      albumIndex_(albumIndex),
      album_(std::move(album)),
      handoff_(list.handoff),
      ownerName_(list.ownerName),
      input_(std::move(input)) {}

bool PictureCall::Stopped() const {
    return sink_.Stopped();
}

namespace {

// The picture list keeps a fallback after a CR LF; a site's text must never make one.
std::u16string OneAddress(std::u16string_view url) {
    std::u16string address(url);
    std::erase_if(address, [](char16_t c) { return c == u'\r' || c == u'\n'; });
    return address;
}

bool IsWebAddress(std::u16string_view url) {
    return url.starts_with(u"http://") || url.starts_with(u"https://");
}

}  // namespace

bool PictureCall::Picture(std::u16string_view url, std::u16string_view description,
                          std::u16string_view headers) {
    return PictureOr(url, {}, description, headers);
}

bool PictureCall::PictureOr(std::u16string_view url, std::u16string_view fallback,
                            std::u16string_view description, std::u16string_view headers) {
    std::u16string address = OneAddress(url);
    // A worker cannot fetch an empty address, and it would end up as an empty marker.
    if (StringCtrl::Trim(address).empty()) {
        return !Stopped();
    }
    const std::u16string second = OneAddress(fallback);
    if (IsWebAddress(second)) {
        address += u"\r\n" + second;
    }
    sink_.Picture(address, std::u16string(description), std::u16string(headers));
    ++emitted_;
    return !Stopped();
}

std::u16string PictureCall::Describe(std::u16string description) const {
    return description.empty() ? album_.name : description;
}

void PictureCall::RenameAlbum(std::u16string name) {
    sink_.RenameAlbum(name);
    album_.name = std::move(name);
}
