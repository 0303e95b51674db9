#pragma once

#include <string>
#include <string_view>

#include "core/ST_PERLISTRECORD.h"
#include "sites/kit/SiteCall.h"

// A call of a picture-list operation for one album. It works on a copy of the album's record, so
// nothing it holds points into the album list.
class PictureCall : public SiteCall {
public:
    PictureCall(JobContext& job, int albumIndex, ST_PERLISTRECORD album);

    bool Stopped() const override;

    // Emits a picture; false when the operation must return now (the album is done or the
    // download was stopped). An empty address is no picture: it is skipped, never emitted.
    bool Picture(std::u16string_view url, std::u16string_view description, std::u16string_view headers = {});

    // The album learns its name from its own page: the list and this call's copy take it, so the
    // folder made at the first picture carries it. Call it before the first picture.
    void RenameAlbum(std::u16string name);

    // Pictures emitted by this call.
    int Emitted() const { return emitted_; }

    const ST_PERLISTRECORD& album() const { return album_; }
    int albumIndex() const { return albumIndex_; }

private:
    int albumIndex_;
    ST_PERLISTRECORD album_;
    int emitted_ = 0;
};
