// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/PictureList.h"
#include "download/SideFiles.h"
#include "platform/TextFile.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace {

std::string Read(const std::u16string& path) {
    std::string bytes;
    EXPECT_TRUE(FileSystem::ReadFile(path, bytes)) << CodePage::ToUtf8(path);
    return bytes;
}

std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

int EntriesIn(const TempDir& dir) {
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.NativePath())) {
        ++entries;
    }
    return entries;
}

}  // namespace

TEST(DownloadList, OneGbkLinePerPictureWithFallbackOnItsOwnLine) {
    TempDir dir;
    PictureList pictures;
    pictures.Append({u"http://a/1.jpg", u"1.jpg", {}});
    pictures.Append({u"http://a/图片.jpg\r\nhttp://b/图片.jpg", u"2.jpg", {}});
    pictures.Append({u"http://a/3.jpg", u"3.jpg", u"Referer: x"});
    std::u16string path = DownloadListPath(dir.Path(), u"旅行");
    EXPECT_EQ(path, dir.Path() + u"旅行.lst");

    ASSERT_TRUE(FileSystem::WriteFileAtomic(path, "an older, longer list\r\n\r\n\r\n\r\n"));
    ASSERT_TRUE(WriteDownloadList(path, pictures));
    EXPECT_EQ(Read(path),
              "http://a/1.jpg\r\n"
              "http://a/\xCD\xBC\xC6\xAC.jpg\r\nhttp://b/\xCD\xBC\xC6\xAC.jpg\r\n"
              "http://a/3.jpg\r\n");
    EXPECT_EQ(EntriesIn(dir), 1);

    EXPECT_FALSE(WriteDownloadList(dir.Path() + u"missing/x.lst", pictures));
}

TEST(Marker, HoldsExactlyTheFirstUrlAndReadsBack) {
    TempDir dir;
    EXPECT_EQ(ReadMarker(dir.Path()), u"");

    const std::u16string url = u"http://a/图.jpg\r\nhttp://b/图.jpg";
    ASSERT_TRUE(WriteMarker(dir.Path(), url));
    std::string bytes = Read(dir.Path() + u"pic.zmw");
    EXPECT_EQ(bytes.size(), url.size() * 2);
    EXPECT_EQ(bytes, Utf16Le(url));  // no byte-order mark, no line end
    EXPECT_EQ(ReadMarker(dir.Path()), url);

    // The next download replaces it; a marker that cannot be written leaves nothing behind.
    ASSERT_TRUE(WriteMarker(dir.Path(), u"http://a/new.jpg"));
    EXPECT_EQ(ReadMarker(dir.Path()), u"http://a/new.jpg");
    EXPECT_FALSE(WriteMarker(dir.Path() + u"missing/", u"x"));
    EXPECT_EQ(EntriesIn(dir), 1);
}

TEST(PictureNameFile, FirstPictureStartsTheFileAndLaterOnesAppend) {
    TempDir dir;
    const std::u16string path = PictureNamePath(dir.Path(), u"相册");
    EXPECT_EQ(path, dir.Path() + u"相册.txt");
    const std::string bom = "\xFF\xFE";
    const std::string first = Utf16Le(u"a\r\n");
    const std::string second = std::string("\x77\x6D", 2) + Utf16Le(u"\r\n");  // 海 is U+6D77

    ASSERT_TRUE(AppendPictureName(dir.Path(), u"相册", u"a", true));
    ASSERT_TRUE(AppendPictureName(dir.Path(), u"相册", u"海", false));
    EXPECT_EQ(Read(path), bom + first + second);

    // A new download of the album starts the file over.
    ASSERT_TRUE(AppendPictureName(dir.Path(), u"相册", u"海", true));
    EXPECT_EQ(Read(path), bom + second);

    // A file that went missing mid-album starts again with its mark rather than without it.
    ASSERT_TRUE(FileSystem::Remove(path));
    ASSERT_TRUE(AppendPictureName(dir.Path(), u"相册", u"a", false));
    EXPECT_EQ(Read(path), bom + first);

    EXPECT_FALSE(AppendPictureName(dir.Path() + u"missing/", u"相册", u"a", true));
}

TEST(SideFilePaths, StayInTheAlbumFolderAndFitOnDisk) {
    const std::u16string dir = u"/s/";
    std::u16string longName(100, u'图');
    std::u16string list = DownloadListPath(dir, longName);
    EXPECT_EQ(list, dir + std::u16string(83, u'图') + u".lst");
    EXPECT_EQ(PictureNamePath(dir, u"../x/y"), dir + u"..xy.txt");
    EXPECT_EQ(MarkerPath(dir), u"/s/pic.zmw");
}

TEST(TextDump, WritesMarkThenUtf16AndLandsInTheCurrentFolder) {
    TempDir dir;
    const std::u16string text = u"<html>页</html>";
    const std::string expected = "\xFF\xFE" + Utf16Le(text);

    std::u16string before = FileSystem::CurrentDirectory();
    ASSERT_EQ(::chdir(dir.NativePath().c_str()), 0);
    ASSERT_TRUE(FileSystem::WriteFileAtomic(u"log.err", "older and longer text"));
    bool written = TextFile::Write(u"log.err", text);
    ASSERT_EQ(::chdir(FileSystem::NativePath(before).c_str()), 0);

    EXPECT_TRUE(written);
    EXPECT_EQ(Read(dir.Path() + u"log.err"), expected);
    EXPECT_FALSE(TextFile::Write(dir.Path() + u"missing/log.err", text));
}
