#include "support/RecordingWindowPort.h"

#include "platform/CodePage.h"

namespace {

template <typename Map, typename Value>
Value Lookup(const Map& map, int key, Value fallback) {
    auto it = map.find(key);
    return it != map.end() ? it->second : fallback;
}

}  // namespace

void RecordingWindowPort::Log(const char* name, int control, const std::u16string& text) {
    std::string line = name;
    if (control != 0) {
        line += ' ' + std::to_string(control);
    }
    if (!text.empty()) {
        line += ' ' + CodePage::ToUtf8(text);
    }
    calls_.push_back(std::move(line));
}

void RecordingWindowPort::QueueAnswer(int answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
}

void RecordingWindowPort::SetDefaultAnswer(int answer) {
    std::lock_guard lock(mutex_);
    defaultAnswer_ = answer;
}

void RecordingWindowPort::SetControlText(int control, const std::u16string& text) {
    std::lock_guard lock(mutex_);
    texts_[control] = text;
}

void RecordingWindowPort::SetSiteSelection(int site) {
    std::lock_guard lock(mutex_);
    site_ = site;
}

void RecordingWindowPort::SetSubMode(bool visible, int selection) {
    std::lock_guard lock(mutex_);
    subModeVisible_ = visible;
    subMode_ = selection;
}

void RecordingWindowPort::SetClipboard(const std::u16string& text) {
    std::lock_guard lock(mutex_);
    clipboard_ = text;
}

void RecordingWindowPort::SetLoginAction(std::function<void(const std::u16string&)> action) {
    std::lock_guard lock(mutex_);
    loginAction_ = std::move(action);
}

void RecordingWindowPort::Reset() {
    std::lock_guard lock(mutex_);
    answers_.clear();
    messages_.clear();
    loginUrls_.clear();
    loginAction_ = {};
}

void RecordingWindowPort::SetNextThumbnailIndex(int first) {
    std::lock_guard lock(mutex_);
    nextThumbnail_ = first;
}

std::u16string RecordingWindowPort::Text(int control) const {
    std::lock_guard lock(mutex_);
    return Lookup(texts_, control, std::u16string());
}

std::vector<std::u16string> RecordingWindowPort::Texts(int control) const {
    std::lock_guard lock(mutex_);
    return Lookup(textHistory_, control, std::vector<std::u16string>());
}

bool RecordingWindowPort::IsEnabled(int control) const {
    std::lock_guard lock(mutex_);
    return Lookup(enabled_, control, true);
}

bool RecordingWindowPort::IsShown(int control) const {
    std::lock_guard lock(mutex_);
    return Lookup(shown_, control, true);
}

bool RecordingWindowPort::IsChecked(int control) const {
    std::lock_guard lock(mutex_);
    return Lookup(checked_, control, false);
}

std::vector<RecordingWindowPort::Message> RecordingWindowPort::Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<std::u16string> RecordingWindowPort::LoginUrls() const {
    std::lock_guard lock(mutex_);
    return loginUrls_;
}

std::vector<std::pair<int, int>> RecordingWindowPort::PoolEnds() const {
    std::lock_guard lock(mutex_);
    return poolEnds_;
}

std::vector<std::u16string> RecordingWindowPort::OpenedFolders() const {
    std::lock_guard lock(mutex_);
    return openedFolders_;
}

std::vector<std::u16string> RecordingWindowPort::ThumbnailFiles() const {
    std::lock_guard lock(mutex_);
    return thumbnailFiles_;
}

std::vector<std::u16string> RecordingWindowPort::HistoryItems() const {
    std::lock_guard lock(mutex_);
    return historyItems_;
}

int RecordingWindowPort::GridChangedCount() const {
    std::lock_guard lock(mutex_);
    return gridChanged_;
}

std::vector<RecordingWindowPort::NotSaved> RecordingWindowPort::PicturesNotSaved() const {
    std::lock_guard lock(mutex_);
    return notSaved_;
}

std::vector<RecordingWindowPort::Ended> RecordingWindowPort::AlbumsEnded() const {
    std::lock_guard lock(mutex_);
    return albumsEnded_;
}

std::vector<RecordingWindowPort::Ended> RecordingWindowPort::JobsEnded() const {
    std::lock_guard lock(mutex_);
    return jobsEnded_;
}

std::vector<std::string> RecordingWindowPort::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

void RecordingWindowPort::SetText(int control, const std::u16string& text) {
    std::lock_guard lock(mutex_);
    texts_[control] = text;
    textHistory_[control].push_back(text);
    Log("SetText", control, text);
}

void RecordingWindowPort::EnableControl(int control, bool enable) {
    std::lock_guard lock(mutex_);
    enabled_[control] = enable;
    Log(enable ? "Enable" : "Disable", control, {});
}

void RecordingWindowPort::ShowControl(int control, bool show) {
    std::lock_guard lock(mutex_);
    shown_[control] = show;
    Log(show ? "Show" : "Hide", control, {});
}

void RecordingWindowPort::SetCheck(int control, bool checked) {
    std::lock_guard lock(mutex_);
    checked_[control] = checked;
    Log(checked ? "Check" : "Uncheck", control, {});
}

std::u16string RecordingWindowPort::GetText(int control) {
    std::lock_guard lock(mutex_);
    return Lookup(texts_, control, std::u16string());
}

int RecordingWindowPort::SiteSelection() {
    std::lock_guard lock(mutex_);
    return site_;
}

bool RecordingWindowPort::SubModeVisible() {
    std::lock_guard lock(mutex_);
    return subModeVisible_;
}

int RecordingWindowPort::SubModeSelection() {
    std::lock_guard lock(mutex_);
    return subMode_;
}

int RecordingWindowPort::MessageBox(const std::u16string& text, const std::u16string& caption, int buttons) {
    std::lock_guard lock(mutex_);
    int answer = IDOK;
    if (buttons == MB_YESNO) {
        answer = defaultAnswer_;
        if (!answers_.empty()) {
            answer = answers_.front();
            answers_.pop_front();
        }
    }
    messages_.push_back({text, caption, buttons, answer});
    Log("MessageBox", 0, caption.empty() ? text : u"[" + caption + u"] " + text);
    return answer;
}

void RecordingWindowPort::OpenLoginBrowser(const std::u16string& url) {
    std::function<void(const std::u16string&)> action;
    {
        std::lock_guard lock(mutex_);
        loginUrls_.push_back(url);
        Log("OpenLoginBrowser", 0, url);
        action = loginAction_;
    }
    // Outside the lock: the action may call back into this port.
    if (action) {
        action(url);
    }
}

void RecordingWindowPort::PoolEnded(int elapsedSeconds, int pictureCount) {
    std::lock_guard lock(mutex_);
    poolEnds_.emplace_back(elapsedSeconds, pictureCount);
    Log("PoolEnded", 0, {});
}

void RecordingWindowPort::OpenFolder(const std::u16string& folder) {
    std::lock_guard lock(mutex_);
    openedFolders_.push_back(folder);
    Log("OpenFolder", 0, folder);
}

int RecordingWindowPort::MakeThumbnail(const std::u16string& file) {
    std::lock_guard lock(mutex_);
    thumbnailFiles_.push_back(file);
    Log("MakeThumbnail", 0, file);
    return nextThumbnail_ < 0 ? -1 : nextThumbnail_++;
}

void RecordingWindowPort::AddInputHistoryItem(const std::u16string& text) {
    std::lock_guard lock(mutex_);
    historyItems_.push_back(text);
    Log("AddInputHistoryItem", 0, text);
}

void RecordingWindowPort::GridChanged() {
    std::lock_guard lock(mutex_);
    ++gridChanged_;
    Log("GridChanged", 0, {});
}

std::u16string RecordingWindowPort::ClipboardText() {
    std::lock_guard lock(mutex_);
    return clipboard_;
}

void RecordingWindowPort::PictureNotSaved(const std::u16string& line, const std::u16string&,
                                          const PictureOutcome& outcome) {
    std::lock_guard lock(mutex_);
    notSaved_.push_back({line, outcome});
    Log("PictureNotSaved", 0, line);
}

void RecordingWindowPort::AlbumEnded(int, const std::u16string& line, const DownloadTally& tally) {
    std::lock_guard lock(mutex_);
    albumsEnded_.push_back({line, tally, DownloadEnd::Finished});
    Log("AlbumEnded", 0, line);
}

void RecordingWindowPort::JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) {
    std::lock_guard lock(mutex_);
    jobsEnded_.push_back({line, tally, end});
    Log("JobEnded", 0, line);
}
