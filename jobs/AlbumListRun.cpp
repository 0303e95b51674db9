// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/AlbumListRun.h"

#include "jobs/Emission.h"

AlbumListRun::AlbumListRun(JobContext& context, JobEvents& events, int siteType)
    : context_(context),
      events_(events),
      callContext_{events, context.settings.Slot(siteType).naming, context.settings.extension,
                   context.settings.programDir} {}

void AlbumListRun::Album(const ST_PERLISTRECORD& record) {
    EmitAlbum(record, context_.list, events_);
}

bool AlbumListRun::Stopped() const {
    return context_.control.ListStopped();
}

ListResult& AlbumListRun::Result() {
    return context_.list;
}

AlbumCall AlbumListRun::NewCall() {
    return AlbumCall(callContext_, *this);
}

int AlbumListRun::Run(const AlbumListOp& op, const std::u16string& input) {
    if (!op) {
        return 0;
    }
    const std::size_t before = context_.list.albums.Size();
    AlbumCall call = NewCall();
    op(call, input);
    Note(call);
    return static_cast<int>(context_.list.albums.Size() - before);
}

void AlbumListRun::Note(const SiteCall& call) {
    if (call.LastFetch().made) {
        lastFetch_ = call.LastFetch();
    }
}
