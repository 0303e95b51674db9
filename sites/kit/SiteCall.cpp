#include "sites/kit/SiteCall.h"

#include "core/JobContext.h"
#include "core/WindowPort.h"
#include "download/SideFiles.h"
#include "platform/StoppableWait.h"

SiteCall::SiteCall(JobContext& job_) : job(job_) {
    session.SetStop([this] { return Stopped(); });
}

bool SiteCall::Fetch(std::u16string_view url, unsigned textFlags, std::u16string& text) {
    return session.Fetch(url, textFlags, text);
}

WindowPort& SiteCall::window() {
    return *job.window;
}

void SiteCall::Notice(std::u16string_view text, std::u16string_view caption) {
    window().MessageBox(std::u16string(text), std::u16string(caption), MB_OK);
}

bool SiteCall::Ask(std::u16string_view text, std::u16string_view caption) {
    return window().MessageBox(std::u16string(text), std::u16string(caption), MB_YESNO) == IDYES;
}

void SiteCall::Login(std::u16string_view url) {
    window().OpenLoginBrowser(std::u16string(url));
}

bool SiteCall::Wait(std::chrono::milliseconds duration) {
    return StoppableWait(duration, [this] { return Stopped(); });
}

void SiteCall::Dump(std::u16string_view name, std::u16string_view text) {
    WriteTextFile(job.programDir + std::u16string(name), text);
}

bool ListStopped(const JobContext& job) {
    return job.listState.load() == LIST_STOP;
}

bool PicturesStopped(const JobContext& job) {
    std::uint8_t state = job.downloadState.load();
    return state == DL_ALBUM_DONE || state == DL_STOP;
}
