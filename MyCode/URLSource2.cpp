// SPDX-License-Identifier: GPL-3.0-or-later
#include "MyCode/URLSource2.h"

#include <curl/curl.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>

#include "MyCode/ConnectToRules.h"
#include "MyCode/CookieStore.h"
#include "MyCode/CurlShare.h"
#include "MyCode/StringCtrl.h"
#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/StoppableWait.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr char kUserAgent[] =
    "Mozilla/5.0 (Windows NT 5.1) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/33.0.1750.154 Safari/537.36";
constexpr long kChunkBytes = 102400;
constexpr long kMaxRedirects = 10;
// How often the transfer loop looks at the clock while nothing arrives.
constexpr long kPollSliceMs = 50;
constexpr std::size_t kInflateBufferBytes = 8192;

struct SlistDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Slist = std::unique_ptr<curl_slist, SlistDeleter>;

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() &&
           (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n')) {
        text.remove_suffix(1);
    }
    return text;
}

std::int64_t KiB(std::int32_t units) {
    return static_cast<std::int64_t>(units) * 1024;
}

// The most a body held in memory may hold.
std::uint64_t HeldLimit(const UrlRequest& request) {
    if (request.maxSizeKB == 0) {
        return kHeldBodyLimitBytes;
    }
    return static_cast<std::uint64_t>(std::max<std::int64_t>(0, KiB(request.maxSizeKB)));
}

// Keeps what follows the last cutStart and drops everything from the first cutEnd on; true when
// cutEnd was found. Bytes before from were searched before and held no whole marker. The kept text
// starts after the last of the occurrences that follow one another without overlapping, which is
// where erasing through the first occurrence again and again would leave it, in one erase.
bool ApplyCutMarkers(std::string& bytes, const std::string& cutStart, const std::string& cutEnd,
                     std::size_t from) {
    auto searchFrom = [&](const std::string& marker) {
        return from >= marker.size() ? from - marker.size() + 1 : 0;
    };
    if (!cutStart.empty()) {
        std::size_t keep = std::string::npos;
        for (std::size_t at = bytes.find(cutStart, searchFrom(cutStart)); at != std::string::npos;
             at = bytes.find(cutStart, at + cutStart.size())) {
            keep = at + cutStart.size();
        }
        if (keep != std::string::npos) {
            bytes.erase(0, keep);
            from = 0;
        }
    }
    if (cutEnd.empty()) {
        return false;
    }
    std::size_t at = bytes.find(cutEnd, searchFrom(cutEnd));
    if (at == std::string::npos) {
        return false;
    }
    bytes.erase(at);
    return true;
}

// Everything one attempt's callbacks share.
struct Attempt {
    Attempt(const UrlRequest& r, UrlSource& s) : request(r), source(s) {}
    const UrlRequest& request;
    UrlSource& source;
    Clock::time_point lastActivity = Clock::now();
    // The header block being received and what it says.
    std::string block;
    bool inBlock = false;
    int status = 0;
    bool hasLocation = false;
    std::int64_t contentLength = -1;
    std::string encoding;
    int retryAfter = -1;    // seconds, from Retry-After
    std::string lastBlock;  // the last complete header block
    // Set once the headers of the answer itself (not a redirect) are in; body reads follow.
    bool finalHeaders = false;
    bool streaming = false;  // the body goes to file, not into memory
    std::unique_ptr<AtomicFile> file;
    std::uint64_t received = 0;  // body bytes of the answer itself
    bool cutting = false;
    bool cutDone = false;
    bool rejected = false;
    FetchError rejection = FetchError::None;  // why, when rejected
    bool cookiesSet = false;
};

bool Reject(Attempt& a, FetchError why) {
    a.rejected = true;
    a.rejection = why;
    return false;
}

std::atomic<double> g_timeoutScale{1.0};

std::chrono::milliseconds Scaled(std::uint32_t ms) {
    return std::chrono::milliseconds(static_cast<long long>(ms * g_timeoutScale.load()));
}

FetchError ErrorOf(CURLcode code) {
    switch (code) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_CONNECT:
            return FetchError::Connect;
        case CURLE_OPERATION_TIMEDOUT:
            return FetchError::TimedOut;
        default:
            // A reset, an answer shorter than announced, or bytes that are no HTTP answer.
            return FetchError::Cut;
    }
}

bool NamesCompression(std::string_view encoding) {
    std::string lower(encoding);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("gzip") != std::string::npos || lower.find("deflate") != std::string::npos;
}

// Retry-After as seconds or as an HTTP date (a date passed is 0); -1 when it is neither.
int RetryAfterSeconds(std::string_view value) {
    // Far more than any wait that is taken; only the order of size matters past it.
    constexpr int kLongest = 1'000'000;
    if (!value.empty() && std::all_of(value.begin(), value.end(),
                                      [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
        int seconds = 0;
        for (char c : value) {
            seconds = std::min(kLongest, seconds * 10 + (c - '0'));
        }
        return seconds;
    }
    const time_t when = curl_getdate(std::string(value).c_str(), nullptr);
    if (when < 0) {
        return -1;
    }
    const time_t now = std::time(nullptr);
    return when <= now ? 0 : static_cast<int>(std::min<time_t>(kLongest, when - now));
}

// Headers of the answer itself decide compression and the declared-length check; a redirect's or
// an interim 1xx block only passes by.
bool EndHeaderBlock(Attempt& a) {
    a.inBlock = false;
    a.lastBlock = a.block;
    bool passesBy = a.status / 100 == 1 || (a.status / 100 == 3 && a.status != 304 && a.hasLocation);
    if (passesBy) {
        return true;
    }
    const UrlRequest& r = a.request;
    a.finalHeaders = true;
    a.source.compressed = NamesCompression(a.encoding);
    a.streaming = !r.streamPath.empty();
    a.cutting = !a.source.compressed && r.savePath.empty() && !a.streaming &&
                (!r.cutStart.empty() || !r.cutEnd.empty());
    // An error page is not read at all where it is not wanted.
    if (r.refuseErrorAnswers && a.status >= 400) {
        return Reject(a, FetchError::HttpStatus);
    }
    if (a.contentLength >= 0 && a.contentLength < KiB(r.minSizeKB)) {
        return Reject(a, FetchError::TooSmall);
    }
    if (a.contentLength >= 0 && r.maxSizeKB != 0 && a.contentLength > KiB(r.maxSizeKB)) {
        return Reject(a, FetchError::TooLarge);
    }
    // A page that cut markers may keep short is judged by what is kept, as it comes.
    if (!a.streaming && !a.cutting && a.contentLength >= 0 &&
        static_cast<std::uint64_t>(a.contentLength) > HeldLimit(r)) {
        return Reject(a, FetchError::TooLarge);
    }
    return true;
}

std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
    Attempt& a = *static_cast<Attempt*>(user);
    std::size_t n = size * count;
    std::string_view line(data, n);
    a.lastActivity = Clock::now();
    if (line.substr(0, 5) == "HTTP/") {
        a.block.clear();
        a.inBlock = true;
        a.finalHeaders = false;
        a.hasLocation = false;
        a.contentLength = -1;
        a.encoding.clear();
        a.retryAfter = -1;
        a.status = 0;
        std::size_t digit = line.find(' ');
        for (digit = digit == std::string_view::npos ? line.size() : digit + 1;
             digit < line.size() && std::isdigit(static_cast<unsigned char>(line[digit])); ++digit) {
            a.status = a.status * 10 + (line[digit] - '0');
        }
    }
    if (!a.inBlock) {
        return n;  // trailers after a chunked body
    }
    a.block.append(line);
    std::string_view content = Trim(line);
    if (content.empty()) {
        return EndHeaderBlock(a) ? n : 0;
    }
    std::size_t colon = content.find(':');
    if (colon == std::string_view::npos) {
        return n;
    }
    std::string_view name = Trim(content.substr(0, colon));
    std::string_view value = Trim(content.substr(colon + 1));
    if (EqualsNoCase(name, "content-length") && a.contentLength < 0) {
        std::int64_t number = 0;
        std::size_t digits = 0;
        for (; digits < value.size() && std::isdigit(static_cast<unsigned char>(value[digits])) &&
               number < INT64_MAX / 10;
             ++digits) {
            number = number * 10 + (value[digits] - '0');
        }
        if (digits > 0) {
            a.contentLength = number;
        }
    } else if (EqualsNoCase(name, "content-encoding")) {
        a.encoding.append(value).append(",");
    } else if (EqualsNoCase(name, "location")) {
        a.hasLocation = !value.empty();
    } else if (EqualsNoCase(name, "set-cookie")) {
        a.cookiesSet = true;
    } else if (EqualsNoCase(name, "retry-after")) {
        a.retryAfter = RetryAfterSeconds(value);
    }
    return n;
}

FetchError WriteError(int error) {
    return AtomicFile::IsDiskFull(error) ? FetchError::DiskFull : FetchError::WriteFailed;
}

// A streamed body goes to its file piece by piece; maxSizeKB cuts it as soon as it is passed.
std::size_t StreamBody(Attempt& a, const char* data, std::size_t n) {
    const UrlRequest& r = a.request;
    if (r.maxSizeKB != 0 && static_cast<std::int64_t>(a.received) > KiB(r.maxSizeKB)) {
        Reject(a, FetchError::TooLarge);
        return 0;
    }
    if (!a.file) {
        a.file = std::make_unique<AtomicFile>(r.streamPath);
    }
    if (!a.file->Write(std::string_view(data, n))) {
        Reject(a, WriteError(a.file->Error()));
        return 0;
    }
    return n;
}

// Room for a held body of needed bytes: the declared length when it fits the limit, else twice the
// room it had, and the whole limit once that passes half of it, so the last move before the limit
// copies at most half of it.
std::size_t GrownCapacity(const Attempt& a, std::size_t needed, std::size_t capacity, std::uint64_t limit) {
    if (a.contentLength >= 0 && static_cast<std::uint64_t>(a.contentLength) <= limit &&
        static_cast<std::size_t>(a.contentLength) >= needed) {
        return static_cast<std::size_t>(a.contentLength);
    }
    std::size_t grown = std::max(needed, 2 * capacity);
    return grown > limit / 2 ? std::max<std::size_t>(needed, static_cast<std::size_t>(limit)) : grown;
}

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
    Attempt& a = *static_cast<Attempt*>(user);
    std::size_t n = size * count;
    a.lastActivity = Clock::now();
    if (!a.finalHeaders) {
        return n;  // the body of a redirect
    }
    a.received += n;
    if (a.streaming) {
        return StreamBody(a, data, n);
    }
    std::string& body = a.source.body;
    const std::uint64_t limit = HeldLimit(a.request);
    // Past the limit the body is given up at once: it never grows beyond it, and its memory goes.
    auto tooLarge = [&] {
        Reject(a, FetchError::TooLarge);
        std::string().swap(body);
        return std::size_t{0};
    };
    if (!a.cutting && body.size() + n > limit) {
        return tooLarge();
    }
    if (body.size() + n > body.capacity()) {
        body.reserve(GrownCapacity(a, body.size() + n, body.capacity(), limit));
    }
    std::size_t from = body.size();
    body.append(data, n);
    if (a.cutting && ApplyCutMarkers(body, a.request.cutStart, a.request.cutEnd, from)) {
        a.cutDone = true;
        return 0;  // the rest of the page is not wanted
    }
    if (body.size() > limit) {
        return tooLarge();
    }
    return n;
}

std::mutex& TrustedMutex() {
    static std::mutex mutex;
    return mutex;
}

// The tests' certificates (SetTrustedCertificates); empty in the program.
std::string& TrustedPem() {
    static std::string pem;
    return pem;
}

// A CA bundle file named the way the curl program takes it: CURL_CA_BUNDLE first, then
// SSL_CERT_FILE (users behind an inspecting proxy set them). libcurl itself reads neither; without
// them it keeps the system's bundle.
const char* CaBundleFromEnvironment() {
    for (const char* name : {"CURL_CA_BUNDLE", "SSL_CERT_FILE"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return nullptr;
}

void SetTrust(CURL* e) {
    std::lock_guard lock(TrustedMutex());
    if (!TrustedPem().empty()) {
        curl_blob blob{TrustedPem().data(), TrustedPem().size(), CURL_BLOB_COPY};
        curl_easy_setopt(e, CURLOPT_CAINFO_BLOB, &blob);
    } else if (const char* bundle = CaBundleFromEnvironment()) {
        curl_easy_setopt(e, CURLOPT_CAINFO, bundle);
    }
}

// Only http and https addresses that curl can parse are fetched.
bool PrepareUrl(std::u16string_view url, std::string& out) {
    CURLU* parsed = curl_url();
    bool ok = false;
    if (parsed != nullptr && curl_url_set(parsed, CURLUPART_URL, EscapeUrl(url).c_str(), 0) == CURLUE_OK) {
        char* scheme = nullptr;
        char* full = nullptr;
        if (curl_url_get(parsed, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
            (std::strcmp(scheme, "http") == 0 || std::strcmp(scheme, "https") == 0) &&
            curl_url_get(parsed, CURLUPART_URL, &full, 0) == CURLUE_OK) {
            out = full;
            ok = true;
        }
        curl_free(scheme);
        curl_free(full);
    }
    curl_url_cleanup(parsed);
    return ok;
}

Slist HeaderList(const UrlRequest& request) {
    curl_slist* list = nullptr;
    std::string text = CodePage::Encode(request.headers, CodePage::ANSI);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        std::string_view line =
            std::string_view(text).substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            list = curl_slist_append(list, std::string(line).c_str());
        }
        start = end == std::string::npos ? text.size() : end + 1;
    }
    if (!request.postData.empty()) {
        list = curl_slist_append(list, "Expect:");  // no one-second wait for a "100 Continue"
    }
    return Slist(list);
}

Slist ConnectToList() {
    curl_slist* list = nullptr;
    for (const std::string& rule : ConnectToRules::Instance().List()) {
        list = curl_slist_append(list, rule.c_str());
    }
    return Slist(list);
}

void SetVerb(CURL* easy, const UrlRequest& request, const std::string& verb) {
    if (!request.postData.empty() || verb == "POST") {
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.postData.size()));
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.postData.c_str());
    }
    if (verb == "HEAD") {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    } else if (verb != "GET" && verb != "POST" && !verb.empty()) {
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, verb.c_str());
    }
}

// Runs the transfer; until the answer's headers are in, sendTimeoutMs bounds the silence, after
// that readTimeoutMs bounds each wait for more body data. curl's own low-speed limit only counts
// whole seconds, so the loop keeps the time itself.
CURLcode Run(CURL* easy, Attempt& a) {
    CURLM* multi = curl_multi_init();
    if (multi == nullptr) {
        return CURLE_OUT_OF_MEMORY;
    }
    curl_multi_add_handle(multi, easy);
    CURLcode result = CURLE_OPERATION_TIMEDOUT;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            result = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0) {
            int queued = 0;
            CURLMsg* message = curl_multi_info_read(multi, &queued);
            result =
                message != nullptr && message->msg == CURLMSG_DONE ? message->data.result : CURLE_RECV_ERROR;
            break;
        }
        auto limit = Scaled(a.finalHeaders ? a.request.readTimeoutMs : a.request.sendTimeoutMs);
        auto idle = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - a.lastActivity);
        if (idle >= limit) {
            break;
        }
        long wait = std::clamp<long>(static_cast<long>((limit - idle).count()), 1, kPollSliceMs);
        curl_multi_poll(multi, nullptr, 0, static_cast<int>(wait), nullptr);
    }
    curl_multi_remove_handle(multi, easy);
    curl_multi_cleanup(multi);
    return result;
}

// One transfer of request to url on an easy handle of its own. fresh forbids taking a kept-alive
// connection; reused tells whether one was taken.
CURLcode Transfer(const std::string& url, Attempt& attempt, bool fresh, bool& reused) {
    const UrlRequest& request = attempt.request;
    reused = false;
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> easy(curl_easy_init(), curl_easy_cleanup);
    if (!easy) {
        return CURLE_FAILED_INIT;
    }
    CURL* e = easy.get();
    Slist headers = HeaderList(request);
    Slist connectTo = ConnectToList();
    std::string verb = CodePage::ToUtf8(request.verb);

    CurlShare::Instance().Attach(e);
    curl_easy_setopt(e, CURLOPT_URL, url.c_str());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(e, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(e, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(e, CURLOPT_CONNECT_TO, connectTo.get());
    curl_easy_setopt(e, CURLOPT_BUFFERSIZE, kChunkBytes);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    // Transfers of different threads share connections, which curl allows for HTTP/1 only.
    curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    if (request.sendTimeoutMs != 0) {
        curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS,
                         std::max<long>(1, static_cast<long>(Scaled(request.sendTimeoutMs).count())));
    }
    if (fresh) {
        curl_easy_setopt(e, CURLOPT_FRESH_CONNECT, 1L);
    }
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, &attempt);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, &attempt);
    SetVerb(e, request, verb);
    SetTrust(e);

    CURLcode code = Run(e, attempt);
    long connects = 0;
    reused = curl_easy_getinfo(e, CURLINFO_NUM_CONNECTS, &connects) == CURLE_OK && connects == 0;
    return code;
}

// Whether a body escapes the soft-failure checks: longer than minLength, without retryMarker.
bool PassesSoftChecks(const UrlRequest& request, std::string_view bytes) {
    return bytes.size() > request.minLength &&
           (request.retryMarker.empty() || bytes.find(request.retryMarker) == std::string_view::npos);
}

}  // namespace

bool UrlSource::Request(const UrlRequest& request, unsigned /*flags: there is no cache to consult*/) {
    body.clear();
    bodyLength = 0;
    file_.reset();
    compressed = false;
    status = 0;
    retryAfterSec = -1;
    error = FetchError::None;
    cutStart = request.cutStart;
    cutEnd = request.cutEnd;
    inflateLimit_ =
        request.maxSizeKB > 0 ? static_cast<std::size_t>(KiB(request.maxSizeKB)) : kInflateLimitBytes;

    std::string url;
    if (!PrepareUrl(request.url, url)) {
        error = FetchError::BadAddress;
        return false;
    }
    bool fresh = freshConnection_;
    std::unique_ptr<AtomicFile> file;
    for (;;) {
        Attempt attempt(request, *this);
        bool reused = false;
        CURLcode code = Transfer(url, attempt, fresh, reused);
        bodyLength = attempt.streaming ? attempt.received : body.size();
        file = std::move(attempt.file);
        if (!attempt.lastBlock.empty()) {
            rawHeaders = CodePage::Decode(attempt.lastBlock, CodePage::ANSI);
        }
        if (attempt.cookiesSet) {
            CookieStore::Instance().SaveIfChanged();
        }
        status = attempt.finalHeaders ? attempt.status : 0;
        retryAfterSec = status == 429 || status == 503 ? attempt.retryAfter : -1;
        if (attempt.rejected) {
            error = attempt.rejection;
            return false;
        }
        if (code != CURLE_OK && !(code == CURLE_WRITE_ERROR && attempt.cutDone)) {
            // A request that may be repeated safely, failed on a kept-alive connection before any
            // answer: the connection was stale, not the server's answer to this request.
            bool repeatable = request.postData.empty() && (request.verb == u"GET" || request.verb == u"HEAD");
            if (reused && !fresh && attempt.status == 0 && repeatable) {
                body.clear();
                fresh = true;
                continue;
            }
            error = ErrorOf(code);
            return false;
        }
        break;
    }
    if (request.refuseErrorAnswers && bodyLength == 0) {
        error = FetchError::Empty;
        return false;
    }
    auto length = static_cast<std::int64_t>(bodyLength);
    if (length < KiB(request.minSizeKB)) {
        error = FetchError::TooSmall;
        return false;
    }
    if (request.maxSizeKB != 0 && length > KiB(request.maxSizeKB)) {
        error = FetchError::TooLarge;
        return false;
    }
    // A half-written picture is worse than none: the file appears whole or not at all.
    int writeError = 0;
    if (!request.savePath.empty() && !FileSystem::WriteFileAtomic(request.savePath, body, 0644, writeError)) {
        error = WriteError(writeError);
        return false;
    }
    if (!request.streamPath.empty()) {
        // An empty answer that is wanted is an empty file.
        if (!file) {
            file = std::make_unique<AtomicFile>(request.streamPath);
        }
        if (file->Error() != 0) {
            error = WriteError(file->Error());
            return false;
        }
        file_ = std::move(file);
    }
    return true;
}

std::string UrlSource::BodyBytes(bool inflate) const {
    if (!inflate || !compressed) {
        return body;
    }
    std::string out;
    if (!InflateBody(body.data(), body.size(), out, inflateLimit_) && out.empty()) {
        return body;  // labelled compressed but is not
    }
    return out;
}

void UrlSource::GetText(std::u16string& out, unsigned flags) const {
    // An uncompressed body was cut as it came and is decoded where it lies, not copied first.
    std::string_view bytes = body;
    std::string inflated;
    if (compressed) {
        inflated = BodyBytes((flags & TEXT_INFLATE) != 0);
        ApplyCutMarkers(inflated, cutStart, cutEnd, 0);
        bytes = inflated;
    }
    unsigned codePage = CodePage::ANSI;
    if (rawHeaders.find(u"charset=GBK") != std::u16string::npos) {
        codePage = CodePage::ANSI;
    } else if (flags & TEXT_UTF8) {
        codePage = CodePage::UTF8;
    } else if (flags & TEXT_EUCKR) {
        codePage = CodePage::EUCKR;
    } else if (flags & TEXT_BIG5) {
        codePage = CodePage::BIG5;
    } else if (flags & TEXT_AUTO) {
        bool utf8 = StringCtrl::IsUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        codePage = utf8 ? CodePage::UTF8 : CodePage::ANSI;
    }
    out = StringCtrl::FromCodePage(bytes.data(), bytes.size(), codePage);
    StringCtrl::DecodeHtmlEntities(out);
}

bool FetchUrl(const UrlRequest& request, UrlSource& source, unsigned flags) {
    bool ok = false;
    bool waitedForServer = false;
    source.freshConnection_ = false;
    source.serverWaitCut = false;
    for (unsigned attempt = 0; attempt < request.attempts; ++attempt) {
        const bool came = source.Request(request, flags);
        // A busy server that said when to come back is asked again then, once, whatever the
        // attempts: what it answered is not the answer to the request.
        if (request.serverWait && source.retryAfterSec >= 0 && !waitedForServer &&
            !(request.stopped && request.stopped())) {
            waitedForServer = true;
            const int seconds = std::min(source.retryAfterSec, kServerWaitLimitSec);
            request.serverWait(seconds);
            if (StoppableWait(std::chrono::seconds(seconds), request.stopped)) {
                --attempt;
                continue;
            }
            // Stopped: what came is all there is.
            source.serverWaitCut = true;
        }
        if (came) {
            if (request.minLength == 0 && request.retryMarker.empty()) {
                ok = true;
                break;
            }
            bool passes;
            if (!request.streamPath.empty()) {
                passes = source.bodyLength > request.minLength;
            } else if (source.compressed) {
                // The marker and the length are the page's: a gzip answer is judged by what it
                // inflates to.
                passes = PassesSoftChecks(request, source.BodyBytes(true));
            } else {
                passes = PassesSoftChecks(request, source.body);
            }
            if (passes) {
                ok = true;
                break;
            }
            source.error = FetchError::SoftFailure;
            source.file_.reset();
        }
        // The pause gives the server time before the next attempt; after the last one it would
        // only hold up the caller.
        if (attempt + 1 >= request.attempts) {
            break;
        }
        // Whatever went wrong may have been the connection's: the next attempt takes a new one.
        source.freshConnection_ = true;
        if (!StoppableWait(std::chrono::seconds(request.retryPauseSec), request.stopped)) {
            break;
        }
    }
    source.freshConnection_ = false;
    return ok;
}

bool InflateBody(const char* data, std::size_t length, std::string& out, std::size_t limit) {
    z_stream stream{};
    if (inflateInit2(&stream, 15 + 32) != Z_OK) {
        return false;
    }
    const auto* next = reinterpret_cast<const Bytef*>(data);
    std::size_t left = length;
    std::size_t produced = 0;
    bool ok = false;
    char buffer[kInflateBufferBytes];
    for (;;) {
        if (stream.avail_in == 0 && left > 0) {
            auto piece = static_cast<uInt>(std::min<std::size_t>(left, UINT_MAX));
            stream.next_in = const_cast<Bytef*>(next);
            stream.avail_in = piece;
            next += piece;
            left -= piece;
        }
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof(buffer);
        int status = inflate(&stream, Z_NO_FLUSH);
        std::size_t got = sizeof(buffer) - stream.avail_out;
        if (got > limit - produced) {
            out.append(buffer, limit - produced);
            break;
        }
        out.append(buffer, got);
        produced += got;
        if (status == Z_STREAM_END) {
            ok = true;
            break;
        }
        if (status != Z_OK) {
            break;
        }
    }
    inflateEnd(&stream);
    return ok;
}

std::u16string GetUrlCookie(std::u16string_view url) {
    return CodePage::Decode(CookieStore::Instance().HeaderFor(EscapeUrl(url)), CodePage::ANSI);
}

std::string EscapeUrl(std::u16string_view url) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string bytes = CodePage::ToUtf8(url);
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto c = static_cast<unsigned char>(bytes[i]);
        bool keep;
        if (c == '%') {
            keep = i + 2 < bytes.size() && std::isxdigit(static_cast<unsigned char>(bytes[i + 1])) &&
                   std::isxdigit(static_cast<unsigned char>(bytes[i + 2]));
        } else {
            keep = c > 0x20 && c < 0x7F && std::strchr("\"<>\\^`{|}", c) == nullptr;
        }
        if (keep) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

void SetRetryPauseScale(double factor) {
    SetWaitScale(factor);
}

void SetTrustedCertificates(std::string pem) {
    std::lock_guard lock(TrustedMutex());
    TrustedPem() = std::move(pem);
}

void SetTimeoutScale(double factor) {
    g_timeoutScale.store(factor);
}
