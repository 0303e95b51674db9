// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "MyCode/FetchError.h"

// What became of one picture of an album's download.
enum class PictureResult : std::uint8_t {
    NotTried,  // never fetched, or fetched but not written: the job was stopped or the disk was full
    Saved,
    Failed,    // error says why
    TooSmall,  // left out on purpose by the size limits
    TooLarge,
};

struct PictureOutcome {
    PictureResult result = PictureResult::NotTried;
    FetchError error = FetchError::None;
    int status = 0;  // the answer's HTTP status, for FetchError::HttpStatus
    // Saved from the picture's fallback address, under its fallback name when it has one.
    bool fromFallback = false;
    // The picture's place in its album's list, as the pool reports it; -1 when not known.
    int place = -1;
};

// Why a picture was not saved, in a few words: "HTTP 404", "超时", "磁盘已满", "图片太小"...
std::u16string ReasonText(const PictureOutcome& outcome);

// The line that tells the user about a picture that was not saved, the same in every front end:
// "失败：p003.jpg（HTTP 404） http://..." or, for the size limits, "跳过：p004.jpg（图片太小） http://...".
std::u16string NotSavedLine(const std::u16string& fileName, const std::u16string& url,
                            const PictureOutcome& outcome);
