// The window's model of the running job: the bar it makes of the jobs' events, the album it marks,
// and the outcome counts of the album rows.

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
