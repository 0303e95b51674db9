// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "MyCode/FetchError.h"
#include "MyCode/TextFlags.h"
#include "MyCode/UrlRequest.h"
#include "platform/AtomicFile.h"

// Inflating stops past this many output bytes unless the request sets maxSizeKB, so a tiny
// compressed body cannot fill the memory.
constexpr std::size_t kInflateLimitBytes = 64u << 20;
// A body held in memory (a page, a cover) stops here unless the request sets maxSizeKB: past it
// the attempt fails as too large, so an endless or huge answer cannot fill the memory.
constexpr std::size_t kHeldBodyLimitBytes = 64u << 20;

// The answer to a request, reused by a caller for its successive requests.
class UrlSource {
public:
    std::u16string rawHeaders;  // header block of the last response: status line and header lines, CR LF
    std::string body;           // as received, compressed or not
    std::string cutStart;       // the request's cut markers, copied by each attempt
    std::string cutEnd;
    std::uint64_t bodyLength = 0;  // body bytes of the last answer, also those streamed to a file
    bool compressed = false;       // the final response's Content-Encoding names gzip or deflate
    int status = 0;                // the final response's status; 0 when none arrived
    // The seconds a 429 or 503 answer asked to wait with Retry-After (0 for a date passed); -1
    // when it did not ask.
    int retryAfterSec = -1;
    FetchError error = FetchError::None;  // why the last attempt failed
    // FetchUrl's wait for a busy server (Retry-After) was ended by the request's stop: the request
    // was never answered, it was given up.
    bool serverWaitCut = false;

    // One attempt; fills rawHeaders, body and compressed and writes savePath when set. Follows
    // redirects; HTTP status codes are not examined unless the request refuses error answers. A
    // request that fails on a kept-alive connection before any answer arrived is sent once more on
    // a new one: the server may have closed it, or poisoned it with bytes it did not announce.
    bool Request(const UrlRequest& request, unsigned flags);

    // The body as text (TextFlag bits): inflated with TEXT_INFLATE, cut, decoded by the charset
    // bits unless the headers say "charset=GBK", HTML entities decoded.
    void GetText(std::u16string& out, unsigned flags) const;

    // The body bytes, inflated when inflate is true and the body is compressed. A body that does
    // not inflate from its very first bytes is taken as it came.
    std::string BodyBytes(bool inflate) const;

    // The whole body of the last successful fetch with streamPath, in a file not yet published
    // (AtomicFile::Publish puts it in place); null when there is none. Dropping it leaves nothing.
    std::unique_ptr<AtomicFile> TakeFile() { return std::move(file_); }

private:
    friend bool FetchUrl(const UrlRequest& request, UrlSource& source, unsigned flags);

    std::size_t inflateLimit_ = kInflateLimitBytes;
    std::unique_ptr<AtomicFile> file_;  // the streamed body
    // Set by FetchUrl after a failed attempt: the next one takes a connection of its own.
    bool freshConnection_ = false;
};

// Up to request.attempts attempts with the soft-failure checks (minLength, retryMarker) and a pause
// of retryPauseSec between failed attempts (the last failed one returns at once), and one more
// try after the wait a busy server asked for, where request.serverWait is set. attempts 0 sends
// nothing. An attempt after a failed one never reuses a kept-alive connection.
bool FetchUrl(const UrlRequest& request, UrlSource& source, unsigned flags);

// Inflates zlib- or gzip-wrapped data, appending to out. False on bad data or when the output
// would pass limit bytes; out then keeps what was inflated before.
bool InflateBody(const char* data, std::size_t length, std::string& out,
                 std::size_t limit = kInflateLimitBytes);

// The cookie header value the store would send to url: "name=value; name2=value2", or empty.
std::u16string GetUrlCookie(std::u16string_view url);

// url with every character that may not stand in a URL percent-encoded as UTF-8 (control
// characters, blanks, non-ASCII, a lone "%"); "%XX" sequences already there stay.
std::string EscapeUrl(std::u16string_view url);

// Tests shorten the retry pauses with this factor (1 in the program).
void SetRetryPauseScale(double factor);

// Tests answer https from loopback with a certificate of their own: while pem (PEM certificates)
// is not empty, https peers are verified against it instead of the system's authorities. Otherwise
// the CA bundle file that CURL_CA_BUNDLE or else SSL_CERT_FILE names is used, as curl does, and
// without them the system's.
void SetTrustedCertificates(std::string pem);
// Tests shorten the transfer time-outs (sendTimeoutMs, readTimeoutMs) with this factor (1 in the
// program), so a stalling server costs them a moment.
void SetTimeoutScale(double factor);
