// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "core/ExtensionSettings.h"
#include "core/NamingSettings.h"
#include "sites/kit/CallContext.h"
#include "sites/kit/SiteSession.h"

// One call of an adapter operation: the one session all its fetches share, what it may ask of the
// user and what it may read of the program's settings. Its waits, the pauses between a fetch's
// attempts and a busy server's wait (told on the progress line) end as soon as the job is
// stopped. This is the only way an adapter talks to the rest of the program.
class SiteCall {
public:
    virtual ~SiteCall() = default;
    SiteCall(const SiteCall&) = delete;
    SiteCall& operator=(const SiteCall&) = delete;

    // Whether the user asked this call's job to stop (or, for a picture list, the album is done).
    virtual bool Stopped() const = 0;

    // SiteSession::Fetch on the call's session: false when nothing came.
    bool Fetch(std::u16string_view url, unsigned textFlags, std::u16string& text);
    // The same, and false also when the answer held no text: what a page must give to be read.
    bool FetchNonEmpty(std::u16string_view url, unsigned textFlags, std::u16string& text);

    // A message with an OK button; an empty caption means the application's title.
    void Notice(std::u16string_view text, std::u16string_view caption = {});
    // A yes/no question; true for yes.
    bool Ask(std::u16string_view text, std::u16string_view caption);
    // The login browser at url; returns when the user has closed it.
    void Login(std::u16string_view url);
    // Asks question and, on yes, opens the login browser at loginUrl. True when the user went
    // through the login browser.
    bool AskLogin(std::u16string_view question, std::u16string_view caption, std::u16string_view loginUrl);
    // A page that the site refused to a visitor: asks question, and on yes opens the login browser
    // at loginUrl and, once the user has closed it, fetches url again into text. True when the
    // page came again with text; false when the user said no (text is left as it was) or it did
    // not come.
    bool FetchAfterLogin(std::u16string_view question, std::u16string_view caption,
                         std::u16string_view loginUrl, std::u16string_view url, unsigned textFlags,
                         std::u16string& text);
    // The same two for a password album: the browser opens at the album's page, where the user
    // types its password.
    bool AskPassword(std::u16string_view question, std::u16string_view caption, std::u16string_view pageUrl);
    bool FetchAfterPassword(std::u16string_view question, std::u16string_view caption,
                            std::u16string_view pageUrl, std::u16string_view url, unsigned textFlags,
                            std::u16string& text);

    // Waits, ending early when the job is stopped; false then.
    bool Wait(std::chrono::milliseconds duration);

    // Writes text to the file name in the program folder as a dump for the author (UTF-16LE with
    // a byte-order mark), replacing it.
    void Dump(std::u16string_view name, std::u16string_view text);
    // The path of a file in the program folder ("Q2.txt", a switch file the user creates).
    std::u16string ProgramFile(std::u16string_view name) const;

    // A page that does not have the shape the adapter expects: it is dumped to the program
    // folder's dumpName for the author and message is shown. The job counts the album (or the
    // list) as not read.
    void ReportPageShape(std::u16string_view message, std::u16string_view dumpName, std::u16string_view page);
    bool PageShapeReported() const { return pageShapeReported_; }
    // What became of the call's last page fetch.
    const PageFetch& LastFetch() const { return session.lastFetch; }

    // The naming settings of the site type being served: its option flags (OPT_YUPOO_LARGE,
    // OPT_TAOBAO_MAIN_ONLY, ...) and its base name.
    const NamingSettings& Naming() const;
    // The extension settings as the job read them at its start.
    const ExtensionSettings& Extension() const;

    SiteSession session;

protected:
    explicit SiteCall(CallContext context);

private:
    CallContext context_;
    bool pageShapeReported_ = false;
};
