// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/PictureOutcome.h"

#include "MyCode/StringCtrl.h"

std::u16string ReasonText(const PictureOutcome& outcome) {
    switch (outcome.error) {
        case FetchError::HttpStatus:
            return StringCtrl::Format(u"HTTP %d", {outcome.status});
        case FetchError::TimedOut:
            return u"超时";
        case FetchError::Connect:
            return u"无法连接";
        case FetchError::Cut:
            return u"连接中断";
        case FetchError::Empty:
            return u"内容为空";
        case FetchError::BadAddress:
            return u"地址无效";
        case FetchError::TooSmall:
            return u"图片太小";
        case FetchError::TooLarge:
            return u"图片太大";
        case FetchError::SoftFailure:
            return u"内容不符";
        case FetchError::WriteFailed:
            return u"无法写入文件";
        case FetchError::DiskFull:
            return u"磁盘已满";
        case FetchError::None:
            break;
    }
    return u"下载失败";
}

std::u16string NotSavedLine(const std::u16string& fileName, const std::u16string& url,
                            const PictureOutcome& outcome) {
    bool leftOut = outcome.result == PictureResult::TooSmall || outcome.result == PictureResult::TooLarge;
    return std::u16string(leftOut ? u"跳过：" : u"失败：") + fileName + u"（" + ReasonText(outcome) + u"） " +
           url;
}
