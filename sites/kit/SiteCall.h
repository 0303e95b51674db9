#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "sites/kit/SiteSession.h"

struct JobContext;
class WindowPort;

// One call of an adapter operation: the job it serves, the one session all its fetches share, and
// what it may ask of the user. Its waits, and the pauses between a fetch's attempts, end as soon
// as the job is stopped. This is the only way an adapter talks to the rest of the program.
class SiteCall {
public:
    explicit SiteCall(JobContext& job);
    virtual ~SiteCall() = default;
    SiteCall(const SiteCall&) = delete;
    SiteCall& operator=(const SiteCall&) = delete;

    // Whether the user asked this call's job to stop (or, for a picture list, the album is done).
    virtual bool Stopped() const = 0;

    // SiteSession::Fetch on the call's session.
    bool Fetch(std::u16string_view url, unsigned textFlags, std::u16string& text);

    // A message box with an OK button; an empty caption means the application's title.
    void Notice(std::u16string_view text, std::u16string_view caption = {});
    // A yes/no question; true for yes.
    bool Ask(std::u16string_view text, std::u16string_view caption);
    // The login browser at url; returns when the user has closed it.
    void Login(std::u16string_view url);

    // Waits, ending early when the job is stopped; false then.
    bool Wait(std::chrono::milliseconds duration);

    // Writes text to the file name in the program folder as a dump for the author (UTF-16LE with
    // a byte-order mark), replacing it.
    void Dump(std::u16string_view name, std::u16string_view text);

    JobContext& job;
    SiteSession session;

protected:
    WindowPort& window();
};

// The stop checks every operation makes after each emission.
// Album-list operations: the user asked the album list to stop.
bool ListStopped(const JobContext& job);
// Picture-list operations: this album is done (the rest was downloaded before) or the whole
// download was stopped.
bool PicturesStopped(const JobContext& job);
