// SPDX-License-Identifier: GPL-3.0-or-later
#include "sites/kit/SiteCall.h"

#include "core/JobEvents.h"
#include "core/ServerWait.h"
#include "platform/StoppableWait.h"
#include "platform/TextFile.h"

SiteCall::SiteCall(CallContext context) : context_(std::move(context)) {
    session.SetStop([this] { return Stopped(); });
    session.request.serverWait = [this](int seconds) {
        context_.events.ProgressText(ServerWaitText(seconds));
    };
}

bool SiteCall::Fetch(std::u16string_view url, unsigned textFlags, std::u16string& text) {
    return session.Fetch(url, textFlags, text);
}

bool SiteCall::FetchNonEmpty(std::u16string_view url, unsigned textFlags, std::u16string& text) {
    return Fetch(url, textFlags, text) && !text.empty();
}

void SiteCall::Notice(std::u16string_view text, std::u16string_view caption) {
    context_.events.Notice(std::u16string(text), std::u16string(caption));
}

bool SiteCall::Ask(std::u16string_view text, std::u16string_view caption) {
    return context_.events.Ask(std::u16string(text), std::u16string(caption));
}

void SiteCall::Login(std::u16string_view url) {
    context_.events.Login(std::u16string(url));
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

bool SiteCall::AskPassword(std::u16string_view question, std::u16string_view caption,
                           std::u16string_view pageUrl) {
    if (!Ask(question, caption)) {
        return false;
    }
    context_.events.Password(std::u16string(pageUrl));
    return true;
}

bool SiteCall::FetchAfterPassword(std::u16string_view question, std::u16string_view caption,
                                  std::u16string_view pageUrl, std::u16string_view url, unsigned textFlags,
                                  std::u16string& text) {
    return AskPassword(question, caption, pageUrl) && FetchNonEmpty(url, textFlags, text);
}

bool SiteCall::Wait(std::chrono::milliseconds duration) {
    return StoppableWait(duration, [this] { return Stopped(); });
}

void SiteCall::Dump(std::u16string_view name, std::u16string_view text) {
    TextFile::Write(ProgramFile(name), text);
}

void SiteCall::ReportPageShape(std::u16string_view message, std::u16string_view dumpName,
                               std::u16string_view page) {
    pageShapeReported_ = true;
    Dump(dumpName, page);
    Notice(message);
}

std::u16string SiteCall::ProgramFile(std::u16string_view name) const {
    return context_.programDir + std::u16string(name);
}

const NamingSettings& SiteCall::Naming() const {
    return context_.naming;
}

const ExtensionSettings& SiteCall::Extension() const {
    return context_.extension;
}
