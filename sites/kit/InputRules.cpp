#include "sites/kit/InputRules.h"

#include "MyCode/StringCtrl.h"
#include "MyCode/TextFlags.h"
#include "core/JobContext.h"
#include "core/WindowPort.h"
#include "sites/kit/Fields.h"
#include "sites/kit/SiteCall.h"
#include "sites/kit/SiteSession.h"

namespace InputRules {

bool HasScheme(std::u16string_view text) {
    return Fields::Contains(text, u"http://") || Fields::Contains(text, u"https://");
}

void SkipScheme(std::u16string& text) {
    std::size_t http = text.find(u"http://");
    std::size_t https = text.find(u"https://");
    if (https != std::u16string::npos && (http == std::u16string::npos || https < http)) {
        StringCtrl::SkipPast(text, u"https://");
    } else {
        StringCtrl::SkipPast(text, u"http://");
    }
}

bool IsAllDigits(std::u16string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

bool FetchPage(JobContext& job, std::u16string_view url, std::u16string& page) {
    SiteSession session;
    session.SetStop([&job] { return ListStopped(job); });
    return session.Fetch(url, TEXT_INFLATE | TEXT_UTF8, page);
}

void Notice(JobContext& job, std::u16string_view text, std::u16string_view caption) {
    job.window->MessageBox(std::u16string(text), std::u16string(caption), MB_OK);
}

}  // namespace InputRules
