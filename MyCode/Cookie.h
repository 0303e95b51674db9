// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// One cookie as the store keeps it and as a Netscape "cookies.txt" line holds it: domain, the
// include-subdomains flag, path, secure flag, expiry, name and value, tab-separated.
struct Cookie {
    std::string domain;  // host name without a leading dot
    bool includeSubdomains = false;
    std::string path = "/";
    bool secure = false;
    std::int64_t expires = 0;  // seconds since the epoch; 0 is a session cookie, gone at exit
    std::string name;
    std::string value;
    bool httpOnly = false;

    bool IsSession() const { return expires == 0; }

    // Reads one line as browsers and their extensions export it ("#HttpOnly_" prefix allowed, a
    // missing value read as empty). Comments, blank and malformed lines give false.
    static bool FromNetscapeLine(std::string_view line, Cookie& out);
    std::string ToNetscapeLine() const;

    // Whether a request to host and path (over https when secure is true) carries this cookie at
    // time now: host-only or domain match, path match, secure flag and expiry.
    bool SentTo(std::string_view host, std::string_view requestPath, bool https, std::int64_t now) const;
};
