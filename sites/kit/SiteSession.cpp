// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/kit/SiteSession.h"

namespace {

// "http://host:80/path?q" gives "host".
std::u16string HostOf(std::u16string_view url) {
    const std::size_t scheme = url.find(u"://");
    std::u16string_view rest = scheme == std::u16string_view::npos ? url : url.substr(scheme + 3);
    return std::u16string(rest.substr(0, rest.find_first_of(u"/:?#")));
}

}  // namespace

SiteSession::SiteSession(std::uint32_t timeoutMs) : request(u"", u"", timeoutMs) {
    request.headers = ACCEPT_ENCODING;
}

void SiteSession::SetExtraHeaders(std::u16string_view lines) {
    request.headers = ACCEPT_ENCODING;
    if (!lines.empty()) {
        request.headers += u"\r\n";
        request.headers += lines;
    }
}

bool SiteSession::Fetch(std::u16string_view url, unsigned textFlags, std::u16string& text) {
    text.clear();
    request.url = url;
    const bool came = FetchUrl(request, source, 0);
    lastFetch = PageFetch{true, source.error, source.status, HostOf(url)};
    if (!came) {
        return false;
    }
    source.GetText(text, textFlags);
    return true;
}
