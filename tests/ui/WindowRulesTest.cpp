// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "platform/CodePage.h"
#include "ui/WindowRules.h"

namespace {

std::string Utf8(const std::u16string& text) {
    return CodePage::ToUtf8(text);
}

TEST(WindowRules, ClipboardTextIsTakenTrimmedWhenOneTo199Characters) {
    struct Case {
        std::u16string clipboard;
        std::u16string input;
    } cases[] = {
        {u"  http://user.qzone.qq.com/12345\r\n", u"http://user.qzone.qq.com/12345"},
        {u"1", u"1"},
        {std::u16string(199, u'x'), std::u16string(199, u'x')},
        {u" " + std::u16string(199, u'x') + u"\t", std::u16string(199, u'x')},
        {std::u16string(200, u'x'), u""},
        {u" \r\n\u3000", u""},
        {u"", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WindowRules::ClipboardInput(c.clipboard), c.input) << Utf8(c.clipboard).size();
    }
}

TEST(WindowRules, TemporaryProgramFoldersSaveIntoTheDocumentsFolder) {
    struct Case {
        std::u16string programDir;
        std::u16string saveFolder;
    } cases[] = {
        {u"/home/ann/Orvelle/", u"/home/ann/Orvelle/"},
        {u"/tmp/orvelle-1/", u"/home/ann/文档/Orvelle/"},
        {u"/home/ann/Temp/run/", u"/home/ann/文档/Orvelle/"},
        {u"/var/TMP/x/", u"/home/ann/文档/Orvelle/"},
        {u"/home/ann/localsettings/x/", u"/home/ann/文档/Orvelle/"},
        {u"/home/ann/local/x/", u"/home/ann/local/x/"},
        // Only whole folder names count.
        {u"/home/ann/temples/", u"/home/ann/temples/"},
        {u"/home/ann/attempt/", u"/home/ann/attempt/"},
        {u"/home/ann/tmpfiles/", u"/home/ann/tmpfiles/"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WindowRules::StartSaveFolder(c.programDir, u"/home/ann/文档"), c.saveFolder)
            << Utf8(c.programDir);
    }
    EXPECT_EQ(WindowRules::StartSaveFolder(u"/tmp/x/", u"/home/ann/文档/"), u"/home/ann/文档/Orvelle/");
}

TEST(WindowRules, ADroppedPathStandsForItsFolder) {
    struct Case {
        std::u16string path;
        bool isDirectory;
        std::u16string folder;
    } cases[] = {
        {u"/home/ann/Pictures/cat.jpg", false, u"/home/ann/Pictures/"},
        // A folder with a full stop in its name, and a file without one.
        {u"/home/ann/album.2014", true, u"/home/ann/album.2014/"},
        {u"/home/ann/album.2014/", true, u"/home/ann/album.2014/"},
        {u"/home/ann.b/README", false, u"/home/ann.b/"},
        {u"/cat.jpg", false, u"/"},
        {u"cat.jpg", false, u""},
        {u"", false, u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WindowRules::DroppedFolder(c.path, c.isDirectory), c.folder) << Utf8(c.path);
    }
}

}  // namespace

namespace {

TEST(WindowRules, TheUnwritableNoticeNamesTheFolderOrTheFile) {
    struct Case {
        std::u16string part;
        std::u16string notice;
    } cases[] = {
        {u"/home/ann/Orvelle/", u"无法写入程序文件夹 /home/ann/Orvelle/，设置和 Cookie 将无法保存"},
        {u"/home/ann/Orvelle/soft.dat",
         u"无法写入程序文件夹中的 /home/ann/Orvelle/soft.dat，设置和 Cookie 将无法保存"},
        {u"/home/ann/Orvelle/cookies.txt",
         u"无法写入程序文件夹中的 /home/ann/Orvelle/cookies.txt，设置和 Cookie 将无法保存"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WindowRules::UnwritableNotice(u"/home/ann/Orvelle/", c.part), c.notice) << Utf8(c.part);
    }
}

TEST(WindowRules, TheCsvExportIsNamedAfterTheOwnerAndTheDay) {
    struct Case {
        std::u16string owner;
        std::u16string name;
    } cases[] = {
        {u"alice/", u"alice_20261210.csv"},
        {u"小明", u"小明_20261210.csv"},
        {u"shop/items/", u"shop_items_20261210.csv"},
        {u"", u"相册列表_20261210.csv"},
        {u"/", u"相册列表_20261210.csv"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WindowRules::CsvExportName(c.owner, u"20261210"), c.name) << Utf8(c.owner);
    }
}

}  // namespace
