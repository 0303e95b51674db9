// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// One picture to download.
struct PictureRecord {
    // The picture address; a second, fallback address may follow after "\r\n".
    std::u16string url;
    // Target name relative to the album folder.
    std::u16string fileName;
    // Extra request header lines for this picture (for example a referer), possibly empty.
    std::u16string headers;
    // The target name when the fallback address brought the picture, for names made from the
    // address; empty when it is fileName too.
    std::u16string fallbackFileName = {};

    // The part of url before "\r\n" (all of it when there is no fallback).
    std::u16string PrimaryUrl() const;
    // The part after "\r\n" when it is one absolute http or https address; empty otherwise, so
    // whatever else follows a line break is never fetched.
    std::u16string FallbackUrl() const;
};
