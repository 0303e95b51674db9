#include "cli/CliWindowPort.h"

#include "cli/TerminalText.h"
#include "core/SiteType.h"
#include "platform/CodePage.h"

namespace {

constexpr std::u16string_view kAppTitle = u"Orvelle";

}  // namespace

CliWindowPort::CliWindowPort(std::u16string input, std::u16string savePath, int site, int subMode,
                             bool answerYes, std::FILE* err)
    : err_(err),
      input_(std::move(input)),
      savePath_(std::move(savePath)),
      site_(site),
      subMode_(subMode),
      answerYes_(answerYes) {}

void CliWindowPort::SetText(int control, const std::u16string& text) {
    std::lock_guard lock(mutex_);
    std::u16string& current = texts_[control];
    if (current == text) {
        return;
    }
    current = text;
    // The stage and progress lines are the user's only view of a running job.
    if ((control == IDC_STAGE || control == IDC_PROGRESS) && !text.empty()) {
        std::fprintf(err_, "%s\n", CodePage::ToUtf8(VisibleText(text, true)).c_str());
        std::fflush(err_);
    }
}

std::u16string CliWindowPort::GetText(int control) {
    std::lock_guard lock(mutex_);
    if (control == IDC_INPUT) {
        return input_;
    }
    if (control == IDC_SAVE_PATH) {
        return savePath_;
    }
    auto it = texts_.find(control);
    return it == texts_.end() ? std::u16string() : it->second;
}

bool CliWindowPort::SubModeVisible() {
    return site_ == SITE_TENCENT;
}

int CliWindowPort::MessageBox(const std::u16string& text, const std::u16string& caption, int buttons) {
    Print(u"[" + (caption.empty() ? std::u16string(kAppTitle) : caption) + u"] " + text);
    if (buttons == MB_YESNO) {
        return answerYes_ ? IDYES : IDNO;
    }
    return IDOK;
}

void CliWindowPort::OpenLoginBrowser(const std::u16string& url) {
    Print(u"需要登录: " + url);
    Print(u"请在窗口程序的登录菜单里登录，或用 --cookies 导入浏览器导出的 cookies.txt 后重试");
}

void CliWindowPort::PictureNotSaved(const std::u16string& line, const std::u16string&,
                                    const PictureOutcome&) {
    Print(line);
}

void CliWindowPort::AlbumEnded(int, const std::u16string& line, const DownloadTally&) {
    Print(line);
}

void CliWindowPort::JobEnded(const std::u16string& line, const DownloadTally& tally, DownloadEnd end) {
    if (!line.empty()) {
        Print(line);
    }
    std::lock_guard lock(mutex_);
    lastJob_ = JobReport{true, tally, end};
}

CliWindowPort::JobReport CliWindowPort::LastJob() {
    std::lock_guard lock(mutex_);
    return lastJob_;
}

void CliWindowPort::Print(const std::u16string& line) {
    std::lock_guard lock(mutex_);
    // Messages may quote what a site sent; its control characters must not reach the terminal.
    std::fprintf(err_, "%s\n", CodePage::ToUtf8(VisibleText(line, true)).c_str());
    std::fflush(err_);
}
