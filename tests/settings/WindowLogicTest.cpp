// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/SiteType.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/ComboMatch.h"
#include "settings/DialogRules.h"
#include "settings/OptionToggles.h"
#include "settings/ProgramDir.h"
#include "support/TempDir.h"

TEST(OptionToggles, FlipsOneBitWithTheShopOptionsExcludingEachOther) {
    struct Case {
        std::uint16_t before;
        OptionFlag flag;
        std::uint16_t after;
    } cases[] = {
        {0, OPT_FIX_FORMAT, OPT_FIX_FORMAT},
        {OPT_FIX_FORMAT | OPT_OPEN_FOLDER, OPT_FIX_FORMAT, OPT_OPEN_FOLDER},
        {OPT_DESCRIPTION_ONLY, OPT_TAOBAO_MAIN_ONLY, OPT_TAOBAO_MAIN_ONLY},
        {OPT_TAOBAO_MAIN_ONLY | OPT_FIX_ORDER, OPT_DESCRIPTION_ONLY, OPT_DESCRIPTION_ONLY | OPT_FIX_ORDER},
        // Clearing one leaves the other, even in a file that had both.
        {OPT_TAOBAO_MAIN_ONLY | OPT_DESCRIPTION_ONLY, OPT_TAOBAO_MAIN_ONLY, OPT_DESCRIPTION_ONLY},
        {OPT_TAOBAO_MAIN_ONLY | OPT_DESCRIPTION_ONLY, OPT_DESCRIPTION_ONLY, OPT_TAOBAO_MAIN_ONLY},
        {0xFE00, OPT_SKIP_DOWNLOADED, 0xFE00 | OPT_SKIP_DOWNLOADED},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(OptionToggles::Toggle(k.before, k.flag), k.after)
            << std::hex << k.before << " ^ " << k.flag;
    }
}

TEST(OptionToggles, OnlyTheSiteOptionsAreGreyedElsewhere) {
    std::set<OptionFlag> flags;
    for (const auto& item : OptionToggles::ITEMS) {
        flags.insert(item.flag);
        for (int type = 0; type < SITE_TYPE_COUNT; ++type) {
            bool want = true;
            if (item.flag == OPT_TAOBAO_MAIN_ONLY || item.flag == OPT_DESCRIPTION_ONLY) {
                want = type == SITE_SHOP;
            } else if (item.flag == OPT_YUPOO_LARGE) {
                want = type == SITE_YUPOO;
            }
            EXPECT_EQ(OptionToggles::IsEnabled(item.flag, type), want) << item.flag << " type " << type;
        }
    }
    EXPECT_EQ(flags.size(), OptionToggles::ITEMS.size());
    EXPECT_TRUE(OptionToggles::IsChecked(OPT_FIX_ORDER | OPT_YUPOO_LARGE, OPT_YUPOO_LARGE));
    EXPECT_FALSE(OptionToggles::IsChecked(OPT_FIX_ORDER, OPT_FIX_FORMAT));
}

TEST(ComboMatch, ListsItemsContainingTheTextIgnoringCase) {
    const std::vector<std::u16string> items = {
        u"/home/u/Pictures/Album/",
        u"http://Photo.Example.com/u/Mixed?ID=Ab",
        u"shownzmw?!oxffHiddenTail",
        u"/存/Ärger/",
    };
    struct Case {
        std::u16string edit;
        std::vector<std::u16string> want;
    } cases[] = {
        {u"PICT", {u"/home/u/Pictures/Album/"}},
        {u"/", {u"/home/u/Pictures/Album/", u"http://Photo.Example.com/u/Mixed?ID=Ab", u"/存/Ärger/"}},
        {u"id=ab", {u"http://Photo.Example.com/u/Mixed?ID=Ab"}},  // shown as stored, case and all
        {u"hiddentail", {u"shown"}},
        {u"ärg", {u"/存/Ärger/"}},
        {u"nothing", {}},
        {u"", {}},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(ComboMatch::Matches(items, k.edit), k.want);
    }
    EXPECT_EQ(ComboMatch::DisplayText(u"plain"), u"plain");
}

TEST(DialogRules, DownloadParamsAreAcceptedOnlyInRange) {
    struct Case {
        const char16_t *minKB, *maxKB, *threads, *timeout;
        bool accepted;
        DownloadParams want;
    } cases[] = {
        {u"0", u"0", u"1", u"10", true, {0, 0, 1, 10}},
        {u"20", u"65535", u"15", u"600", true, {20, 65535, 15, 600}},
        {u"abc", u" 12kb", u"5", u"30", true, {0, 12, 5, 30}},
        {u"0", u"0", u"16", u"30", false, {}},
        {u"0", u"0", u"0", u"30", false, {}},
        {u"0", u"0", u"5", u"9", false, {}},
        {u"0", u"0", u"65537", u"30", false, {}},  // would wrap to 1 thread
        {u"-1", u"0", u"5", u"30", false, {}},
        {u"0", u"65536", u"5", u"30", false, {}},
        {u"0", u"0", u"5", u"99999999999", false, {}},
        // A minimum above a maximum that is set rules out every picture.
        {u"100", u"50", u"5", u"30", false, {}},
        {u"50", u"50", u"5", u"30", true, {50, 50, 5, 30}},
        {u"100", u"0", u"5", u"30", true, {100, 0, 5, 30}},
    };
    for (const Case& k : cases) {
        DownloadParams out{7, 7, 7, 77};
        bool accepted = DialogRules::ParseDownloadParams(k.minKB, k.maxKB, k.threads, k.timeout, out);
        EXPECT_EQ(accepted, k.accepted) << CodePage::ToUtf8(k.threads) << " " << CodePage::ToUtf8(k.timeout);
        DownloadParams want = k.accepted ? k.want : DownloadParams{7, 7, 7, 77};
        EXPECT_EQ(out.minPictureKB, want.minPictureKB);
        EXPECT_EQ(out.maxPictureKB, want.maxPictureKB);
        EXPECT_EQ(out.threadCount, want.threadCount);
        EXPECT_EQ(out.timeoutSec, want.timeoutSec);
    }
}

TEST(DialogRules, NamingFieldKeepsAtMost38Characters) {
    std::u16string field = u"old";
    DialogRules::StoreNamingField(field, std::u16string(50, u'前'));
    EXPECT_EQ(field, std::u16string(38, u'前'));
    DialogRules::StoreNamingField(field, u"");
    EXPECT_EQ(field, u"");
}

TEST(ProgramDir, IsTheCurrentFolderWithTrailingSlash) {
    TempDir dir;
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.NativePath());
    std::u16string programDir = ProgramDirectory();
    std::filesystem::current_path(previous);
    ASSERT_FALSE(programDir.empty());
    EXPECT_EQ(programDir.back(), u'/');
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::path(dir.NativePath()),
                                            std::filesystem::path(FileSystem::NativePath(programDir))));
}
