// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "MyCode/CookieStore.h"

#include "MyCode/URLSource2.h"
#include "support/FixtureServer.h"

// zlib-wrapped (windowBits 15), gzip-wrapped (31) or raw (-15) deflate data.
inline std::string Deflate(const std::string& data, int windowBits) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

inline std::string Gzip(const std::string& data) {
    return Deflate(data, 31);
}

class Stopwatch {
public:
    long Ms() const {
        return static_cast<long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_)
                .count());
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The pairs of a cookie header, sorted.
inline std::vector<std::u16string> Pairs(const std::u16string& header) {
    std::vector<std::u16string> pairs;
    for (std::size_t start = 0; start < header.size();) {
        std::size_t end = header.find(u"; ", start);
        pairs.push_back(header.substr(start, end == std::u16string::npos ? end : end - start));
        start = end == std::u16string::npos ? header.size() : end + 2;
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// A loopback server per test, requests to it with short retry pauses, and an empty cookie store
// that is not saved anywhere (the store is process-wide).
class HttpTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetRetryPauseScale(0.05);
        CookieStore::Instance().SetProgramFolder(u"");
        CookieStore::Instance().Clear();
    }
    void TearDown() override {
        SetRetryPauseScale(1.0);
        CookieStore::Instance().SetProgramFolder(u"");
        CookieStore::Instance().Clear();
    }

    UrlRequest Req(const std::string& path, std::uint32_t timeoutMs = 3000) const {
        return UrlRequest(server.BaseUrl16() + std::u16string(path.begin(), path.end()), u"", timeoutMs);
    }

    FixtureServer server;
};
