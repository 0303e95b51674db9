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

bool SiteCall::FetchNonEmpty(std::u16string_view url, unsigned textFlags, std::u16string& text) {
    return Fetch(url, textFlags, text) && !text.empty();
}

void SiteCall::Notice(std::u16string_view text, std::u16string_view caption) {
    job.window->MessageBox(std::u16string(text), std::u16string(caption), MB_OK);
}

bool SiteCall::Ask(std::u16string_view text, std::u16string_view caption) {
    return job.window->MessageBox(std::u16string(text), std::u16string(caption), MB_YESNO) == IDYES;
}

void SiteCall::Login(std::u16string_view url) {
    job.window->OpenLoginBrowser(std::u16string(url));
}

bool SiteCall::AskLogin(std::u16string_view question, std::u16string_view caption,
                        std::u16string_view loginUrl) {
    if (!Ask(question, caption)) {
        return false;
    }
    Login(loginUrl);
    return true;
}

bool SiteCall::FetchAfterLogin(std::u16string_view question, std::u16string_view caption,
                               std::u16string_view loginUrl, std::u16string_view url, unsigned textFlags,
                               std::u16string& text) {
    return AskLogin(question, caption, loginUrl) && FetchNonEmpty(url, textFlags, text);
}

bool SiteCall::Wait(std::chrono::milliseconds duration) {
    return StoppableWait(duration, [this] { return Stopped(); });
}

void SiteCall::Dump(std::u16string_view name, std::u16string_view text) {
    WriteTextFile(ProgramFile(name), text);
}

std::u16string SiteCall::ProgramFile(std::u16string_view name) const {
    return job.programDir + std::u16string(name);
}

const NamingSettings& SiteCall::Naming() const {
    return job.CurrentSettings().naming;
}

const ExtensionSettings& SiteCall::Extension() const {
    return job.extension;
}

bool ListStopped(const JobContext& job) {
    return job.listState.load() == LIST_STOP;
}

bool PicturesStopped(const JobContext& job) {
    std::uint8_t state = job.downloadState.load();
    return state == DL_ALBUM_DONE || state == DL_STOP;
}
