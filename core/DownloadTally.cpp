// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/DownloadTally.h"

#include "MyCode/StringCtrl.h"

void DownloadTally::Add(const PictureOutcome& outcome) {
    switch (outcome.result) {
        case PictureResult::Saved:
            ++saved;
            break;
        case PictureResult::Failed:
            ++failed;
            break;
        case PictureResult::TooSmall:
            ++tooSmall;
            break;
        case PictureResult::TooLarge:
            ++tooLarge;
            break;
        case PictureResult::NotTried:
            ++notTried;
            break;
    }
}

DownloadTally& DownloadTally::operator+=(const DownloadTally& other) {
    saved += other.saved;
    failed += other.failed;
    tooSmall += other.tooSmall;
    tooLarge += other.tooLarge;
    notTried += other.notTried;
    failedAlbums += other.failedAlbums;
    return *this;
}

std::u16string TallyText(const DownloadTally& tally) {
    std::u16string text = StringCtrl::Format(u"成功 %d 张，失败 %d 张，跳过 %d 张",
                                             {tally.saved, tally.failed, tally.Skipped()});
    if (tally.notTried > 0) {
        text += StringCtrl::Format(u"，未下载 %d 张", {tally.notTried});
    }
    if (tally.failedAlbums > 0) {
        text += StringCtrl::Format(u"，失败 %d 个相册", {tally.failedAlbums});
    }
    return text;
}
