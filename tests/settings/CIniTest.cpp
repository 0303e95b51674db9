// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "settings/CIni.h"
#include "support/TempDir.h"

namespace {

std::string Utf16Le(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (char16_t u : text) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>(u >> 8));
    }
    return out;
}

}  // namespace

TEST(CIni, FollowsPrivateProfileRules) {
    TempDir dir;
    std::u16string path = dir.Path() + u"t.ini";
    ASSERT_TRUE(FileSystem::WriteFileAtomic(path,
                                            "top=ignored\n"
                                            "; a comment line\n"
                                            "[Main]\r\n"
                                            "  Name  =   spaced value  \r\n"
                                            "quoted=\"  kept inside  \"\n"
                                            "single='x'\n"
                                            "half=\"open\n"
                                            "empty=\n"
                                            "bare\n"
                                            "dup=first\n"
                                            "DUP=second\n"
                                            "eq=a=b\n"
                                            "[ 淘宝 ]\n"
                                            "价格增减 = -3\n"
                                            "[main]\n"
                                            "late=only in the second section\n"));
    CIni ini(path);
    ASSERT_TRUE(ini.IsOpen());
    struct Case {
        const char16_t* section;
        const char16_t* key;
        const char16_t* def;
        std::u16string want;
    } cases[] = {
        {u"main", u"NAME", u"d", u"spaced value"},
        {u"MAIN", u"quoted", u"d", u"  kept inside  "},
        {u"Main", u"single", u"d", u"x"},
        {u"Main", u"half", u"d", u"\"open"},
        {u"Main", u"empty", u"d", u""},
        {u"Main", u"bare", u"d", u""},
        {u"Main", u"dup", u"d", u"first"},
        {u"Main", u"eq", u"d", u"a=b"},
        {u"淘宝", u"价格增减", u"d", u"-3"},
        {u"Main", u"missing", u"fallback  ", u"fallback"},
        {u"Main", u"late", u"d", u"d"},
        {u"Other", u"Name", u"d", u"d"},
        {u"", u"top", u"d", u"d"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(ini.GetString(k.section, k.key, k.def), k.want) << CodePage::ToUtf8(k.key);
    }
}

TEST(CIni, ReadsTheEncodingsUsersEditorsSave) {
    const std::u16string text = u"[QQ空间]\r\nV2编码=UTF8\r\n[淘宝]\r\n图片名中是否有价格=有\r\n";
    struct Case {
        std::string bytes;
        const char* what;
    } cases[] = {
        {CodePage::ToUtf8(text), "UTF-8"},
        {"\xEF\xBB\xBF" + CodePage::ToUtf8(text), "UTF-8 with BOM"},
        {Utf16Le(text), "UTF-16LE with BOM"},
        {CodePage::Encode(text, CodePage::GBK), "GBK"},
    };
    TempDir dir;
    for (const Case& k : cases) {
        std::u16string path = dir.Path() + u"e.ini";
        ASSERT_TRUE(FileSystem::WriteFileAtomic(path, k.bytes));
        CIni ini(path);
        EXPECT_EQ(ini.GetString(u"QQ空间", u"V2编码", u"ANSI"), u"UTF8") << k.what;
        EXPECT_EQ(ini.GetString(u"淘宝", u"图片名中是否有价格", u"无"), u"有") << k.what;
    }
}

TEST(CIni, MissingFileGivesDefaults) {
    TempDir dir;
    CIni ini(dir.Path() + u"none.ini");
    EXPECT_FALSE(ini.IsOpen());
    EXPECT_EQ(ini.GetString(u"a", u"b", u"ANSI"), u"ANSI");
}
