#pragma once

#include <string>

#include "core/ST_PERLISTRECORD.h"
#include "sites/kit/SiteCall.h"

// A call of an album-list operation.
class AlbumCall : public SiteCall {
public:
    using SiteCall::SiteCall;

    bool Stopped() const override;

    // Emits the album; false when the operation must return now (the list was stopped).
    bool Album(const ST_PERLISTRECORD& record);

    // Albums emitted by this call.
    int Emitted() const { return emitted_; }

private:
    int emitted_ = 0;
};
