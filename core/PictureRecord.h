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

    // The part of url before "\r\n" (all of it when there is no fallback).
    std::u16string PrimaryUrl() const;
    // The part after "\r\n", empty when there is none.
    std::u16string FallbackUrl() const;
};
