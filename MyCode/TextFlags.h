// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Flags of FetchUrl and UrlSource::Request.
enum FetchFlag : unsigned {
    FETCH_CACHEABLE = 1,   // a picture: the answer may be kept
    FETCH_FROM_CACHE = 2,  // a cached copy may answer
};

// Flags of UrlSource::GetText. No charset bit means the ANSI code page, GBK.
enum TextFlag : unsigned {
    TEXT_INFLATE = 1,
    TEXT_UTF8 = 2,
    TEXT_EUCKR = 4,
    TEXT_BIG5 = 8,
    TEXT_AUTO = 16,  // UTF-8 when the bytes are valid UTF-8, else GBK
};
