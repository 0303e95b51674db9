#include "MyCode/CookieStore.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <memory>

#include "MyCode/CurlShare.h"
#include "platform/FileSystem.h"

namespace {

constexpr std::string_view kHeaderLine = "# Netscape HTTP Cookie File\n";

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;

// A handle attached to the share only to reach its cookie jar.
Easy JarHandle() {
    CurlShare& share = CurlShare::Instance();
    Easy easy(curl_easy_init());
    if (easy) {
        share.Attach(easy.get());
    }
    return easy;
}

std::int64_t Now() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

CookieStore& CookieStore::Instance() {
    static CookieStore* instance = new CookieStore();
    return *instance;
}

bool CookieStore::SetProgramFolder(std::u16string_view folder) {
    std::u16string path;
    if (!folder.empty()) {
        path.assign(folder);
        if (path.back() != u'/') {
            path.push_back(u'/');
        }
        path += u"cookies.txt";
    }
    bool ok = true;
    if (!path.empty() && FileSystem::Exists(path)) {
        std::string text;
        ok = FileSystem::ReadFile(path, text);
        if (ok) {
            AddLines(text);
        }
    }
    {
        std::lock_guard lock(saveMutex_);
        filePath_ = path;
        // An empty store creates no file.
        savedText_ = kHeaderLine;
    }
    SaveIfChanged();
    return ok;
}

int CookieStore::AddLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    Easy easy = JarHandle();
    if (!easy) {
        return 0;
    }
    int taken = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        Cookie cookie;
        if (Cookie::FromNetscapeLine(line, cookie)) {
            // Normalised, so a line curl would read differently than we do never reaches it.
            curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, cookie.ToNetscapeLine().c_str());
            ++taken;
        }
    }
    return taken;
}

int CookieStore::ImportFile(std::u16string_view path) {
    std::string text;
    if (!FileSystem::ReadFile(path, text)) {
        return -1;
    }
    int taken = AddLines(text);
    SaveIfChanged();
    return taken;
}

bool CookieStore::Add(const Cookie& cookie) {
    Cookie checked;
    if (!Cookie::FromNetscapeLine(cookie.ToNetscapeLine(), checked) ||
        cookie.name.find_first_of("\t\r\n") != std::string::npos ||
        cookie.value.find_first_of("\t\r\n") != std::string::npos) {
        return false;
    }
    if (AddLines(cookie.ToNetscapeLine()) != 1) {
        return false;
    }
    SaveIfChanged();
    return true;
}

void CookieStore::Clear() {
    if (Easy easy = JarHandle()) {
        curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, "ALL");
    }
    SaveIfChanged();
}

std::vector<Cookie> CookieStore::All() const {
    std::vector<Cookie> cookies;
    Easy easy = JarHandle();
    curl_slist* list = nullptr;
    if (!easy || curl_easy_getinfo(easy.get(), CURLINFO_COOKIELIST, &list) != CURLE_OK) {
        return cookies;
    }
    std::int64_t now = Now();
    for (curl_slist* item = list; item != nullptr; item = item->next) {
        Cookie cookie;
        if (Cookie::FromNetscapeLine(item->data, cookie) && (cookie.IsSession() || cookie.expires > now)) {
            cookies.push_back(std::move(cookie));
        }
    }
    curl_slist_free_all(list);
    return cookies;
}

std::string CookieStore::HeaderFor(std::string_view url) const {
    CURLU* parsed = curl_url();
    std::string scheme, host, path;
    if (curl_url_set(parsed, CURLUPART_URL, std::string(url).c_str(), 0) == CURLUE_OK) {
        char* part = nullptr;
        if (curl_url_get(parsed, CURLUPART_SCHEME, &part, 0) == CURLUE_OK) {
            scheme = part;
            curl_free(part);
        }
        if (curl_url_get(parsed, CURLUPART_HOST, &part, 0) == CURLUE_OK) {
            host = part;
            curl_free(part);
        }
        if (curl_url_get(parsed, CURLUPART_PATH, &part, 0) == CURLUE_OK) {
            path = part;
            curl_free(part);
        }
    }
    curl_url_cleanup(parsed);
    if (host.empty()) {
        return {};
    }
    host = Lower(host);
    bool https = Lower(scheme) == "https";
    std::int64_t now = Now();
    std::vector<Cookie> sent;
    for (Cookie& cookie : All()) {
        if (cookie.SentTo(host, path, https, now)) {
            sent.push_back(std::move(cookie));
        }
    }
    // The order curl sends them in: the most specific path first.
    std::stable_sort(sent.begin(), sent.end(),
                     [](const Cookie& a, const Cookie& b) { return a.path.size() > b.path.size(); });
    std::string header;
    for (const Cookie& cookie : sent) {
        if (!header.empty()) {
            header += "; ";
        }
        header += cookie.name + "=" + cookie.value;
    }
    return header;
}

void CookieStore::SaveIfChanged() {
    std::lock_guard lock(saveMutex_);
    if (filePath_.empty()) {
        return;
    }
    std::vector<Cookie> cookies = All();
    std::string text(kHeaderLine);
    for (const Cookie& cookie : cookies) {
        if (!cookie.IsSession()) {
            text += cookie.ToNetscapeLine();
            text += '\n';
        }
    }
    if (text == savedText_) {
        return;
    }
    if (FileSystem::WriteFileAtomic(filePath_, text, 0600)) {
        savedText_ = std::move(text);
    }
}
