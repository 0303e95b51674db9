// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures go from the socket into their file as they arrive: the size limits cut or drop them on
// the way and leave nothing behind, the fallback address still serves an empty first answer, and
// the file is whole when it gets its name. Each test runs on both roads of the album folder: files
// without a name (O_TMPFILE) and named hidden temporaries.

#include <algorithm>
#include <atomic>
#include <memory>

#include "EngineFixture.h"
#include "platform/AtomicFile.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;

// Streams bytes in pieces of at most piece bytes, without a declared length (chunked).
FixtureServer::Handler Chunked(std::string bytes, std::size_t piece = 16 * 1024) {
    auto shared = std::make_shared<const std::string>(std::move(bytes));
    return [shared, piece](const FixtureRequest&, FixtureReply& reply) {
        reply.contentType = "image/jpeg";
        reply.stream = [shared, piece](FixtureStream& out) {
            for (std::size_t at = 0; at < shared->size(); at += piece) {
                if (!out.Write(std::string_view(*shared).substr(at, piece))) {
                    return;
                }
            }
        };
    };
}

class Streaming : public EngineTest, public ::testing::WithParamInterface<bool> {
protected:
    Streaming() { AtomicFile::UseUnnamedFiles(GetParam()); }
    ~Streaming() override { AtomicFile::UseUnnamedFiles(true); }

    std::vector<std::u16string> NotSavedLines() const {
        std::vector<std::u16string> lines;
        for (const auto& notSaved : events.PicturesNotSaved()) {
            lines.push_back(notSaved.line);
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }
};

// An answer that would go on for 64 MiB is cut soon after it passes maxPictureKB; neither the
// picture nor a part of it stays. One just at the limit is saved whole.
TEST_P(Streaming, APictureBeyondTheLimitIsCutOffAsItComesAndLeavesNothing) {
    Settings().download.maxPictureKB = 64;
    std::atomic<std::size_t> sent{0};
    server.Handle("/p/endless.jpg", [&sent](const FixtureRequest&, FixtureReply& reply) {
        reply.contentType = "image/jpeg";
        reply.stream = [&sent](FixtureStream& out) {
            const std::string piece = JpegBytes(16 * 1024);
            while (sent < (64u << 20) && out.Write(piece)) {
                sent += piece.size();
            }
        };
    });
    server.Handle("/p/limit.jpg", Chunked(JpegBytes(64 * 1024, 'l')));
    Album(u"Album", {{Url("/p/endless.jpg"), u"endless"}, {Url("/p/limit.jpg"), u"limit"}});
    Run();

    const std::u16string folder = AlbumDir(u"Album");
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"limit.jpg", "pic.zmw"}));
    EXPECT_EQ(Content(folder + u"limit.jpg"), JpegBytes(64 * 1024, 'l'));
    // What the client did not refuse sits in the socket buffers: far less than the whole.
    EXPECT_LT(sent.load(), 16u << 20);
    EXPECT_EQ(NotSavedLines(),
              std::vector<std::u16string>{u"跳过：endless.jpg（图片太大） " + Url("/p/endless.jpg")});
}

// Below minPictureKB a picture is only known once it has all come: it is dropped then, before it
// gets a name. One at the minimum is saved.
TEST_P(Streaming, APictureBelowTheMinimumIsRemovedAfterItsTransfer) {
    Settings().download.minPictureKB = 2;
    server.Handle("/p/small.jpg", Chunked(JpegBytes(2 * 1024 - 1), 500));
    server.Handle("/p/min.jpg", Chunked(JpegBytes(2 * 1024, 'm'), 500));
    Album(u"Album", {{Url("/p/small.jpg"), u"small"}, {Url("/p/min.jpg"), u"min"}});
    Run();

    const std::u16string folder = AlbumDir(u"Album");
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"min.jpg", "pic.zmw"}));
    EXPECT_EQ(Content(folder + u"min.jpg"), JpegBytes(2 * 1024, 'm'));
    EXPECT_EQ(NotSavedLines(),
              std::vector<std::u16string>{u"跳过：small.jpg（图片太小） " + Url("/p/small.jpg")});
}

// The fallback address serves a picture whose first address brought no data at all, and only
// then: a first answer with data, even too small a one, is the picture's answer.
TEST_P(Streaming, TheFallbackServesAnEmptyFirstAnswer) {
    Settings().download.minPictureKB = 1;
    server.Serve("/p/empty.jpg", "", "image/jpeg");
    server.Handle("/p/emptyChunked.jpg", Chunked(""));
    server.Handle("/p/short.jpg", Chunked(JpegBytes(100)));
    server.Handle("/p/mirror.jpg", Chunked(JpegBytes(300 * 1024, 'f')));
    const std::u16string mirror = u"\r\n" + Url("/p/mirror.jpg");
    Album(u"Album", {{Url("/p/empty.jpg") + mirror, u"a"},
                     {Url("/p/emptyChunked.jpg") + mirror, u"b"},
                     {Url("/p/short.jpg") + mirror, u"c"}});
    Run();

    const std::u16string folder = AlbumDir(u"Album");
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"a.jpg", "b.jpg", "pic.zmw"}));
    EXPECT_EQ(Content(folder + u"a.jpg"), JpegBytes(300 * 1024, 'f'));
    EXPECT_EQ(Content(folder + u"b.jpg"), JpegBytes(300 * 1024, 'f'));
    EXPECT_EQ(server.RequestsTo("/p/mirror.jpg").size(), 2u);
    EXPECT_EQ(NotSavedLines(),
              std::vector<std::u16string>{u"跳过：c.jpg（图片太小） " + Url("/p/short.jpg")});
}

// A picture of many pieces is written whole, and the format pass still reads its first bytes:
// a PNG listed as ".jpg" becomes ".png".
TEST_P(Streaming, AManyPiecePictureIsWholeAndItsExtensionComesFromItsContent) {
    Settings().naming.options = OPT_FIX_FORMAT;
    std::string png = PngBytes(3 << 20);
    for (std::size_t i = 8; i < png.size(); i += 4093) {
        png[i] = static_cast<char>(i / 4093);  // no two pieces alike
    }
    server.Handle("/p/big.jpg", Chunked(png, 60 * 1024));
    Album(u"Album", {{Url("/p/big.jpg"), u"big"}});
    Run();

    const std::u16string folder = AlbumDir(u"Album");
    EXPECT_EQ(SavedFiles(0), std::vector<std::u16string>{folder + u"big.jpg"});
    EXPECT_EQ(FolderEntries(folder), (std::vector<std::string>{"big.png", "pic.zmw"}));
    EXPECT_EQ(Content(folder + u"big.png"), png);
    EXPECT_FALSE(FileSystem::Exists(folder + u"big.jpg"));
}

INSTANTIATE_TEST_SUITE_P(Engine, Streaming, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "NamedTemporary"; });

}  // namespace
