// SPDX-License-Identifier: GPL-3.0-or-later
#include "jobs/PictureListRun.h"

#include <optional>

#include "jobs/Emission.h"

PictureListRun::PictureListRun(JobContext& context, JobEvents& events_, const NamingSettings& naming_,
                               PictureList& pictures_, int album_, std::u16string input)
    : list(context.list),
      control(context.control),
      events(events_),
      naming(naming_),
      pictures(pictures_),
      album(album_),
      callContext_{events_, naming_, context.settings.extension, context.settings.programDir},
      input_(std::move(input)) {}

void PictureListRun::Picture(const std::u16string& url, const std::u16string& description,
                             const std::u16string& headers) {
    EmitPicture(*this, url, description, headers);
}

bool PictureListRun::Stopped() const {
    return control.PicturesStopped();
}

void PictureListRun::RenameAlbum(std::u16string name) {
    list.albums.Rename(album, std::move(name));
}

int PictureListRun::Run(const PictureListOp& op) {
    std::optional<ST_PERLISTRECORD> record = list.albums.CopyOf(album);
    if (!op || !record) {
        return 0;
    }
    PictureCall call(callContext_, *this, list, album, std::move(*record), input_);
    op(call);
    if (call.LastFetch().made) {
        lastFetch_ = call.LastFetch();
    }
    pageShapeReported_ = pageShapeReported_ || call.PageShapeReported();
    return call.Emitted();
}
