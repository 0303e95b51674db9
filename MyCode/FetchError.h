// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Why the last attempt of a request failed, so a caller can tell the user in a word.
enum class FetchError : std::uint8_t {
    None,         // the attempt succeeded
    BadAddress,   // not an http or https address
    Connect,      // no connection to the host
    TimedOut,     // the server went silent for longer than the time-out
    Cut,          // the connection was reset or the answer ended before it said it would
    HttpStatus,   // status 400 or above, where the request refuses error answers
    Empty,        // an empty body, where the request refuses error answers
    TooSmall,     // below minSizeKB
    TooLarge,     // above maxSizeKB
    SoftFailure,  // minLength or retryMarker rejected the body
    WriteFailed,  // savePath could not be written
    DiskFull,     // savePath could not be written: no room left
};
