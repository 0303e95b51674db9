// SPDX-License-Identifier: GPL-3.0-or-later
// Where a body goes and how much of it is held: a streamed body goes to its file and never into
// memory, and a body held in memory stops at its cap.

#include <atomic>
#include <memory>

#include "HttpTestUtil.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;

constexpr std::size_t kMiB = 1u << 20;

class BodyLimits : public HttpTest {
protected:
    // Sends blocks of one MiB, without a declared length, until total bytes are out or the client
    // has gone; sent counts what the server could write.
    void ServeBlocks(const std::string& path, std::size_t total, std::string block) {
        auto shared = std::make_shared<const std::string>(std::move(block));
        server.Handle(path, [this, total, shared](const FixtureRequest&, FixtureReply& reply) {
            reply.contentType = "application/octet-stream";
            reply.stream = [this, total, shared](FixtureStream& out) {
                for (std::size_t at = 0; at < total; at += shared->size()) {
                    if (!out.Write(std::string_view(*shared).substr(0, total - at))) {
                        return;
                    }
                    sent += std::min(shared->size(), total - at);
                }
            };
        });
    }

    TempDir dir;
    std::atomic<std::size_t> sent{0};
};

// A streamed body is counted, not held; its file has no name until the caller publishes it, and
// then holds every byte.
TEST_F(BodyLimits, AStreamedBodyGoesToItsFileAndNotIntoMemory) {
    std::string picture = "\xFF\xD8" + std::string(3 * kMiB, 'q');
    for (std::size_t i = 2; i < picture.size(); i += 7919) {
        picture[i] = static_cast<char>(i);
    }
    server.Serve("/big.jpg", picture, "image/jpeg");
    UrlRequest request = Req("/big.jpg");
    request.streamPath = dir.Path() + u"big.jpg";
    UrlSource source;
    ASSERT_TRUE(FetchUrl(request, source, FETCH_CACHEABLE | FETCH_FROM_CACHE));
    EXPECT_TRUE(source.body.empty());
    EXPECT_EQ(source.bodyLength, picture.size());
    std::unique_ptr<AtomicFile> file = source.TakeFile();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{});
    ASSERT_TRUE(file->Publish());
    std::string saved;
    ASSERT_TRUE(FileSystem::ReadFile(request.streamPath, saved));
    EXPECT_EQ(saved, picture);
}

// What becomes of a streamed answer: the limits judge what arrived, an empty answer is an empty
// file unless error answers are refused, and a file that cannot be made fails the attempt. A
// refused one leaves nothing.
TEST_F(BodyLimits, AStreamedBodyIsJudgedAsItComes) {
    struct Case {
        const char* label;
        std::string body;
        bool refuseErrorAnswers;
        const char16_t* target;
        FetchError error;
    } cases[] = {
        {"within the limits", std::string(2048, 'x'), true, u"a.jpg", FetchError::None},
        {"too small", std::string(1023, 'x'), true, u"b.jpg", FetchError::TooSmall},
        {"too large", std::string(2049, 'x'), true, u"c.jpg", FetchError::TooLarge},
        {"empty, refused", "", true, u"d.jpg", FetchError::Empty},
        {"no folder", std::string(1500, 'x'), true, u"missing/e.jpg", FetchError::WriteFailed},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        std::string path = "/s" + std::to_string(n++);
        ServeBlocks(path, c.body.size(), c.body.empty() ? std::string("x") : c.body.substr(0, 700));
        UrlRequest request = Req(path);
        request.streamPath = dir.Path() + c.target;
        request.refuseErrorAnswers = c.refuseErrorAnswers;
        request.minSizeKB = 1;
        request.maxSizeKB = 2;
        UrlSource source;
        EXPECT_EQ(FetchUrl(request, source, FETCH_CACHEABLE | FETCH_FROM_CACHE), c.error == FetchError::None);
        EXPECT_EQ(source.error, c.error);
        std::unique_ptr<AtomicFile> file = source.TakeFile();
        EXPECT_EQ(file != nullptr, c.error == FetchError::None);
        if (file) {
            EXPECT_TRUE(file->Publish());
        }
    }
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"a.jpg"});

    // Wanted, an empty answer is an empty file.
    server.Serve("/empty", "", "image/jpeg");
    UrlRequest request = Req("/empty");
    request.streamPath = dir.Path() + u"empty.jpg";
    UrlSource source;
    ASSERT_TRUE(FetchUrl(request, source, FETCH_CACHEABLE | FETCH_FROM_CACHE));
    std::unique_ptr<AtomicFile> file = source.TakeFile();
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->Publish());
    std::string saved = "not read";
    EXPECT_TRUE(FileSystem::ReadFile(request.streamPath, saved));
    EXPECT_EQ(saved, "");
}

// A page that never ends, or is far larger than a page can be, fails as too large once the held
// body passes kHeldBodyLimitBytes; the client stops reading there and gives the memory back.
TEST_F(BodyLimits, AHeldBodyStopsAtItsCap) {
    ServeBlocks("/endless", 8 * kHeldBodyLimitBytes, std::string(kMiB, 'p'));
    UrlRequest request = Req("/endless", 20000);
    UrlSource source;
    EXPECT_FALSE(FetchUrl(request, source, 0));
    EXPECT_EQ(source.error, FetchError::TooLarge);
    EXPECT_LT(source.body.capacity(), kMiB);
    EXPECT_LT(sent.load(), kHeldBodyLimitBytes + 32 * kMiB);

    // A page that says it is too large is not read at all.
    server.Handle("/declared", [](const FixtureRequest&, FixtureReply& reply) {
        reply.contentType = "application/octet-stream";
        reply.declaredLength = static_cast<std::int64_t>(kHeldBodyLimitBytes) + 1;
        reply.stream = [](FixtureStream& out) {
            if (out.Write("<html>") && out.Pause(4s)) {
                out.Write(std::string(kHeldBodyLimitBytes, 'p'));
            }
        };
    });
    request = Req("/declared");
    Stopwatch watch;
    EXPECT_FALSE(FetchUrl(request, source, 0));
    EXPECT_EQ(source.error, FetchError::TooLarge);
    EXPECT_LT(watch.Ms(), 2000);
}

// Cut markers keep a page short as it comes: what counts against the cap is what is kept.
TEST_F(BodyLimits, APageKeptShortByItsCutMarkersIsNotCapped) {
    std::string block = "<li>row</li>";
    block.resize(kMiB, ' ');
    ServeBlocks("/long", kHeldBodyLimitBytes + 2 * kMiB, block);
    UrlRequest request = Req("/long", 20000);
    request.cutStart = "<li>";
    request.cutEnd = "</html>";
    UrlSource source;
    ASSERT_TRUE(FetchUrl(request, source, 0));
    EXPECT_EQ(source.body, block.substr(4));
}

}  // namespace
