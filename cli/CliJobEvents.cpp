// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliJobEvents.h"

#include <sys/stat.h>

#include "cli/JsonLines.h"
#include "cli/TerminalText.h"
#include "platform/CodePage.h"

namespace {

constexpr std::u16string_view kAppTitle = u"Orvelle";

}  // namespace

CliJobEvents::CliJobEvents(bool answerYes, std::FILE* err) : err_(err), answerYes_(answerYes) {}

void CliJobEvents::SetJson(JsonLines* json) {
    std::lock_guard lock(mutex_);
    json_ = json;
}

void CliJobEvents::SetTerminal(int columns) {
    std::lock_guard lock(mutex_);
    terminal_ = true;
    line_ = ProgressLine(columns);
}

void CliJobEvents::SetAlbumNames(std::function<std::u16string(int)> names) {
    std::lock_guard lock(mutex_);
    names_ = std::move(names);
}

void CliJobEvents::Status(std::u16string& shown, const std::u16string& text) {
    std::lock_guard lock(mutex_);
    if (shown == text) {
        return;
    }
    shown = text;
    if (terminal_ && &shown == &progress_) {
        line_.Text(text);
        RedrawLocked(true);
        return;
    }
    // The stage and progress lines are the user's only view of a running job.
    if (!text.empty()) {
        PrintLocked(text);
    }
}

void CliJobEvents::StageText(const std::u16string& text) {
    Status(stage_, text);
}

void CliJobEvents::ProgressText(const std::u16string& text) {
    Status(progress_, text);
}

void CliJobEvents::PoolProgress(const std::u16string& line, int saved, int total) {
    {
        std::lock_guard lock(mutex_);
        if (terminal_) {
            progress_ = line;
            line_.PoolProgress(saved, total);
            RedrawLocked(saved == total);
            return;
        }
    }
    Status(progress_, line);
}

void CliJobEvents::Idle(JobKind) {
    std::lock_guard lock(mutex_);
    EndLineLocked();
}

void CliJobEvents::EndLineLocked() {
    if (terminal_) {
        std::fputs(line_.Clear().c_str(), err_);
        std::fflush(err_);
        line_.Reset();
        progress_.clear();
    }
}

void CliJobEvents::AlbumStarted(int album, int position, int count) {
    std::lock_guard lock(mutex_);
    const std::u16string name = names_ ? names_(album) : std::u16string();
    if (json_ != nullptr) {
        json_->Write(JsonLines::AlbumStarted(album + 1, name, position, count));
    }
    if (terminal_) {
        line_.AlbumStarted(name, position, count, ProgressLine::Clock::now());
        RedrawLocked(true);
    }
}

void CliJobEvents::PictureSaved(int album, const std::u16string& file, const std::u16string& url) {
    std::lock_guard lock(mutex_);
    if (json_ != nullptr) {
        saved_[album].push_back({file, url});
    }
    if (terminal_) {
        struct stat info {};
        if (::stat(CodePage::ToUtf8(file).c_str(), &info) == 0) {
            line_.PictureSaved(static_cast<std::uint64_t>(info.st_size));
        }
    }
}

void CliJobEvents::ListUnread(const std::u16string&) {
    std::lock_guard lock(mutex_);
    unread_ = true;
}

void CliJobEvents::ListEnded(int albumCount, bool downloadAtOnce) {
    std::lock_guard lock(mutex_);
    lastList_ = ListReport{true, albumCount, downloadAtOnce, unread_};
    unread_ = false;
}

void CliJobEvents::PictureNotSaved(int album, const std::u16string& line, const std::u16string& url,
                                   const PictureOutcome& outcome) {
    std::lock_guard lock(mutex_);
    if (json_ != nullptr) {
        json_->Write(JsonLines::PictureNotSaved(album + 1, url, outcome));
    }
    PrintLocked(line);
}

void CliJobEvents::PictureRenamed(int album, const std::u16string& from, const std::u16string& to) {
    std::lock_guard lock(mutex_);
    for (Saved& saved : saved_[album]) {
        if (saved.file == from) {
            saved.file = to;
        }
    }
}

void CliJobEvents::AlbumEnded(int album, const std::u16string& line, const DownloadTally& tally) {
    std::lock_guard lock(mutex_);
    if (json_ != nullptr) {
        for (const Saved& saved : saved_[album]) {
            json_->Write(JsonLines::PictureSaved(album + 1, saved.file, saved.url));
        }
        saved_.erase(album);
        json_->Write(JsonLines::AlbumEnded(album + 1, names_ ? names_(album) : std::u16string(), tally));
    }
    PrintLocked(line);
}

void CliJobEvents::JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) {
    std::lock_guard lock(mutex_);
    // The job is over: its summary takes the progress line's place for good.
    EndLineLocked();
    if (!line.empty()) {
        PrintLocked(line);
    }
    lastJob_ = JobReport{true, tally, end};
}

void CliJobEvents::Message(const std::u16string& text, const std::u16string& caption) {
    Print(u"[" + (caption.empty() ? std::u16string(kAppTitle) : caption) + u"] " + text);
}

void CliJobEvents::Notice(const std::u16string& text, const std::u16string& caption) {
    Message(text, caption);
}

bool CliJobEvents::Ask(const std::u16string& text, const std::u16string& caption) {
    Message(text, caption);
    return answerYes_;
}

void CliJobEvents::Login(const std::u16string& url) {
    Print(u"需要登录: " + url);
    Print(u"请在窗口程序的登录菜单里登录，或用 --cookies 导入浏览器导出的 cookies.txt 后重试");
}

CliJobEvents::JobReport CliJobEvents::LastJob() {
    std::lock_guard lock(mutex_);
    return lastJob_;
}

CliJobEvents::ListReport CliJobEvents::LastList() {
    std::lock_guard lock(mutex_);
    return lastList_;
}

void CliJobEvents::Print(const std::u16string& line) {
    std::lock_guard lock(mutex_);
    PrintLocked(line);
}

void CliJobEvents::PrintLocked(const std::u16string& line) {
    // The line goes above the progress line, which is drawn again below it.
    const bool redraw = terminal_ && line_.Shown();
    if (redraw) {
        std::fputs(line_.Clear().c_str(), err_);
    }
    // Messages may quote what a site sent; its control characters must not reach the terminal.
    std::fprintf(err_, "%s\n", CodePage::ToUtf8(VisibleText(line, true)).c_str());
    if (redraw) {
        line_.SetShown(false);
        RedrawLocked(true);
    }
    std::fflush(err_);
}

void CliJobEvents::RedrawLocked(bool force) {
    const auto now = ProgressLine::Clock::now();
    if (!force && line_.Shown() && now - drawn_ < std::chrono::milliseconds(100)) {
        return;
    }
    std::string drawn = line_.Draw(now);
    if (drawn.empty()) {
        std::fputs(line_.Clear().c_str(), err_);
        line_.SetShown(false);
    } else {
        std::fputs(drawn.c_str(), err_);
        line_.SetShown(true);
    }
    drawn_ = now;
    std::fflush(err_);
}
