// SPDX-License-Identifier: GPL-3.0-or-later
// The window's model of the running job: the bar it makes of the jobs' events, the album it marks,
// and the outcome counts of the album rows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/JobProgress.h"

namespace {

// The job names the album it downloads; the selection taken when the download started may have
// changed since.
TEST(JobProgress, TheAlbumTheJobNamesIsTheOneMarked) {
    JobProgress progress;
    progress.DownloadStarted({4, 1});
    progress.AlbumStarted(1, 2, 7);
    EXPECT_EQ(progress.CurrentAlbum(), 7);
    progress.AlbumStarted(2, 2);
    EXPECT_EQ(progress.CurrentAlbum(), 1);
}

TEST(JobProgress, TheBarFollowsTheAlbumsAndTheirPictures) {
    JobProgress progress;
    EXPECT_FALSE(progress.ProgressBar().shown);

    progress.ListStarted();
    EXPECT_TRUE(progress.ProgressBar().shown);
    EXPECT_EQ(progress.ProgressBar().maximum, 0);  // busy while albums are listed
    progress.ListEnded(7);
    EXPECT_EQ(progress.ProgressBar().text, u"共7个相册");

    progress.DownloadStarted({4, 1});
    EXPECT_EQ(progress.Running(), JobProgress::Job::Download);
    EXPECT_EQ(progress.CurrentAlbum(), -1);
    EXPECT_EQ(progress.ProgressBar().maximum, 2000);
    EXPECT_EQ(progress.ProgressBar().value, 0);

    progress.AlbumStarted(1, 2);
    EXPECT_EQ(progress.CurrentAlbum(), 4);
    EXPECT_EQ(progress.ProgressBar().text, u"第1/2个相册");
    progress.PicturesDone(1, 4);
    EXPECT_EQ(progress.ProgressBar().value, 250);
    EXPECT_EQ(progress.ProgressBar().text, u"第1/2个相册：1/4张");
    progress.PicturesDone(4, 4);
    EXPECT_EQ(progress.ProgressBar().value, 1000);

    // An album whose picture list is empty shows no pictures; the next one starts at its place.
    progress.AlbumStarted(2, 2);
    EXPECT_EQ(progress.CurrentAlbum(), 1);
    EXPECT_EQ(progress.ProgressBar().value, 1000);
    progress.PicturesDone(3, 6);
    EXPECT_EQ(progress.ProgressBar().value, 1500);
    progress.DownloadEnded(false);
    EXPECT_EQ(progress.CurrentAlbum(), -1);
    EXPECT_EQ(progress.ProgressBar().value, 2000);
    EXPECT_EQ(progress.ProgressBar().text, u"下载完毕：2个相册");

    // A stopped download keeps the bar where it stopped.
    progress.DownloadStarted({0, 1, 2});
    progress.AlbumStarted(2, 3);
    progress.PicturesDone(5, 10);
    progress.DownloadEnded(true);
    EXPECT_EQ(progress.ProgressBar().value, 1500);
    EXPECT_EQ(progress.ProgressBar().maximum, 3000);
    EXPECT_EQ(progress.ProgressBar().text, u"已停止：第2/3个相册");
}

TEST(JobProgress, OutcomesCountPerAlbumAndListTheFailures) {
    JobProgress progress;
    progress.DownloadStarted({0, 3});
    progress.AddPictureOutcome(0, JobProgress::PictureOutcome::Saved, u"http://a/1.jpg", u"");
    progress.AddPictureOutcome(0, JobProgress::PictureOutcome::Skipped, u"http://a/2.jpg", u"");
    progress.AddPictureOutcome(0, JobProgress::PictureOutcome::Failed, u"http://a/3.jpg", u"超时");
    progress.SetAlbumOutcome(3, {118, 0, 0});
    ASSERT_EQ(progress.Outcomes().size(), 2u);
    const JobProgress::AlbumOutcome first = progress.Outcomes().at(0);
    EXPECT_EQ(JobProgress::DoneText(first), u"完成 2");
    EXPECT_EQ(JobProgress::FailedText(first), u"失败 1");
    EXPECT_EQ(JobProgress::DoneText(progress.Outcomes().at(3)), u"完成 118");
    EXPECT_EQ(JobProgress::FailedText(progress.Outcomes().at(3)), u"");
    ASSERT_EQ(progress.FailedPictures().size(), 1u);
    EXPECT_EQ(progress.FailedPictures()[0].url, u"http://a/3.jpg");
    EXPECT_EQ(progress.FailedPictures()[0].reason, u"超时");
    progress.DownloadEnded(false);

    // Downloading album 0 again counts it anew; album 3 keeps its outcome until a new list.
    progress.DownloadStarted({0});
    EXPECT_TRUE(progress.FailedPictures().empty());
    EXPECT_EQ(progress.Outcomes().count(0), 0u);
    EXPECT_EQ(progress.Outcomes().count(3), 1u);
    progress.DownloadEnded(false);
    progress.ListStarted();
    EXPECT_TRUE(progress.Outcomes().empty());
}

// A stop is shown on the bar at once, whatever the pool reports until it has taken effect.
TEST(JobProgress, TheBarSaysItIsStoppingUntilTheDownloadHasEnded) {
    JobProgress progress;
    progress.StopAsked();  // no download: nothing to stop
    EXPECT_FALSE(progress.ProgressBar().shown);
    progress.DownloadStarted({0, 1});
    progress.AlbumStarted(1, 2);
    progress.PicturesDone(1, 4);
    progress.StopAsked();
    EXPECT_EQ(progress.ProgressBar().text, u"正在停止…");
    progress.PicturesDone(2, 4);
    EXPECT_EQ(progress.ProgressBar().text, u"正在停止…");
    EXPECT_EQ(progress.ProgressBar().value, 500);
    progress.DownloadEnded(true);
    EXPECT_EQ(progress.ProgressBar().text, u"已停止：第1/2个相册");
    // The next download starts afresh.
    progress.DownloadStarted({0});
    progress.AlbumStarted(1, 1);
    EXPECT_EQ(progress.ProgressBar().text, u"第1/1个相册");
}

// Pictures a stop left untried are neither done nor failed; the texts say so only when there are
// some.
TEST(JobProgress, UntriedPicturesAreCountedApart) {
    struct Case {
        JobProgress::AlbumOutcome outcome;
        std::u16string done;
        std::u16string failed;
    } cases[] = {
        {{24, 0, 0, 16}, u"完成 24", u"未下载 16"},
        {{20, 4, 0, 16}, u"完成 20", u"失败 4 未下载 16"},
        {{24, 16, 0, 0}, u"完成 24", u"失败 16"},
        {{40, 0, 0, 0}, u"完成 40", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JobProgress::DoneText(c.outcome), c.done);
        EXPECT_EQ(JobProgress::FailedText(c.outcome), c.failed);
    }
}

// The album whose download starts loses what an earlier download showed, even when the selection
// taken at the start did not name it.
TEST(JobProgress, AnAlbumsOldOutcomeGoesWhenItsDownloadStarts) {
    JobProgress progress;
    progress.SetAlbumOutcome(2, {24, 16, 0});
    progress.SetAlbumOutcome(5, {3, 0, 0});
    progress.DownloadStarted({});
    EXPECT_EQ(progress.Outcomes().count(2), 1u);
    progress.AlbumStarted(1, 1, 2);
    EXPECT_EQ(progress.Outcomes().count(2), 0u);
    EXPECT_EQ(progress.Outcomes().count(5), 1u);
}

// The pool's workers end their pictures in any order; the failures are listed album by album in
// the order of the albums' pictures.
TEST(JobProgress, FailedPicturesAreInPictureOrder) {
    JobProgress progress;
    progress.DownloadStarted({3, 1});
    using Outcome = JobProgress::PictureOutcome;
    for (int place : {4, 1, 7, 2}) {
        progress.AddPictureOutcome(3, Outcome::Failed, u"a" + std::u16string(1, u'0' + place), u"", place);
    }
    for (int place : {5, 0}) {
        progress.AddPictureOutcome(1, Outcome::Failed, u"b" + std::u16string(1, u'0' + place), u"", place);
    }
    std::vector<std::u16string> urls;
    for (const JobProgress::FailedPicture& picture : progress.FailedPictures()) {
        urls.push_back(picture.url);
    }
    EXPECT_EQ(urls, (std::vector<std::u16string>{u"a1", u"a2", u"a4", u"a7", u"b0", u"b5"}));
}

}  // namespace
