// SPDX-License-Identifier: GPL-3.0-or-later
#include "MyCode/Cookie.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace {

constexpr std::string_view kHttpOnlyPrefix = "#HttpOnly_";

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool DomainMatches(std::string_view host, std::string_view domain, bool includeSubdomains) {
    if (EqualsNoCase(host, domain)) {
        return true;
    }
    return includeSubdomains && host.size() > domain.size() && host[host.size() - domain.size() - 1] == '.' &&
           EqualsNoCase(host.substr(host.size() - domain.size()), domain);
}

// "/a" matches "/a", "/a/" and "/a/b" but not "/ab".
bool PathMatches(std::string_view requestPath, std::string_view cookiePath) {
    if (requestPath.substr(0, cookiePath.size()) != cookiePath) {
        return false;
    }
    return requestPath.size() == cookiePath.size() || cookiePath.back() == '/' ||
           requestPath[cookiePath.size()] == '/';
}

}  // namespace

bool Cookie::FromNetscapeLine(std::string_view line, Cookie& out) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.remove_suffix(1);
    }
    Cookie c;
    if (line.substr(0, kHttpOnlyPrefix.size()) == kHttpOnlyPrefix) {
        c.httpOnly = true;
        line.remove_prefix(kHttpOnlyPrefix.size());
    } else if (line.empty() || line.front() == '#') {
        return false;
    }
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        std::size_t tab = line.find('\t', start);
        fields.push_back(
            line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) {
            break;
        }
        start = tab + 1;
    }
    // Some exporters drop the trailing tab of an empty value.
    if (fields.size() == 6) {
        fields.push_back({});
    }
    if (fields.size() != 7 || fields[0].empty() || fields[5].empty()) {
        return false;
    }
    std::string_view domain = fields[0];
    if (domain.front() == '.') {
        domain.remove_prefix(1);
    }
    if (domain.empty()) {
        return false;
    }
    c.domain.assign(domain);
    c.includeSubdomains = EqualsNoCase(fields[1], "TRUE");
    c.path = fields[2].empty() ? std::string("/") : std::string(fields[2]);
    c.secure = EqualsNoCase(fields[3], "TRUE");
    // Browsers write whole seconds, some extensions a fraction; only the seconds count.
    std::string_view expires = fields[4];
    if (std::size_t dot = expires.find('.'); dot != std::string_view::npos) {
        expires = expires.substr(0, dot);
    }
    auto [end, ec] = std::from_chars(expires.data(), expires.data() + expires.size(), c.expires);
    if (ec != std::errc() || end != expires.data() + expires.size() || c.expires < 0) {
        return false;
    }
    c.name.assign(fields[5]);
    c.value.assign(fields[6]);
    out = std::move(c);
    return true;
}

std::string Cookie::ToNetscapeLine() const {
    std::string line;
    if (httpOnly) {
        line += kHttpOnlyPrefix;
    }
    if (includeSubdomains) {
        line += '.';
    }
    line += domain;
    line += includeSubdomains ? "\tTRUE\t" : "\tFALSE\t";
    line += path.empty() ? std::string("/") : path;
    line += secure ? "\tTRUE\t" : "\tFALSE\t";
    line += std::to_string(expires);
    line += '\t';
    line += name;
    line += '\t';
    line += value;
    return line;
}

bool Cookie::SentTo(std::string_view host, std::string_view requestPath, bool https, std::int64_t now) const {
    if (expires != 0 && expires <= now) {
        return false;
    }
    if (secure && !https) {
        return false;
    }
    if (requestPath.empty()) {
        requestPath = "/";
    }
    return DomainMatches(host, domain, includeSubdomains) &&
           PathMatches(requestPath, path.empty() ? "/" : path);
}
