// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

// The longest a server may make a request wait with Retry-After.
constexpr int kServerWaitLimitSec = 30;

// What to fetch and how: a plain record owned by the caller, reused for successive requests by
// replacing url (and headers where needed).
struct UrlRequest {
    UrlRequest(std::u16string url_, std::u16string savePath_, std::uint32_t timeoutMs)
        : url(std::move(url_)),
          savePath(std::move(savePath_)),
          readTimeoutMs(timeoutMs),
          sendTimeoutMs(timeoutMs) {}

    std::u16string url;
    std::u16string verb = u"GET";
    std::u16string headers;   // extra lines separated by CR LF, no trailing CR LF; sent unchanged
    std::string cutStart;     // raw bytes of the response
    std::string cutEnd;       // raw bytes of the response
    std::string retryMarker;  // a body containing these bytes is a soft failure
    std::u16string savePath;  // when not empty, the body is written to this file
    // When not empty, the body goes into an unnamed file in this path's folder as it arrives,
    // never into memory: UrlSource::bodyLength counts it, and after a successful fetch the caller
    // takes the file (UrlSource::TakeFile) and publishes it under this path. The size limits cut
    // the transfer as the data comes; a failed attempt leaves nothing. minLength judges the
    // length; retryMarker is not looked for in a file.
    std::u16string streamPath;
    std::string postData;         // request body; empty sends none
    std::uint32_t readTimeoutMs;  // longest wait for more body data
    std::uint32_t sendTimeoutMs;  // longest wait while connecting, sending and awaiting the answer
    std::int32_t minSizeKB = 0;   // smallest accepted body, 1024-byte units
    // Largest accepted body, 1024-byte units. 0: no limit for a body streamed to a file; a body
    // held in memory stops at kHeldBodyLimitBytes all the same.
    std::int32_t maxSizeKB = 0;
    std::uint32_t minLength = 0;  // a body of this many bytes or fewer is a soft failure; 0 is no check
    // Pictures and covers: an answer with status 400 or above, or an empty body, is a failed
    // attempt (its body is dropped), as a failed connection is. Pages keep any answer: some sites
    // send useful pages with odd statuses, and the markers judge them.
    bool refuseErrorAnswers = false;
    std::uint8_t attempts = 1;
    std::uint8_t retryPauseSec = 1;  // pause between failed attempts; none after the last one
    // The caller's stop: a retry pause or a server's wait ends as soon as it answers true, and no
    // further attempt starts. Empty: never stopped.
    std::function<bool()> stopped;
    // When set, an answer 429 or 503 that says when to come back (Retry-After, in seconds or as a
    // date) is waited for, at most kServerWaitLimitSec, and its attempt made once more; the wait's
    // seconds are told through this first, so the user knows why nothing moves. Once per FetchUrl.
    // Empty: such an answer counts as any other.
    std::function<void(int seconds)> serverWait;
};
