// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

TEST(CodePage, RoundTripsEachCodePage) {
    struct Case {
        unsigned codePage;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {CodePage::GBK, "\xD6\xD0\xCE\xC4", u"中文"},
        {CodePage::UTF8, "\xE4\xB8\xAD\xE6\x96\x87", u"中文"},
        {CodePage::BIG5, "\xA4\xA4\xA4\xE5", u"中文"},
        {CodePage::EUCKR, "\xC7\xD1\xB1\xDB", u"한글"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePage::Decode(c.bytes, c.codePage), c.text) << c.codePage;
        EXPECT_EQ(CodePage::Encode(c.text, c.codePage), c.bytes) << c.codePage;
    }
}

TEST(CodePage, BadBytesBecomeReplacementAndDecodingGoesOn) {
    EXPECT_EQ(CodePage::Decode("a\xFF"
                               "b\xD6\xD0",
                               CodePage::GBK),
              u"a\uFFFDb中");
    EXPECT_EQ(CodePage::Decode("ok\xE4\xB8", CodePage::UTF8), u"ok\uFFFD\uFFFD");
    // A NUL in a page is no end of it.
    EXPECT_EQ(CodePage::Decode(std::string("a\0b\xD6\xD0", 5), CodePage::GBK), u"a\uFFFDb中");
    EXPECT_EQ(CodePage::Decode(std::string("\0\0", 2), CodePage::UTF8), u"\uFFFD\uFFFD");
    EXPECT_EQ(CodePage::Encode(u"a한b", CodePage::GBK), "a?b");
    EXPECT_EQ(CodePage::Decode("x", 1252), u"");
}

TEST(FileSystem, AtomicWriteReplacesWholeFileAndLeavesNoTemporary) {
    TempDir dir;
    std::u16string path = dir.Path() + u"设置.dat";
    ASSERT_TRUE(FileSystem::WriteFileAtomic(path, "old", 0600));
    ASSERT_TRUE(FileSystem::WriteFileAtomic(path, "new content", 0600));
    std::string read;
    ASSERT_TRUE(FileSystem::ReadFile(path, read));
    EXPECT_EQ(read, "new content");
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.NativePath())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
    EXPECT_FALSE(FileSystem::WriteFileAtomic(dir.Path() + u"missing/x", "y"));
}

// Static objects may convert while the program ends, after the main thread's own clean-up.
TEST(CodePageDeathTest, ConvertsInStaticDestructorsAtExit) {
    EXPECT_EXIT(
        {
            struct AtExit {
                ~AtExit() {
                    bool ok = CodePage::ToUtf8(u"中文") == "\xE4\xB8\xAD\xE6\x96\x87";
                    std::fflush(stdout);
                    std::_Exit(ok ? 0 : 1);
                }
            };
            static AtExit atExit;
            CodePage::ToUtf8(u"warm up");
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}
