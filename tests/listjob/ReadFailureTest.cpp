// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "jobs/ReadFailure.h"
#include "platform/CodePage.h"

namespace {

TEST(ReadFailure, EachCauseIsToldInItsOwnWords) {
    struct Case {
        FetchError error;
        int status;
        std::u16string list;
        std::u16string album;
    } cases[] = {
        {FetchError::None, 503, u"无法读取相册列表：HTTP 503", u"Summer：无法读取图片列表：HTTP 503"},
        {FetchError::Connect, 0, u"无法连接：photo.example.com", u"Summer：无法连接：photo.example.com"},
        {FetchError::TimedOut, 0, u"无法读取相册列表：超时", u"Summer：无法读取图片列表：超时"},
        // The client's size bound on a page: a page, not a picture, was too large.
        {FetchError::TooLarge, 200, u"无法读取相册列表：页面太大", u"Summer：无法读取图片列表：页面太大"},
    };
    for (const Case& c : cases) {
        const PageFetch fetch{
            .made = true, .error = c.error, .status = c.status, .host = u"photo.example.com"};
        EXPECT_EQ(ReadFailure::ListLine(fetch), c.list) << CodePage::ToUtf8(c.list);
        EXPECT_EQ(ReadFailure::AlbumLine(u"Summer", fetch), c.album) << CodePage::ToUtf8(c.album);
    }
}

}  // namespace
