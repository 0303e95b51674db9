// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace {

// Both roads: the unnamed file of file systems that have them, the named temporary of the others.
class AtomicFileRoads : public ::testing::TestWithParam<bool> {
protected:
    AtomicFileRoads() { AtomicFile::UseUnnamedFiles(GetParam()); }
    ~AtomicFileRoads() override { AtomicFile::UseUnnamedFiles(true); }
    TempDir dir;
};

TEST_P(AtomicFileRoads, AFileAppearsWholeAndReplacesTheOldOne) {
    const std::u16string path = dir.Path() + u"图片.jpg";
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.Write("first "));
        ASSERT_TRUE(file.Write("picture"));
        EXPECT_FALSE(FileSystem::Exists(path));  // nothing under the name before it is whole
        ASSERT_TRUE(file.Publish());
    }
    ASSERT_TRUE(FileSystem::WriteFileAtomic(path, "second picture"));
    std::string bytes;
    ASSERT_TRUE(FileSystem::ReadFile(path, bytes));
    EXPECT_EQ(bytes, "second picture");
    {
        AtomicFile dropped(path);
        dropped.Write("never published");
    }
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"图片.jpg"});

    AtomicFile nowhere(dir.Path() + u"missing/x.jpg");
    EXPECT_FALSE(nowhere.Write("x"));
    EXPECT_FALSE(nowhere.Publish());
    EXPECT_EQ(nowhere.Error(), ENOENT);
}

// A writer killed in the middle: an unnamed file goes with its process; a named temporary stays
// until an album download clears it.
TEST_P(AtomicFileRoads, AWriterThatDiesLeavesNothingForLong) {
    const std::u16string path = dir.Path() + u"p.jpg";
    pid_t child = ::fork();
    if (child == 0) {
        AtomicFile file(path);
        file.Write(std::string(1 << 20, 'x'));
        ::kill(::getpid(), SIGKILL);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    const bool unnamed = GetParam();
    EXPECT_EQ(FolderEntries(dir.Path()).size(), unnamed ? 0u : 1u);
    EXPECT_EQ(AtomicFile::RemoveStale(dir.Path()), unnamed ? 0 : 1);
    EXPECT_TRUE(FolderEntries(dir.Path()).empty());
}

// A target whose path is just below the system's limit: the temporary beside it (named, or the
// name an unnamed file is linked under to replace the old one) stays within the limit too.
TEST_P(AtomicFileRoads, APathAtTheLimitIsWrittenAndReplaced) {
    std::u16string folder = dir.Path();
    while (folder.size() + 201 < 3990) {
        folder += std::u16string(200, u'd') + u"/";
    }
    if (std::size_t rest = 3990 - folder.size(); rest > 1) {
        folder += std::u16string(rest - 1, u'e') + u"/";
    }
    ASSERT_TRUE(FileSystem::CreateDirectories(folder));
    // The name takes what is left below 4096 bytes, the NUL included; "图" is three bytes.
    const std::size_t left = 4095 - folder.size();
    const std::u16string name =
        std::u16string((left - 4) / 3, u'图') + std::u16string((left - 4) % 3, u'x') + u".jpg";
    ASSERT_LE(CodePage::ToUtf8(name).size(), 255u);
    const std::u16string path = folder + name;
    ASSERT_EQ(CodePage::ToUtf8(path).size(), 4095u);

    ASSERT_TRUE(FileSystem::WriteFileAtomic(path, "first"));
    ASSERT_TRUE(FileSystem::WriteFileAtomic(path, "second"));
    std::string bytes;
    ASSERT_TRUE(FileSystem::ReadFile(path, bytes));
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{CodePage::ToUtf8(name)});
}

INSTANTIATE_TEST_SUITE_P(Platform, AtomicFileRoads, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });

// Only this program's temporaries go, and only those no live process is writing, unless they
// have been left for a day.
TEST(AtomicFile, RemoveStaleTakesOnlyDeadTemporaries) {
    TempDir dir;
    pid_t dead = ::fork();
    if (dead == 0) {
        ::_exit(0);
    }
    ::waitpid(dead, nullptr, 0);
    const std::string deadPid = std::to_string(dead);
    const std::string self = std::to_string(::getpid());
    struct Case {
        std::string name;
        bool old;
        bool removed;
    };
    const Case cases[] = {
        {".a.jpg.part" + deadPid + "_0", false, true},
        {".b.jpg.part" + self + "_4", false, false},  // this process is writing it
        {".c.jpg.part1_2", false, false},             // a live process
        {".d.jpg.part1_3", true, true},               // ... but left for two days
        {".notes", false, false},
        {"e.jpg.part" + deadPid + "_0", false, false},   // not hidden: not ours
        {".f.jpg.part" + deadPid, false, false},         // no counter
        {".g.jpg.part" + deadPid + "_x", false, false},  // not a counter
    };
    for (const Case& c : cases) {
        const std::u16string path = dir.Path() + CodePage::FromUtf8(c.name);
        ASSERT_TRUE(FileSystem::WriteFileAtomic(path, "x"));
        if (c.old) {
            ASSERT_TRUE(FileSystem::SetFileTimes(path, std::time(nullptr) - 2 * 24 * 3600));
        }
    }
    EXPECT_EQ(AtomicFile::RemoveStale(dir.Path()), 2);
    for (const Case& c : cases) {
        EXPECT_EQ(FileSystem::Exists(dir.Path() + CodePage::FromUtf8(c.name)), !c.removed) << c.name;
    }
    EXPECT_EQ(AtomicFile::RemoveStale(dir.Path() + u"missing/"), 0);
}

}  // namespace
