// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RecordingJobEvents.h"

#include "platform/CodePage.h"

namespace {

const char* KindName(JobKind job) {
    return job == JobKind::List ? "list" : "download";
}

}  // namespace

void RecordingJobEvents::Log(std::string name, const std::u16string& text) {
    if (!text.empty()) {
        name += ' ' + CodePage::ToUtf8(text);
    }
    calls_.push_back(std::move(name));
}

void RecordingJobEvents::QueueAnswer(bool yes) {
    std::lock_guard lock(mutex_);
    answers_.push_back(yes);
}

void RecordingJobEvents::SetDefaultAnswer(bool yes) {
    std::lock_guard lock(mutex_);
    defaultAnswer_ = yes;
}

void RecordingJobEvents::SetLoginAction(std::function<void(const std::u16string&)> action) {
    std::lock_guard lock(mutex_);
    loginAction_ = std::move(action);
}

void RecordingJobEvents::Reset() {
    std::lock_guard lock(mutex_);
    answers_.clear();
    defaultAnswer_ = false;
    loginAction_ = {};
    stages_.clear();
    progress_.clear();
    messages_.clear();
    loginUrls_.clear();
    listed_.clear();
    listsEnded_.clear();
    remembered_.clear();
    started_.clear();
    poolEnds_.clear();
    saved_.clear();
    notSaved_.clear();
    albumsEnded_.clear();
    jobsEnded_.clear();
    openedFolders_.clear();
    busy_[0] = busy_[1] = false;
    calls_.clear();
}

#define ORVELLE_RECORDED(Type, Name, member) \
    Type RecordingJobEvents::Name() const {  \
        std::lock_guard lock(mutex_);        \
        return member;                       \
    }
ORVELLE_RECORDED(std::vector<std::u16string>, StageTexts, stages_)
ORVELLE_RECORDED(std::vector<std::u16string>, ProgressTexts, progress_)
ORVELLE_RECORDED(std::vector<RecordingJobEvents::Message>, Messages, messages_)
ORVELLE_RECORDED(std::vector<std::u16string>, LoginUrls, loginUrls_)
ORVELLE_RECORDED(std::vector<RecordingJobEvents::Listed>, AlbumsListed, listed_)
ORVELLE_RECORDED(std::vector<RecordingJobEvents::ListEnd>, ListsEnded, listsEnded_)
ORVELLE_RECORDED(std::vector<std::u16string>, InputsRemembered, remembered_)
ORVELLE_RECORDED(std::vector<RecordingJobEvents::Started>, AlbumsStarted, started_)
ORVELLE_RECORDED(std::vector<RecordingJobEvents::Saved>, PicturesSaved, saved_)
ORVELLE_RECORDED(std::vector<RecordingJobEvents::NotSaved>, PicturesNotSaved, notSaved_)
ORVELLE_RECORDED(std::vector<RecordingJobEvents::Ended>, AlbumsEnded, albumsEnded_)
ORVELLE_RECORDED(std::vector<RecordingJobEvents::Ended>, JobsEnded, jobsEnded_)
ORVELLE_RECORDED(std::vector<std::u16string>, OpenedFolders, openedFolders_)
ORVELLE_RECORDED(std::vector<std::string>, Calls, calls_)
#undef ORVELLE_RECORDED

std::vector<std::pair<int, int>> RecordingJobEvents::PoolEnds() const {
    std::lock_guard lock(mutex_);
    return poolEnds_;
}

std::u16string RecordingJobEvents::Stage() const {
    std::lock_guard lock(mutex_);
    return stages_.empty() ? std::u16string() : stages_.back();
}

std::u16string RecordingJobEvents::Progress() const {
    std::lock_guard lock(mutex_);
    return progress_.empty() ? std::u16string() : progress_.back();
}

bool RecordingJobEvents::IsBusy(JobKind job) const {
    std::lock_guard lock(mutex_);
    return busy_[static_cast<int>(job)];
}

void RecordingJobEvents::StageText(const std::u16string& text) {
    std::lock_guard lock(mutex_);
    stages_.push_back(text);
    Log("StageText", text);
}

void RecordingJobEvents::ProgressText(const std::u16string& text) {
    std::lock_guard lock(mutex_);
    progress_.push_back(text);
    Log("ProgressText", text);
}

void RecordingJobEvents::Busy(JobKind job) {
    std::lock_guard lock(mutex_);
    busy_[static_cast<int>(job)] = true;
    Log(std::string("Busy ") + KindName(job));
}

void RecordingJobEvents::Idle(JobKind job) {
    std::lock_guard lock(mutex_);
    busy_[static_cast<int>(job)] = false;
    Log(std::string("Idle ") + KindName(job));
}

void RecordingJobEvents::AlbumListed(int album, const ST_PERLISTRECORD& record) {
    std::lock_guard lock(mutex_);
    listed_.push_back({album, record});
    Log("AlbumListed " + std::to_string(album), record.name);
}

void RecordingJobEvents::ListEnded(int albumCount, bool downloadAtOnce) {
    std::lock_guard lock(mutex_);
    listsEnded_.push_back({albumCount, downloadAtOnce});
    Log("ListEnded " + std::to_string(albumCount) + (downloadAtOnce ? " at once" : ""));
}

void RecordingJobEvents::InputRemembered(const std::u16string& input) {
    std::lock_guard lock(mutex_);
    remembered_.push_back(input);
    Log("InputRemembered", input);
}

void RecordingJobEvents::AlbumStarted(int album, int position, int count) {
    std::lock_guard lock(mutex_);
    started_.push_back({album, position, count});
    Log("AlbumStarted " + std::to_string(album) + " " + std::to_string(position) + "/" + std::to_string(count));
}

void RecordingJobEvents::PoolStarted(const std::u16string& folder, int pictureCount) {
    std::lock_guard lock(mutex_);
    Log("PoolStarted " + std::to_string(pictureCount), folder);
}

void RecordingJobEvents::PoolProgress(const std::u16string& line, int, int) {
    std::lock_guard lock(mutex_);
    progress_.push_back(line);
    Log("PoolProgress", line);
}

void RecordingJobEvents::PoolEnded(int elapsedSeconds, int pictureCount) {
    std::lock_guard lock(mutex_);
    poolEnds_.emplace_back(elapsedSeconds, pictureCount);
    Log("PoolEnded " + std::to_string(pictureCount));
}

void RecordingJobEvents::PictureSaved(int album, const std::u16string& file, const std::u16string& url) {
    std::lock_guard lock(mutex_);
    saved_.push_back({album, file, url});
    Log("PictureSaved", file);
}

void RecordingJobEvents::PictureNotSaved(int album, const std::u16string& line, const std::u16string& url,
                                         const PictureOutcome& outcome) {
    std::lock_guard lock(mutex_);
    notSaved_.push_back({album, line, url, outcome});
    Log("PictureNotSaved", line);
}

void RecordingJobEvents::AlbumEnded(int album, const std::u16string& line, const DownloadTally& tally) {
    std::lock_guard lock(mutex_);
    albumsEnded_.push_back({album, line, tally});
    Log("AlbumEnded", line);
}

void RecordingJobEvents::JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) {
    std::lock_guard lock(mutex_);
    jobsEnded_.push_back({-1, line, tally, end});
    Log("JobEnded", line);
}

void RecordingJobEvents::OpenFolder(const std::u16string& folder) {
    std::lock_guard lock(mutex_);
    openedFolders_.push_back(folder);
    Log("OpenFolder", folder);
}

void RecordingJobEvents::Notice(const std::u16string& text, const std::u16string& caption) {
    std::lock_guard lock(mutex_);
    messages_.push_back({text, caption, false, false});
    Log("Notice", caption.empty() ? text : u"[" + caption + u"] " + text);
}

bool RecordingJobEvents::Ask(const std::u16string& text, const std::u16string& caption) {
    std::lock_guard lock(mutex_);
    bool answer = defaultAnswer_;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    messages_.push_back({text, caption, true, answer});
    Log("Ask", caption.empty() ? text : u"[" + caption + u"] " + text);
    return answer;
}

void RecordingJobEvents::Login(const std::u16string& url) {
    std::function<void(const std::u16string&)> action;
    {
        std::lock_guard lock(mutex_);
        loginUrls_.push_back(url);
        Log("Login", url);
        action = loginAction_;
    }
    if (action) {
        action(url);
    }
}
