// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "core/ListResult.h"
#include "core/PictureList.h"
#include "download/Naming.h"
#include "platform/CodePage.h"

namespace {

std::string Utf8(std::u16string_view text) {
    return CodePage::ToUtf8(text);
}

bool IsTimeStamp(const std::u16string& text, const std::u16string& before, const std::u16string& after) {
    if (text.size() != 14 || text.find_first_not_of(u"0123456789") != std::u16string::npos) {
        return false;
    }
    return before <= text && text <= after;
}

// One album of a listing with three albums, two of them selected, owned by "owner/".
class PictureNaming : public ::testing::Test {
protected:
    PictureNaming() {
        for (const char16_t* name : {u"first", u"second", u"相册"}) {
            ST_PERLISTRECORD record;
            record.name = name;
            list.albums.Add(record);
        }
        list.albums.selectedCount = 2;
        list.ownerName = u"owner/";
        album = *list.albums.Get(2);
        album.param4 = 40;
        album.param5 = -5;
        pictures.SetAlbumDir(u"/save/owner/相册/");
    }

    std::u16string Base(std::u16string_view url, std::u16string_view description, std::size_t c = 0) {
        return PictureBaseName(Values(), naming, album, c, url, description);
    }

    // Lists the next picture the way the emission does, returning its file name.
    std::u16string Emit(std::u16string_view url, std::u16string_view description) {
        std::u16string name = PictureFileName(Values(), naming, album, pictures, url, description);
        pictures.Append(PictureRecord{std::u16string(url), name, {}});
        return name;
    }

    NamingValues Values() const {
        return {list.albums.selectedCount.load(), static_cast<std::int64_t>(list.albums.Size()),
                list.ownerName};
    }

    ListResult list;
    NamingSettings naming;
    ST_PERLISTRECORD album;
    PictureList pictures;
};

}  // namespace

TEST(CleanName, CleansSiteTextIntoOneName) {
    struct Case {
        std::u16string in;
        std::u16string out;
    } cases[] = {
        {u" a  b   c ", u"a b c"},
        {u"...", u"。。。"},
        {u"", u""},
        {u"ab:c*d", u"abcd"},
        {u"a\tb", u"a_b"},
        {u"..name..", u"name"},
        {u" . name . ", u"name"},
        {u"a&amp;b &lt;i&gt;", u"a&b i"},
        {u"x\r\ny\\z/w\"q<>|?\a", u"xyzwq"},
        {u"C:\\Windows\\x.jpg", u"CWindowsx.jpg"},
        {u"/etc/passwd", u"etcpasswd"},
        {u"../../etc", u"etc"},
        {u". .. .", u"。。"},
        {std::u16string(u"a\0b", 3), u"ab"},
        // Control characters from a page would drive a terminal or hide in a folder name.
        {u"\x01"
         u"A\bB\x1b[31mC\x7f"
         u"D\x85\x9b"
         u"E\x1f",
         u"AB[31mCDE"},
        {u" \x1b x", u"x"},
        {u"中文 名字", u"中文 名字"},
    };
    for (const auto& c : cases) {
        std::u16string text = c.in;
        CleanName(text, false);
        EXPECT_EQ(Utf8(text), Utf8(c.out)) << Utf8(c.in);
    }
}

TEST(CleanName, FallbackGivesTimeStampForEmptyOrOverlongNames) {
    std::u16string before = TimeStampName();
    std::u16string empty = u" ?*. ";
    std::u16string overlong(1000, u'a');
    std::u16string justShort(999, u'a');
    CleanName(empty, true);
    CleanName(overlong, true);
    CleanName(justShort, true);
    std::u16string after = TimeStampName();
    EXPECT_TRUE(IsTimeStamp(empty, before, after)) << Utf8(empty);
    EXPECT_TRUE(IsTimeStamp(overlong, before, after)) << Utf8(overlong);
    EXPECT_EQ(justShort, std::u16string(999, u'a'));

    std::u16string withoutFallback = u" ?*. ";
    CleanName(withoutFallback, false);
    EXPECT_EQ(withoutFallback, u"");
}

TEST_F(PictureNaming, BaseNameFollowsTheChosenSource) {
    struct Case {
        std::uint8_t base;
        std::u16string url;
        std::u16string description;
        std::u16string out;
    } cases[] = {
        {BASE_DESCRIPTION, u"http://h/a.jpg", u" 海边  日落.PNG ", u"海边 日落.PNG"},
        {BASE_DESCRIPTION, u"http://h/a.jpg", u"", u"相册"},
        {BASE_DESCRIPTION, u"http://h/a.jpg", u"?*", u"相册"},
        // A description never names a path, whatever it looks like.
        {BASE_DESCRIPTION, u"http://h/a.jpg", u"C:\\Windows\\evil.jpg", u"CWindowsevil.jpg"},
        {BASE_DESCRIPTION, u"http://h/a.jpg", u"/etc/cron.d/x", u"etccron.dx"},
        {BASE_URL, u"http://h/p/IMG_1.jpg?w=800", u"ignored", u"IMG_1.jpgw=800"},
        {BASE_URL, u"no-slash.jpg", u"", u"5"},
        {BASE_URL, u"/only-leading.jpg", u"", u"5"},
        {BASE_SEQUENCE, u"http://h/p/IMG_1.jpg", u"desc", u"5"},
    };
    for (const auto& c : cases) {
        naming.baseName = c.base;
        EXPECT_EQ(Utf8(Base(c.url, c.description, 4)), Utf8(c.out))
            << Utf8(c.url) << " " << Utf8(c.description);
    }
}

TEST_F(PictureNaming, UrlEndingInSlashFallsBackToTimeStampUnlessPrefixAddsText) {
    naming.baseName = BASE_URL;
    std::u16string before = TimeStampName();
    std::u16string name = Base(u"http://h/dir/", u"");
    EXPECT_TRUE(IsTimeStamp(name, before, TimeStampName())) << Utf8(name);
    naming.filePrefix = u"p_";
    EXPECT_EQ(Base(u"http://h/dir/", u""), u"p_");
}

TEST_F(PictureNaming, EscapesAreReplacedInPrefixAndSuffix) {
    naming.baseName = BASE_DESCRIPTION;
    naming.filePrefix = u"?1-?2-?3-?4-?5-";
    naming.fileSuffix = u"-?6-?7-?8-?9";
    // ?8 is the owner folder with its "/", which the cleaning then drops.
    EXPECT_EQ(Utf8(Base(u"http://h/x.jpg", u"", 6)), Utf8(u"相册-7-3-40--5-相册-2-3-owner-0003"));
}

TEST_F(PictureNaming, ReplacementListAppliesPairwiseOrWhole) {
    naming.baseName = BASE_DESCRIPTION;
    struct Case {
        std::u16string from;
        std::u16string to;
        std::u16string out;
    } cases[] = {
        {u"a|b", u"1|2", u"12c 12c"},
        {u"a|b", u"x", u"abc abc"},  // counts of "|" differ: only the whole text "a|b" is replaced
        {u"abc", u"", u""},          // everything replaced away: the time stamp takes over
        {u"", u"zzz", u"abc abc"},
    };
    for (const auto& c : cases) {
        naming.replaceFrom = c.from;
        naming.replaceTo = c.to;
        std::u16string name = Base(u"http://h/x.jpg", u"abc abc");
        if (c.out.empty()) {
            EXPECT_EQ(name.size(), 14u) << Utf8(c.from);
        } else {
            EXPECT_EQ(Utf8(name), Utf8(c.out)) << Utf8(c.from);
        }
    }
}

TEST_F(PictureNaming, ExtensionIsKeptOnlyForPictureTypes) {
    struct Case {
        std::u16string name;
        std::u16string out;
    } cases[] = {
        {u"photo.PNG", u"photo.PNG"},       {u"photo.jpeg", u"photo.jpeg"}, {u"a.b.Tif", u"a.b.Tif"},
        {u"photo.webp", u"photo.webp.jpg"}, {u"photo", u"photo.jpg"},       {u"v1.2", u"v1.2.jpg"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8(FinishPictureName(c.name, pictures)), Utf8(c.out));
    }
}

// The album folder as deep as the case needs: "/" and 'd's up to dirBytes bytes, ending with "/".
std::u16string FolderOf(std::size_t dirBytes) {
    return u"/" + std::u16string(dirBytes - 2, u'd') + u"/";
}

// Names fit the system's limits in bytes: 255 for the name, a path shorter than 4096. A folder of a
// few hundred characters leaves names as they are; near the path limit the name is cut, never its
// extension or counter, and never to nothing.
TEST_F(PictureNaming, LengthFitsTheNameAndPathLimitsInBytes) {
    struct Case {
        std::size_t dirBytes;
        std::u16string name;
        std::u16string out;
        bool fits;
    } cases[] = {
        {240, u"0123456789abcdef.png", u"0123456789abcdef.png", true},
        {300, u"p000", u"p000.jpg", true},
        {3000, u"p001.png", u"p001.png", true},
        {4095 - 14, u"0123456789abcdef.png", u"0123456789.png", true},  // 14 bytes are left
        {4095 - 9, u"图图", u"图.jpg", true},                           // 9 left: one 3-byte character
        {4095 - 6, u"a😀b", u"a.jpg", true},                             // never half of a character
        {4095 - 6, u"x.jpeg", u"x.jpeg", true},                         // exactly at the limit
        {4095 - 4, u"anything.png", u"anything.png", false},            // no room: refused, not ".png"
        {4095, u"p000", u"p000.jpg", false},
    };
    for (const auto& c : cases) {
        pictures.SetAlbumDir(FolderOf(c.dirBytes));
        std::u16string file = FinishPictureName(c.name, pictures);
        EXPECT_EQ(Utf8(file), Utf8(c.out)) << c.dirBytes << " " << Utf8(c.name);
        EXPECT_EQ(PathFits(pictures.AlbumDir() + file), c.fits) << c.dirBytes << " " << Utf8(c.name);
    }
}

TEST_F(PictureNaming, CountersFitTheRoomThePathLeaves) {
    naming.baseName = BASE_DESCRIPTION;
    pictures.SetAlbumDir(FolderOf(4095 - 10));
    EXPECT_EQ(Emit(u"http://h/1", u"abcdefgh"), u"abcdef.jpg");
    EXPECT_EQ(Emit(u"http://h/2", u"abcdefgh"), u"abc(1).jpg");
    EXPECT_EQ(Emit(u"http://h/3", u"abcdef"), u"abc(2).jpg");
}

TEST(PathFits, CountsUtf8BytesBelowTheSystemLimit) {
    EXPECT_TRUE(PathFits(std::u16string(4095, u'a')));
    EXPECT_FALSE(PathFits(std::u16string(4096, u'a')));
    EXPECT_TRUE(PathFits(std::u16string(1365, u'图')));   // 4095 bytes
    EXPECT_FALSE(PathFits(std::u16string(1366, u'图')));  // 4098 bytes, 1366 units
}

TEST_F(PictureNaming, LongChineseNameFitsInto255BytesWithItsExtension) {
    pictures.SetAlbumDir(u"/s/");
    std::u16string name(100, u'图');
    std::u16string file = FinishPictureName(name + u".png", pictures);
    EXPECT_EQ(Utf8(file), Utf8(std::u16string(83, u'图') + u".png"));  // 249 + 4 bytes

    std::u16string emoji;
    for (int i = 0; i < 70; ++i) {
        emoji += u"\U0001F600";
    }
    file = FinishPictureName(emoji, pictures);
    EXPECT_LE(Utf8(file).size(), MAX_NAME_BYTES);
    EXPECT_EQ(file, emoji.substr(0, 2 * 62) + u".jpg");  // 248 + 4 bytes, whole characters only
}

TEST_F(PictureNaming, DuplicatesGetACounterIgnoringCase) {
    naming.baseName = BASE_DESCRIPTION;
    EXPECT_EQ(Emit(u"http://h/1", u"Sea"), u"Sea.jpg");
    EXPECT_EQ(Emit(u"http://h/2", u"sea"), u"sea(1).jpg");
    EXPECT_EQ(Emit(u"http://h/3", u" SEA "), u"SEA(2).jpg");
    EXPECT_EQ(Emit(u"http://h/4", u"sea.JPG"), u"sea(3).JPG");
    EXPECT_EQ(Emit(u"http://h/5", u"sea(1)"), u"sea(1)(1).jpg");
    EXPECT_EQ(Emit(u"http://h/6", u"other"), u"other.jpg");
    // No description: every picture is named after the album.
    EXPECT_EQ(Utf8(Emit(u"http://h/7", u"")), Utf8(u"相册.jpg"));
    EXPECT_EQ(Utf8(Emit(u"http://h/8", u"")), Utf8(u"相册(1).jpg"));
}

TEST_F(PictureNaming, CounterSkipsNumbersThatListedNamesAlreadyHold) {
    naming.baseName = BASE_DESCRIPTION;
    const std::u16string expected[][2] = {
        {u"sea(2)", u"sea(2).jpg"},  {u"Sea(01)", u"Sea(01).jpg"}, {u"sea", u"sea.jpg"},
        {u"sea", u"sea(1).jpg"},     {u"sea", u"sea(3).jpg"},      {u"sea.png", u"sea.png"},
        {u"sea.png", u"sea(1).png"},
    };
    for (const auto& [description, name] : expected) {
        EXPECT_EQ(Emit(u"http://h/x", description), name) << Utf8(description);
    }
}

// Thousands of pictures of one name keep counting up; a name given up by a renamed picture (the
// format pass) is taken again, and names holding a counter of their own are stepped over.
TEST_F(PictureNaming, ThousandsOfEqualNamesAreCountedInOrder) {
    naming.baseName = BASE_DESCRIPTION;
    constexpr int kPictures = 3000;
    for (int i = 0; i < kPictures; ++i) {
        std::u16string counter = i == 0 ? u"" : u"(" + CodePage::FromUtf8(std::to_string(i)) + u")";
        ASSERT_EQ(Emit(u"http://h/x", u"n"), u"n" + counter + u".jpg");
    }
    pictures.SetFileName(7, u"n(7).png");
    EXPECT_EQ(Emit(u"http://h/y", u"N"), u"N(7).jpg");
    EXPECT_EQ(Emit(u"http://h/z", u"n(3001)"), u"n(3001).jpg");
    EXPECT_EQ(Emit(u"http://h/x", u"n"), u"n(3000).jpg");
    EXPECT_EQ(Emit(u"http://h/x", u"n"), u"n(3002).jpg");
}

TEST_F(PictureNaming, CounterStillFitsWhenTheNameIsAtTheLimit) {
    naming.baseName = BASE_DESCRIPTION;
    pictures.SetAlbumDir(u"/s/");
    std::u16string description(90, u'图');
    std::u16string first = Emit(u"http://h/1", description);
    std::u16string second = Emit(u"http://h/2", description);
    EXPECT_EQ(Utf8(first), Utf8(std::u16string(83, u'图') + u".jpg"));
    EXPECT_EQ(Utf8(second), Utf8(std::u16string(82, u'图') + u"(1).jpg"));
    EXPECT_LE(Utf8(second).size(), MAX_NAME_BYTES);
}

TEST(AlbumFolderName, BuildsFromPrefixNameAndSuffix) {
    ST_PERLISTRECORD album;
    album.name = u"旅行";
    album.listIndex = 2;
    struct Case {
        std::uint8_t folderNaming;
        std::u16string prefix;
        std::u16string suffix;
        std::u16string out;
    } cases[] = {
        {FOLDER_ALBUM_NAME, u"", u"", u"旅行"},
        {FOLDER_NONE, u"?3_", u"", u"3_"},
        {FOLDER_ALBUM_NAME, u"?9-", u"(?1)", u"0003-旅行(旅行)"},
        {FOLDER_ALBUM_NAME, u"?2?4", u"", u"24旅行"},  // escapes folders do not know lose their "?"
        {FOLDER_NONE, u"", u"", u""},
        {FOLDER_NONE, u". ..", u" .", u"。。"},  // never "..": that would leave the owner folder
    };
    for (const auto& c : cases) {
        NamingSettings naming;
        naming.folderNaming = c.folderNaming;
        naming.folderPrefix = c.prefix;
        naming.folderSuffix = c.suffix;
        EXPECT_EQ(Utf8(AlbumFolderName(naming, album)), Utf8(c.out)) << Utf8(c.prefix);
    }
}

TEST(AlbumFolderName, FolderPathAndLongNames) {
    ST_PERLISTRECORD album;
    album.name = u"a b";
    NamingSettings naming;
    EXPECT_EQ(AlbumFolder(u"/save/o/", naming, album), u"/save/o/a b/");
    naming.folderNaming = FOLDER_NONE;
    EXPECT_EQ(AlbumFolder(u"/save/o/", naming, album), u"/save/o/");

    naming.folderNaming = FOLDER_ALBUM_NAME;
    album.name = std::u16string(80, u'图');
    naming.folderPrefix = std::u16string(39, u'前');
    std::u16string name = AlbumFolderName(naming, album);
    EXPECT_EQ(Utf8(name).size(), 255u);
    EXPECT_EQ(name.substr(0, 39), naming.folderPrefix);
}
