// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "settings/ProgramSettings.h"
#include "settings/SettingsBlock.h"

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

void FillKnownValues(ProgramSettings& c) {
    c.siteSettings[0].download = {0x0001, 0x1234, 7, 0xABCD};
    c.siteSettings[1].download.threadCount = 0x0F02;
    c.siteSettings[5].naming.replaceTo = u"前_";
    c.siteSettings[23].download.timeoutSec = 0x8001;
    c.siteSettings[23].naming.folderSuffix = u"ab";
    c.siteSettings[23].naming.options = 0xFE01;  // reserved bits travel with the known ones
    c.siteSettings[23].naming.baseName = BASE_URL;
    c.siteSettings[23].naming.folderNaming = FOLDER_NONE;
    c.inputHistory[0] = u"http://x/";
    c.pathHistory[4] = u"/存/";
}

}  // namespace

TEST(SettingsBlock, PutsEachFieldAtItsOffsetLittleEndian) {
    ProgramSettings c;
    FillKnownValues(c);
    std::string block = SettingsBlock::Serialise(c);
    ASSERT_EQ(block.size(), 19808u);

    struct Case {
        std::size_t offset;
        std::string bytes;
        const char* what;
    } cases[] = {
        {0, Bytes({0x01, 0x00, 0x34, 0x12, 0x07, 0x00, 0xCD, 0xAB}), "slot 0 download parameters"},
        {12, Bytes({0x02, 0x0F}), "slot 1 thread count"},
        {190, Bytes({0x01, 0x80}), "slot 23 time-out, last download entry"},
        // 192 + 5 * 484 + 240: slot 5 replacement text, "前" is U+524D
        {2852, Bytes({0x4D, 0x52, 0x5F, 0x00, 0x00, 0x00}), "slot 5 replaceTo"},
        // 192 + 23 * 484 = 11324
        {11324 + 400, Bytes({'a', 0, 'b', 0, 0, 0}), "slot 23 folderSuffix"},
        {11324 + 480, Bytes({0x01, 0xFE, 0x02, 0x01}), "slot 23 options, base, folder"},
        {0x2E20, Bytes({'h', 0, 't', 0, 't', 0, 'p', 0, ':', 0}), "input history entry 0"},
        {0x2E20 + 18, Bytes({0, 0}), "input history terminator"},
        {0x3DC0 + 4 * 800, Bytes({'/', 0, 0x58, 0x5B, '/', 0, 0, 0}), "path history entry 4"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(block.substr(k.offset, k.bytes.size()), k.bytes) << k.what;
    }
    // Everything not set stays zero, e.g. slot 2's download entry and slot 0's prefix.
    EXPECT_EQ(block.substr(16, 8), std::string(8, '\0'));
    EXPECT_EQ(block.substr(192, 80), std::string(80, '\0'));
}

TEST(SettingsBlock, RoundTripsEveryField) {
    ProgramSettings a;
    FillKnownValues(a);
    for (int slot = 0; slot < SETTINGS_SLOT_COUNT; ++slot) {
        NamingSettings& n = a.siteSettings[slot].naming;
        n.filePrefix = u"p" + std::u16string(slot, u'x');
        n.fileSuffix = u"后缀";
        n.replaceFrom = u"a";
        n.folderPrefix = u"?1_";
    }
    a.pathHistory[0] = std::u16string(399, u'z');

    ProgramSettings b;
    SettingsBlock::Deserialise(SettingsBlock::Serialise(a), b);
    // Serialise is pinned by the offsets above, so equal images mean every field came back.
    EXPECT_EQ(SettingsBlock::Serialise(b), SettingsBlock::Serialise(a));
    EXPECT_EQ(b.siteSettings[22].naming.filePrefix, u"p" + std::u16string(22, u'x'));
    EXPECT_EQ(b.siteSettings[23].naming.options, 0xFE01);
    EXPECT_EQ(b.siteSettings[0].download.timeoutSec, 0xABCD);
    EXPECT_EQ(b.inputHistory, a.inputHistory);
    EXPECT_EQ(b.pathHistory, a.pathHistory);
}

TEST(SettingsBlock, OverlongTextIsCutSoTheTerminatorFits) {
    struct Case {
        std::u16string text;
        std::u16string kept;
    } cases[] = {
        {std::u16string(39, u'a'), std::u16string(39, u'a')},
        {std::u16string(45, u'b'), std::u16string(39, u'b')},
        // The 39th unit would be the first half of a surrogate pair: the pair goes whole.
        {std::u16string(38, u'c') + u"😀", std::u16string(38, u'c')},
    };
    for (const Case& k : cases) {
        ProgramSettings a;
        a.siteSettings[3].naming.fileSuffix = k.text;
        a.siteSettings[3].naming.replaceFrom = u"next";
        ProgramSettings b;
        SettingsBlock::Deserialise(SettingsBlock::Serialise(a), b);
        EXPECT_EQ(b.siteSettings[3].naming.fileSuffix, k.kept) << k.text.size();
        EXPECT_EQ(b.siteSettings[3].naming.replaceFrom, u"next") << "the neighbour field is intact";
    }
}

TEST(SettingsBlock, ReadsShortLongAndUnterminatedImages) {
    // A short image: the rest reads as zero.
    ProgramSettings c;
    c.siteSettings[9].naming.filePrefix = u"stale";
    c.inputHistory[2] = u"stale";
    SettingsBlock::Deserialise(Bytes({0x05, 0x00, 0x06}), c);
    EXPECT_EQ(c.siteSettings[0].download.minPictureKB, 5);
    EXPECT_EQ(c.siteSettings[0].download.maxPictureKB, 6);
    EXPECT_EQ(c.siteSettings[9].naming.filePrefix, u"");
    EXPECT_EQ(c.inputHistory[2], u"");

    // A field of 40 units with no terminator stops at its own end, not in the next field.
    std::string block(19808, '\0');
    for (std::size_t i = 0; i < 40; ++i) {
        block[192 + 2 * i] = 'q';
    }
    block[192 + 80] = 'n';
    block += "trailing bytes are ignored";
    SettingsBlock::Deserialise(block, c);
    EXPECT_EQ(c.siteSettings[0].naming.filePrefix, std::u16string(39, u'q'));
    EXPECT_EQ(c.siteSettings[0].naming.fileSuffix, u"n");
}
