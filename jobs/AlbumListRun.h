// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "core/JobEvents.h"
#include "jobs/JobContext.h"
#include "sites/kit/AlbumCall.h"
#include "sites/kit/AlbumSink.h"
#include "sites/kit/SiteFamily.h"

// One album list as its calls reach the program: the normalisation's call and each operation's
// hand their albums to the album emission, name the owner in the list result and keep the hand-off
// there, and ask the user through events. The calls read the settings of siteType as the list
// started with them.
class AlbumListRun : public AlbumSink {
public:
    AlbumListRun(JobContext& context, JobEvents& events, int siteType);

    void Album(const ST_PERLISTRECORD& record) override;
    bool Stopped() const override;
    ListResult& Result() override;

    // A call with a session of its own (the normalisation's).
    AlbumCall NewCall();
    // Runs op with input, on a call of its own; the number of albums it added to the list. An empty
    // op adds none.
    int Run(const AlbumListOp& op, const std::u16string& input);
    // Takes note of what a call's last page fetch became.
    void Note(const SiteCall& call);

    // The last page fetch of the list's calls (the normalisation's included).
    const PageFetch& LastFetch() const { return lastFetch_; }

private:
    JobContext& context_;
    JobEvents& events_;
    CallContext callContext_;
    PageFetch lastFetch_;
};
