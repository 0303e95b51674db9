// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "MyCode/TextFlags.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/ExtensionFile.h"
#include "support/TempDir.h"

namespace {

const char16_t* const INI_NAME = u"下载器扩展设置.ini";

struct Expected {
    unsigned v2, v3;
    bool price;
    std::int32_t adjust;
};

void ExpectValues(const ExtensionSettings& e, const Expected& want, const std::string& what) {
    EXPECT_EQ(e.qzoneV2TextFlags, want.v2) << what;
    EXPECT_EQ(e.qzoneV3TextFlags, want.v3) << what;
    EXPECT_EQ(e.priceInName, want.price) << what;
    EXPECT_EQ(e.priceAdjust, want.adjust) << what;
}

}  // namespace

TEST(ExtensionSettings, MapsTheFourValues) {
    struct Case {
        std::string ini;
        Expected want;
    } cases[] = {
        {"[QQ空间]\nV2编码=UTF8\nV3编码=AUTO\n[淘宝]\n图片名中是否有价格=有价格\n价格增减=-3\n",
         {TEXT_UTF8, TEXT_AUTO, true, -3}},
        {"[QQ空间]\nV2编码=BIG5\nV3编码=ANSI\n[淘宝]\n图片名中是否有价格=无\n价格增减=abc\n",
         {TEXT_BIG5, 0, false, 0}},
        {"[QQ空间]\nV2编码=UTF8-page\nV3编码=utf8\n[淘宝]\n图片名中是否有价格=没有\n价格增减=12元\n",
         {TEXT_UTF8, 0, false, 12}},
        {"[QQ空间]\nV2编码=GB2312\nV3编码=\"BIG5\"\n[淘宝]\n价格增减=99999999999\n",
         {0, TEXT_BIG5, false, INT32_MAX}},
        {"[other]\nx=1\n", {0, 0, false, 0}},
    };
    TempDir dir;
    for (const Case& k : cases) {
        ASSERT_TRUE(FileSystem::WriteFileAtomic(dir.Path() + INI_NAME, k.ini));
        ExtensionSettings e;
        e = ExtensionFile::Load(dir.Path());
        ExpectValues(e, k.want, k.ini);
    }
}

TEST(ExtensionSettings, EachLoadStartsFromZero) {
    TempDir dir;
    ASSERT_TRUE(FileSystem::WriteFileAtomic(
        dir.Path() + INI_NAME, "[QQ空间]\nV2编码=UTF8\n[淘宝]\n图片名中是否有价格=有\n价格增减=5\n"));
    ExtensionSettings e;
    e = ExtensionFile::Load(dir.Path());
    ExpectValues(e, {TEXT_UTF8, 0, true, 5}, "written");

    ASSERT_TRUE(FileSystem::WriteFileAtomic(dir.Path() + INI_NAME, "[淘宝]\n价格增减=1\n"));
    e = ExtensionFile::Load(dir.Path());
    ExpectValues(e, {0, 0, false, 1}, "edited: keys taken out fall back");

    ASSERT_TRUE(FileSystem::Remove(dir.Path() + INI_NAME));
    e = ExtensionFile::Load(dir.Path());
    ExpectValues(e, {0, 0, false, 0}, "removed");
}

TEST(ExtensionSettings, WeiboPassedOnPostsOnlyWhenAsked) {
    struct Case {
        std::string ini;
        bool on;
    } cases[] = {
        {"[新浪微博]\n下载转发微博的图片=是\n", true},  {"[新浪微博]\n下载转发微博的图片=是的\n", true},
        {"[新浪微博]\n下载转发微博的图片=否\n", false}, {"[新浪微博]\n下载转发微博的图片=\n", false},
        {"[淘宝]\n下载转发微博的图片=是\n", false},
    };
    TempDir dir;
    EXPECT_FALSE(ExtensionFile::Load(dir.Path()).weiboPassedOn) << "no file";
    for (const Case& k : cases) {
        ASSERT_TRUE(FileSystem::WriteFileAtomic(dir.Path() + INI_NAME, k.ini));
        EXPECT_EQ(ExtensionFile::Load(dir.Path()).weiboPassedOn, k.on) << k.ini;
    }
}
