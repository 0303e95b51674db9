// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "support/TempDir.h"

namespace {

unsigned ModeOf(const std::u16string& path) {
    struct stat st {};
    return stat(FileSystem::NativePath(path).c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        Set(value);
    }
    ~ScopedEnv() { Set(old_); }

private:
    void Set(const std::optional<std::string>& value) {
        if (value) {
            setenv(name_, value->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    const char* name_;
    std::optional<std::string> old_;
};

TEST(FileSystem, FlushesOnlyAFolderThatExists) {
    TempDir dir;
    ASSERT_TRUE(FileSystem::WriteFileAtomic(dir.Path() + u"a.jpg", "x"));
    const struct {
        std::u16string folder;
        bool flushed;
    } cases[] = {
        {dir.Path(), true},
        {dir.Path() + u"missing/", false},
        {dir.Path() + u"a.jpg", false},  // a file is no folder
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileSystem::FlushDirectory(c.folder), c.flushed) << CodePage::ToUtf8(c.folder);
    }
}

TEST(FileSystem, PrivateFoldersAreTheUsersAlone) {
    TempDir dir;
    mode_t umaskBefore = umask(022);
    ASSERT_TRUE(FileSystem::CreateDirectories(dir.Path() + u"shared"));
    EXPECT_TRUE(FileSystem::CreatePrivateDirectories(dir.Path() + u"shared/a/b/"));
    EXPECT_TRUE(FileSystem::CreatePrivateDirectories(dir.Path() + u"shared/a/b"));
    umask(umaskBefore);
    EXPECT_EQ(ModeOf(dir.Path() + u"shared"), 0755u);
    EXPECT_EQ(ModeOf(dir.Path() + u"shared/a"), 0700u);
    EXPECT_EQ(ModeOf(dir.Path() + u"shared/a/b"), 0700u);

    ASSERT_TRUE(FileSystem::WriteFileAtomic(dir.Path() + u"file", "x"));
    EXPECT_FALSE(FileSystem::CreatePrivateDirectories(dir.Path() + u"file/sub"));
}

TEST(FileSystem, UserFoldersAsTheDesktopNamesThem) {
    TempDir home;
    ScopedEnv homeEnv("HOME", home.NativePath());
    ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv pictures("XDG_PICTURES_DIR", std::nullopt);
    ScopedEnv documents("XDG_DOCUMENTS_DIR", std::nullopt);

    // No user-dirs.dirs: the English defaults.
    EXPECT_EQ(FileSystem::PicturesDirectory(), home.Path() + u"Pictures/");
    EXPECT_EQ(FileSystem::DocumentsDirectory(), home.Path() + u"Documents/");

    ASSERT_TRUE(FileSystem::CreateDirectories(home.Path() + u".config"));
    ASSERT_TRUE(FileSystem::WriteFileAtomic(home.Path() + u".config/user-dirs.dirs",
                                            "# written by xdg-user-dirs-update\n"
                                            "XDG_DESKTOP_DIR=\"$HOME/桌面\"\n"
                                            "XDG_PICTURES_DIR=\"$HOME/图片\"\n"
                                            "XDG_DOCUMENTS_DIR=\"relative/ignored\"\n"
                                            "  XDG_DOCUMENTS_DIR=\"/srv/文档\"\n"));
    EXPECT_EQ(FileSystem::PicturesDirectory(), home.Path() + u"图片/");
    EXPECT_EQ(FileSystem::DocumentsDirectory(), u"/srv/文档/");

    // The environment wins over the file.
    ScopedEnv fromEnv("XDG_PICTURES_DIR", "/mnt/photos");
    EXPECT_EQ(FileSystem::PicturesDirectory(), u"/mnt/photos/");
}

// A name someone else may have planted: the times of a link are the link's own, and only a regular
// file under that very name is read (a pipe would otherwise wait for a writer for ever).
TEST(FileSystem, PlantedNamesAreNeverFollowed) {
    TempDir dir;
    const std::u16string target = dir.Path() + u"target.png";
    ASSERT_TRUE(FileSystem::WriteFileAtomic(target, "\x89PNG"));
    ASSERT_TRUE(FileSystem::SetFileTimes(target, 1000000));
    ASSERT_EQ(::symlink(FileSystem::NativePath(target).c_str(),
                        FileSystem::NativePath(dir.Path() + u"link").c_str()),
              0);
    ASSERT_TRUE(FileSystem::CreateDirectories(dir.Path() + u"folder"));
    ASSERT_EQ(::mkfifo(FileSystem::NativePath(dir.Path() + u"pipe").c_str(), 0600), 0);

    FileSystem::SetFileTimes(dir.Path() + u"link", 2000000);
    EXPECT_EQ(FileSystem::ModificationTime(target), 1000000);
    EXPECT_TRUE(FileSystem::SetFileTimes(target, 3000000));
    EXPECT_EQ(FileSystem::ModificationTime(target), 3000000);

    struct Case {
        const char16_t* name;
        bool read;
    } cases[] = {
        {u"target.png", true}, {u"link", false}, {u"folder", false}, {u"pipe", false}, {u"missing", false}};
    for (const Case& c : cases) {
        std::string bytes = "stale";
        EXPECT_EQ(FileSystem::ReadRegularFilePrefix(dir.Path() + c.name, 2, bytes), c.read)
            << CodePage::ToUtf8(c.name);
        EXPECT_EQ(bytes, c.read ? "\x89P" : "") << CodePage::ToUtf8(c.name);
    }
}

}  // namespace
