// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/JobProgress.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "MyCode/StringCtrl.h"

void JobProgress::ListStarted() {
    running_ = Job::List;
    albums_.clear();
    outcomes_.clear();
    failed_.clear();
    position_ = count_ = done_ = listed_ = 0;
    bar_ = {true, 0, 0, u"正在获取相册列表"};
}

void JobProgress::ListEnded(int albumCount) {
    if (running_ != Job::List) {
        return;
    }
    running_ = Job::None;
    bar_ = {true, 1, 1, StringCtrl::Format(u"共%d个相册", {albumCount})};
}

void JobProgress::DownloadStarted(std::vector<int> albums) {
    running_ = Job::Download;
    albums_ = std::move(albums);
    // The failures listed at the end are this download's; an album downloaded again counts anew,
    // while the other albums keep what their last download showed.
    failed_.clear();
    for (int album : albums_) {
        outcomes_.erase(album);
    }
    position_ = done_ = listed_ = 0;
    stopping_ = false;
    count_ = static_cast<int>(albums_.size());
    UpdateDownloadBar();
}

void JobProgress::AlbumStarted(int position, int count, int album) {
    if (running_ != Job::Download || position < 1 || count < position) {
        return;
    }
    if (album >= 0) {
        if (albums_.size() < static_cast<std::size_t>(count)) {
            albums_.resize(static_cast<std::size_t>(count), -1);
        }
        albums_[static_cast<std::size_t>(position - 1)] = album;
        // What an earlier download of the album left must not pass for this one's.
        outcomes_.erase(album);
    }
    position_ = position;
    count_ = count;
    done_ = listed_ = 0;
    UpdateDownloadBar();
}

void JobProgress::PicturesDone(int done, int listed) {
    if (running_ != Job::Download || position_ == 0 || listed < 0 || done < 0) {
        return;
    }
    listed_ = listed;
    done_ = std::min(done, listed);
    UpdateDownloadBar();
}

void JobProgress::StopAsked() {
    if (running_ != Job::Download) {
        return;
    }
    stopping_ = true;
    UpdateDownloadBar();
}

void JobProgress::DownloadEnded(bool stopped) {
    if (running_ != Job::Download) {
        return;
    }
    running_ = Job::None;
    stopping_ = false;
    bar_.shown = true;
    bar_.maximum = std::max(count_, 1) * ALBUM_UNITS;
    if (stopped) {
        bar_.text = StringCtrl::Format(u"已停止：第%d/%d个相册", {position_, count_});
        return;
    }
    bar_.value = bar_.maximum;
    bar_.text = StringCtrl::Format(u"下载完毕：%d个相册", {count_});
}

void JobProgress::UpdateDownloadBar() {
    bar_.shown = true;
    bar_.maximum = std::max(count_, 1) * ALBUM_UNITS;
    if (position_ == 0) {
        bar_.value = 0;
        if (stopping_) {
            bar_.text = u"正在停止…";
            return;
        }
        bar_.text = count_ > 0 ? StringCtrl::Format(u"准备下载%d个相册", {count_}) : u"准备下载";
        return;
    }
    const int within =
        listed_ > 0 ? static_cast<int>(static_cast<long long>(done_) * ALBUM_UNITS / listed_) : 0;
    bar_.value = (position_ - 1) * ALBUM_UNITS + within;
    // The pictures under way are finished first, which takes a few seconds: the bar tells why
    // nothing has ended yet.
    if (stopping_) {
        bar_.text = u"正在停止…";
        return;
    }
    bar_.text = listed_ > 0
                    ? StringCtrl::Format(u"第%d/%d个相册：%d/%d张", {position_, count_, done_, listed_})
                    : StringCtrl::Format(u"第%d/%d个相册", {position_, count_});
}

int JobProgress::CurrentAlbum() const {
    if (running_ != Job::Download || position_ < 1 || position_ > static_cast<int>(albums_.size())) {
        return -1;
    }
    return albums_[static_cast<std::size_t>(position_ - 1)];
}

void JobProgress::AddPictureOutcome(int album, PictureOutcome outcome, std::u16string url,
                                    std::u16string reason, int place) {
    if (album < 0) {
        return;
    }
    AlbumOutcome& counts = outcomes_[album];
    switch (outcome) {
        case PictureOutcome::Saved:
            ++counts.saved;
            break;
        case PictureOutcome::Skipped:
            ++counts.skipped;
            break;
        case PictureOutcome::Failed: {
            ++counts.failed;
            // The pool's workers end their pictures in any order; the list keeps the album's.
            auto at = failed_.end();
            while (place >= 0 && at != failed_.begin() && std::prev(at)->album == album &&
                   std::prev(at)->place > place) {
                --at;
            }
            failed_.insert(at, {album, std::move(url), std::move(reason), place});
            break;
        }
    }
}

void JobProgress::SetAlbumOutcome(int album, const AlbumOutcome& outcome) {
    if (album >= 0) {
        outcomes_[album] = outcome;
    }
}

std::u16string JobProgress::DoneText(const AlbumOutcome& outcome) {
    // What the album folder holds now: the pictures saved, and those kept from before.
    return StringCtrl::Format(u"完成 %d", {outcome.saved + outcome.skipped});
}

std::u16string JobProgress::FailedText(const AlbumOutcome& outcome) {
    std::u16string text =
        outcome.failed > 0 ? StringCtrl::Format(u"失败 %d", {outcome.failed}) : std::u16string();
    // Pictures a stop left behind were never tried: they are not failures, and the next download
    // fetches them.
    if (outcome.notTried > 0) {
        if (!text.empty()) {
            text += u' ';
        }
        text += StringCtrl::Format(u"未下载 %d", {outcome.notTried});
    }
    return text;
}
