// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/PictureOutcome.h"

// How a download job ended.
enum class DownloadEnd : std::uint8_t {
    NotStarted,  // no usable save folder, or no album to download
    Finished,
    Stopped,   // the stop button (or Ctrl-C on the command line)
    DiskFull,  // ended early: the save folder's disk has no room left
};

// The outcomes of the pictures of an album, or of a whole job, counted.
struct DownloadTally {
    int saved = 0;
    int failed = 0;
    int tooSmall = 0;
    int tooLarge = 0;
    int notTried = 0;
    // Albums whose picture list could not be read: the site refused it, it did not come, or the
    // adapter did not find the page shape it expects.
    int failedAlbums = 0;

    void Add(const PictureOutcome& outcome);
    DownloadTally& operator+=(const DownloadTally& other);
    // Pictures the size limits left out on purpose.
    int Skipped() const { return tooSmall + tooLarge; }
    // Every picture saved or left out on purpose: only then may an album be marked as downloaded.
    bool Complete() const { return failed == 0 && notTried == 0 && failedAlbums == 0; }
};

// "成功 %d 张，失败 %d 张，跳过 %d 张", then "，未下载 %d 张" when pictures were not tried and
// "，失败 %d 个相册" when albums could not be read.
std::u16string TallyText(const DownloadTally& tally);
