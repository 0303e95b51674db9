// SPDX-License-Identifier: GPL-3.0-or-later
#include "MyCode/CookieStore.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <memory>
#include <optional>

#include "MyCode/CurlShare.h"
#include "platform/FileSystem.h"

namespace {

constexpr std::string_view kHeaderLine = "# Netscape HTTP Cookie File\n";
// Cookies go to the jar in batches of this many, so a stop is seen between two batches even while
// a huge file is taken in.
constexpr std::size_t kFeedBatch = 500;

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

// A private folder for one exchange of cookie files with curl, removed with them when it goes.
//
// curl's jar is reached quickly only through files. A cookie added by itself (CURLOPT_COOKIELIST
// with one line) makes curl sweep the whole jar for expired cookies, and with session cookies in
// it the sweep never stops early, so n cookies cost n * n steps: 25,000 took seconds. A cookie file
// is read without that sweep. The other way, CURLINFO_COOKIELIST builds its list by walking to the
// list's end for every cookie, while the jar written out (CURLOPT_COOKIELIST "FLUSH") costs one
// pass.
class Scratch {
public:
    Scratch() : folder_(FileSystem::CreatePrivateTempDirectory()) {}
    ~Scratch() {
        if (!folder_.empty()) {
            FileSystem::RemoveTree(folder_);
        }
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    bool Ok() const { return !folder_.empty(); }
    std::u16string File(std::u16string_view name) const { return folder_ + std::u16string(name); }

private:
    std::u16string folder_;
};

// Puts count lines (Netscape lines, each ending with a line break) into the jar: a few one by one,
// more through a file in scratch, made when first needed.
void Feed(CURL* easy, std::optional<Scratch>& scratch, const std::string& lines, std::size_t count) {
    constexpr std::size_t kFewLines = 64;
    if (count >= kFewLines) {
        if (!scratch) {
            scratch.emplace();
        }
        const std::u16string file = scratch->File(u"feed.txt");
        Easy reader = JarHandle();
        // The folder is the user's alone; the file lives only while curl reads it.
        bool written = scratch->Ok() && reader && FileSystem::AppendFile(file, lines);
        if (written) {
            const std::string native = FileSystem::NativePath(file);
            curl_easy_setopt(reader.get(), CURLOPT_COOKIEFILE, native.c_str());
            curl_easy_setopt(reader.get(), CURLOPT_COOKIELIST, "RELOAD");
        }
        FileSystem::Remove(file);
        if (written) {
            return;
        }
    }
    std::string_view rest = lines;
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::string line(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        curl_easy_setopt(easy, CURLOPT_COOKIELIST, line.c_str());
    }
}

// The jar's cookies as Netscape lines, expired ones left out by curl.
std::string JarText() {
    Easy easy = JarHandle();
    if (!easy) {
        return {};
    }
    Scratch scratch;
    if (scratch.Ok()) {
        const std::string native = FileSystem::NativePath(scratch.File(u"jar.txt"));
        curl_easy_setopt(easy.get(), CURLOPT_COOKIEJAR, native.c_str());
        curl_easy_setopt(easy.get(), CURLOPT_COOKIELIST, "FLUSH");
        // Otherwise the handle writes the jar once more when it goes.
        curl_easy_setopt(easy.get(), CURLOPT_COOKIEJAR, nullptr);
        std::string text;
        bool notAFile = false;
        if (FileSystem::ReadRegularFile(scratch.File(u"jar.txt"), text, notAFile)) {
            return text;
        }
    }
    // The slow way, but never an empty jar for a full one: the file is saved from what this says.
    std::string text;
    curl_slist* list = nullptr;
    if (curl_easy_getinfo(easy.get(), CURLINFO_COOKIELIST, &list) == CURLE_OK) {
        for (curl_slist* item = list; item != nullptr; item = item->next) {
            text += item->data;
            text += '\n';
        }
    }
    curl_slist_free_all(list);
    return text;
}

}  // namespace

CookieStore& CookieStore::Instance() {
    static CookieStore* instance = new CookieStore();
    return *instance;
}

bool CookieStore::SetProgramFolder(std::u16string_view folder, const std::function<bool()>& stopped) {
    std::u16string path;
    if (!folder.empty()) {
        path.assign(folder);
        if (path.back() != u'/') {
            path.push_back(u'/');
        }
        path += u"cookies.txt";
    }
    bool ok = true;
    bool whole = true;
    if (!path.empty() && FileSystem::Exists(path)) {
        std::string text;
        bool notAFile = false;
        ok = FileSystem::ReadRegularFile(path, text, notAFile);
        if (ok) {
            whole = AddLines(text, stopped) >= 0;
        }
    }
    {
        std::lock_guard lock(saveMutex_);
        // A store loaded in part would lose the rest of the file at its first save.
        filePath_ = whole ? path : std::u16string();
        // An empty store creates no file.
        savedText_ = kHeaderLine;
    }
    if (whole) {
        SaveIfChanged();
    }
    return ok;
}

int CookieStore::AddLines(std::string_view text, const std::function<bool()>& stopped) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    Easy easy = JarHandle();
    if (!easy) {
        return 0;
    }
    std::optional<Scratch> scratch;
    int taken = 0;
    std::string batch;
    std::size_t inBatch = 0;
    while (!text.empty()) {
        if (stopped && stopped()) {
            return -1;
        }
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        Cookie cookie;
        if (Cookie::FromNetscapeLine(line, cookie)) {
            // Normalised, so a line curl would read differently than we do never reaches it.
            batch += cookie.ToNetscapeLine();
            batch += '\n';
            ++taken;
            if (++inBatch == kFeedBatch) {
                Feed(easy.get(), scratch, batch, inBatch);
                batch.clear();
                inBatch = 0;
            }
        }
    }
    if (!batch.empty()) {
        if (stopped && stopped()) {
            return -1;
        }
        Feed(easy.get(), scratch, batch, inBatch);
    }
    return taken;
}

int CookieStore::ImportFile(std::u16string_view path, const std::function<bool()>& stopped) {
    std::string text;
    bool notAFile = false;
    if (!FileSystem::ReadRegularFile(path, text, notAFile)) {
        return notAFile ? IMPORT_NOT_A_FILE : IMPORT_UNREADABLE;
    }
    int taken = AddLines(text, stopped);
    if (taken < 0) {
        return IMPORT_STOPPED;
    }
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
    const std::string text = JarText();
    std::string_view rest = text;
    const std::int64_t now = Now();
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        Cookie cookie;
        if (Cookie::FromNetscapeLine(line, cookie) && (cookie.IsSession() || cookie.expires > now)) {
            cookies.push_back(std::move(cookie));
        }
    }
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
