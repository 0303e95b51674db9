#include "sites/SiteSession.h"

#include "MyCode/StringCtrl.h"
#include "core/JobContext.h"

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

bool ListStopped(const JobContext& job) {
    return job.listState.load() == LIST_STOP;
}

bool PicturesStopped(const JobContext& job) {
    std::uint8_t state = job.downloadState.load();
    return state == DL_ALBUM_DONE || state == DL_STOP;
}

std::u16string Unslashed(std::u16string text) {
    StringCtrl::ReplaceAll(text, u"\\/", u"/");
    return text;
}
