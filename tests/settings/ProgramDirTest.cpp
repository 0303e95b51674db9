// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/ProgramDir.h"
#include "support/TempDir.h"

namespace {

using ProgramDir::Origin;

std::string Utf8(const std::u16string& text) {
    return CodePage::ToUtf8(text);
}

bool Touch(const std::u16string& file) {
    std::size_t slash = file.rfind(u'/');
    return FileSystem::CreateDirectories(file.substr(0, slash)) && FileSystem::WriteFileAtomic(file, "x");
}

// A disk with a build tree, an installed prefix and four homes.
class ProgramDirChoice : public ::testing::Test {
protected:
    ProgramDirChoice() {
        EXPECT_TRUE(Touch(Root() + u"src/build/CMakeCache.txt"));
        EXPECT_TRUE(Touch(Root() + u"src/build/cli/orvelle-cli"));
        EXPECT_TRUE(Touch(Root() + u"usr/bin/orvelle"));
        EXPECT_TRUE(FileSystem::CreateDirectories(Root() + u"fresh"));
        EXPECT_TRUE(Touch(Root() + u"old/Orvelle/soft.dat"));
        EXPECT_TRUE(Touch(Root() + u"both/Orvelle/soft.dat"));
        EXPECT_TRUE(FileSystem::CreateDirectories(Root() + u"both/.local/share/Orvelle"));
        // An Orvelle folder without settings is not a program folder: perhaps the user's pictures.
        EXPECT_TRUE(FileSystem::CreateDirectories(Root() + u"pictures/Orvelle/someone"));
    }

    const std::u16string& Root() const { return disk.Path(); }

    TempDir disk;
};

TEST_F(ProgramDirChoice, FollowsWhereTheProgramRunsFrom) {
    struct Case {
        const char* name;
        std::u16string given;
        std::u16string executable;  // relative to the root; empty for unknown
        std::u16string home;        // relative to the root; "-" for unset
        std::u16string dataHome;    // absolute when it starts with "/", else as given
        std::u16string folder;      // relative to the root, except the absolute current folder
        Origin origin;
    } cases[] = {
        {"given wins when installed", u"/srv/orvelle", u"usr/bin/orvelle", u"old", u"", u"/srv/orvelle/",
         Origin::Given},
        {"given wins in the build tree", u"/srv/o/", u"src/build/cli/orvelle-cli", u"fresh", u"", u"/srv/o/",
         Origin::Given},
        {"build tree keeps the current folder", u"", u"src/build/cli/orvelle-cli", u"old", u"",
         u"/work/here/", Origin::BuildTree},
        {"unknown executable keeps the current folder", u"", u"", u"fresh", u"", u"/work/here/",
         Origin::BuildTree},
        {"installed without a home keeps the current folder", u"", u"usr/bin/orvelle", u"-", u"",
         u"/work/here/", Origin::BuildTree},
        {"installed, first start", u"", u"usr/bin/orvelle", u"fresh", u"", u"fresh/.local/share/Orvelle/",
         Origin::DataHome},
        {"installed with XDG_DATA_HOME", u"", u"usr/bin/orvelle", u"fresh", u"/data", u"data/Orvelle/",
         Origin::DataHome},
        {"a relative XDG_DATA_HOME is ignored", u"", u"usr/bin/orvelle", u"fresh", u"rel",
         u"fresh/.local/share/Orvelle/", Origin::DataHome},
        {"installed over settings in ~/Orvelle", u"", u"usr/bin/orvelle", u"old", u"", u"old/Orvelle/",
         Origin::HomeFolder},
        {"the data folder, once made, wins", u"", u"usr/bin/orvelle", u"both", u"",
         u"both/.local/share/Orvelle/", Origin::DataHome},
        {"~/Orvelle without settings is left alone", u"", u"usr/bin/orvelle", u"pictures", u"",
         u"pictures/.local/share/Orvelle/", Origin::DataHome},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramDir::Sources sources;
        sources.given = c.given;
        sources.executable = c.executable.empty() ? u"" : Root() + c.executable;
        sources.currentDir = u"/work/here";
        sources.home = c.home == u"-" ? u"" : Root() + c.home;
        sources.dataHome = c.dataHome.starts_with(u"/") ? Root() + c.dataHome.substr(1) : c.dataHome;
        ProgramDir::Choice choice = ProgramDir::Choose(sources);
        std::u16string want = c.folder.starts_with(u"/") ? c.folder : Root() + c.folder;
        EXPECT_EQ(Utf8(choice.folder), Utf8(want));
        EXPECT_EQ(choice.origin, c.origin);
    }
    // Choosing only looks.
    EXPECT_FALSE(FileSystem::Exists(Root() + u"fresh/.local"));
}

TEST_F(ProgramDirChoice, SaveFolderLeavesTheHiddenDataFolder) {
    std::u16string pictures = Root() + u"pictures/";
    std::u16string documents = Root() + u"docs";
    struct Case {
        const char* name;
        ProgramDir::Choice choice;
        std::u16string pictures;
        std::u16string want;
    } cases[] = {
        {"data folder: pictures",
         {Root() + u"fresh/.local/share/Orvelle/", Origin::DataHome},
         pictures,
         pictures + u"Orvelle/"},
        {"data folder, no pictures folder: documents",
         {Root() + u"fresh/.local/share/Orvelle/", Origin::DataHome},
         Root() + u"nowhere/",
         documents + u"/Orvelle/"},
        {"data folder, pictures unnamed: documents",
         {Root() + u"x/", Origin::DataHome},
         u"",
         documents + u"/Orvelle/"},
        {"old home folder: itself",
         {Root() + u"old/Orvelle/", Origin::HomeFolder},
         pictures,
         Root() + u"old/Orvelle/"},
        {"build tree: the program folder", {u"/work/here/", Origin::BuildTree}, pictures, u"/work/here/"},
        {"given: the program folder", {u"/srv/o/", Origin::Given}, pictures, u"/srv/o/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Utf8(ProgramDir::DefaultSaveFolder(c.choice, c.pictures, documents)), Utf8(c.want));
    }
}

}  // namespace
