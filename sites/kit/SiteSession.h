// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "MyCode/URLSource2.h"
#include "sites/kit/PageFetch.h"

// The request and the answer holder one adapter operation uses for all its pages: the request is
// reused by replacing its url, so settings made once (cut markers, minLength, attempts,
// retryMarker, headers) hold for every later fetch of the operation. Adapters set request fields
// directly.
class SiteSession {
public:
    static constexpr std::uint32_t TIMEOUT_MS = 20000;
    static constexpr std::u16string_view ACCEPT_ENCODING = u"Accept-Encoding: gzip, deflate";

    explicit SiteSession(std::uint32_t timeoutMs = TIMEOUT_MS);

    // The headers become "Accept-Encoding: gzip, deflate" followed by the given lines (CR LF
    // separated, for example a referer or a cookie line); empty lines keep only the first.
    void SetExtraHeaders(std::u16string_view lines);

    // The job's stop: a retry pause ends as soon as it answers true, and no further attempt starts.
    void SetStop(std::function<bool()> stopped) { request.stopped = std::move(stopped); }

    // Fetches url (FetchUrl with flags 0) and gives its body as text decoded by textFlags
    // (TEXT_INFLATE with TEXT_UTF8 for UTF-8 pages, TEXT_INFLATE alone for GBK pages). False, and an
    // empty text, when the fetch failed. lastFetch records what became of it.
    bool Fetch(std::u16string_view url, unsigned textFlags, std::u16string& text);

    UrlRequest request;
    UrlSource source;
    PageFetch lastFetch;
};
