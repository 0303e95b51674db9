// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "settings/ProgramSettings.h"
#include "platform/FileSystem.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsEdits.h"
#include "settings/SettingsFile.h"
#include "support/TempDir.h"

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    SettingsFileTest() { context.programDir = dir.Path(); }

    std::u16string FilePath() const { return dir.Path() + u"soft.dat"; }

    std::string FileBytes() const {
        std::string bytes;
        EXPECT_TRUE(FileSystem::ReadFile(FilePath(), bytes));
        return bytes;
    }

    void WriteFile(const std::string& bytes) { ASSERT_TRUE(FileSystem::WriteFileAtomic(FilePath(), bytes)); }

    // Loads a fresh context from the folder, as the next start of the program would.
    void Reload(ProgramSettings& fresh) const {
        fresh.programDir = dir.Path();
        SettingsFile::Load(fresh);
    }

    std::size_t FilesInFolder() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.NativePath())) {
            ++n;
        }
        return n;
    }

    TempDir dir;
    ProgramSettings context;
};

}  // namespace

TEST_F(SettingsFileTest, FirstStartAppliesDefaultsAndWritesTheFile) {
    EXPECT_FALSE(SettingsFile::Load(context));

    for (int slot = 0; slot < SETTINGS_SLOT_COUNT; ++slot) {
        const SiteSettings& s = context.siteSettings[slot];
        SCOPED_TRACE(slot);
        EXPECT_EQ(s.download.threadCount, 5);
        EXPECT_EQ(s.download.timeoutSec, 30);
        EXPECT_EQ(s.download.minPictureKB, 0);
        EXPECT_EQ(s.download.maxPictureKB, 0);
        std::uint16_t options = 0;
        if (slot == SITE_YUPOO) {
            options = OPT_FIX_ORDER | OPT_YUPOO_LARGE;
        } else if (slot == SITE_SHOP || slot == SITE_JD) {
            options = OPT_FIX_ORDER;
        }
        EXPECT_EQ(s.naming.options, options);
        EXPECT_EQ(s.naming.baseName, slot == SITE_51 ? BASE_SEQUENCE : BASE_DESCRIPTION);
        EXPECT_EQ(s.naming.folderNaming, FOLDER_ALBUM_NAME);
    }
    EXPECT_EQ(FileBytes(), SettingsBlock::Serialise(context));

    // The second start finds the file and reads the same values back.
    ProgramSettings again;
    again.programDir = dir.Path();
    EXPECT_TRUE(SettingsFile::Load(again));
    EXPECT_EQ(SettingsBlock::Serialise(again), SettingsBlock::Serialise(context));
}

TEST_F(SettingsFileTest, ShortOrLongFileIsReadAsFarAsTheBlockGoesAndGetsNoDefaults) {
    std::string slot0 = std::string("\x03\x00\x04\x00\x00\x00\x00\x00", 8);
    for (std::string bytes : {slot0, slot0 + std::string(19808 - 8, '\0') + "tail"}) {
        WriteFile(bytes);
        ProgramSettings c;
        c.programDir = dir.Path();
        EXPECT_TRUE(SettingsFile::Load(c));
        EXPECT_EQ(c.siteSettings[0].download.minPictureKB, 3);
        EXPECT_EQ(c.siteSettings[0].download.maxPictureKB, 4);
        EXPECT_EQ(c.siteSettings[0].download.threadCount, 5);
        EXPECT_EQ(c.siteSettings[0].download.timeoutSec, 30);
        EXPECT_EQ(c.siteSettings[SITE_YUPOO].naming.options, 0) << "the file existed: no first-run defaults";
        EXPECT_EQ(c.siteSettings[SITE_51].naming.baseName, BASE_DESCRIPTION);
        EXPECT_EQ(FileBytes().size(), 19808u) << "loading writes the repaired block back";
    }
}

TEST_F(SettingsFileTest, RepairsThreadCountsAndTimeoutsInEverySlot) {
    struct Case {
        std::uint16_t threads, timeout;
        std::uint16_t wantThreads, wantTimeout;
    } cases[] = {
        {0, 0, 5, 30}, {1, 10, 1, 10}, {15, 9, 15, 30}, {16, 11, 5, 11}, {65535, 65535, 5, 65535},
    };
    // Spread the cases over the slots, the reserved ones 17..23 included.
    ProgramSettings written;
    for (int slot = 0; slot < SETTINGS_SLOT_COUNT; ++slot) {
        const Case& k = cases[slot % std::size(cases)];
        written.siteSettings[slot].download.threadCount = k.threads;
        written.siteSettings[slot].download.timeoutSec = k.timeout;
    }
    WriteFile(SettingsBlock::Serialise(written));
    ASSERT_TRUE(SettingsFile::Load(context));
    for (int slot = 0; slot < SETTINGS_SLOT_COUNT; ++slot) {
        const Case& k = cases[slot % std::size(cases)];
        EXPECT_EQ(context.siteSettings[slot].download.threadCount, k.wantThreads) << slot;
        EXPECT_EQ(context.siteSettings[slot].download.timeoutSec, k.wantTimeout) << slot;
    }
}

TEST_F(SettingsFileTest, SaveReplacesTheWholeFileAndLeavesNoTemporary) {
    WriteFile(std::string(30000, 'x'));
    context.siteSettings[4].naming.filePrefix = u"新";
    ASSERT_TRUE(SettingsFile::Save(context));
    EXPECT_EQ(FileBytes(), SettingsBlock::Serialise(context));
    EXPECT_EQ(FilesInFolder(), 1u);

    ProgramSettings elsewhere;
    elsewhere.programDir = dir.Path() + u"missing/";
    EXPECT_FALSE(SettingsFile::Save(elsewhere));
}

TEST_F(SettingsFileTest, EveryEditIsOnDiskAtOnce) {
    SettingsFile::Load(context);
    const int site = SITE_SHOP;

    EXPECT_TRUE(SettingsEdits::ToggleOption(context, site, OPT_DESCRIPTION_ONLY));
    EXPECT_TRUE(SettingsEdits::ApplyDownloadParams(context, site, u"10", u"2048", u"8", u"60"));
    NamingSettings typed;
    typed.filePrefix = std::u16string(50, u'p');
    typed.folderSuffix = u"_?1";
    typed.baseName = BASE_URL;
    typed.folderNaming = FOLDER_NONE;
    SettingsEdits::ApplyNaming(context, site, typed);
    EXPECT_TRUE(SettingsEdits::AddInputHistory(context, u"http://shop.example/item?id=1"));
    EXPECT_TRUE(SettingsEdits::AddPathHistory(context, u"/home/u/Pictures/"));

    ProgramSettings next;
    Reload(next);
    const SiteSettings& s = next.siteSettings[SITE_SHOP];
    EXPECT_EQ(s.naming.options, OPT_FIX_ORDER | OPT_DESCRIPTION_ONLY) << "the toggle kept the other bits";
    EXPECT_EQ(s.download.minPictureKB, 10);
    EXPECT_EQ(s.download.maxPictureKB, 2048);
    EXPECT_EQ(s.download.threadCount, 8);
    EXPECT_EQ(s.download.timeoutSec, 60);
    EXPECT_EQ(s.naming.filePrefix, std::u16string(38, u'p'));
    EXPECT_EQ(s.naming.folderSuffix, u"_?1");
    EXPECT_EQ(s.naming.baseName, BASE_URL);
    EXPECT_EQ(s.naming.folderNaming, FOLDER_NONE);
    EXPECT_EQ(next.inputHistory[0], u"http://shop.example/item?id=1");
    EXPECT_EQ(next.pathHistory[0], u"/home/u/Pictures/");
}

TEST_F(SettingsFileTest, RefusedEditsChangeNeitherMemoryNorFile) {
    SettingsFile::Load(context);
    const int site = SITE_BAIDU;
    std::string before = FileBytes();

    EXPECT_FALSE(SettingsEdits::ApplyDownloadParams(context, site, u"0", u"0", u"16", u"30"));
    EXPECT_FALSE(SettingsEdits::ToggleOption(context, site, OPT_YUPOO_LARGE)) << "greyed outside Yupoo";
    EXPECT_FALSE(SettingsEdits::AddPathHistory(context, u""));
    EXPECT_EQ(context.siteSettings[SITE_BAIDU].download.threadCount, 5);
    EXPECT_EQ(context.siteSettings[SITE_BAIDU].naming.options, 0);
    EXPECT_EQ(FileBytes(), before);
}
