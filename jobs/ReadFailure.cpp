// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/ReadFailure.h"

#include "core/PictureOutcome.h"

namespace ReadFailure {

namespace {

// "无法连接：host" names the host, the rest the reason under what could not be read.
std::u16string Cause(const PageFetch& fetch, std::u16string_view what) {
    if (fetch.error == FetchError::Connect) {
        return u"无法连接：" + fetch.host;
    }
    // A page past the client's size bound is a page, not a picture, that was too large.
    if (fetch.error == FetchError::TooLarge) {
        return std::u16string(what) + u"：页面太大";
    }
    const PictureOutcome outcome{PictureResult::Failed,
                                 fetch.error == FetchError::None ? FetchError::HttpStatus : fetch.error,
                                 fetch.status};
    return std::u16string(what) + u"：" + ReasonText(outcome);
}

}  // namespace

std::u16string ListLine(const PageFetch& fetch) {
    return Cause(fetch, u"无法读取相册列表");
}

std::u16string AlbumLine(const std::u16string& albumName, const PageFetch& fetch) {
    return albumName + u"：" + Cause(fetch, u"无法读取图片列表");
}

std::u16string PageShapeLine(const std::u16string& albumName) {
    return albumName + u"：获取信息出错，网页内容与预期不符";
}

}  // namespace ReadFailure
