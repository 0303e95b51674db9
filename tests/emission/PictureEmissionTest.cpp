// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/PictureList.h"
#include "download/SideFiles.h"
#include "emission/EmissionFixture.h"
#include "jobs/Emission.h"
#include "jobs/PictureListRun.h"
#include "platform/FileSystem.h"

namespace {

// The picture-name file's lines, after its byte-order mark.
std::u16string Utf16LeText(const std::string& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return text;
}

// One album "Summer" listed, the download about to start with the owner folder as albumDir.
class PictureEmission : public EmissionFixture {
protected:
    void SetUp() override {
        EmissionFixture::SetUp();
        job.list.siteType = SITE_TENCENT;
        Emit(Album(u"Summer"));
        ownerDir = dir.Path() + u"owner/";
        ASSERT_TRUE(FileSystem::CreateDirectories(ownerDir));
        albumDir = ownerDir + u"Summer/";
        StartAlbum();
    }

    // What the download job does before each album: the album's listing follows the naming
    // settings as they are now.
    void StartAlbum() {
        pictures.Clear();
        pictures.SetAlbumDir(ownerDir);
        job.control.downloadState = DL_RUNNING;
        run = std::make_unique<PictureListRun>(job, events, Naming(), pictures, 0, u"");
    }

    NamingSettings& Naming() { return job.settings.Slot(job.list.siteType).naming; }

    void Picture(const std::u16string& url, const std::u16string& description = {}) {
        EmitPicture(*run, url, description, u"Referer: http://r/");
    }

    Texts FileNames() const {
        Texts names;
        for (std::size_t i = 0; i < pictures.Size(); ++i) {
            names.push_back(pictures.Get(i).fileName);
        }
        return names;
    }

    PictureList pictures;
    std::unique_ptr<PictureListRun> run;

    std::u16string ownerDir;
    std::u16string albumDir;
};

TEST_F(PictureEmission, FirstPictureCreatesTheAlbumFolderAndReadsItsMarker) {
    ASSERT_TRUE(FileSystem::CreateDirectories(albumDir));
    ASSERT_TRUE(WriteMarker(albumDir, u"http://p/old.jpg\r\nhttp://q/old.jpg"));
    run->lastFirstUrl = u"from another album";

    Picture(u"http://p/1.jpg", u"first");
    EXPECT_EQ(pictures.AlbumDir(), albumDir);
    EXPECT_TRUE(FileSystem::IsDirectory(albumDir));
    EXPECT_EQ(run->lastFirstUrl, u"http://p/old.jpg\r\nhttp://q/old.jpg");
    PictureRecord first = pictures.Get(0);
    EXPECT_EQ(first.url, u"http://p/1.jpg");
    EXPECT_EQ(first.fileName, u"first.jpg");
    EXPECT_EQ(first.headers, u"Referer: http://r/");

    // Later pictures leave the folder as it is, and a new album without a marker reads none.
    Picture(u"http://p/2.jpg");
    EXPECT_EQ(pictures.AlbumDir(), albumDir);
    Naming().folderNaming = FOLDER_NONE;
    StartAlbum();
    run->lastFirstUrl = u"from the album before";
    Picture(u"http://p/3.jpg");
    EXPECT_EQ(pictures.AlbumDir(), ownerDir);
    EXPECT_EQ(run->lastFirstUrl, u"");
}

TEST_F(PictureEmission, DuplicateNamesAreNumberedAndProgressIsShown) {
    for (const char16_t* description : {u"N", u"n", u"N.jpg", u"other"}) {
        Picture(u"http://p/x.jpg", description);
    }
    EXPECT_EQ(FileNames(), Texts({u"N.jpg", u"n(1).jpg", u"N(2).jpg", u"other.jpg"}));
    EXPECT_EQ(events.ProgressTexts(), Texts({u"已获取到1张图片信息", u"已获取到2张图片信息",
                                             u"已获取到3张图片信息", u"已获取到4张图片信息"}));
}

TEST_F(PictureEmission, PathsInDescriptionsNeverLeaveTheAlbumFolder) {
    Picture(u"http://p/1.jpg", u"C:\\Windows\\evil.jpg");
    Picture(u"http://p/2.jpg", u"../../up.png");
    EXPECT_EQ(FileNames(), Texts({u"CWindowsevil.jpg", u"up.png"}));
    EXPECT_EQ(pictures.AlbumDir(), albumDir);
}

TEST_F(PictureEmission, SkipDownloadedEndsTheAlbumAtThePreviousFirstPicture) {
    ASSERT_TRUE(FileSystem::CreateDirectories(albumDir));
    ASSERT_TRUE(WriteMarker(albumDir, u"http://p/old.jpg"));
    Naming().options = OPT_SKIP_DOWNLOADED;
    StartAlbum();

    Picture(u"http://p/new.jpg");
    EXPECT_EQ(job.control.downloadState.load(), DL_RUNNING);
    Picture(u"http://p/old.jpg");
    EXPECT_EQ(job.control.downloadState.load(), DL_ALBUM_DONE);
    EXPECT_EQ(pictures.Size(), 1u);
    EXPECT_EQ(events.ProgressTexts().size(), 1u);

    // Nothing new: the album adds no picture, though its folder was looked at.
    StartAlbum();
    Picture(u"http://p/old.jpg");
    EXPECT_EQ(pictures.Size(), 0u);
    EXPECT_EQ(job.control.downloadState.load(), DL_ALBUM_DONE);

    // Without the option the marker only tells, and an album without a marker skips nothing, not
    // even an empty address.
    Naming().options = 0;
    StartAlbum();
    Picture(u"http://p/old.jpg");
    EXPECT_EQ(job.control.downloadState.load(), DL_RUNNING);
    Naming().options = OPT_SKIP_DOWNLOADED;
    ASSERT_TRUE(FileSystem::Remove(MarkerPath(albumDir)));
    StartAlbum();
    Picture(u"");
    EXPECT_EQ(job.control.downloadState.load(), DL_RUNNING);
    EXPECT_EQ(pictures.Size(), 1u);
}

TEST_F(PictureEmission, OriginalNameFileListsTheDescriptionsAndStartsAnewPerDownload) {
    Naming().options = OPT_ORIGINAL_NAME_FILE;
    StartAlbum();
    Picture(u"http://p/1.jpg", u"海边");
    Picture(u"http://p/2.jpg", u"");
    Picture(u"http://p/3.jpg", u"a:b");
    std::string bytes;
    ASSERT_TRUE(FileSystem::ReadFile(PictureNamePath(albumDir, u"Summer"), bytes));
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(Utf16LeText(bytes.substr(2)), u"海边\r\n\r\na:b\r\n");

    StartAlbum();
    Picture(u"http://p/4.jpg", u"again");
    ASSERT_TRUE(FileSystem::ReadFile(PictureNamePath(albumDir, u"Summer"), bytes));
    EXPECT_EQ(Utf16LeText(bytes), u"\uFEFFagain\r\n");

    Naming().options = 0;
    StartAlbum();
    ASSERT_TRUE(FileSystem::Remove(PictureNamePath(albumDir, u"Summer")));
    Picture(u"http://p/5.jpg", u"none");
    EXPECT_FALSE(FileSystem::Exists(PictureNamePath(albumDir, u"Summer")));
}

TEST_F(PictureEmission, AnAlbumIndexOutsideTheListAddsNothing) {
    for (int album : {1, -1}) {
        PictureListRun outside(job, events, Naming(), pictures, album, u"");
        EmitPicture(outside, u"http://p/1.jpg", u"x", u"");
    }
    EXPECT_EQ(pictures.Size(), 0u);
    EXPECT_TRUE(events.ProgressTexts().empty());
    EXPECT_FALSE(FileSystem::Exists(albumDir));
}

}  // namespace
