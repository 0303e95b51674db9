#include "sites/kit/SiteSession.h"

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
    if (!FetchUrl(request, source, 0)) {
        return false;
    }
    source.GetText(text, textFlags);
    return true;
}
