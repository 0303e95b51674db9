#include "sites/kit/AlbumCall.h"

#include "sites/kit/Emission.h"

bool AlbumCall::Stopped() const {
    return ListStopped(job);
}

bool AlbumCall::Album(const ST_PERLISTRECORD& record) {
    EmitAlbum(record, job);
    ++emitted_;
    return !Stopped();
}
