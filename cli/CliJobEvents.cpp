#include "cli/CliJobEvents.h"

#include "cli/TerminalText.h"
#include "platform/CodePage.h"

namespace {

constexpr std::u16string_view kAppTitle = u"Orvelle";

}  // namespace

CliJobEvents::CliJobEvents(bool answerYes, std::FILE* err) : err_(err), answerYes_(answerYes) {}

void CliJobEvents::Status(std::u16string& shown, const std::u16string& text) {
    std::lock_guard lock(mutex_);
    if (shown == text) {
        return;
    }
    shown = text;
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

void CliJobEvents::PoolProgress(const std::u16string& line, int, int) {
    Status(progress_, line);
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

void CliJobEvents::PictureNotSaved(int, const std::u16string& line, const std::u16string&,
                                   const PictureOutcome&) {
    Print(line);
}

void CliJobEvents::AlbumEnded(int, const std::u16string& line, const DownloadTally&) {
    Print(line);
}

void CliJobEvents::JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) {
    if (!line.empty()) {
        Print(line);
    }
    std::lock_guard lock(mutex_);
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
    // Messages may quote what a site sent; its control characters must not reach the terminal.
    std::fprintf(err_, "%s\n", CodePage::ToUtf8(VisibleText(line, true)).c_str());
    std::fflush(err_);
}
